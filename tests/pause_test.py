#!/usr/bin/env python3
"""The console pause on a real terminal. Runs the program on a
pseudo-terminal as a job of a small job-control shell, answers the menu,
and checks that the pause waits for exactly one key, takes all of that key
(a paste too), leaves the terminal and the signals as they were, and stops
and goes on under job control. Some runs preload SHIM
(tests/posix_shim.cpp), which makes this system answer as other POSIX
systems may, and the terminal slow to switch.

    pause_test.py MAZE_BINARY EXAMPLES_FOLDER SHIM
"""
import fcntl
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import time

JOB_CONTROL = (signal.SIGTTOU, signal.SIGTTIN, signal.SIGTSTP, signal.SIGINT,
               signal.SIGQUIT)
binary = os.path.abspath(sys.argv[1])
examples = os.path.abspath(sys.argv[2])
shim_env = dict(os.environ, LD_PRELOAD=os.path.abspath(sys.argv[3]),
                ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "") +
                ":verify_asan_link_order=0")
failures = []
checks = 0


def check(holds, what):
    global checks
    checks += 1
    if not holds:
        failures.append(what)
        print("FAILED:", what)


def menu_and_prompt(folder):
    """The menu and the prompt, as the program prints them on a terminal:
    the first two lines and the last of a run whose input is not one."""
    run = subprocess.run([binary], stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, cwd=folder, timeout=20)
    menu = b"\r\n".join(run.stdout.split(b"\n")[:2]) + b"\r\n"
    return menu, run.stdout[:-1].rsplit(b"\n", 1)[-1]


def run_shell(tty, folder, ignore, block, wrapped, controlling, env, events,
              commands):
    """The job-control shell, in a process of its own: it leads a session
    whose controlling terminal is `tty` (unless not `controlling`), runs the
    program (inside `sh -c` if `wrapped`) as a job in a process group of its
    own in the foreground, and reports on `events` when the job starts,
    stops and exits. When the job stops or exits it takes the terminal back;
    it gives it again for a line on `commands` (fg), as a shell does, and
    ends once `commands` is closed. SIGUSR1 sends the running job to the
    background. Never returns."""
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
            signal.pthread_sigmask(signal.SIG_BLOCK, block)
            for fd in (0, 1, 2):
                os.dup2(tty, fd)
            os.chdir(folder)
            wrapper = ["/bin/sh", "-c", '"$0"; true'] if wrapped else []
            os.execve((wrapper or [binary])[0], wrapper + [binary], env)
        try:
            os.setpgid(job, job)
        except OSError:
            pass  # the job has run exec already, after its own setpgid

        def to_background(*_):
            os.tcsetpgrp(tty, os.getpgrp())
            os.write(events, b"background 0\n")
        signal.signal(signal.SIGUSR1, to_background)
        if controlling:
            os.tcsetpgrp(tty, job)
        os.write(events, b"started %d\n" % job)
        while True:
            _, status = os.waitpid(job, os.WUNTRACED)
            if controlling:
                os.tcsetpgrp(tty, os.getpgrp())
            if not os.WIFSTOPPED(status):
                code = os.waitstatus_to_exitcode(status)
                os.write(events, b"exited %d\n" % code)
                os.read(commands, 100)
                break
            os.write(events, b"stopped %d\n" % os.WSTOPSIG(status))
            os.read(commands, 100)
            if controlling:
                os.tcsetpgrp(tty, job)
            os.killpg(job, signal.SIGCONT)
    finally:
        os._exit(0)


