#!/usr/bin/env python3
"""pause_test.py MAZE_BINARY EXAMPLES_FOLDER SHIM: the console pause on a
pseudo-terminal, the program a job of a small job-control shell. It waits
only where its output is on the terminal, for one whole key; it leaves the
terminal and the signals as they were, and stops and goes on under job
control. Some runs preload SHIM (tests/posix_shim.cpp), which makes this
system answer as other POSIX systems may, and the terminal slow to switch.
Whatever the program fails to do, the test stops within seconds, says what
it waited for, and leaves no process behind."""
import contextlib
import fcntl
import os
import select
import shutil
import signal
import struct
import sys
import tempfile
import termios
import time

binary, examples, shim = (os.path.abspath(arg) for arg in sys.argv[1:4])
# The menu and the prompt as a player sees them, from the transcripts.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)),
                       "transcripts", "unusable-file.txt"), "rb") as f:
    transcript = f.read().split(b"\n")
MENU, PROMPT = b"\r\n".join(transcript[:2]) + b"\r\n", transcript[-2]
WAIT = 10  # seconds for the program to do what it must
ENV = dict(os.environ, ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "") +
           ":verify_asan_link_order=0")
checks, jobs = [], []


class Stop(Exception):
    """Something the rest of the test needs did not happen."""


def check(holds, what):
    checks.append(bool(holds))
    if not holds:
        print("FAILED:", what)


def run_shell(job, ignore=(), block=(), shimmed=False, wrapper=None):
    """The job-control shell, a process that never returns. It leads a
    session on `job.control` and runs the program on `job.tty` (inside
    `sh -c WRAPPER` if given) as a foreground job; it reports when the job
    starts, stops and exits, takes the terminal back, and gives it again for
    each line of commands (fg). SIGUSR1 puts the job in the background. It
    lives on until killed, so that the terminal keeps its session."""
    try:
        null = os.open(os.devnull, os.O_WRONLY)
        for fd in (1, 2):  # nothing holds the test's output open but it
            os.dup2(null, fd)
        os.setsid()
        fcntl.ioctl(job.control, termios.TIOCSCTTY, 0)
        signal.signal(signal.SIGTTOU, signal.SIG_IGN)  # to take the terminal
        pid = os.fork()
        if pid == 0:
            os.setpgid(0, 0)
            os.tcsetpgrp(job.control, os.getpid())
            for sig in (signal.SIGTTOU, signal.SIGPIPE, signal.SIGXFSZ):
                signal.signal(sig, signal.SIG_DFL)
            for sig in ignore:
                signal.signal(sig, signal.SIG_IGN)
            signal.pthread_sigmask(signal.SIG_BLOCK, block)
            for fd in (0, 1, 2):
                os.dup2(job.tty, fd)
            os.chdir(job.folder)
            command = ["/bin/sh", "-c", wrapper] * bool(wrapper) + [binary]
            os.execve(command[0], command,
                      dict(ENV, LD_PRELOAD=shim) if shimmed else ENV)
        with contextlib.suppress(PermissionError):  # the job did it, and exec
            os.setpgid(pid, pid)
        signal.signal(signal.SIGUSR1, lambda *_: (
            os.tcsetpgrp(job.control, os.getpgrp()),
            os.write(job.said_w, b"background 0\n")))
        os.tcsetpgrp(job.control, pid)
        os.write(job.said_w, b"started %d\n" % pid)
        while True:
            _, status = os.waitpid(pid, os.WUNTRACED)
            with contextlib.suppress(OSError):  # a job may take the terminal
                os.tcsetpgrp(job.control, os.getpgrp())
            if not os.WIFSTOPPED(status):
                os.write(job.said_w, b"exited %d\n" %
                         os.waitstatus_to_exitcode(status))
                os.read(job.commands_r, 100)
                break
            os.write(job.said_w, b"stopped %d\n" % os.WSTOPSIG(status))
            os.read(job.commands_r, 100)
            os.tcsetpgrp(job.control, pid)
            os.killpg(pid, signal.SIGCONT)
    finally:
        os._exit(0)


