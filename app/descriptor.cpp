#include "app/descriptor.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>

bool wait_for_input(int, int) { return true; }

namespace {

// The C runtime counts in unsigned ints; a piece of at most 64 KiB fits.
unsigned piece_of(std::size_t size) {
  return size > 65536 ? 65536u : static_cast<unsigned>(size);
}

}  // namespace

// The C runtime turns "\r\n" into "\n" and back on a descriptor in text
// mode, as a console program's standard streams are.
long read_some(int fd, char* data, std::size_t size) {
  return _read(fd, data, piece_of(size));
}

long write_some(int fd, const char* data, std::size_t size) {
  return _write(fd, data, piece_of(size));
}

#else
#include <poll.h>
#include <unistd.h>

namespace {

bool wait_until(int fd, short events, int timeout_ms) {
  pollfd ready{fd, events, 0};
  int found = 0;
  while ((found = poll(&ready, 1, timeout_ms)) < 0) {
    if (errno != EINTR) return false;
  }
  return found > 0;
}

bool not_ready_yet(int error) {
  return error == EAGAIN || error == EWOULDBLOCK;
}

}  // namespace

bool wait_for_input(int fd, int timeout_ms) {
  return wait_until(fd, POLLIN, timeout_ms);
}

long read_some(int fd, char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = read(fd, data, size);
    if (got >= 0) return static_cast<long>(got);
    if (errno == EINTR) continue;
    const int why = errno;
    if (!not_ready_yet(why) || !wait_until(fd, POLLIN, -1)) {
      errno = why;
      return -1;
    }
  }
}

long write_some(int fd, const char* data, std::size_t size) {
  for (;;) {
    const ssize_t written = write(fd, data, size);
    if (written > 0) return static_cast<long>(written);
    if (written < 0 && errno == EINTR) continue;
    const int why = written < 0 ? errno : EIO;
    if (!not_ready_yet(why) || !wait_until(fd, POLLOUT, -1)) {
      errno = why;
      return -1;
    }
  }
}
#endif
