#!/usr/bin/env python3
"""The console pause on a real terminal. Runs the program on a
pseudo-terminal as the foreground job of a small job-control shell, answers
the menu, and checks that the pause waits for exactly one key, takes all of
that key (a paste too), leaves the terminal and the signals as they were,
stops and goes on under job control, and waits for input that is slow to
come.

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
JOB_CONTROL = (signal.SIGTTOU, signal.SIGTTIN, signal.SIGTSTP, signal.SIGINT,
               signal.SIGQUIT)
binary = os.path.abspath(sys.argv[1])
failures = []
checks = 0


def check(holds, what):
    global checks
    checks += 1
    if not holds:
        failures.append(what)
        print("FAILED:", what)


def run_shell(tty, folder, ignore, controlling, events, commands):
    """The job-control shell, in a process of its own: it leads a session
    whose controlling terminal is `tty` (unless not `controlling`), runs the
    program as a job in a process group of its own in the foreground, and
    reports on `events` when the job starts, stops and exits. When the job
    stops it takes the terminal back, and gives it again for a line on
    `commands` (fg), as a shell does. Never returns."""
    try:
        os.setsid()
        if controlling:
            fcntl.ioctl(tty, termios.TIOCSCTTY, 0)
        for sig in JOB_CONTROL:
            signal.signal(sig, signal.SIG_IGN)
        job = os.fork()
        if job == 0:
            os.setpgid(0, 0)
            if controlling:
                os.tcsetpgrp(tty, os.getpid())
            for sig in JOB_CONTROL + (signal.SIGPIPE, signal.SIGXFSZ):
                signal.signal(sig, signal.SIG_DFL)
            for sig in ignore:
                signal.signal(sig, signal.SIG_IGN)
            for fd in (0, 1, 2):
                os.dup2(tty, fd)
            os.chdir(folder)
            os.execv(binary, [binary])
        try:
            os.setpgid(job, job)
        except OSError:
            pass  # the job has run exec already, after its own setpgid
        if controlling:
            os.tcsetpgrp(tty, job)
        os.write(events, b"started %d\n" % job)
        while True:
            _, status = os.waitpid(job, os.WUNTRACED)
            if not os.WIFSTOPPED(status):
                code = os.waitstatus_to_exitcode(status)
                os.write(events, b"exited %d\n" % code)
                break
            if controlling:
                os.tcsetpgrp(tty, os.getpgrp())
            os.write(events, b"stopped %d\n" % os.WSTOPSIG(status))
            os.read(commands, 100)
            if controlling:
                os.tcsetpgrp(tty, job)
            os.killpg(job, signal.SIGCONT)
    finally:
        os._exit(0)


class Job:
    """The program on a terminal of its own, stopped at the pause. The test
    keeps the terminal's other end, and a descriptor of the terminal itself
    to look at its settings and at what is left in its input."""

    def __init__(self, folder, ignore=(), controlling=True,
                 nonblocking=False):
        self.master, self.tty = os.openpty()
        self.before = termios.tcgetattr(self.tty)
        if nonblocking:
            flags = fcntl.fcntl(self.tty, fcntl.F_GETFL)
            fcntl.fcntl(self.tty, fcntl.F_SETFL, flags | os.O_NONBLOCK)
        events_r, events_w = os.pipe()
        commands_r, commands_w = os.pipe()
        self.shell = os.fork()
        if self.shell == 0:
            run_shell(self.tty, folder, ignore, controlling, events_w,
                      commands_r)
        os.close(events_w)
        os.close(commands_r)
        self.events, self.commands = events_r, commands_w
        self.output, self.seen, self.lines = b"", 0, b""
        self.status = None
        started = self.event(10)
        self.pid = int(started[1]) if started and started[0] == "started" else 0
        check(self.expect(b"(2)Test\r\n", 10), "the menu appears")
        if nonblocking:
            check(self.quiet(0.5), "on a non-blocking terminal the menu waits")
        os.write(self.master, b"1\r")
        check(self.expect(PROMPT, 30), "the prompt comes after the whole run")
        check(self.in_key_mode(), "at the prompt the terminal takes one key")

    def in_key_mode(self):
        """Whether the terminal is set to take one key without echo within
        a few seconds: the keys typed before were not meant for the pause,
        and are dropped."""
        end = time.monotonic() + 5
        while time.monotonic() < end:
            if not termios.tcgetattr(self.tty)[3] & (termios.ICANON |
                                                       termios.ECHO):
                return True
            time.sleep(0.01)
        return False

    def read_more(self, seconds):
        """Takes what the program writes and what the shell says, for at
        most `seconds`; returns the shell's next line, if any."""
        if b"\n" not in self.lines:
            ready, _, _ = select.select([self.master, self.events], [], [],
                                        seconds)
            for fd in ready:
                try:
                    chunk = os.read(fd, 65536)
                except OSError:
                    chunk = b""
                if fd == self.master:
                    self.output += chunk
                else:
                    self.lines += chunk
        if b"\n" not in self.lines:
            return None
        line, self.lines = self.lines.split(b"\n", 1)
        kind, value = line.decode().split()
        if kind == "exited":
            self.status = int(value)
        return kind, value

    def event(self, seconds):
        """The shell's next report, or None after `seconds`."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            said = self.read_more(end - time.monotonic())
            if said:
                return said
        return None

    def expect(self, marker, seconds):
        """Whether the program writes `marker` within `seconds`."""
        end = time.monotonic() + seconds
        while marker not in self.output[self.seen:]:
            if time.monotonic() >= end or self.read_more(0.05):
                return False
        self.seen = self.output.index(marker, self.seen) + len(marker)
        return True

    def quiet(self, seconds):
        """Whether the program goes on waiting, writing nothing more, for
        `seconds`."""
        end = time.monotonic() + seconds
        while time.monotonic() < end and self.status is None:
            self.read_more(end - time.monotonic())
        return self.status is None and self.output[self.seen:] == b""

    def wait(self, seconds=5):
        """The exit status (negative: the signal), or None if the program
        is still running after `seconds`; it is then killed."""
        end = time.monotonic() + seconds
        while self.status is None and time.monotonic() < end:
            self.read_more(0.05)
        if self.status is None:
            os.kill(self.pid, signal.SIGKILL)
            os.close(self.commands)  # a stopped job is continued, and ends
            self.commands = None
            return None
        return self.status

    def stop_and_fg(self, how):
        """Stops the program at the pause by `how`, checks the terminal
        while it is stopped, and brings it back to the foreground."""
        event = self.event(5)
        check(event is not None and event[0] == "stopped",
              how + " stops the program")
        if event is None or event[0] != "stopped":
            return
        check(self.as_before(), how + ", the terminal is as it was")
        os.write(self.commands, b"fg\n")
        check(self.expect(PROMPT, 5), "after " + how + " and fg, the prompt "
              "is shown again")

    def type(self, keys):
        """Types `keys` in one go, as a paste does."""
        while keys:
            select.select([], [self.master], [], 5)
            keys = keys[os.write(self.master, keys):]

    def as_before(self):
        return termios.tcgetattr(self.tty) == self.before

    def left_input(self):
        """What is left to read in the terminal's input."""
        mode = termios.tcgetattr(self.tty)
        mode[3] &= ~termios.ICANON
        mode[6][termios.VMIN] = 0
        mode[6][termios.VTIME] = 0
        termios.tcsetattr(self.tty, termios.TCSANOW, mode)
        left = b""
        while True:
            try:
                chunk = os.read(self.tty, 65536)
            except BlockingIOError:
                chunk = b""
            if not chunk:
                return left
            left += chunk

    def close(self):
        if self.status is None:
            self.wait(0)
        if self.commands is not None:
            os.close(self.commands)
        os.waitpid(self.shell, 0)
        for fd in (self.master, self.tty, self.events):
            os.close(fd)

    def one_key_ends_it(self, after):
        """Checks that the pause still waits, that one key without Enter
        ends it with status 0, and that the terminal is then as it was."""
        check(self.quiet(0.5), after + ", the pause still waits")
        os.write(self.master, b"k")
        check(self.wait() == 0, after + ", one key without Enter ends it")
        check(self.as_before(), after + ", the terminal is as it was")


