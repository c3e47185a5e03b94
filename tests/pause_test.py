#!/usr/bin/env python3
"""The console pause on a real terminal: runs the program on a
pseudo-terminal, answers the menu, and checks that the pause waits for
exactly one key, takes all of that key, leaves the terminal and the signals
as they were, and returns at once at end of input when not on a terminal.

    pause_test.py MAZE_BINARY
"""
import fcntl
import os
import select
import signal
import subprocess
import sys
import tempfile
import termios
import time

PROMPT = b"Press any key to continue . . . "
binary = os.path.abspath(sys.argv[1])
failures = []
checks = 0


def check(holds, what):
    global checks
    checks += 1
    if not holds:
        failures.append(what)
        print("FAILED:", what)


def read_until(fd, marker, seconds):
    """Reads from fd until marker has been seen or time is up."""
    text = b""
    end = time.monotonic() + seconds
    while marker not in text and time.monotonic() < end:
        ready, _, _ = select.select([fd], [], [], 0.05)
        if ready:
            try:
                chunk = os.read(fd, 65536)
            except OSError:
                break
            if not chunk:
                break
            text += chunk
    return text


class Run:
    """The program on a terminal of its own, stopped at the pause. The test
    keeps the terminal's other end and a descriptor of the terminal itself,
    so that it can look at the terminal after the program has gone."""

    def __init__(self, folder, ignore=(), nonblocking=False):
        self.master, self.tty = os.openpty()

        def become_session_leader():
            os.setsid()
            fcntl.ioctl(0, termios.TIOCSCTTY, 0)
            for sig in ignore:
                signal.signal(sig, signal.SIG_IGN)

        self.child = subprocess.Popen(
            [binary], stdin=self.tty, stdout=self.tty, stderr=self.tty,
            cwd=folder, preexec_fn=become_session_leader)
        menu = read_until(self.master, b"(2)Test", 10)
        check(b"(2)Test" in menu, "the menu appears")
        self.before = termios.tcgetattr(self.tty)
        if nonblocking:
            flags = fcntl.fcntl(self.tty, fcntl.F_GETFL)
            fcntl.fcntl(self.tty, fcntl.F_SETFL, flags | os.O_NONBLOCK)
        os.write(self.master, b"1\r")
        output = read_until(self.master, PROMPT, 30)
        check(output.endswith(PROMPT), "the prompt comes after the whole run")

    def still_waiting(self, seconds=0.5):
        late = read_until(self.master, b"\n", seconds)
        return self.child.poll() is None and late == b""

    def wait(self, seconds=5):
        """The exit status (negative: the signal), or None if the program
        is still running after `seconds`; it is then killed."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.child.poll() is not None:
                return self.child.returncode
            read_until(self.master, b"\0never", 0.05)
        self.child.kill()
        self.child.wait()
        return None

    def as_before(self):
        return termios.tcgetattr(self.tty) == self.before

    def left_input(self):
        """What is left to read in the terminal's input."""
        mode = termios.tcgetattr(self.tty)
        mode[3] &= ~termios.ICANON
        mode[6][termios.VMIN] = 0
        mode[6][termios.VTIME] = 0
        termios.tcsetattr(self.tty, termios.TCSANOW, mode)
        return os.read(self.tty, 1024)

    def close(self):
        os.close(self.master)
        os.close(self.tty)

    def one_key_ends_it(self, after):
        """Checks that the pause still waits, that one key without Enter
        ends it with status 0, and that the terminal is then as it was."""
        check(self.still_waiting(), after + ", the pause still waits")
        os.write(self.master, b"k")
        check(self.wait() == 0, after + ", one key without Enter ends it")
        check(self.as_before(), after + ", the terminal is as it was")
        self.close()


def test_one_key(folder):
    Run(folder).one_key_ends_it("half a second after the prompt")


def test_ctrl_c(folder):
    run = Run(folder)
    time.sleep(0.2)
    os.write(run.master, b"\x03")
    check(run.wait() == -signal.SIGINT, "Ctrl-C during the pause ends it")
    check(run.as_before(), "the terminal is as it was after Ctrl-C")
    run.close()


def test_ignored_signals_stay_ignored(folder):
    run = Run(folder, ignore=(signal.SIGINT, signal.SIGHUP))
    time.sleep(0.2)
    os.write(run.master, b"\x03")
    run.child.send_signal(signal.SIGHUP)
    run.one_key_ends_it("after an ignored SIGINT and SIGHUP")


def test_other_fatal_signal(folder):
    for sig in (signal.SIGUSR1, signal.SIGALRM):
        run = Run(folder)
        time.sleep(0.2)
        run.child.send_signal(sig)
        check(run.wait() == -sig, "%s ends the pause" % sig.name)
        check(run.as_before(), "the terminal is as it was after " + sig.name)
        run.close()


def test_keys_of_several_bytes(folder):
    for name, key in (("the Up arrow", b"\x1b[A"), ("e acute", "é".encode())):
        run = Run(folder)
        time.sleep(0.2)
        os.write(run.master, key)
        check(run.wait() == 0, name + " ends the pause")
        check(run.left_input() == b"", name + " leaves nothing behind")
        run.close()


def test_stop_and_continue(folder):
    run = Run(folder)
    time.sleep(0.2)
    run.child.send_signal(signal.SIGSTOP)
    os.waitpid(run.child.pid, os.WUNTRACED)
    # What a shell does while the program is stopped.
    termios.tcsetattr(run.tty, termios.TCSANOW, run.before)
    run.child.send_signal(signal.SIGCONT)
    run.one_key_ends_it("after a stop and a continue")


def test_nonblocking_terminal(folder):
    Run(folder, nonblocking=True).one_key_ends_it("on a non-blocking terminal")


def test_end_of_input(folder):
    started = time.monotonic()
    try:
        run = subprocess.run([binary], stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, cwd=folder, timeout=20)
    except subprocess.TimeoutExpired:
        check(False, "at end of input the pause returns at once")
        return
    check(time.monotonic() - started < 10 and run.returncode == 0 and
          run.stdout.endswith(PROMPT + b"\n"),
          "at end of input the pause returns at once")


with tempfile.TemporaryDirectory() as folder:
    test_one_key(folder)
    test_ctrl_c(folder)
    test_ignored_signals_stay_ignored(folder)
    test_other_fatal_signal(folder)
    test_keys_of_several_bytes(folder)
    test_stop_and_continue(folder)
    test_nonblocking_terminal(folder)
    test_end_of_input(folder)

print("pause: %d passed, %d failed" % (checks - len(failures), len(failures)))
sys.exit(1 if failures else 0)
