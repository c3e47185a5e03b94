#!/usr/bin/env python3
"""The console pause on a real terminal: runs the program on a
pseudo-terminal, answers the menu, and checks that the pause waits for
exactly one key, gives the terminal back as it was (after a key and after
Ctrl-C), and returns at once at end of input when not on a terminal.

    pause_test.py MAZE_BINARY
"""
import os
import pty
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


def wait_exit(pid, fd, seconds):
    """The wait status, or None if the child is still running after
    `seconds` (it is then killed). Keeps reading the terminal meanwhile."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        done, status = os.waitpid(pid, os.WNOHANG)
        if done:
            return status
        read_until(fd, b"\0never", 0.05)
    os.kill(pid, signal.SIGKILL)
    os.waitpid(pid, 0)
    return None


def start_at_the_pause(folder):
    """Starts the program on a new terminal, answers 1 and Enter, and reads
    up to the prompt. Returns the child, the terminal and its attributes as
    they were before the answer."""
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(folder)
        os.execv(binary, [binary])
    menu = read_until(fd, b"(2)Test", 10)
    check(b"(2)Test" in menu, "the menu appears")
    before = termios.tcgetattr(fd)
    os.write(fd, b"1\r")
    output = read_until(fd, PROMPT, 30)
    check(output.endswith(PROMPT), "the prompt comes after the whole run")
    return pid, fd, before


def test_one_key(folder):
    pid, fd, before = start_at_the_pause(folder)
    late = read_until(fd, b"\n", 0.5)
    done, _ = os.waitpid(pid, os.WNOHANG)
    check(done == 0 and late == b"",
          "the pause still waits half a second after the prompt")
    os.write(fd, b"k")
    status = wait_exit(pid, fd, 5)
    check(status is not None, "one key, without Enter, ends the pause")
    if status is not None:
        check(os.WIFEXITED(status) and os.WEXITSTATUS(status) == 0,
              "the run exits with status 0 after the key")
        check(termios.tcgetattr(fd) == before,
              "the terminal is as it was after the key")
    os.close(fd)


def test_ctrl_c(folder):
    pid, fd, before = start_at_the_pause(folder)
    time.sleep(0.2)
    os.write(fd, b"\x03")
    status = wait_exit(pid, fd, 5)
    check(status is not None and os.WIFSIGNALED(status) and
          os.WTERMSIG(status) == signal.SIGINT,
          "Ctrl-C during the pause ends the program")
    check(termios.tcgetattr(fd) == before,
          "the terminal is as it was after Ctrl-C")
    os.close(fd)


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
    test_end_of_input(folder)

print("pause: %d passed, %d failed" % (checks - len(failures), len(failures)))
sys.exit(1 if failures else 0)
