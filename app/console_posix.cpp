#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#include "app/console.h"

namespace fs = std::filesystem;

long transfer(int fd, char* data, std::size_t size, bool writing) {
  for (;;) {
    const ssize_t done = writing ? write(fd, data, size) : read(fd, data, size);
    if (done >= 0) return static_cast<long>(done);
    if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    pollfd ready{fd, static_cast<short>(writing ? POLLOUT : POLLIN), 0};
    if (poll(&ready, 1, -1) < 0 && errno != EINTR) return -1;
  }
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

// The console pause.
namespace {

// The handlers read the terminal's modes only while key_mode_on says that
// the pause has put it in key mode, which it sets only after them.
termios user_mode;  // the terminal as the user had it
termios key_mode;   // one key at a time, without echo
sigset_t caught_set;
volatile sig_atomic_t key_mode_on = 0;
volatile sig_atomic_t continued = 0;  // set by every continue

// A program in the background leaves its controlling terminal to the
// foreground; a terminal that is not its controlling one is its own.
bool terminal_is_ours() {
  const pid_t owner = tcgetpgrp(STDIN_FILENO);
  return owner == -1 || owner == getpgrp();
}

void on_continue(int) { continued = 1; }

// Puts `handler` in place for `sig`. But for SIGCONT's, a handler runs
// once, with the signal's default action put back and the signal let
// through, so that it can take that action from inside. The handlers only
// give the terminal back, never take it, so they may interrupt each other.
void set_action(int sig, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags =
      handler == on_continue ? 0 : static_cast<int>(SA_RESETHAND | SA_NODEFER);
  sigemptyset(&action.sa_mask);
  sigaction(sig, &action, nullptr);
}

// Every caught signal but SIGCONT: it gives the user's settings back and
// does what it does by default. If the program is still here, the signal
// stopped it and it went on (the pause then takes the terminal again), or
// does nothing by default (SIGINFO on the BSDs), or has a default that
// ends programs but that the system ignores in the first process of a PID
// namespace: that one ends it here. Calls only what is safe in a handler.
void on_signal(int sig) {
  const int interrupted_errno = errno;
  if (key_mode_on != 0 && terminal_is_ours())
    tcsetattr(STDIN_FILENO, TCSANOW, &user_mode);
  continued = 0;  // a continue from now on follows this stop
  raise(sig);
  const bool stop = sig == SIGTSTP || sig == SIGTTIN || sig == SIGTTOU;
  if (!stop && getpid() == 1) _exit(128 + sig);
  set_action(sig, on_signal);
  errno = interrupted_errno;
}

// Catches every signal the caller did not ignore, but those that by
// default do nothing on every system, which leave nothing to give back;
// and SIGCONT even so, which continues the program whatever is done with
// it.
void catch_signals() {
  sigemptyset(&caught_set);
  for (int sig = 1; sig < NSIG; ++sig) {
    struct sigaction before {};
    if (sig == SIGCHLD || sig == SIGURG || sig == SIGWINCH ||
        sigaction(sig, nullptr, &before) != 0 ||
        (before.sa_handler == SIG_IGN && sig != SIGCONT))
      continue;
    set_action(sig, sig == SIGCONT ? on_continue : on_signal);
    sigaddset(&caught_set, sig);
  }
  sigset_t just_continue;
  sigemptyset(&just_continue);
  sigaddset(&just_continue, SIGCONT);
  sigprocmask(SIG_UNBLOCK, &just_continue, nullptr);
}

// In the background the program waits as a shell waits for its terminal:
// it stops its process group, as the terminal stops a background reader,
// and looks again once continued. Returns false where it cannot wait so:
// SIGTTIN ignored or blocked by the caller, or no shell left to continue
// the group, as the system then drops the stop.
bool wait_for_the_foreground() {
  while (!terminal_is_ours()) {
    continued = 0;
    if (sigismember(&caught_set, SIGTTIN) == 1) kill(0, SIGTTIN);
    if (continued == 0) return false;
  }
  return true;
}

// Switches the terminal to `mode` and the record to `on` together, with
// every caught signal blocked so that no handler sees the one without the
// other, where the terminal is the program's. The record goes off anyway.
void switch_terminal(const termios& mode, sig_atomic_t on, int when) {
  sigset_t before;
  sigprocmask(SIG_BLOCK, &caught_set, &before);
  const bool switched =
      terminal_is_ours() && tcsetattr(STDIN_FILENO, when, &mode) == 0;
  if (switched || on == 0) key_mode_on = on;
  sigprocmask(SIG_SETMASK, &before, nullptr);
}

// Waits for a key while the terminal is the program's, and reads all of it
// from `input`, a non-blocking description of the terminal: only what is
// there, so that a reader that took the input first cannot leave the pause
// waiting in a read. Where a signal gave the user's settings back, takes
// the terminal again, and shows the prompt again if a stop came first: the
// shell has written over it. Returns false, having read nothing, when the
// input ended or the terminal can never be the program's again.
bool read_key(int input, std::ostream& out) {
  bool got = false;
  for (;;) {
    if (!got) {
      if (!terminal_is_ours() && !wait_for_the_foreground()) return false;
      termios now{};
      if (tcgetattr(STDIN_FILENO, &now) != 0 || (now.c_lflag & ICANON) != 0) {
        switch_terminal(key_mode, 1, TCSANOW);
        if (continued != 0) out << '\n' << kPausePrompt << std::flush;
      }
      continued = 0;
    }
    // The rest of a key of several bytes (an arrow, a letter beyond ASCII,
    // a paste) comes as fast as the terminal passes it on: the key is over
    // once nothing more has come for 50 ms. Until the key comes, the pause
    // looks every 250 ms whether the terminal is still its own: whatever
    // started the program may have ended meanwhile.
    pollfd ready{input, POLLIN, 0};
    const int found = poll(&ready, 1, got ? 50 : 250);
    if (found == 0 && got) return true;
    if (found <= 0) continue;  // time to look again, or a signal came
    char bytes[4096];
    if (read(input, bytes, sizeof(bytes)) > 0) {
      got = true;
    } else if (got || (ready.revents & (POLLHUP | POLLERR)) != 0) {
      return got;  // the key is over, or the input ended
    }              // else a signal came, or another reader took the input first
  }
}

}  // namespace

void console_pause(std::ostream& out) {
  // All the run printed is on the screen before the prompt.
  if (!out.flush()) return;
  // Where the output is not on the terminal, the prompt is unseen; where
  // the input is not, no key comes; and in a PID namespace that hides the
  // terminal's owner the program cannot tell whether a key was meant for
  // it. The key is read through a non-blocking description of the
  // terminal of the pause's own, which leaves the one it shares alone.
  const char* name = isatty(STDOUT_FILENO) == 1 && tcgetpgrp(STDIN_FILENO) != 0
                         ? ttyname(STDIN_FILENO)
                         : nullptr;
  const int input = name == nullptr || getpgrp() == 0
                        ? -1
                        : open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (input >= 0) catch_signals();
  const bool wait = input >= 0 && wait_for_the_foreground() &&
                    tcgetattr(STDIN_FILENO, &user_mode) == 0;
  if (wait) {
    key_mode = user_mode;
    key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    key_mode.c_cc[VMIN] = 1;  // as a shell that finds it may expect
    // Keys typed during the run were not meant for the prompt, and the
    // terminal takes one key before the prompt shows: a key pressed as soon
    // as it is seen counts.
    switch_terminal(key_mode, 1, TCSAFLUSH);
  }
  const bool shown = static_cast<bool>(out << kPausePrompt << std::flush);
  const bool lost = wait && shown && !read_key(input, out);
  // Given back in the foreground, dropping what came after the key.
  if (key_mode_on != 0 && wait_for_the_foreground())
    switch_terminal(user_mode, 0, TCSAFLUSH);
  if (input >= 0) close(input);
  // Once the terminal is lost, nothing more goes to it.
  if (!lost) out << '\n' << std::flush;
}
