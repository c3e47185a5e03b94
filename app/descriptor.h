// Reading and writing a file descriptor as the program needs it. A signal
// that interrupts a call is no failure, nor is a descriptor left
// non-blocking by another program that is not ready yet: both are waited
// out, so the caller sees only real failures.
#ifndef MAZE_APP_DESCRIPTOR_H_
#define MAZE_APP_DESCRIPTOR_H_

#include <cstddef>
#include <string>

#ifndef _WIN32
// Waits until `fd` has input (or its end) to read, or until `timeout_ms`
// milliseconds have passed; -1 waits as long as it takes. Returns true when
// there is input.
bool wait_for_input(int fd, int timeout_ms);
#endif

// Reads at most `size` bytes, waiting for the first. Returns how many, 0 at
// the end of input, or -1 when the read failed.
long read_some(int fd, char* data, std::size_t size);

// Writes at most `size` bytes, at least one, waiting until `fd` takes them.
// Returns how many, or -1 when the write failed.
long write_some(int fd, const char* data, std::size_t size);

// Why the read_some or write_some just made failed, as the system says it
// ("No space left on device"). On Windows the system's own error code says
// it, where the C runtime's errno is often a guess.
std::string failure_reason();

#endif  // MAZE_APP_DESCRIPTOR_H_
