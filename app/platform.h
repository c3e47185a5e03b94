// What the program needs from the system it runs on: a tick count for the
// seed, and the console pause at the end of a run.
#ifndef MAZE_APP_PLATFORM_H_
#define MAZE_APP_PLATFORM_H_

#include <cstdint>

// Milliseconds from a clock that moves on from run to run, as a 32-bit
// unsigned value: GetTickCount on Windows, a monotonic clock elsewhere.
std::uint32_t tick_count();

// Flushes standard output, prints the prompt and waits for one key. On a
// terminal it ignores keys typed before the prompt and never leaves the
// terminal without echo, even when interrupted. Elsewhere it reads one
// character from standard input and returns at once at end of input.
void console_pause();

#endif  // MAZE_APP_PLATFORM_H_
