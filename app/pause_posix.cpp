#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>

#include "app/pause.h"

namespace {

// The first byte of a key may be long in coming. The rest of a key of
// several bytes (an arrow, a letter beyond ASCII, a paste) comes as fast as
// the terminal passes it on, so a key is over after this much quiet.
constexpr int kQuietAfterAKeyMs = 50;
// Until the key comes, the pause looks this often whether the terminal is
// still the program's: whatever started the program may have ended.
constexpr int kLookAgainMs = 250;
// A key is read in pieces of this size.
constexpr int kPiece = 4096;

// What the pause shares with its signal handlers.
termios user_mode;  // the terminal as the user had it
termios key_mode;   // one key at a time, without echo
sigset_t caught;    // the signals the pause handles
// Whether the terminal is in key mode; it changes only together with the
// terminal, with the caught signals blocked.
volatile sig_atomic_t key_mode_on = 0;
volatile sig_atomic_t continues = 0;  // how many times SIGCONT came

// A program in the background leaves its controlling terminal to the
// foreground. A terminal that is not its controlling one has no
// foreground (tcgetpgrp fails), and is the program's.
bool terminal_is_ours() {
  const pid_t owner = tcgetpgrp(STDIN_FILENO);
  return owner == -1 || owner == getpgrp();
}

// A handler that runs once, with the signal's default put back and the
// signal let through, so that it can raise the signal to take that default.
const int kOnce = static_cast<int>(SA_RESETHAND | SA_NODEFER);

void handle(int sig, void (*handler)(int), int flags) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = flags;
  sigemptyset(&action.sa_mask);
  sigaction(sig, &action, nullptr);
}

void on_continue(int) { continues = continues + 1; }

// Every caught signal but SIGCONT. It gives the user's mode back and raises
// the signal again, which then does what it does by default (kOnce). If
// the program is still here, either the signal stopped it and it went on
// (the pause then takes the terminal again), or it did nothing, and key
// mode comes back here. As the first process of a PID namespace, the
// system drops every signal left to its default: the program then ends
// itself on any signal but a stop, with 128 plus its number. Calls only
// what is safe in a handler.
void on_signal(int sig) {
  const int interrupted_errno = errno;
  const bool had_it = key_mode_on != 0 && terminal_is_ours();
  if (had_it) tcsetattr(STDIN_FILENO, TCSANOW, &user_mode);
  const sig_atomic_t continues_before = continues;
  raise(sig);
  const bool went_on = continues != continues_before;
  const bool stop = sig == SIGTSTP || sig == SIGTTIN || sig == SIGTTOU;
  if (!went_on && !stop && getpid() == 1) _exit(128 + sig);
  if (!went_on && had_it) tcsetattr(STDIN_FILENO, TCSANOW, &key_mode);
  handle(sig, on_signal, kOnce);  // for the next one
  errno = interrupted_errno;
}

// Catches every signal that the caller neither ignored nor blocked, but
// those that by default do nothing on every system, and those no program
// can catch; and SIGCONT, let through even where the caller ignored or
// blocked it, as it continues the program whatever is done with it.
void catch_signals() {
  sigset_t mask;
  sigprocmask(SIG_SETMASK, nullptr, &mask);
  sigemptyset(&caught);
  for (int sig = 1; sig < NSIG; ++sig) {
    struct sigaction before {};
    if (sig == SIGKILL || sig == SIGSTOP || sig == SIGCHLD || sig == SIGURG ||
        sig == SIGWINCH || sig == SIGCONT || sigismember(&mask, sig) == 1 ||
        sigaction(sig, nullptr, &before) != 0 || before.sa_handler == SIG_IGN)
      continue;
    sigaddset(&caught, sig);
    handle(sig, on_signal, kOnce);
  }
  sigaddset(&caught, SIGCONT);
  handle(SIGCONT, on_continue, 0);
  sigdelset(&mask, SIGCONT);
  sigprocmask(SIG_SETMASK, &mask, nullptr);
}

// In the background, the program waits for the foreground as a shell's job
// does: it stops its process group with SIGTTIN, and looks again once
// continued. Returns false where it cannot wait so: SIGTTIN is not caught
// (the caller ignored or blocked it), or no shell is left to continue the
// group (the system then drops the stop).
bool wait_for_the_foreground() {
  while (!terminal_is_ours()) {
    const sig_atomic_t continues_before = continues;
    if (sigismember(&caught, SIGTTIN) == 1) kill(0, SIGTTIN);
    if (continues == continues_before) return false;
  }
  return true;
}

