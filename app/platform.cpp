#include "app/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifdef _WIN32
#include <windows.h>

std::uint32_t tick_count() { return GetTickCount(); }

bool console_pause(std::ostream& out) {
  if (!out.flush()) return false;
  // The interpreter writes its prompt itself, straight to the console.
  std::fflush(stdout);
  std::system("pause");
  return true;
}

#else
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

std::uint32_t tick_count() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

namespace {

// The rest of a key of several bytes (an arrow, a letter beyond ASCII)
// arrives right behind its first byte, within this many milliseconds.
constexpr int kRestOfKeyMs = 20;

termios saved_mode;  // the terminal as the user had it
termios key_mode;    // one key at a time, without echo

struct sigaction previous[NSIG];  // what each signal did before the pause
bool caught[NSIG];

bool in_foreground() { return tcgetpgrp(STDIN_FILENO) == getpgrp(); }

// Only from the foreground: a program in the background that sets the
// terminal would take it from whoever has it now.
void set_terminal(const termios& mode, int when) {
  if (in_foreground()) tcsetattr(STDIN_FILENO, when, &mode);
}

void set_action(int sig, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigfillset(&action.sa_mask);
  sigaction(sig, &action, nullptr);
}

// Lets `sig` do what it does by default, now. Returns if the program was
// only stopped, once it is continued.
void raise_by_default(int sig) {
  set_action(sig, SIG_DFL);
  sigset_t just_this;
  sigemptyset(&just_this);
  sigaddset(&just_this, sig);
  sigprocmask(SIG_UNBLOCK, &just_this, nullptr);
  raise(sig);
}

// The handlers call only what is safe in a handler.
void give_back_and_end(int sig) {
  set_terminal(saved_mode, TCSANOW);
  raise_by_default(sig);
}

void give_back_and_stop(int sig) {
  const int interrupted_errno = errno;
  set_terminal(saved_mode, TCSANOW);
  raise_by_default(sig);
  // Continued, or never stopped: a program no shell could continue ignores
  // the stop.
  set_action(sig, give_back_and_stop);
  set_terminal(key_mode, TCSANOW);
  errno = interrupted_errno;
}

// However the program was stopped, the shell has had the terminal since and
// may have set it back to line mode.
void take_again(int) {
  const int interrupted_errno = errno;
  set_terminal(key_mode, TCSANOW);
  errno = interrupted_errno;
}

bool ends_the_process(int sig) {
  switch (sig) {
    case SIGKILL:
    case SIGSTOP:  // cannot be caught
    case SIGCHLD:
    case SIGCONT:
    case SIGURG:
    case SIGWINCH:  // ignored by default
    case SIGTSTP:
    case SIGTTIN:
    case SIGTTOU:  // stop the program
      return false;
    default:
      return true;
  }
}

void catch_signals() {
  for (int sig = 1; sig < NSIG; ++sig) {
    caught[sig] = false;
    void (*handler)(int) = nullptr;
    if (ends_the_process(sig)) handler = give_back_and_end;
    if (sig == SIGTSTP) handler = give_back_and_stop;
    if (sig == SIGCONT) handler = take_again;
    // A signal the caller ignored stays ignored; those the C library keeps
    // for itself cannot be asked about.
    if (handler == nullptr || sigaction(sig, nullptr, &previous[sig]) != 0 ||
        previous[sig].sa_handler == SIG_IGN) {
      continue;
    }
    set_action(sig, handler);
    caught[sig] = true;
  }
}

void release_signals() {
  for (int sig = 1; sig < NSIG; ++sig) {
    if (caught[sig]) sigaction(sig, &previous[sig], nullptr);
  }
}

// Waits until standard input has something to read; a terminal left
// non-blocking by another program would otherwise answer at once.
bool wait_for_input(int timeout_ms) {
  pollfd ready{STDIN_FILENO, POLLIN, 0};
  int found = 0;
  while ((found = poll(&ready, 1, timeout_ms)) < 0) {
    if (errno != EINTR) return false;
  }
  return found > 0;
}

void read_key() {
  char key[64];
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, key, sizeof(key));
    if (got >= 0) break;  // a key, or the terminal hung up
    if (errno == EINTR) continue;
    if ((errno != EAGAIN && errno != EWOULDBLOCK) || !wait_for_input(-1)) {
      return;
    }
  }
  for (int more = 0; more < 16 && wait_for_input(kRestOfKeyMs); ++more) {
    if (read(STDIN_FILENO, key, sizeof(key)) <= 0) break;
  }
}

void wait_for_key_on_terminal() {
  key_mode = saved_mode;
  key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  key_mode.c_cc[VMIN] = 1;
  key_mode.c_cc[VTIME] = 0;
  catch_signals();
  // TCSAFLUSH drops what was typed before the prompt, such as the newline
  // after the menu answer, and after the key whatever came with it.
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &key_mode);
  read_key();
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_mode);
  release_signals();
}

}  // namespace

bool console_pause(std::ostream& out) {
  if (!(out << "Press any key to continue . . . " << std::flush)) return false;
  if (isatty(STDIN_FILENO) == 1 && tcgetattr(STDIN_FILENO, &saved_mode) == 0) {
    wait_for_key_on_terminal();
  } else {
    std::cin.clear();
    std::cin.get();
  }
  return static_cast<bool>(out << "\n" << std::flush);
}
#endif
