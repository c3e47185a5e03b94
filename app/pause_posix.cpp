#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
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
// A paste is read in pieces of this size.
constexpr std::size_t kPiece = 4096;

// What the pause shares with its signal handlers. The handlers only count
// and give the user's mode back; the pause reads the counts and does the
// rest.
termios user_mode;  // the terminal as the user had it
termios key_mode;   // one key at a time, without echo
sigset_t caught;    // the signals the pause handles
bool may_stop;      // SIGTTIN can stop the program: caught and not blocked
// Whether the terminal is in key mode. It changes only together with the
// terminal, with the caught signals blocked.
volatile sig_atomic_t key_mode_on = 0;
volatile sig_atomic_t continues = 0;  // every SIGCONT
volatile sig_atomic_t stops = 0;      // every stop by a caught signal

// A program in the background leaves its controlling terminal to the
// foreground. A terminal that is not its controlling one has no
// foreground (tcgetpgrp fails), and is the program's.
bool terminal_is_ours() {
  const pid_t owner = tcgetpgrp(STDIN_FILENO);
  return owner == -1 || owner == getpgrp();
}

// In a PID namespace, a process group outside it reads as 0: the
// terminal's foreground group, or the program's own. Either hides whether
// a key is meant for the program.
bool owner_is_visible() {
  return tcgetpgrp(STDIN_FILENO) != 0 && getpgrp() != 0;
}

bool is_stop(int sig) {
  return sig == SIGTSTP || sig == SIGTTIN || sig == SIGTTOU;
}

void handle(int sig, void (*handler)(int), int flags) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = flags;
  sigemptyset(&action.sa_mask);
  sigaction(sig, &action, nullptr);
}

void on_continue(int) { continues = continues + 1; }

// Every caught signal but SIGCONT. It gives the user's mode back and raises
// the signal again, which then does what it does by default: SA_RESETHAND
// put the default back, and SA_NODEFER lets the signal through. If the
// program is still here, the signal stopped it and it went on (the pause
// then takes the terminal again), or did nothing, and key mode comes back
// here. As the first process of a PID namespace, the system drops every
// signal it leaves to its default: the program then ends itself, with 128
// plus the signal, on any signal but a stop. Calls only what is safe in a
// handler.
void on_signal(int sig) {
  const int interrupted_errno = errno;
  const bool had_it = key_mode_on != 0 && terminal_is_ours();
  if (had_it) tcsetattr(STDIN_FILENO, TCSANOW, &user_mode);
  const sig_atomic_t continues_before = continues;
  raise(sig);
  if (continues != continues_before) {
    stops = stops + 1;
  } else if (getpid() == 1 && !is_stop(sig)) {
    _exit(128 + sig);
  } else if (had_it && terminal_is_ours()) {
    tcsetattr(STDIN_FILENO, TCSANOW, &key_mode);
  }
  handle(sig, on_signal, SA_RESETHAND | SA_NODEFER);  // for the next one
  errno = interrupted_errno;
}

// Catches every signal the caller did not ignore, but those that by
// default do nothing on every system, and those no program can catch.
// SIGCONT is caught and let through even where the caller ignored or
// blocked it: it continues the program whatever is done with it.
void catch_signals() {
  sigset_t blocked;
  sigprocmask(SIG_SETMASK, nullptr, &blocked);
  sigemptyset(&caught);
  for (int sig = 1; sig < NSIG; ++sig) {
    struct sigaction before {};
    if (sig == SIGKILL || sig == SIGSTOP || sig == SIGCHLD || sig == SIGURG ||
        sig == SIGWINCH || sigaction(sig, nullptr, &before) != 0 ||
        (before.sa_handler == SIG_IGN && sig != SIGCONT))
      continue;
    sigaddset(&caught, sig);
    if (sig == SIGCONT) {
      handle(sig, on_continue, 0);
    } else {
      handle(sig, on_signal, SA_RESETHAND | SA_NODEFER);
    }
  }
  may_stop = sigismember(&caught, SIGTTIN) == 1 &&
             sigismember(&blocked, SIGTTIN) == 0;
  sigset_t just_continue;
  sigemptyset(&just_continue);
  sigaddset(&just_continue, SIGCONT);
  sigprocmask(SIG_UNBLOCK, &just_continue, nullptr);
}

// In the background, the program waits for the foreground as a shell's job
// does: it stops its process group with SIGTTIN, and looks again once
// continued. Returns false where it cannot wait so: the caller ignored or
// blocked SIGTTIN, or no shell is left to continue the group (the system
// then drops the stop).
bool wait_for_the_foreground() {
  while (!terminal_is_ours()) {
    if (!may_stop) return false;
    const sig_atomic_t continues_before = continues;
    kill(0, SIGTTIN);
    if (continues == continues_before) return false;
  }
  return true;
}

