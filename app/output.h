// Standard output as the program writes it: in large pieces, straight to
// the file descriptor, remembering why a write failed.
#ifndef MAZE_APP_OUTPUT_H_
#define MAZE_APP_OUTPUT_H_

#include <cstddef>
#include <streambuf>
#include <string>

// A stream buffer over a file descriptor that is open for writing. A full
// pipe or terminal is waited for, even one left non-blocking; any other
// failed write fails every later write too. Never closes the descriptor.
class FdOutput : public std::streambuf {
 public:
  explicit FdOutput(int fd);
  FdOutput(const FdOutput&) = delete;
  FdOutput& operator=(const FdOutput&) = delete;

  // Why a write failed, as the system says it ("No space left on device"),
  // or "" while none has.
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

#endif  // MAZE_APP_OUTPUT_H_
