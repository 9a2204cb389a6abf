"""Runs a built calculator as its users do: on a pseudo-terminal (a
console), or with standard output redirected to a file."""

import os
import pty
import select
import signal
import subprocess
import sys
import tempfile
import termios
import time


# As `stdin` of ConsoleSession: the program starts with standard input closed.
CLOSED = "closed"

# Makes the terminal on standard output the controlling terminal of the new
# session it runs in, then becomes the command given: the terminal's
# interrupt key then reaches the program, as on a console.
_WITH_CONTROLLING_TERMINAL = ("import fcntl, os, sys, termios; "
                              "fcntl.ioctl(1, termios.TIOCSCTTY, 0); "
                              "os.execvp(sys.argv[1], sys.argv[1:])")


def command_words(command):
    """`command` as a list: a program's path alone, or a list that starts the
    program (an emulator and its arguments, then the program)."""
    return [command] if isinstance(command, str) else list(command)


def sjis(text):
    """The bytes a program writes for `text`: code page 932, CR LF line ends."""
    return text.replace("\n", "\r\n").encode("cp932")


def check_paced(test, typed, seen, pause):
    """Checks an animation against its pauses.  `typed` is when the last
    number was typed, taken before it was sent; `seen` is when the test read
    each piece that the program writes before a pause of `pause` seconds,
    then when it read what the program writes after the last pause.

    A read can come late but never before the write it sees, and a pause can
    last longer than asked but never shorter, so the lower bounds hold
    however loaded the machine: nothing is seen before the pauses ahead of
    it can have passed, the result not before all of them.  The upper bound
    catches an animation written all at once at its end (output held back):
    the first piece must be seen before the last pause could have ended.
    Only a reader or program stalled for the whole animation can miss that;
    a bound on each later piece would leave a margin of a single pause."""
    pauses = len(seen) - 1
    # The program's sleeps and the test's clock may round a little apart.
    slack = 0.005
    since_typed = [when - typed for when in seen]
    for index, seconds in enumerate(since_typed):
        test.assertGreaterEqual(seconds, index * pause - slack,
                                f"piece {index} came before {index} pauses: {since_typed}")
    test.assertLess(since_typed[0], pauses * pause,
                    f"the animation was not under way before its end: {since_typed}")


def read_chunk(master, deadline):
    """What arrives next on the terminal `master` by `deadline`; empty when
    nothing does, or when the program has ended and closed the terminal."""
    remaining = deadline - time.monotonic()
    if remaining <= 0 or not select.select([master], [], [], remaining)[0]:
        return b""
    try:
        return os.read(master, 4096)
    except OSError:
        return b""


class StartedProgram:
    """A started program in a session of its own; end() ends it with all it
    started."""

    def running(self):
        return self.process.poll() is None

    def end(self):
        # The program runs in a session of its own: end all of it, with
        # whatever it started (Wine runs a 32-bit program in a process of
        # its own).
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()


class ConsoleSession(StartedProgram):
    """A program on a pseudo-terminal.  Echo and output processing are off,
    so the test sees exactly the bytes the program writes and nothing of
    what it types.  With `controlling_terminal` the terminal's special keys
    (Ctrl+C) send their signals to the program."""

    def __init__(self, program, stdin=None, controlling_terminal=False):
        master, slave = pty.openpty()
        attributes = termios.tcgetattr(slave)
        attributes[1] &= ~termios.OPOST
        attributes[3] &= ~termios.ECHO
        termios.tcsetattr(slave, termios.TCSANOW, attributes)
        command = command_words(program)
        if stdin is CLOSED:
            # The shell closes descriptor 0 and becomes the program, which
            # keeps the shell's process id.
            command = ["/bin/sh", "-c", 'exec "$@" <&-', "sh", *command]
            stdin = subprocess.DEVNULL
        if controlling_terminal:
            command = [sys.executable, "-c", _WITH_CONTROLLING_TERMINAL, *command]
        self.process = subprocess.Popen(
            command, stdin=slave if stdin is None else stdin, stdout=slave,
            start_new_session=True)
        os.close(slave)
        self.master = master
        self.received = b""
        # (arrival time, offset in received) for every chunk read.
        self.arrivals = []

    def _read_some(self, deadline):
        chunk = read_chunk(self.master, deadline)
        if not chunk:
            return False
        self.arrivals.append((time.monotonic(), len(self.received)))
        self.received += chunk
        return True

    def read_until(self, expected, timeout=10.0):
        """Waits until `expected` has arrived; returns all received so far."""
        deadline = time.monotonic() + timeout
        while expected not in self.received:
            if not self._read_some(deadline):
                raise AssertionError(
                    f"waited {timeout} s for {expected!r}; received {self.received!r}")
        return self.received

    def read_until_match(self, pattern, timeout=10.0):
        """Waits until all received so far matches the regular expression
        `pattern` (bytes); returns the match."""
        deadline = time.monotonic() + timeout
        while not (match := pattern.fullmatch(self.received)):
            if not self._read_some(deadline):
                raise AssertionError(
                    f"waited {timeout} s for {pattern.pattern!r}; received {self.received!r}")
        return match

    def read_for(self, seconds):
        """Collects whatever arrives within `seconds`."""
        deadline = time.monotonic() + seconds
        while self._read_some(deadline):
            pass
        return self.received

    def arrival_of(self, offset):
        """When the byte at `offset` of the received output arrived."""
        return max(when for when, start in self.arrivals if start <= offset)

    def type(self, text):
        # The earliest the program can have what is typed.
        self.typed_at = time.monotonic()
        os.write(self.master, text.encode("ascii"))

    def close(self):
        self.end()
        os.close(self.master)


class RedirectedRun(StartedProgram):
    """A program with standard output to a file and standard input from
    `input_bytes`: a file, or a pipe when `through_pipe`, or /dev/null when
    `input_bytes` is None.  With `keep_open` the pipe stays open for `give`.
    `command` is the program's path, or a list that starts the program (an
    emulator and its arguments, then the program)."""

    def __init__(self, command, input_bytes, through_pipe=False, keep_open=False):
        command = command_words(command)
        through_pipe = through_pipe or keep_open
        self.directory = tempfile.TemporaryDirectory()
        self.output_path = os.path.join(self.directory.name, "output")
        input_path = os.path.join(self.directory.name, "input")
        with open(input_path, "wb") as file:
            file.write(input_bytes or b"")
        if input_bytes is None:
            input_path = os.devnull
        with open(self.output_path, "wb") as stdout:
            if through_pipe:
                self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=stdout,
                                                start_new_session=True)
                self.give(input_bytes or b"")
                if not keep_open:
                    self.process.stdin.close()
            else:
                with open(input_path, "rb") as stdin:
                    self.process = subprocess.Popen(command, stdin=stdin, stdout=stdout,
                                                    start_new_session=True)

    def give(self, input_bytes):
        """Sends more input through the pipe kept open."""
        self.process.stdin.write(input_bytes)
        self.process.stdin.flush()

    def output(self):
        with open(self.output_path, "rb") as file:
            return file.read()

    def close(self):
        self.end()
        if self.process.stdin:
            self.process.stdin.close()
        self.directory.cleanup()