class Job:
    """The program on a terminal of its own, given `answer`, with the shim
    if `shim`. The test keeps the terminal's other end, and a descriptor of
    the terminal itself to look at its settings and at what is left in its
    input."""

    def __init__(self, folder, ignore=(), controlling=True,
                 nonblocking=False, answer=b"2\r", shim=False, block=(),
                 wrapped=False):
        self.master, self.tty = os.openpty()
        self.before = termios.tcgetattr(self.tty)
        if nonblocking:
            flags = fcntl.fcntl(self.tty, fcntl.F_GETFL)
            fcntl.fcntl(self.tty, fcntl.F_SETFL, flags | os.O_NONBLOCK)
        events_r, events_w = os.pipe()
        commands_r, commands_w = os.pipe()
        self.shell = os.fork()
        if self.shell == 0:
            os.close(commands_w)  # so that close() ends the shell
            run_shell(self.tty, folder, ignore, block, wrapped, controlling,
                      shim_env if shim else os.environ, events_w, commands_r)
        os.close(events_w)
        os.close(commands_r)
        self.events, self.commands = events_r, commands_w
        self.output, self.seen, self.lines = b"", 0, b""
        self.status = None
        started = self.event(10)
        # Never a signal to pid 0, which is this test's own process group.
        if not started or started[0] != "started":
            sys.exit("FAILED: the shell does not start the program")
        self.pid = int(started[1])
        os.write(self.master, answer)

    def in_key_mode(self):
        """Whether the terminal takes one key without echo."""
        return not termios.tcgetattr(self.tty)[3] & (termios.ICANON |
                                                     termios.ECHO)

    def read_more(self, seconds):
        """Takes what the program writes and what the shell says, for at
        most `seconds`; returns the shell's next line, if any."""
        if b"\n" not in self.lines:
            # Once the time is up, only look.
            ready, _, _ = select.select([self.master, self.events], [], [],
                                        max(seconds, 0))
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

    def expect(self, marker, seconds=10):
        """Whether the program writes `marker` within `seconds`."""
        end = time.monotonic() + seconds
        while marker not in self.output[self.seen:]:
            if time.monotonic() >= end or self.read_more(0.05):
                return False
        self.seen = self.output.index(marker, self.seen) + len(marker)
        return True

    def at_the_prompt(self):
        """Checks that the program waits at its prompt; stops the test where
        it does not, as what follows would signal a program still running."""
        if not self.expect(PROMPT):
            sys.exit("FAILED: the prompt does not come after the whole run; "
                     "it wrote %r" % self.output[-80:])
        check(self.in_key_mode(), "at the prompt the terminal takes one key")
        return self

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
            try:
                os.kill(self.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass  # it has just ended
        return self.status

    def stopped_then_fg(self, how):
        """Checks that the program stops by `how` and leaves the terminal
        as it was while stopped, and brings it back to the foreground."""
        event = self.event(10)
        check(event is not None and event[0] == "stopped",
              how + ", the program stops")
        if event is None or event[0] != "stopped":
            return
        check(self.as_before(), how + ", the terminal is as it was")
        os.write(self.commands, b"fg\n")
        check(self.expect(PROMPT, 5), "after " + how + " and fg, the prompt "
              "is shown")

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
        os.close(self.commands)  # a shell waiting for fg goes on, and ends
        os.waitpid(self.shell, 0)
        for fd in (self.master, self.tty, self.events):
            os.close(fd)

    def one_key_ends_it(self, after):
        """Checks that the pause still waits, that one key without Enter
        ends it with status 0, and that the terminal is then as it was."""
        check(self.quiet(0.5), after + ", the pause still waits (it wrote "
              "%r, status %s)" % (self.output[self.seen:][-80:], self.status))
        os.write(self.master, b"k")
        check(self.wait() == 0, after + ", one key without Enter ends it")
        check(self.as_before(), after + ", the terminal is as it was")
        return self


def test_one_key(folder):
    job = Job(folder, answer=b"")
    check(job.expect(MENU), "the menu shows before the answer is typed")
    os.write(job.master, b"2\r")
    job.at_the_prompt()
    job.one_key_ends_it("half a second after the prompt").close()


def test_a_key_as_soon_as_the_prompt_shows(folder):
    """The terminal takes one key before the prompt shows: with every
    switch of the terminal slowed down, a key sent at once still counts."""
    job = Job(folder, shim=True)
    check(job.expect(PROMPT), "the prompt comes after the whole run")
    os.write(job.master, b"k")
    check(job.wait(3) == 0, "a key sent as soon as the prompt shows ends the "
          "pause")
    job.close()


def long_run(folder, **options):
    """The program on open.txt, once it has printed a frame and more."""
    shutil.copy(os.path.join(examples, "open.txt"),
                os.path.join(folder, "maze.txt"))
    job = Job(folder, **options)
    end = time.monotonic() + 10  # the menu, then lines of a frame
    while job.output.count(b"\n") < 40 and time.monotonic() < end:
        job.read_more(0.05)
    check(job.output.count(b"\n") >= 40, "the run begins")
    return job


def test_keys_typed_during_the_run():
    """A key typed while the frames go by was not meant for the prompt."""
    with tempfile.TemporaryDirectory() as folder:
        job = long_run(folder)
        job.type(b"k\r")
        job.at_the_prompt().one_key_ends_it("after keys typed during the "
                                            "run").close()


def test_signals_that_end_it(folder):
    for how, sig, ignore, controlling in (
            ("Ctrl-C", signal.SIGINT, (), True),
            ("SIGUSR1", signal.SIGUSR1, (), True),
            ("SIGALRM", signal.SIGALRM, (), True),
            ("SIGTERM on a terminal not the controlling one",
             signal.SIGTERM, (), False)):
        job = Job(folder, ignore, controlling).at_the_prompt()
        if sig == signal.SIGINT:
            os.write(job.master, b"\x03")
        else:
            os.kill(job.pid, sig)
        check(job.wait() == -sig, how + " ends the pause")
        check(job.as_before(), "the terminal is as it was after " + how)
        job.close()


def test_ignored_signals_stay_ignored(folder):
    job = Job(folder, ignore=(signal.SIGINT, signal.SIGHUP)).at_the_prompt()
    os.write(job.master, b"\x03")
    os.kill(job.pid, signal.SIGHUP)
    job.one_key_ends_it("after an ignored SIGINT and SIGHUP").close()


def test_keys_of_several_bytes(folder):
    paste = b"".join(b"pasted line %03d, done\n" % n for n in range(400))
    for name, key in (("the Up arrow", b"\x1b[A"), ("e acute", "é".encode()),
                      ("a paste of %d bytes" % len(paste), paste)):
        job = Job(folder).at_the_prompt()
        job.type(key)
        check(job.wait() == 0, name + " ends the pause")
        check(job.left_input() == b"", name + " leaves nothing behind")
        job.close()


def test_stops(folder):
    ctrl_z = lambda job: os.write(job.master, b"\x1a")
    for how, stop, cont in (
            ("Ctrl-Z", ctrl_z, ()),
            ("SIGTTIN", lambda job: os.kill(job.pid, signal.SIGTTIN), ()),
            ("Ctrl-Z, SIGCONT ignored and blocked", ctrl_z,
             (signal.SIGCONT,))):
        job = Job(folder, ignore=cont, block=cont).at_the_prompt()
        stop(job)
        job.stopped_then_fg(how)
        job.one_key_ends_it("after " + how + " and fg").close()


def test_the_parent_ends_at_the_prompt(folder):
    """The program's parent ends and the shell takes the terminal back: the
    pause ends without reading what is typed for the shell, and leaves the
    terminal's settings to it."""
    job = Job(folder, wrapped=True).at_the_prompt()
    os.kill(job.pid, signal.SIGKILL)
    check(job.event(5) == ("exited", "-9"), "the program's parent ends")
    job.type(b"x")
    check(job.expect(b"\r\n", 2), "once its parent ended, the pause ends")
    check(job.in_key_mode() and job.left_input() == b"x", "once its parent "
          "ended, the pause leaves the terminal and its input to the shell")
    job.close()


def test_a_signal_that_does_nothing_by_default(folder):
    """Where a signal's default is to do nothing, the wait goes on."""
    job = Job(folder, shim=True).at_the_prompt()
    os.kill(job.pid, signal.SIGUSR2)
    job.one_key_ends_it("after a signal that does nothing by default").close()


def test_a_continue_without_a_stop(folder):
    job = Job(folder).at_the_prompt()
    os.kill(job.pid, signal.SIGCONT)
    job.one_key_ends_it("after a continue that follows no stop").close()


def test_background_with_sigttou_ignored():
    """A long run goes to the background before the pause: the pause waits
    for the foreground before it touches the terminal, stopped, also where
    a read of nothing does not stop it."""
    with tempfile.TemporaryDirectory() as folder:
        job = long_run(folder, ignore=(signal.SIGTTOU,), shim=True)
        os.kill(job.shell, signal.SIGUSR1)
        check(job.event(10) == ("background", "0"), "the job is in the "
              "background")
        job.stopped_then_fg("in the background with SIGTTOU ignored")
        check(job.in_key_mode(), "in the foreground the terminal takes one "
              "key")
        job.one_key_ends_it("in the foreground again").close()


def test_nonblocking_terminal(folder):
    job = Job(folder, nonblocking=True).at_the_prompt()
    job.one_key_ends_it("on a non-blocking terminal")
    check(fcntl.fcntl(job.tty, fcntl.F_GETFL) & os.O_NONBLOCK,
          "the terminal is left non-blocking")
    job.close()


with tempfile.TemporaryDirectory() as folder:
    MENU, PROMPT = menu_and_prompt(folder)
    # A run of one frame, then the pause.
    shutil.copy(os.path.join(examples, "boxed-in.txt"),
                os.path.join(folder, "maze.txt"))
    test_one_key(folder)
    test_a_key_as_soon_as_the_prompt_shows(folder)
    test_keys_typed_during_the_run()
    test_signals_that_end_it(folder)
    test_ignored_signals_stay_ignored(folder)
    test_keys_of_several_bytes(folder)
    test_stops(folder)
    test_the_parent_ends_at_the_prompt(folder)
    test_a_signal_that_does_nothing_by_default(folder)
    test_a_continue_without_a_stop(folder)
    test_background_with_sigttou_ignored()
    test_nonblocking_terminal(folder)

print("pause: %d passed, %d failed" % (checks - len(failures), len(failures)))
sys.exit(1 if failures else 0)
