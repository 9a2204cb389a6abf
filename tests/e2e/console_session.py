"""Runs a built calculator as its users do: on a pseudo-terminal (a
console), or with standard output redirected to a file."""

import os
import pty
import select
import subprocess
import tempfile
import termios
import time


# As `stdin` of ConsoleSession: the program starts with standard input closed.
CLOSED = "closed"


def sjis(text):
    """The bytes a program writes for `text`: code page 932, CR LF line ends."""
    return text.replace("\n", "\r\n").encode("cp932")


def check_paced(test, times, pause, longest_gap):
    """Checks that events seen at `times` came `pause` seconds apart.  The
    times are when the test read each event, so a read that comes late
    shortens the gap after it: each gap must be over half the pause and
    under `longest_gap`, and the whole span the pauses' sum, less a late
    first read."""
    gaps = [later - earlier for earlier, later in zip(times, times[1:])]
    for gap in gaps:
        test.assertGreaterEqual(gap, pause / 2, gaps)
        test.assertLess(gap, longest_gap, gaps)
    test.assertGreaterEqual(times[-1] - times[0], pause * len(gaps) - 0.05, gaps)


class _StartedProgram:
    """A started program, ended by the test if it is still running."""

    def running(self):
        return self.process.poll() is None

    def _end(self):
        if self.running():
            self.process.kill()
        self.process.wait()


class ConsoleSession(_StartedProgram):
    """A program on a pseudo-terminal.  Echo and output processing are off,
    so the test sees exactly the bytes the program writes and nothing of
    what it types."""

    def __init__(self, program, stdin=None):
        master, slave = pty.openpty()
        attributes = termios.tcgetattr(slave)
        attributes[1] &= ~termios.OPOST
        attributes[3] &= ~termios.ECHO
        termios.tcsetattr(slave, termios.TCSANOW, attributes)
        command = [program]
        if stdin is CLOSED:
            # The shell closes descriptor 0 and becomes the program, which
            # keeps the shell's process id.
            command = ["/bin/sh", "-c", 'exec "$0" <&-', program]
            stdin = subprocess.DEVNULL
        self.process = subprocess.Popen(
            command, stdin=slave if stdin is None else stdin, stdout=slave,
            start_new_session=True)
        os.close(slave)
        self.master = master
        self.received = b""
        # (arrival time, offset in received) for every chunk read.
        self.arrivals = []

    def _read_some(self, deadline):
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            return False
        ready, _, _ = select.select([self.master], [], [], remaining)
        if not ready:
            return False
        try:
            chunk = os.read(self.master, 4096)
        except OSError:  # the program has ended and closed the terminal
            return False
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
        os.write(self.master, text.encode("ascii"))

    def close(self):
        self._end()
        os.close(self.master)


class RedirectedRun(_StartedProgram):
    """A program with standard output to a file and standard input from
    `input_bytes`: a file, or a pipe when `through_pipe`, or /dev/null when
    `input_bytes` is None.  `command` is the program's path, or a list that
    starts the program (an emulator and its arguments, then the program)."""

    def __init__(self, command, input_bytes, through_pipe=False):
        command = [command] if isinstance(command, str) else list(command)
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
                self.process.stdin.write(input_bytes or b"")
                self.process.stdin.close()
            else:
                with open(input_path, "rb") as stdin:
                    self.process = subprocess.Popen(command, stdin=stdin, stdout=stdout,
                                                    start_new_session=True)

    def output(self):
        with open(self.output_path, "rb") as file:
            return file.read()

    def close(self):
        self._end()
        self.directory.cleanup()
