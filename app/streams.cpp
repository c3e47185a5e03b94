#include "app/streams.h"

#include <cstddef>
#include <iterator>
#include <string>

FdStream::int_type FdStream::underflow() {
  const long got = read_some(fd_, buffer_, sizeof(buffer_));
  if (got <= 0) return traits_type::eof();
  setg(buffer_, buffer_, buffer_ + got);
  return traits_type::to_int_type(*gptr());
}

FdStream::int_type FdStream::overflow(int_type ch) {
  if (sync() != 0) return traits_type::eof();
  if (traits_type::eq_int_type(ch, traits_type::eof()))
    return traits_type::not_eof(ch);
  return sputc(traits_type::to_char_type(ch));
}

int FdStream::sync() {
  char* data = pbase();
  char* const end = pptr();
  // Handed on once, whatever happens: after a failure, what is left could
  // never be written in order anyway.
  setp(buffer_, std::end(buffer_));
  for (long written = 0; data < end; data += written) {
    written = write_some(fd_, data, static_cast<std::size_t>(end - data));
    if (written <= 0) {
      error_ = failure_reason();
      return -1;
    }
  }
  return 0;
}