def test_one_key(folder):
    job = Job(folder)
    job.one_key_ends_it("half a second after the prompt")
    job.close()


def test_ctrl_c(folder):
    job = Job(folder)
    os.write(job.master, b"\x03")
    check(job.wait() == -signal.SIGINT, "Ctrl-C during the pause ends it")
    check(job.as_before(), "the terminal is as it was after Ctrl-C")
    job.close()


def test_ignored_signals_stay_ignored(folder):
    job = Job(folder, ignore=(signal.SIGINT, signal.SIGHUP))
    os.write(job.master, b"\x03")
    os.kill(job.pid, signal.SIGHUP)
    job.one_key_ends_it("after an ignored SIGINT and SIGHUP")
    job.close()


def test_other_fatal_signals(folder):
    for sig in (signal.SIGUSR1, signal.SIGALRM):
        job = Job(folder)
        os.kill(job.pid, sig)
        check(job.wait() == -sig, "%s ends the pause" % sig.name)
        check(job.as_before(), "the terminal is as it was after " + sig.name)
        job.close()


def test_a_terminal_not_the_controlling_one(folder):
    job = Job(folder, controlling=False)
    os.kill(job.pid, signal.SIGTERM)
    check(job.wait() == -signal.SIGTERM, "SIGTERM ends the pause on a "
          "terminal that is not the controlling one")
    check(job.as_before(), "the terminal that is not the controlling one is "
          "as it was after SIGTERM")
    job.close()


