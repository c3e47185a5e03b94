// Reading and writing a file descriptor as the program needs it. A signal
// that interrupts a call is no failure, nor is a descriptor left
// non-blocking by another program that is not ready yet: both are waited
// out, so the caller sees only real failures.
#ifndef MAZE_APP_DESCRIPTOR_H_
#define MAZE_APP_DESCRIPTOR_H_

#include <cstddef>

// Waits until `fd` has input (or its end) to read, or until `timeout_ms`
// milliseconds have passed; -1 waits as long as it takes. Returns true when
// there is input. On Windows it never waits: reads block there anyway.
bool wait_for_input(int fd, int timeout_ms);

// Reads at most `size` bytes, waiting for the first. Returns how many, 0 at
// the end of input, or -1 when the read failed (errno says why).
long read_some(int fd, char* data, std::size_t size);

// Writes at most `size` bytes, at least one, waiting until `fd` takes them.
// Returns how many, or -1 when the write failed (errno says why).
long write_some(int fd, const char* data, std::size_t size);

#endif  // MAZE_APP_DESCRIPTOR_H_
