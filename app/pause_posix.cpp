#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "app/descriptor.h"
#include "app/pause.h"

namespace {

// The prompt, and on a fresh line when it is shown again.
constexpr char kPromptAgain[] = "\nPress any key to continue . . . ";
constexpr const char* kPrompt = kPromptAgain + 1;

// The rest of a key of several bytes (an arrow, a letter beyond ASCII)
// comes right behind its first byte, and a paste as fast as the terminal
// passes it on: the key is over once nothing more has come for this long,
// or this long after its first byte.
constexpr int kQuietGapMs = 50;
constexpr int kLongestKeyMs = 1000;

// What the handlers share with the pause. All but the record are set
// before the handlers are installed.
termios saved_mode;       // the terminal as the user had it
termios key_mode;         // one key at a time, without echo
bool prompt_to_terminal;  // standard output is a terminal
sigset_t caught_set;      // the signals the pause handles
bool caught[NSIG];
struct sigaction previous[NSIG];  // what each signal did before the pause

// The record: whether the pause has put the terminal in one-key mode and
// not yet back. It changes only together with the terminal, with the
// caught signals blocked. A stop gives the user's settings back for the
// time the program is stopped but keeps the record, which says what to put
// back when it goes on.
volatile sig_atomic_t key_mode_on = 0;

// On its controlling terminal, a program in the background must leave the
// terminal to the foreground job (the shell, say). A terminal that is not
// its controlling one has no foreground, and is the program's to set.
bool terminal_is_ours() {
  const pid_t foreground = tcgetpgrp(STDIN_FILENO);
  return foreground == -1 || foreground == getpgrp();
}

// Whether a handler is to set the terminal: only while the record says the
// pause has it in one-key mode, and only when it is the program's to set.
bool pause_has_the_terminal() { return key_mode_on != 0 && terminal_is_ours(); }

bool set_terminal(const termios& mode, int when) {
  int result = 0;
  while ((result = tcsetattr(STDIN_FILENO, when, &mode)) != 0 &&
         errno == EINTR) {
  }
  return result == 0;
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

// The handlers call only what is safe in a handler, and leave errno as
// they found it for the code they interrupted.

void restore_terminal_then_end(int sig) {
  if (pause_has_the_terminal()) set_terminal(saved_mode, TCSANOW);
  raise_by_default(sig);
}

void restore_terminal_then_stop(int sig) {
  const int interrupted_errno = errno;
  if (pause_has_the_terminal()) set_terminal(saved_mode, TCSANOW);
  raise_by_default(sig);
  // Continued, or never stopped: the system ignores a stop in a group that
  // no shell could continue.
  set_action(sig, restore_terminal_then_stop);
  if (pause_has_the_terminal()) set_terminal(key_mode, TCSANOW);
  errno = interrupted_errno;
}

// However the program was stopped, the shell has had the terminal since,
// has likely set it back to line mode, and has written over the prompt.
void resume_at_the_prompt(int) {
  const int interrupted_errno = errno;
  if (pause_has_the_terminal()) {
    set_terminal(key_mode, TCSANOW);
    if (prompt_to_terminal) {
      const ssize_t ignored =
          write(STDOUT_FILENO, kPromptAgain, sizeof(kPromptAgain) - 1);
      static_cast<void>(ignored);  // the prompt was shown once already
    }
  }
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
  sigemptyset(&caught_set);
  for (int sig = 1; sig < NSIG; ++sig) {
    caught[sig] = false;
    void (*handler)(int) = nullptr;
    if (ends_the_process(sig)) handler = restore_terminal_then_end;
    if (sig == SIGTSTP || sig == SIGTTIN || sig == SIGTTOU) {
      handler = restore_terminal_then_stop;
    }
    if (sig == SIGCONT) handler = resume_at_the_prompt;
    // A signal the caller ignored stays ignored; those the C library keeps
    // for itself cannot be asked about.
    if (handler == nullptr || sigaction(sig, nullptr, &previous[sig]) != 0 ||
        previous[sig].sa_handler == SIG_IGN) {
      continue;
    }
    set_action(sig, handler);
    caught[sig] = true;
    sigaddset(&caught_set, sig);
  }
}

void release_signals() {
  for (int sig = 1; sig < NSIG; ++sig) {
    if (caught[sig]) sigaction(sig, &previous[sig], nullptr);
  }
}

// Switches the terminal to `mode` and the record to `on` together: no
// handler sees the one without the other. TCSAFLUSH drops what was typed
// and not read yet. SIGTTOU is left to come: a job in the background is
// stopped by it until it is in the foreground again, and then the switch
// is made.
void switch_mode(const termios& mode, sig_atomic_t on) {
  sigset_t blocked = caught_set;
  sigdelset(&blocked, SIGTTOU);
  sigset_t before;
  sigprocmask(SIG_BLOCK, &blocked, &before);
  if (set_terminal(mode, TCSAFLUSH) || on == 0) key_mode_on = on;
  sigprocmask(SIG_SETMASK, &before, nullptr);
}

// Reads one key, all of it: the first byte, and what comes right behind.
void read_key() {
  char bytes[4096];
  if (read_some(STDIN_FILENO, bytes, sizeof(bytes)) <= 0) return;
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end =
      Clock::now() + std::chrono::milliseconds(kLongestKeyMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          end - Clock::now())
                          .count();
    const int gap = static_cast<int>(std::min<long long>(left, kQuietGapMs));
    if (gap <= 0 || !wait_for_input(STDIN_FILENO, gap)) return;
    if (read_some(STDIN_FILENO, bytes, sizeof(bytes)) <= 0) return;
  }
}

void wait_for_key_on_terminal() {
  key_mode = saved_mode;
  key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  key_mode.c_cc[VMIN] = 1;
  key_mode.c_cc[VTIME] = 0;
  prompt_to_terminal = isatty(STDOUT_FILENO) == 1;
  catch_signals();
  // Keys typed during the run were not meant for the prompt, and are
  // dropped; so is whatever comes after the key.
  switch_mode(key_mode, 1);
  read_key();
  if (key_mode_on != 0) switch_mode(saved_mode, 0);
  release_signals();
}

}  // namespace

bool console_pause(std::istream& in, std::ostream& out) {
  if (!(out << kPrompt << std::flush)) return false;
  if (isatty(STDIN_FILENO) == 1 && tcgetattr(STDIN_FILENO, &saved_mode) == 0) {
    wait_for_key_on_terminal();
  } else {
    in.clear();
    in.get();
  }
  return static_cast<bool>(out << "\n" << std::flush);
}
