#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>

#include "app/streams.h"

namespace {

// Waits until `fd` is ready for `events`, after a read or write that could
// not be made yet. Returns false where the wait itself failed.
bool wait_until_ready(int fd, short events) {
  if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return false;
  pollfd ready{fd, events, 0};
  return poll(&ready, 1, -1) >= 0 || errno == EINTR;
}

}  // namespace

long read_some(int fd, char* data, std::size_t size) {
  for (;;) {
    const ssize_t done = read(fd, data, size);
    if (done >= 0) return static_cast<long>(done);
    if (!wait_until_ready(fd, POLLIN)) return -1;
  }
}

long write_some(int fd, const char* data, std::size_t size) {
  for (;;) {
    const ssize_t done = write(fd, data, size);
    if (done >= 0) return static_cast<long>(done);
    if (!wait_until_ready(fd, POLLOUT)) return -1;
  }
}

std::string failure_reason() { return std::strerror(errno); }
