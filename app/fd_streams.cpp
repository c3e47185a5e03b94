#include "app/fd_streams.h"

#include <cstring>
#include <ios>

#include "app/descriptor.h"

FdInput::FdInput(int fd) : fd_(fd) { setg(buffer_, buffer_, buffer_); }

FdInput::int_type FdInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  const long got = read_some(fd_, buffer_, kBufferSize);
  if (got <= 0) return traits_type::eof();
  setg(buffer_, buffer_, buffer_ + got);
  return traits_type::to_int_type(*gptr());
}

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
  while (size > 0) {
    const long written = write_some(fd_, data, size);
    if (written < 0) {
      error_ = failure_reason();
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}
