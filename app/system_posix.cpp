#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/place.h"
#include "app/streams.h"

namespace fs = std::filesystem;

namespace {

// Whether a read or write that could not be made yet, as errno says, may be
// tried again once `fd` is ready for `events`; waits until then.
bool ready_again(int fd, short events) {
  if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return false;
  pollfd ready{fd, events, 0};
  return poll(&ready, 1, -1) >= 0 || errno == EINTR;
}

}  // namespace

long read_some(int fd, char* data, std::size_t size) {
  ssize_t done = 0;
  while ((done = read(fd, data, size)) < 0 && ready_again(fd, POLLIN)) {
  }
  return static_cast<long>(done);
}

long write_some(int fd, const char* data, std::size_t size) {
  ssize_t done = 0;
  while ((done = write(fd, data, size)) < 0 && ready_again(fd, POLLOUT)) {
  }
  return static_cast<long>(done);
}

std::string failure_reason() { return std::strerror(errno); }

fs::path own_file() {
  std::error_code error;  // and then an empty path
  return fs::read_symlink("/proc/self/exe", error);
}

bool working_folder_takes_files() {
  struct stat folder {};
  return stat(".", &folder) == 0 && folder.st_nlink > 0 &&
         access(".", W_OK) == 0;
}

// The characters no shell treats specially.
constexpr char kBare[] =
    "/._+-,:@%=0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The path as a shell reads it back exactly, in printable ASCII alone, so
// that it shows and pastes the same on any terminal: bare where no shell
// treats any of its characters specially; in single quotes where all are
// printable ASCII; and otherwise as $'...', which bash, zsh and ksh read,
// with every other byte an octal escape, and so too the quote, the
// backslash and '!' (which bash's history would take).
std::string copy_command(const fs::path& example) {
  const std::string path = example.string();
  const auto printable = [](char ch) { return ch >= ' ' && ch <= '~'; };
  std::string word;
  if (!std::all_of(path.begin(), path.end(), printable)) {
    for (const char ch : path) {
      char octal[8] = {ch};
      if (!printable(ch) || std::strchr("'\\!", ch) != nullptr)
        std::snprintf(octal, sizeof(octal), "\\%03o",
                      static_cast<unsigned char>(ch));
      word += octal;
    }
    return "cp $'" + word + "' maze.txt";
  }
  if (!path.empty() && path.find_first_not_of(kBare) == std::string::npos) {
    return "cp " + path + " maze.txt";
  }
  for (const char ch : path) word += ch == '\'' ? "'\\''" : std::string(1, ch);
  return "cp '" + word + "' maze.txt";
}
