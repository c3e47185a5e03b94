#include "app/output.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// The C runtime turns "\n" into "\r\n" on a descriptor in text mode, as a
// console program's standard output is.
long write_some(int fd, const char* data, std::size_t size) {
  const unsigned piece = size > 65536 ? 65536u : static_cast<unsigned>(size);
  return _write(fd, data, piece);
}

bool wait_until_writable(int) { return false; }
#else
long write_some(int fd, const char* data, std::size_t size) {
  return static_cast<long>(write(fd, data, size));
}

// A descriptor left non-blocking answers EAGAIN while the reader is slow:
// that is a wait, not a failure.
bool wait_until_writable(int fd) {
  pollfd ready{fd, POLLOUT, 0};
  while (poll(&ready, 1, -1) < 0) {
    if (errno != EINTR) return false;
  }
  return true;
}
#endif

}  // namespace

FdOutput::FdOutput(int fd) : fd_(fd) { setp(buffer_, buffer_ + kBufferSize); }

FdOutput::int_type FdOutput::overflow(int_type ch) {
  if (!drain()) return traits_type::eof();
  if (traits_type::eq_int_type(ch, traits_type::eof())) {
    return traits_type::not_eof(ch);
  }
  *pptr() = traits_type::to_char_type(ch);
  pbump(1);
  return ch;
}

std::streamsize FdOutput::xsputn(const char* text, std::streamsize n) {
  const auto size = static_cast<std::size_t>(n);
  const auto room = static_cast<std::size_t>(epptr() - pptr());
  if (size <= room) {
    std::memcpy(pptr(), text, size);
    pbump(static_cast<int>(n));
    return n;
  }
  // Fill the buffer first, so that every write but the last is whole.
  std::memcpy(pptr(), text, room);
  pbump(static_cast<int>(room));
  if (!drain()) return 0;
  const std::size_t rest = size - room;
  if (rest >= kBufferSize) return write_all(text + room, rest) ? n : 0;
  std::memcpy(pptr(), text + room, rest);
  pbump(static_cast<int>(rest));
  return n;
}

int FdOutput::sync() { return drain() ? 0 : -1; }

bool FdOutput::drain() {
  const auto size = static_cast<std::size_t>(pptr() - pbase());
  // Whatever happens, the buffer is handed on once: after a failure, what
  // is left of it could never be written in order anyway.
  setp(buffer_, buffer_ + kBufferSize);
  return write_all(buffer_, size);
}

bool FdOutput::write_all(const char* data, std::size_t size) {
  if (!error_.empty()) return false;
  while (size > 0) {
    const long written = write_some(fd_, data, size);
    if (written > 0) {
      data += written;
      size -= static_cast<std::size_t>(written);
      continue;
    }
    const int why = errno;
    if (written < 0 && why == EINTR) continue;
    if (written < 0 && (why == EAGAIN || why == EWOULDBLOCK) &&
        wait_until_writable(fd_)) {
      continue;
    }
    error_ = written < 0 ? std::strerror(why) : "nothing was written";
    return false;
  }
  return true;
}
