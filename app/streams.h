// The program's standard input and output, as stream buffers over their
// file descriptors. app/streams.cpp holds the buffer; app/system_posix.cpp
// and app/system_windows.cpp each system's reads and writes.
#ifndef MAZE_APP_STREAMS_H_
#define MAZE_APP_STREAMS_H_

#include <cstddef>
#include <iterator>
#include <streambuf>
#include <string>

// A stream buffer over a file descriptor, for reading or for writing, not
// both. A failed read ends the input. What is written goes out in pieces of
// 16 KiB (a frame is 930 bytes) or at a flush; a failed write fails the
// stream. Never closes the descriptor or changes its flags.
class FdStream : public std::streambuf {
 public:
  explicit FdStream(int fd) : fd_(fd) { setp(buffer_, std::end(buffer_)); }
  FdStream(const FdStream&) = delete;
  FdStream& operator=(const FdStream&) = delete;

  // Why a write failed, as the system says it ("No space left on device"),
  // or "" while none has.
  const std::string& error() const { return error_; }

 protected:
  int_type underflow() override;
  int_type overflow(int_type ch) override;
  int sync() override;

 private:
  const int fd_;
  std::string error_;
  char buffer_[16384];
};

// Reads at most `size` bytes of `fd` into `data`, waiting for the first,
// also where another program left the descriptor non-blocking. Returns how
// many, 0 at the end of input, or -1 when the read failed.
long read_some(int fd, char* data, std::size_t size);

// Writes at most `size` bytes of `data` to `fd`, waiting as read_some does.
// Returns how many, or -1 when the write failed.
long write_some(int fd, const char* data, std::size_t size);

// Why the last read_some or write_some failed, as the system says it.
std::string failure_reason();

#endif  // MAZE_APP_STREAMS_H_
