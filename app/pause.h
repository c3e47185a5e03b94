// The console pause at the end of a run: a prompt, and a wait for one key.
// app/pause_posix.cpp holds it for POSIX systems, app/pause_windows.cpp for
// Windows.
#ifndef MAZE_APP_PAUSE_H_
#define MAZE_APP_PAUSE_H_

#include <istream>
#include <ostream>

// The prompt on POSIX systems; on Windows the command interpreter's own.
constexpr char kPausePrompt[] = "Press any key to continue . . . ";

// Flushes `out` (standard output), prints the prompt on it, waits for one
// key press on standard input, whose stream is `in`, and ends the line.
// Returns at once, without waiting, when `out` fails.
//
// On a POSIX terminal the key is read without Enter and without echo, and
// taken whole (an arrow, a letter of several bytes, a paste); keys typed
// before the prompt are dropped, and every key after it counts. The
// terminal is read and changed only in the foreground (in the background
// the pause stops its process group until then, and ends, reading nothing,
// once the group can never have the terminal again), and is left as it
// was, also when a signal ends the program or stops it at the prompt;
// after a stop and a continue in the foreground the wait goes on, with the
// prompt shown again, as it does after a signal that by default does
// nothing. Signals the caller ignored stay ignored, but for SIGCONT, which
// continues the program whatever is done with it and is caught even so.
// Elsewhere one character is read from `in`, and the end of input ends the
// wait. On Windows the command interpreter's own pause prompts and waits
// instead.
void console_pause(std::istream& in, std::ostream& out);

#endif  // MAZE_APP_PAUSE_H_
