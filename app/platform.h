// What the program needs from the system it runs on: a tick count for the
// seed, and the console pause at the end of a run.
#ifndef MAZE_APP_PLATFORM_H_
#define MAZE_APP_PLATFORM_H_

#include <cstdint>
#include <ostream>

// Milliseconds from a clock that moves on from run to run, as a 32-bit
// unsigned value: GetTickCount on Windows, a monotonic clock elsewhere.
std::uint32_t tick_count();

// Flushes `out` (standard output), prints the prompt on it, waits for one
// key press and ends the line. On a terminal it ignores keys typed before
// the prompt, takes the whole of the key pressed, and leaves the terminal
// and the signals as it found them, also when a signal ends or stops the
// program. Elsewhere it reads one character from standard input and goes
// on at end of input. Returns false, without waiting, when `out` fails.
bool console_pause(std::ostream& out);

#endif  // MAZE_APP_PLATFORM_H_
