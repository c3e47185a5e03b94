// Preloaded into the program by tests/pause_test.py, so that this system
// answers as others may where POSIX leaves the choice, and the terminal is
// slow:
// - a read of zero bytes returns 0 at once, before it reaches the terminal,
//   as FreeBSD's does;
// - SIGUSR2 raised with its default action does nothing, as a signal whose
//   default is to ignore (SIGINFO on the BSDs);
// - every change of the terminal's settings waits 200 ms first, so that a
//   prompt shown before the terminal takes one key stays that long.
#undef _FORTIFY_SOURCE  // which would define read() itself
#include <dlfcn.h>
#include <signal.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

template <typename Function>
Function* next(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

// Found as the library loads, not in a signal handler.
auto* const real_read = next<ssize_t(int, void*, size_t)>("read");
auto* const real_raise = next<int(int)>("raise");
auto* const real_tcsetattr = next<int(int, int, const termios*)>("tcsetattr");

}  // namespace

extern "C" ssize_t read(int fd, void* data, size_t size) {
  return size == 0 ? 0 : real_read(fd, data, size);
}

extern "C" int raise(int sig) noexcept {
  struct sigaction now;
  if (sig == SIGUSR2 && sigaction(sig, nullptr, &now) == 0 &&
      now.sa_handler == SIG_DFL) {
    return 0;
  }
  return real_raise(sig);
}

extern "C" int tcsetattr(int fd, int when, const termios* mode) noexcept {
  const timespec wait = {0, 200000000};
  nanosleep(&wait, nullptr);
  return real_tcsetattr(fd, when, mode);
}