// Puts the terminal in `mode`, where it is the program's, and records
// whether that is key mode, with the caught signals blocked so that no
// handler sees the one without the other. Returns whether it did.
bool switch_terminal(const termios& mode, bool key, int when) {
  sigset_t before;
  sigprocmask(SIG_BLOCK, &caught, &before);
  const bool switched =
      terminal_is_ours() && tcsetattr(STDIN_FILENO, when, &mode) == 0;
  if (switched) key_mode_on = key ? 1 : 0;
  sigprocmask(SIG_SETMASK, &before, nullptr);
  return switched;
}

// Keeps the user's mode and puts the terminal in key mode, dropping the
// keys typed during the run: they were not meant for the prompt. As the
// prompt is not shown yet, a key pressed as soon as it is seen counts.
bool take_the_terminal() {
  if (tcgetattr(STDIN_FILENO, &user_mode) != 0) return false;
  key_mode = user_mode;
  key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  // Line mode may keep VEOF and VEOL where VMIN and VTIME are. A shell that
  // finds the terminal in key mode, once the pause lost it, reads each key
  // as it comes, not an end of input.
  key_mode.c_cc[VMIN] = 1;
  key_mode.c_cc[VTIME] = 0;
  return switch_terminal(key_mode, true, TCSAFLUSH);
}

// Whether a continue since `continues_seen` followed a stop: one that a
// handler saw, or one that shows in the terminal's mode, which the shell
// changed meanwhile (SIGSTOP, which no handler sees).
bool stopped_since(sig_atomic_t continues_seen, sig_atomic_t stops_seen) {
  if (continues == continues_seen) return false;
  termios now{};
  return stops != stops_seen || tcgetattr(STDIN_FILENO, &now) != 0 ||
         now.c_lflag != key_mode.c_lflag;
}

// Reads what has come, without waiting: another reader may have taken it
// since poll saw it, and the pause must not wait in a read for a key meant
// for someone else. The description is shared with the caller, so it is
// non-blocking for this read alone, with the caught signals blocked until
// its flags are back.
long read_now(char* bytes) {
  sigset_t before;
  sigprocmask(SIG_BLOCK, &caught, &before);
  const int flags = fcntl(STDIN_FILENO, F_GETFL);
  fcntl(STDIN_FILENO, F_SETFL, flags | O_NONBLOCK);
  const long got = static_cast<long>(read(STDIN_FILENO, bytes, kPiece));
  fcntl(STDIN_FILENO, F_SETFL, flags);
  sigprocmask(SIG_SETMASK, &before, nullptr);
  return got;
}

// Waits for the first byte of a key while the terminal is the program's,
// and reads it. After a stop since the counts seen, the shell had the
// terminal and wrote over the prompt: the pause takes the terminal again
// and shows the prompt again. Returns false, having read nothing, where the
// input ended or the terminal can never be the program's again.
bool read_the_first_byte(std::ostream& out, sig_atomic_t continues_seen,
                         sig_atomic_t stops_seen) {
  char bytes[kPiece];
  for (;;) {
    if (!wait_for_the_foreground()) return false;
    if (stopped_since(continues_seen, stops_seen)) {
      switch_terminal(key_mode, true, TCSANOW);
      out << '\n' << kPausePrompt << std::flush;
    }
    continues_seen = continues;
    stops_seen = stops;
    pollfd ready{STDIN_FILENO, POLLIN, 0};
    if (poll(&ready, 1, kLookAgainMs) <= 0) continue;  // a look, or a signal
    const long got = read_now(bytes);
    if (got > 0) return true;
    if (got == 0 || (ready.revents & (POLLHUP | POLLERR)) != 0) return false;
  }
}

// Reads the rest of a key: whatever comes with no longer quiet between.
void read_the_rest() {
  char bytes[kPiece];
  pollfd ready{STDIN_FILENO, POLLIN, 0};
  while (poll(&ready, 1, kQuietAfterAKeyMs) > 0 && read_now(bytes) > 0) {
  }
}

// Gives the user's mode back, in the foreground, dropping what came after
// the key.
void give_the_terminal_back() {
  if (wait_for_the_foreground()) switch_terminal(user_mode, false, TCSAFLUSH);
}

}  // namespace

void console_pause(std::ostream& out) {
  // All the run printed is on the screen before the prompt.
  if (!out.flush()) return;
  bool waits = isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1 &&
               owner_is_visible();
  if (waits) {
    catch_signals();
    waits = wait_for_the_foreground();  // which may stop the program a while
  }
  // A stop from here on may leave the terminal to the shell, and the
  // prompt written over.
  const sig_atomic_t continues_seen = continues;
  const sig_atomic_t stops_seen = stops;
  if (waits) waits = take_the_terminal();
  if (!(out << kPausePrompt << std::flush)) waits = false;
  bool got_a_key = true;
  if (waits) {
    got_a_key = read_the_first_byte(out, continues_seen, stops_seen);
    if (got_a_key) read_the_rest();
  }
  if (key_mode_on != 0) give_the_terminal_back();
  if (got_a_key) out << '\n' << std::flush;
}
