// The console pause at the end of a run: a prompt, and a wait for one key.
// app/pause_posix.cpp holds it for POSIX systems, app/system_windows.cpp
// for Windows.
#ifndef MAZE_APP_PAUSE_H_
#define MAZE_APP_PAUSE_H_

#include <ostream>

// The prompt on POSIX systems; on Windows the command interpreter's own.
constexpr char kPausePrompt[] = "Press any key to continue . . . ";

// Flushes `out`, which is standard output, prints the prompt, waits for a
// key where it should, and ends the line. Does nothing once `out` failed.
//
// It waits only where a person sees the prompt: standard input and output
// are a terminal, and the program can see which process group owns it. The
// key is read without Enter or echo, and whole (an arrow, a paste). Keys
// typed before the prompt are dropped. The terminal is read and changed
// only in the foreground. In the background the pause stops its process
// group until then, except where the caller ignored or blocked SIGTTIN:
// there it does not wait. The terminal is left as it was, also when a
// signal ends or stops the program. After a stop the prompt is shown
// again. Signals the caller ignored stay ignored; the others keep handlers
// that do what the signal does by default.
//
// Where the wait ends without a key (the terminal hung up, or went to
// another process group for good), nothing more is written, and the line
// stays unended. On Windows the command interpreter's own pause prompts
// and waits instead.
void console_pause(std::ostream& out);

#endif  // MAZE_APP_PAUSE_H_
