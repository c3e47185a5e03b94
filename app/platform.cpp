#include "app/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifdef _WIN32
#include <windows.h>

std::uint32_t tick_count() { return GetTickCount(); }

void console_pause() {
  // The interpreter writes its prompt itself, straight to the console.
  std::cout.flush();
  std::fflush(stdout);
  std::system("pause");
}

#else
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

const int kSignals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP};

termios saved_mode;  // the terminal as the user had it
termios key_mode;    // one key at a time, without echo

void restore_and_raise(int sig);

void catch_signals() {
  for (int sig : kSignals) signal(sig, restore_and_raise);
}

void release_signals() {
  for (int sig : kSignals) signal(sig, SIG_DFL);
}

// A signal during the wait: give the terminal back before the signal does
// what it would have done. Only calls that are safe in a handler.
void restore_and_raise(int sig) {
  tcsetattr(STDIN_FILENO, TCSANOW, &saved_mode);
  signal(sig, SIG_DFL);
  sigset_t blocked;
  sigemptyset(&blocked);
  sigaddset(&blocked, sig);
  sigprocmask(SIG_UNBLOCK, &blocked, nullptr);
  raise(sig);
  // Still here: the program was stopped and has been resumed.
  signal(sig, restore_and_raise);
  tcsetattr(STDIN_FILENO, TCSANOW, &key_mode);
}

void wait_for_key_on_terminal() {
  key_mode = saved_mode;
  key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  key_mode.c_cc[VMIN] = 1;
  key_mode.c_cc[VTIME] = 0;
  catch_signals();
  // TCSAFLUSH drops what was typed before the prompt, such as the newline
  // after the menu answer.
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &key_mode);
  char key = 0;
  while (read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
  }
  tcsetattr(STDIN_FILENO, TCSANOW, &saved_mode);
  release_signals();
}

}  // namespace

void console_pause() {
  std::cout << "Press any key to continue . . . " << std::flush;
  std::fflush(stdout);
  if (isatty(STDIN_FILENO) == 1 && tcgetattr(STDIN_FILENO, &saved_mode) == 0) {
    wait_for_key_on_terminal();
  } else {
    std::cin.clear();
    std::cin.get();
  }
  std::cout << "\n" << std::flush;
}
#endif