class Job:
    """The program on a terminal of its own, given `answer`; its controlling
    terminal is another one where not `controlling`. The test keeps the
    terminal's other end, and the terminal itself to look at its settings
    and at what is left in its input."""

    def __init__(self, folder, answer=b"2\r", controlling=True,
                 nonblocking=False, line_mode=True, **options):
        self.folder, self.pid = folder, None
        self.master, self.tty = os.openpty()
        self.spare = os.openpty()
        self.control = self.tty if controlling else self.spare[1]
        os.set_blocking(self.master, False)  # a key not taken stops no test
        os.set_blocking(self.tty, not nonblocking)
        if not line_mode:
            self.out_of_line_mode()
        self.before = termios.tcgetattr(self.tty)
        self.said, self.said_w = os.pipe()
        self.commands_r, self.commands = os.pipe()
        self.shell = os.fork()
        if self.shell == 0:
            run_shell(self, **options)
        jobs.append(self)
        self.written, self.seen, self.heard, self.reports = b"", 0, b"", []
        self.pid = int(self.report("the shell to start the program")[1])
        os.write(self.master, answer)

    def pump(self, seconds, done):
        """Reads the program and the shell until done(), `seconds` at most."""
        end = time.monotonic() + seconds
        while not done() and time.monotonic() < end:
            for fd in select.select([self.master, self.said], [], [], max(
                    0, min(0.05, end - time.monotonic())))[0]:
                with contextlib.suppress(OSError):
                    chunk = os.read(fd, 65536)
                    if fd == self.master:
                        self.written += chunk
                        continue
                    *lines, self.heard = (self.heard + chunk).split(b"\n")
                    self.reports += [line.decode().split() for line in lines]
        return done()

    def status(self, seconds=5):
        """The exit status (-signal), or None if it runs `seconds` later."""
        exited = self.pump(seconds, lambda: self.reports[-1][0] == "exited")
        return int(self.reports[-1][1]) if exited else None

    def report(self, what):
        """The shell's next report; stops the test after WAIT seconds."""
        count = len(self.reports)
        if not self.pump(WAIT, lambda: len(self.reports) > count):
            raise Stop("waited %d s for %s" % (WAIT, what))
        return tuple(self.reports[count])

    def expect(self, marker, what):
        """Stops the test unless the program writes `marker` within WAIT s."""
        count = len(self.reports)
        if not self.pump(WAIT, lambda: marker in self.written[self.seen:] or
                         len(self.reports) > count):
            raise Stop("waited %d s for %s; the program wrote %r" %
                       (WAIT, what, self.written[-80:]))
        if marker not in self.written[self.seen:]:
            raise Stop("%s never came: the shell reports %s" %
                       (what, " ".join(self.reports[-1])))
        self.seen = self.written.index(marker, self.seen) + len(marker)
        return self

    def at_the_prompt(self):
        self.expect(PROMPT, "the prompt after the whole run")
        check(self.in_key_mode(), "at the prompt the terminal takes one key")
        return self

    def in_key_mode(self):
        return not termios.tcgetattr(self.tty)[3] & (termios.ICANON |
                                                     termios.ECHO)

    def as_before(self):
        return termios.tcgetattr(self.tty) == self.before

    def quiet(self, seconds):
        """Whether the program goes on waiting, writing nothing, `seconds`."""
        return not self.pump(seconds, lambda: self.written[self.seen:] or
                             self.status(0) is not None)

    def type(self, keys):
        """Types `keys` in one go, as a paste does."""
        while keys:
            if not select.select([], [self.master], [], WAIT)[1]:
                raise Stop("the program takes no keys for %d s" % WAIT)
            keys = keys[os.write(self.master, keys):]

    def out_of_line_mode(self):
        """Takes the terminal out of line mode; returns its mode before."""
        mode = termios.tcgetattr(self.tty)
        termios.tcsetattr(self.tty, termios.TCSANOW, mode[:3] +
                          [mode[3] & ~termios.ICANON] + mode[4:])
        return mode

    def left_input(self):
        """How many bytes are left to read in the terminal's input, counted
        out of line mode, as in line mode FIONREAD counts whole lines."""
        mode = self.out_of_line_mode()
        left = fcntl.ioctl(self.tty, termios.FIONREAD, b"\0" * 4)
        termios.tcsetattr(self.tty, termios.TCSANOW, mode)
        return struct.unpack("i", left)[0]

    def send(self, sig):
        """Sends `sig`, or types it where the terminal makes it."""
        keys = {signal.SIGINT: b"\x03", signal.SIGTSTP: b"\x1a"}
        if sig in keys:
            os.write(self.master, keys[sig])
        else:
            os.kill(self.pid, sig)

    def one_key_ends_it(self, after):
        check(self.quiet(0.5), after + ", the pause still waits (it wrote %r, "
              "status %s)" % (self.written[self.seen:][-80:], self.status(0)))
        os.write(self.master, b"k")
        check(self.status() == 0, after + ", one key without Enter ends it")
        check(self.as_before(), after + ", the terminal is as it was")

    def close(self):
        """Ends the job and the shell, whatever state they are in."""
        with contextlib.suppress(OSError, TypeError):  # ended, or never began
            os.killpg(self.pid, signal.SIGKILL)
        with contextlib.suppress(OSError):
            os.kill(self.shell, signal.SIGKILL)
        os.waitpid(self.shell, 0)


