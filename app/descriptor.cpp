#include "app/descriptor.h"

#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

namespace {

// The C runtime counts in unsigned ints; a piece of at most 64 KiB fits.
unsigned piece_of(std::size_t size) {
  return size > 65536 ? 65536u : static_cast<unsigned>(size);
}

}  // namespace

// The C runtime turns "\r\n" into "\n" and back on a descriptor in text
// mode, as a console program's standard streams are. The system's error
// code is cleared first, so that a failure the runtime finds by itself (a
// closed descriptor) is not blamed on an older one.
long read_some(int fd, char* data, std::size_t size) {
  SetLastError(0);
  return _read(fd, data, piece_of(size));
}

long write_some(int fd, const char* data, std::size_t size) {
  SetLastError(0);
  return _write(fd, data, piece_of(size));
}

std::string failure_reason() {
  const int error = errno;
  const DWORD code = GetLastError();
  char text[512];
  DWORD length =
      code == 0 ? 0
                : FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, text, sizeof(text), nullptr);
  // "The pipe is being closed.\r\n" ends a line of ours without its stop.
  while (length > 0 && std::strchr(" .\r\n", text[length - 1]) != nullptr) {
    --length;
  }
  return length > 0 ? std::string(text, length) : std::strerror(error);
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

std::string failure_reason() { return std::strerror(errno); }
#endif