def test_keys_of_several_bytes(folder):
    paste = b"".join(b"pasted line %03d, done\n" % n for n in range(400))
    for name, key in (("the Up arrow", b"\x1b[A"), ("e acute", "é".encode()),
                      ("a paste of %d bytes" % len(paste), paste)):
        job = Job(folder)
        job.type(key)
        check(job.wait() == 0, name + " ends the pause")
        check(job.left_input() == b"", name + " leaves nothing behind")
        job.close()


def test_stops(folder):
    for how, stop in (("Ctrl-Z", lambda job: os.write(job.master, b"\x1a")),
                      ("SIGTTIN", lambda job: os.kill(job.pid,
                                                      signal.SIGTTIN))):
        job = Job(folder)
        stop(job)
        job.stop_and_fg(how)
        job.one_key_ends_it("after " + how + " and fg")
        job.close()


def test_nonblocking_terminal(folder):
    job = Job(folder, nonblocking=True)
    job.one_key_ends_it("on a non-blocking terminal")
    check(fcntl.fcntl(job.tty, fcntl.F_GETFL) & os.O_NONBLOCK,
          "the terminal is left non-blocking")
    job.close()


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


def test_nonblocking_pipe(folder, maze):
    """The answer comes a second late through a pipe left non-blocking: the
    program waits for it and loads the maze, as it does when the answer is
    there at once."""
    with open(os.path.join(folder, "maze.txt"), "wb") as f:
        f.write(maze)
    at_once = subprocess.run([binary], input=b"2\n", stdout=subprocess.PIPE,
                             cwd=folder, timeout=20)
    reader, writer = os.pipe()
    os.set_blocking(reader, False)
    late = subprocess.Popen([binary], stdin=reader, stdout=subprocess.PIPE,
                            cwd=folder)
    os.close(reader)
    time.sleep(1)
    try:
        os.write(writer, b"2\n")
    except BrokenPipeError:
        pass  # the program did not wait
    os.close(writer)
    out, _ = late.communicate(timeout=20)
    os.remove(os.path.join(folder, "maze.txt"))
    check(late.returncode == 0 and out == at_once.stdout,
          "a late answer on a non-blocking pipe loads the maze file")


with tempfile.TemporaryDirectory() as folder:
    test_one_key(folder)
    test_ctrl_c(folder)
    test_ignored_signals_stay_ignored(folder)
    test_other_fatal_signals(folder)
    test_a_terminal_not_the_controlling_one(folder)
    test_keys_of_several_bytes(folder)
    test_stops(folder)
    test_nonblocking_terminal(folder)
    test_end_of_input(folder)
    examples = os.path.join(os.path.dirname(__file__), "..", "examples")
    with open(os.path.join(examples, "dead-end.txt"), "rb") as f:
        test_nonblocking_pipe(folder, f.read())

print("pause: %d passed, %d failed" % (checks - len(failures), len(failures)))
sys.exit(1 if failures else 0)
