// Standard input and output as the program reads and writes them: in large
// pieces, straight from and to the file descriptor, waiting out signals and
// descriptors left non-blocking (see app/descriptor.h).
#ifndef MAZE_APP_FD_STREAMS_H_
#define MAZE_APP_FD_STREAMS_H_

#include <cstddef>
#include <ios>
#include <streambuf>
#include <string>

// A stream buffer over a file descriptor that is open for reading. Input
// that has not arrived yet is waited for; a failed read ends the input.
// Never closes the descriptor or changes its flags.
class FdInput : public std::streambuf {
 public:
  explicit FdInput(int fd);
  FdInput(const FdInput&) = delete;
  FdInput& operator=(const FdInput&) = delete;

 protected:
  int_type underflow() override;

 private:
  static constexpr std::size_t kBufferSize = 4096;
  const int fd_;
  char buffer_[kBufferSize];
};

// A stream buffer over a file descriptor that is open for writing. A full
// pipe or terminal is waited for; any other failed write fails the stream,
// which then writes no more. Never closes the descriptor or changes its
// flags.
class FdOutput : public std::streambuf {
 public:
  explicit FdOutput(int fd);
  FdOutput(const FdOutput&) = delete;
  FdOutput& operator=(const FdOutput&) = delete;

  // Why the last write failed, as the system says it ("No space left on
  // device"), or "" while none has.
  const std::string& error() const { return error_; }

 protected:
  int_type overflow(int_type ch) override;
  std::streamsize xsputn(const char* text, std::streamsize n) override;
  int sync() override;

 private:
  bool drain();
  bool write_all(const char* data, std::size_t size);

  static constexpr std::size_t kBufferSize = 16384;
  const int fd_;
  std::string error_;
  char buffer_[kBufferSize];
};

#endif  // MAZE_APP_FD_STREAMS_H_
