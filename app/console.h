// What the program needs of the system it runs on: its standard input and
// output, its own place, and the console pause at the end of a run.
// app/console.cpp holds what every system shares, app/console_posix.cpp
// the rest for POSIX systems, and app/console_windows.cpp for Windows.
#ifndef MAZE_APP_CONSOLE_H_
#define MAZE_APP_CONSOLE_H_

#include <cstddef>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <streambuf>
#include <string>

// The prompt on POSIX systems; on Windows the command interpreter's own.
constexpr char kPausePrompt[] = "Press any key to continue . . . ";

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

// Reads into `data`, or with `writing` writes from it, at most `size` bytes
// of `fd`, waiting for the first, also where another program left the
// descriptor non-blocking. Returns how many, 0 at the end of input, or -1
// when the read or write failed; failure_reason() then says why, as the
// system says it.
long transfer(int fd, char* data, std::size_t size, bool writing);
std::string failure_reason();

// The program's own file, or an empty path when the system does not say.
std::filesystem::path own_file();

// Whether maze.txt could be made in the working folder: it is still there,
// and (on POSIX systems) the user may write in it.
bool working_folder_takes_files();

// The command that copies `example` to maze.txt, one line that pastes back
// exactly: into bash, zsh or ksh, in printable ASCII; into cmd, in the code
// page it shows in. "" where cmd could not be given the path.
std::string copy_command(const std::filesystem::path& example);

// Flushes `out`, which is standard output, and prints the prompt. Waits for
// a key only where a person sees the prompt and the key can be meant for
// nothing else: standard input and output are a terminal, whose owner the
// program can see, and which it can open again by its name to read it
// without waiting. There the key is read without Enter or echo, and whole
// (an arrow, a paste); keys typed before the prompt are dropped; the
// terminal is read and changed only in the foreground (the pause stops its
// process group until then), and left as it was, also when a signal ends or
// stops the program; after a stop the prompt is shown again. Signals the
// caller ignored stay ignored; the others keep handlers that do what the
// signal does by default. Ends the line, but where the terminal was lost to
// another process group for good. Does nothing once `out` has failed. On
// Windows the command interpreter's own pause prompts and waits instead.
void console_pause(std::ostream& out);

#endif  // MAZE_APP_CONSOLE_H_
