// The clock the random maze is seeded from.
#ifndef MAZE_APP_CLOCK_H_
#define MAZE_APP_CLOCK_H_

#include <cstdint>

// Milliseconds from a clock that moves on from run to run, as a 32-bit
// unsigned value: GetTickCount on Windows, a monotonic clock elsewhere.
std::uint32_t tick_count();

#endif  // MAZE_APP_CLOCK_H_
