#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <istream>
#include <ostream>

#include "app/descriptor.h"
#include "app/pause.h"

namespace {

// The prompt on a fresh line, as it is shown again after a stop.
constexpr char kPromptAgain[] = "\nPress any key to continue . . . ";
static_assert(sizeof(kPromptAgain) == sizeof(kPausePrompt) + 1, "one prompt");

// The rest of a key of several bytes (an arrow, a letter beyond ASCII)
// comes right behind its first byte, and a paste as fast as the terminal
// passes it on: the key is over once nothing more has come for this long,
// or this long after its first byte.
constexpr int kQuietGapMs = 50;
constexpr int kLongestKeyMs = 1000;
// While it waits for a key, the pause looks this often whether the terminal
// is still its own: a program that started it may have ended meanwhile.
constexpr int kLookAgainMs = 250;

// What the handlers share with the pause. The handlers read the modes only
// while the record is on, and the pause sets them before it turns it on.
termios saved_mode;       // the terminal as the user had it
termios key_mode;         // one key at a time, without echo
bool prompt_to_terminal;  // standard output is a terminal
sigset_t caught_set;      // the signals the pause handles
sigset_t mask_before;     // the signals the caller blocked
bool caught[NSIG];
struct sigaction previous[NSIG];  // what each signal did before the pause

// The record: whether the pause has put the terminal in one-key mode and
// not yet back. It changes only together with the terminal, with every
// caught signal blocked. A stop gives the user's settings back for the time
// the program is stopped but keeps the record, which says what to put back
// when it goes on.
volatile sig_atomic_t key_mode_on = 0;
// Set while a handler lets its signal stop the program.
volatile sig_atomic_t stopping = 0;
// Set by every continue.
volatile sig_atomic_t continued = 0;

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

// Every handler runs with every other signal blocked but SIGCONT, so that
// the continue's handler runs as soon as a stop inside a handler ends.
void set_action(int sig, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigfillset(&action.sa_mask);
  sigdelset(&action.sa_mask, SIGCONT);
  sigaction(sig, &action, nullptr);
}

// Lets `sig` do what it does by default, now. Returns if that stopped the
// program, once it is continued, or if that is to do nothing.
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

// Every caught signal but SIGCONT: gives the user's settings back and lets
// the signal do what it does by default. If the program is still here, the
// signal stopped it and it has been continued, and the continue's handler
// has taken the terminal again; or it did nothing (the default of SIGINFO
// on the BSDs, or a stop the system drops), and the wait goes on as it was.
void hand_over(int sig) {
  const int interrupted_errno = errno;
  const bool had_it = pause_has_the_terminal();
  if (had_it) set_terminal(saved_mode, TCSANOW);
  continued = 0;
  stopping = 1;
  raise_by_default(sig);
  stopping = 0;
  set_action(sig, hand_over);
  if (continued == 0 && had_it && pause_has_the_terminal()) {
    set_terminal(key_mode, TCSANOW);
  }
  errno = interrupted_errno;
}

// After a stop the shell has had the terminal, has likely set it back to
// line mode, and has written over the prompt. A continue that follows no
// stop (kill -CONT) changes nothing; a stop that no handler saw (SIGSTOP)
// shows in the terminal's settings, when the shell changed them.
void resume_at_the_prompt(int) {
  const int interrupted_errno = errno;
  continued = 1;
  if (pause_has_the_terminal()) {
    termios now;
    const bool after_a_stop = stopping != 0 ||
                              tcgetattr(STDIN_FILENO, &now) != 0 ||
                              (now.c_lflag & (ICANON | ECHO)) != 0;
    set_terminal(key_mode, TCSANOW);
    if (after_a_stop && prompt_to_terminal) {
      const ssize_t ignored =
          write(STDOUT_FILENO, kPromptAgain, sizeof(kPromptAgain) - 1);
      static_cast<void>(ignored);  // the prompt was shown once already
    }
  }
  errno = interrupted_errno;
}

// Signals that by default neither end nor stop a program, on every system
// that has them, and the two that cannot be caught: nothing to hand back.
bool left_alone(int sig) {
  switch (sig) {
    case SIGKILL:
    case SIGSTOP:
    case SIGCHLD:
    case SIGURG:
#ifdef SIGWINCH
    case SIGWINCH:
#endif
      return true;
    default:
      return false;
  }
}

// A signal the caller ignored stays ignored, but for SIGCONT: it continues
// the program whatever is done with it, and the pause only notices it, so
// it is caught, and let through, even where the caller ignored or blocked
// it. Those the C library keeps for itself cannot be asked about.
void catch_signals() {
  sigemptyset(&caught_set);
  for (int sig = 1; sig < NSIG; ++sig) {
    caught[sig] = !left_alone(sig) &&
                  sigaction(sig, nullptr, &previous[sig]) == 0 &&
                  (previous[sig].sa_handler != SIG_IGN || sig == SIGCONT);
    if (!caught[sig]) continue;
    set_action(sig, sig == SIGCONT ? resume_at_the_prompt : hand_over);
    sigaddset(&caught_set, sig);
  }
  sigset_t just_continue;
  sigemptyset(&just_continue);
  sigaddset(&just_continue, SIGCONT);
  sigprocmask(SIG_UNBLOCK, &just_continue, &mask_before);
}

void release_signals() {
  sigprocmask(SIG_SETMASK, &mask_before, nullptr);
  for (int sig = 1; sig < NSIG; ++sig) {
    if (caught[sig]) sigaction(sig, &previous[sig], nullptr);
  }
}

// In the background on its controlling terminal, the program waits as a
// shell waits for its terminal: it stops its process group, as the
// terminal stops a background reader, and looks again once continued.
// Returns false when it cannot wait so: SIGTTIN ignored or blocked by the
// caller, or no shell left to continue the group (it is orphaned), as the
// system then drops the stop.
bool wait_for_the_foreground() {
  while (!terminal_is_ours()) {
    if (!caught[SIGTTIN] || sigismember(&mask_before, SIGTTIN) == 1) {
      return false;
    }
    set_action(SIGTTIN, SIG_DFL);
    continued = 0;
    kill(0, SIGTTIN);
    set_action(SIGTTIN, hand_over);
    if (continued == 0) return false;
  }
  return true;
}

// Switches the terminal to `mode` and the record to `on` together, with
// every caught signal blocked, so that no handler sees the one without the
// other. The terminal is switched only while it is ours, whatever SIGTTOU
// does; the record goes off in any case. TCSAFLUSH drops what was typed
// and not read yet. Returns whether the terminal was switched.
bool switch_mode(const termios& mode, sig_atomic_t on) {
  sigset_t before;
  sigprocmask(SIG_BLOCK, &caught_set, &before);
  const bool switched = terminal_is_ours() && set_terminal(mode, TCSAFLUSH);
  if (switched || on == 0) key_mode_on = on;
  sigprocmask(SIG_SETMASK, &before, nullptr);
  return switched;
}

// Switches as switch_mode does, waiting for the foreground whenever the
// program is found in the background (sent there by Ctrl-Z and bg, say),
// until the terminal is switched, refuses, or is never ours again.
void switch_in_the_foreground(const termios& mode, sig_atomic_t on) {
  while (!switch_mode(mode, on) && !terminal_is_ours() &&
         wait_for_the_foreground()) {
  }
}

// Once the program is in the foreground, keeps the user's settings and
// puts the terminal in one-key mode. Keys typed during the run were not
// meant for the prompt, and are dropped.
void take_the_terminal() {
  if (!wait_for_the_foreground() || tcgetattr(STDIN_FILENO, &saved_mode) != 0) {
    return;
  }
  key_mode = saved_mode;
  key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  key_mode.c_cc[VMIN] = 1;
  key_mode.c_cc[VTIME] = 0;
  switch_in_the_foreground(key_mode, 1);
}

// Puts the user's settings back, and drops whatever came after the key.
void give_the_terminal_back() {
  if (key_mode_on != 0) switch_in_the_foreground(saved_mode, 0);
}

// Waits until there is input while the terminal is the program's. A read
// that has begun goes on after the program's process group loses the
// terminal, as the system looks at job control only when a read starts: so
// the pause reads only once there is input, and looks again now and then
// whether it lost the terminal meanwhile. Returns false, having read
// nothing, when the terminal can never be the program's again.
bool wait_for_a_key() {
  for (;;) {
    if (!terminal_is_ours() && !wait_for_the_foreground()) return false;
    if (wait_for_input(STDIN_FILENO, kLookAgainMs)) return true;
  }
}

// Reads one key, all of it: the first byte, and what comes right behind.
void read_key() {
  char bytes[4096];
  if (!wait_for_a_key() || read_some(STDIN_FILENO, bytes, sizeof(bytes)) <= 0)
    return;
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

}  // namespace

void console_pause(std::istream& in, std::ostream& out) {
  // All the run printed is on the screen before the prompt, and the
  // terminal takes one key before the prompt shows: a key pressed as soon
  // as it is seen counts.
  if (!out.flush()) return;
  const bool terminal = isatty(STDIN_FILENO) == 1;
  if (terminal) {
    prompt_to_terminal = isatty(STDOUT_FILENO) == 1;
    catch_signals();
    take_the_terminal();
  }
  const bool shown = static_cast<bool>(out << kPausePrompt << std::flush);
  if (shown && terminal) {
    read_key();
  } else if (shown) {
    in.clear();
    in.get();
  }
  if (terminal) {
    give_the_terminal_back();
    release_signals();
  }
  if (shown) out << "\n" << std::flush;
}