// Puts the terminal in `mode` once it is the program's, and records whether
// that is key mode, with the caught signals blocked so that no handler sees
// the one without the other. Returns whether it did.
bool switch_terminal(const termios& mode, bool key, int when) {
  if (!wait_for_the_foreground()) return false;
  sigset_t before;
  sigprocmask(SIG_BLOCK, &caught, &before);
  const bool switched =
      terminal_is_ours() && tcsetattr(STDIN_FILENO, when, &mode) == 0;
  if (switched) key_mode_on = key ? 1 : 0;
  sigprocmask(SIG_SETMASK, &before, nullptr);
  return switched;
}

// Once in the foreground, keeps the user's mode and puts the terminal in
// key mode. Keys typed during the run were not meant for the prompt, and
// are dropped; as the prompt is not shown yet, a key pressed as soon as it
// is seen counts.
bool take_the_terminal() {
  if (!wait_for_the_foreground()) return false;
  if (tcgetattr(STDIN_FILENO, &user_mode) != 0) return false;
  key_mode = user_mode;
  key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  // Out of line mode, poll finds input only once VMIN bytes have come, and
  // line mode leaves VMIN as it was, or keeps VEOF in its place.
  key_mode.c_cc[VMIN] = 1;
  return switch_terminal(key_mode, true, TCSAFLUSH);
}

bool in_key_mode() {
  termios now{};
  return tcgetattr(STDIN_FILENO, &now) == 0 && now.c_lflag == key_mode.c_lflag;
}

// Reads what has come, without waiting: another reader may have taken it
// since poll saw it, and the pause must not wait in a read for a key meant
// for someone else. The description is shared with the caller, so it is
// non-blocking for this read alone, with the caught signals blocked until
// its flags are back.
long read_now() {
  char bytes[kPiece];
  sigset_t before;
  sigprocmask(SIG_BLOCK, &caught, &before);
  const int flags = fcntl(STDIN_FILENO, F_GETFL);
  fcntl(STDIN_FILENO, F_SETFL, flags | O_NONBLOCK);
  const long got = static_cast<long>(read(STDIN_FILENO, bytes, sizeof(bytes)));
  fcntl(STDIN_FILENO, F_SETFL, flags);
  sigprocmask(SIG_SETMASK, &before, nullptr);
  return got;
}

// Waits for the first byte of a key while the terminal is the program's,
// and reads it. After a stop, which left the terminal to the shell, takes
// it again, and shows the prompt again, as the shell wrote over it. Returns
// false, having read nothing, where the input ended or the terminal can never
// be the program's again.
bool read_the_first_byte(std::ostream& out, sig_atomic_t continues_seen) {
  for (;;) {
    if (!wait_for_the_foreground()) return false;
    // Counted before the prompt is shown, so that a stop from then on
    // shows it again.
    const sig_atomic_t continues_now = continues;
    if (!in_key_mode()) {
      switch_terminal(key_mode, true, TCSANOW);
      if (continues_now != continues_seen)
        out << '\n' << kPausePrompt << std::flush;
    }
    continues_seen = continues_now;
    pollfd ready{STDIN_FILENO, POLLIN, 0};
    if (poll(&ready, 1, kLookAgainMs) <= 0) continue;  // a look, or a signal
    const long got = read_now();
    if (got > 0) return true;
    if (got == 0 || (ready.revents & (POLLHUP | POLLERR)) != 0) return false;
  }
}

// Reads the rest of a key: whatever comes with no longer quiet between.
void read_the_rest() {
  pollfd ready{STDIN_FILENO, POLLIN, 0};
  while (poll(&ready, 1, kQuietAfterAKeyMs) > 0 && read_now() > 0) {
  }
}

}  // namespace

void console_pause(std::ostream& out) {
  // All the run printed is on the screen before the prompt.
  if (!out.flush()) return;
  // In a PID namespace, a foreground process group outside it reads as 0:
  // the program cannot tell whether a key is meant for it, and in the
  // background it would stop its group for good.
  bool waits = isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1 &&
               tcgetpgrp(STDIN_FILENO) != 0;
  const sig_atomic_t continues_seen = continues;
  if (waits) {
    catch_signals();
    waits = take_the_terminal();
  }
  if (!(out << kPausePrompt << std::flush)) waits = false;
  bool got_a_key = true;
  if (waits) {
    got_a_key = read_the_first_byte(out, continues_seen);
    if (got_a_key) read_the_rest();
  }
  // Given back in the foreground, dropping what came after the key.
  if (key_mode_on != 0) switch_terminal(user_mode, false, TCSAFLUSH);
  if (got_a_key) out << '\n' << std::flush;
}