def long_run(folder, **options):
    """The program on open.txt, once it has printed a frame and more."""
    job = Job(os.path.join(folder, "open"), **options)
    for _ in range(40):
        job.expect(b"\r\n", "the lines of the first frame")
    return job


def cases(folder):
    """Each case in turn, on boxed-in.txt (one frame, then the pause) but
    where it says otherwise."""
    # The terminal takes one key before the prompt shows: with every switch
    # of it slowed down, a key sent at once still counts.
    job = Job(folder, answer=b"", shimmed=True).expect(MENU, "the menu first")
    os.write(job.master, b"2\r")
    job.expect(PROMPT, "the prompt")
    os.write(job.master, b"k")
    check(job.status() == 0, "a key sent as soon as the prompt shows counts")

    job = long_run(folder)
    job.type(b"k\r")  # not meant for the prompt
    job.at_the_prompt().one_key_ends_it("after keys typed during the run")

    paste = b"".join(b"pasted line %03d, done\n" % n for n in range(400))
    for name, key in (("the Up arrow", b"\x1b[A"), ("e acute", "é".encode()),
                      ("a paste of %d bytes" % len(paste), paste)):
        job = Job(folder).at_the_prompt()
        job.type(key)
        check(job.status() == 0, name + " ends the pause")
        check(job.left_input() == 0, name + " leaves nothing behind")

    # A key is over after 50 ms of quiet: an Escape and the rest of an arrow
    # 20 ms behind it are one key, three times over; a try whose gap came
    # out longer does not count.
    tries = []
    while len(tries) < 3 and len(jobs) < 40:
        job = Job(folder).at_the_prompt()
        start = time.monotonic()
        job.type(b"\x1b")
        time.sleep(0.02)
        job.type(b"[A")
        if time.monotonic() - start < 0.04:
            tries.append(job.status() == 0 and job.left_input() == 0)
    check(tries == [True] * 3, "an Escape and [A 20 ms behind it are one "
          "key, leaving nothing behind")

    # On a terminal, the lines on standard error come after "Error".
    os.mkdir(os.path.join(folder, "none"))
    job = Job(os.path.join(folder, "none")).at_the_prompt()
    check(job.written.find(b"\r\nError\r\n") < job.written.find(b"maze: "),
          "the lines about a missing maze.txt come after Error")

    # As another user, on a terminal only its owner can open by its name,
    # and as the first process of a PID namespace, where the system drops
    # a signal that the program leaves to its default.
    for how, wrapper, probe, status in (
            ("as another user", 'setpriv --reuid=65534 --regid=65534 '
             '--clear-groups "$0"', "setpriv --reuid=65534 true", -2),
            ("as the first process of a PID namespace",
             'unshare --pid --fork setsid --ctty "$0"',
             "unshare --pid --fork true", 128 + signal.SIGINT)):
        if os.system(probe) != 0:
            print("skipped, " + how + ": only root may run it so")
            continue
        job = Job(folder, answer=b"1\r", wrapper=wrapper).at_the_prompt()
        check(job.quiet(0.5), how + ", the pause waits")
        job.send(signal.SIGINT)
        check(job.status() == status and job.as_before(), how + ", Ctrl-C "
              "ends the program, status %d, the terminal as it was" % status)

    for how, sig, controlling in (
            ("Ctrl-C", signal.SIGINT, True), ("SIGUSR1", signal.SIGUSR1, True),
            ("SIGTERM on a terminal not the controlling one", signal.SIGTERM,
             False)):
        job = Job(folder, controlling=controlling).at_the_prompt()
        job.send(sig)
        check(job.status() == -sig, how + " ends the pause")
        check(job.as_before(), "the terminal is as it was after " + how)

    job = Job(folder, ignore=(signal.SIGINT, signal.SIGHUP),
              nonblocking=True).at_the_prompt()
    job.send(signal.SIGINT)
    job.send(signal.SIGHUP)
    job.one_key_ends_it("on a non-blocking terminal, after an ignored SIGINT "
                        "and SIGHUP")
    check(fcntl.fcntl(job.tty, fcntl.F_GETFL) & os.O_NONBLOCK,
          "the terminal is left non-blocking")

    # A continue that follows no stop, and a signal that does nothing by
    # default (under the shim), leave the wait going on as it was.
    job = Job(folder, shimmed=True).at_the_prompt()
    os.kill(job.pid, signal.SIGCONT)
    os.kill(job.pid, signal.SIGUSR2)
    job.one_key_ends_it("after SIGCONT alone and a signal that does nothing")

    # A long run sent to the background before the pause waits for the
    # foreground before it touches the terminal, stopped, also where a read
    # of nothing does not stop it; and so do stops at the prompt.
    job = long_run(folder, ignore=(signal.SIGTTOU,), shimmed=True)
    os.kill(job.shell, signal.SIGUSR1)
    stops = [(job, "in the background with SIGTTOU ignored")]
    check(job.report("the job to go to the background") ==
          ("background", "0"), "the job is in the background")
    for how, sig, cont, line_mode in (
            ("Ctrl-Z twice", signal.SIGTSTP, (), True),
            ("SIGTTIN", signal.SIGTTIN, (), True),
            ("Ctrl-Z, SIGCONT ignored and blocked", signal.SIGTSTP,
             (signal.SIGCONT,), True),
            ("Ctrl-Z out of line mode", signal.SIGTSTP, (), False)):
        stops.append((Job(folder, ignore=cont, block=cont,
                          line_mode=line_mode), how))
        stops[-1][0].at_the_prompt().send(sig)
    for job, how in stops:
        for again in range(1 + how.endswith("twice")):
            if again:
                job.send(signal.SIGTSTP)
            check(job.report("the program to stop")[0] == "stopped",
                  how + ", the program stops")
            check(job.as_before(), how + ", the terminal is as it was")
            os.write(job.commands, b"fg\n")
            job.expect(PROMPT, "the prompt after " + how + " and fg")
        job.one_key_ends_it("after " + how + " and fg")

    # A background job whose caller blocked SIGTTIN does not wait: it would
    # stop the shell that started it, as its whole process group.
    block = ("%s -c 'import os, signal, sys; signal.pthread_sigmask(signal."
             "SIG_BLOCK, [signal.SIGTTIN]); os.execv(sys.argv[1], sys.argv[1:"
             "])' \"$0\"; true" % sys.executable)
    job = long_run(folder, wrapper=block)
    os.kill(job.shell, signal.SIGUSR1)
    job.report("the job to go to the background")
    check(job.report("the job to end") == ("exited", "0"), "with SIGTTIN "
          "blocked in the background, the program ends after the prompt")

    # Whatever started the program ends, and the shell takes the terminal
    # back: the pause ends, reading nothing that is typed for the shell,
    # leaving the terminal's settings to it, and writing no more.
    job = Job(folder, wrapper='"$0"; true').at_the_prompt()
    with open("/proc/%d/task/%d/children" % (job.pid, job.pid)) as children:
        stat = "/proc/%s/stat" % children.read().split()[0]
    os.kill(job.pid, signal.SIGKILL)
    check(job.report("the program's parent to end") == ("exited", "-9"),
          "the program's parent ends")
    job.type(b"x")
    job.pump(1.5, lambda: False)  # more than the pause's looks every 250 ms
    with contextlib.suppress(FileNotFoundError), open(stat) as state:
        stat = state.read()  # "PID (NAME) STATE ...": Z once it has ended
    check(stat.startswith("/") or stat.rsplit(")", 1)[1].split()[0] == "Z",
          "once its parent ended, the pause ends")
    check(job.written[job.seen:] == b"" and job.in_key_mode() and
          job.left_input() == 1, "once its parent ended, the pause reads "
          "and writes nothing more, and leaves the terminal be")

    # Output that is not on the terminal: the prompt and the line end, and
    # no wait.
    job = Job(folder, wrapper='exec "$0" > out.txt')
    ended = job.status() == 0 and job.as_before()
    with open(os.path.join(folder, "out.txt"), "rb") as out:
        check(ended and out.read().endswith(PROMPT + b"\n"), "with its output"
              " in a file, the program ends after the prompt, without a key")


with tempfile.TemporaryDirectory() as folder:
    os.mkdir(os.path.join(folder, "open"))
    for maze, there in (("boxed-in.txt", "maze.txt"), ("open.txt", "open/maze.txt")):
        shutil.copy(os.path.join(examples, maze), os.path.join(folder, there))
    try:
        cases(folder)
    except Stop as stop:
        check(False, str(stop))
    finally:
        for job in jobs:
            job.close()

print("pause: %d passed, %d failed" % (checks.count(True), checks.count(False)))
sys.exit(1 if False in checks else 0)
