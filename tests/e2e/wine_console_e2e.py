"""A Windows build of a calculator on a Windows console: Wine's, drawn on a
pseudo-terminal in code page 932 (Wine takes the code page from the
Japanese locale) and rendered into a screen by a terminal emulator.  The
screen must show the dialogue of the README's transcript; prompts show
before input, progress dots arrive paced, and the result stays on screen
during the final pause.

Wine's console echoes what is typed on its terminal, so the test types into
a pipe on standard input instead: the typed numbers and their Enter never
reach the screen, and each prompt is followed directly by what the program
writes next.  The transcript is compared with that echo taken out.

usage: wine_console_e2e.py COMMAND... PROGRAM.exe  (an emulator and a program)
Needs Debian's python3-pyte and the ja_JP.UTF-8 locale (tools/install-deps)."""

import fcntl
import os
import pathlib
import pty
import re
import signal
import struct
import subprocess
import sys
import termios
import time
import unittest

import pyte

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from readme_transcript import transcript  # noqa: E402

from console_session import read_chunk, StartedProgram  # noqa: E402

COMMAND = sys.argv[1:]
PROGRAM = pathlib.Path(COMMAND[-1]).stem if COMMAND else None
README = pathlib.Path(__file__).resolve().parents[2] / "README.md"
COLUMNS, LINES = 80, 24
# A POSIX parent sees the low byte of a Windows exit status.
STATUS_CONTROL_C_EXIT = 0xC000013A

# What each program writes between the last number read and its result, a
# "|" for each pause of the given seconds; None for no progress shown.
PROGRESS = {
    "polysum": ("Now Calculating" + ".|" * 7, 0.15),
    "choosefrac": ("  Now calculating" + "..|" * 16, 0.1),
    "defint": None,
    "parabola": ("Now calculating" + "|." * 3, 0.5),
}

PROMPT_ECHO = re.compile(r"^([a-z] >>  )(-?[0-9]+)\n", re.MULTILINE)


def without_echo(transcript):
    """The transcript as the screen shows it when what is typed is not
    echoed, and for each prompt where it ends in that text and the number
    typed after it."""
    text, prompts, copied = "", [], 0
    for match in PROMPT_ECHO.finditer(transcript):
        text += transcript[copied:match.end(1)]
        prompts.append((len(text), match.group(2)))
        copied = match.end()
    return text + transcript[copied:], prompts


def screen_text(lines):
    """A screen's lines as one text: trailing blanks and blank lines gone,
    as a prompt's two spaces are gone when nothing follows them."""
    return "\n".join(line.rstrip() for line in lines).rstrip("\n")


def is_32_bit(program):
    """Whether the Windows executable `program` is for 32-bit x86: the
    machine field of its PE header."""
    with open(program, "rb") as file:
        header = file.read(4096)
    pe_offset = struct.unpack_from("<I", header, 0x3C)[0]
    return struct.unpack_from("<H", header, pe_offset + 4)[0] == 0x14C


class WineConsole(StartedProgram):
    """The program on a pseudo-terminal of 80 columns with output processing
    off, in the Japanese locale, its standard input a pipe.  Everything that
    arrives is rendered; after each read the screen is kept with its time."""

    def __init__(self, command):
        master, slave = pty.openpty()
        attributes = termios.tcgetattr(slave)
        attributes[1] &= ~termios.OPOST
        termios.tcsetattr(slave, termios.TCSANOW, attributes)
        fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", LINES, COLUMNS, 0, 0))
        environment = dict(os.environ, LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=slave,
                                        env=environment, start_new_session=True)
        os.close(slave)
        self.master = master
        self.screen = pyte.Screen(COLUMNS, LINES)
        self.stream = pyte.ByteStream(self.screen)
        # (time of the read, the screen's text after it)
        self.screens = []

    def text(self):
        return screen_text(self.screen.display)

    def _read_some(self, deadline):
        chunk = read_chunk(self.master, deadline)
        if not chunk:
            return False
        self.stream.feed(chunk)
        self.screens.append((time.monotonic(), self.text()))
        return True

    def wait_for(self, text, timeout):
        """Waits until the screen shows exactly `text`."""
        deadline = time.monotonic() + timeout
        while self.text() != text:
            if not self._read_some(deadline):
                raise AssertionError(f"waited {timeout} s for the screen\n{text}\n"
                                     f"--- the screen shows ---\n{self.text()}")

    def read_for(self, seconds):
        deadline = time.monotonic() + seconds
        while self._read_some(deadline):
            pass

    def first_seen(self, text):
        """When the screen first began with `text`."""
        return next(when for when, shown in self.screens if shown.startswith(text))

    def type(self, text):
        """Types `text` into standard input; returns the time just before,
        the earliest the program could have read it."""
        typed = time.monotonic()
        self.process.stdin.write(text.encode("ascii"))
        self.process.stdin.flush()
        return typed

    def close(self):
        # Wine's own processes for the program (its console among them) are
        # in the program's process group, which end() ends.
        self.end()
        self.process.stdin.close()
        os.close(self.master)


class OnWinesConsole(unittest.TestCase):
    def setUp(self):
        locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
        if "ja_JP.utf8" not in locales.split():
            self.fail("the ja_JP.UTF-8 locale is missing: tools/install-deps generates it")
        self.console = WineConsole(COMMAND)
        self.addCleanup(self.console.close)

    def test_screen_shows_the_readme_dialogue_paced(self):
        shown, prompts = without_echo("\n".join(transcript(README, PROGRAM)))
        self.assertTrue(prompts, f"no prompts in the README's transcript of {PROGRAM}")
        expected = screen_text(shown.split("\n"))
        c = self.console

        # Each prompt shows, and nothing after it, before its number is
        # typed.  The first start may make Wine's prefix.
        typed = None
        for index, (prompt_end, value) in enumerate(prompts):
            c.wait_for(screen_text(shown[:prompt_end].split("\n")),
                       timeout=120.0 if index == 0 else 30.0)
            typed = c.type(value + "\n")

        c.wait_for(expected, timeout=30.0)
        result_seen = c.first_seen(expected)
        if PROGRESS[PROGRAM]:
            paced, pause = PROGRESS[PROGRAM]
            pauses = paced.count("|")
            self.assertGreaterEqual(result_seen - typed, pauses * pause,
                                    "from the last number to the result: at least every pause")
            # The pause after the k-th piece ends, at the latest, the
            # remaining pauses before the result is seen; each piece must be
            # seen by then, not held back to arrive with the result.
            start = expected.index(paced.replace("|", ""))
            pieces = paced.split("|")[:-1]
            end = start
            for k, piece in enumerate(pieces, 1):
                end += len(piece)
                ahead = result_seen - c.first_seen(expected[:end])
                self.assertGreaterEqual(ahead, (pauses - k) * pause,
                                        f"seconds {expected[start:end]!r} was seen before the result")

        c.read_for(1.0)
        self.assertEqual(c.text(), expected, "nothing follows the result")
        self.assertTrue(c.running(), "the program pauses with its result on screen")

    @unittest.skipIf(COMMAND and is_32_bit(COMMAND[-1]),
                     "wine64 starts a 32-bit program from a launcher process, whose status "
                     "the test sees: the program's own is not observable")
    def test_ctrl_c_at_a_prompt_ends_the_program(self):
        """Ctrl+C, which Wine makes of a SIGINT to the process group as a
        terminal sends it, ends the program waiting at its first prompt
        with the status Windows gives a process ended by Ctrl+C."""
        shown, prompts = without_echo("\n".join(transcript(README, PROGRAM)))
        first_prompt = screen_text(shown[:prompts[0][0]].split("\n"))
        c = self.console
        c.wait_for(first_prompt, timeout=120.0)
        os.killpg(c.process.pid, signal.SIGINT)
        self.assertEqual(c.process.wait(timeout=30), STATUS_CONTROL_C_EXIT & 0xFF)
        c.read_for(0.2)
        self.assertEqual(c.text(), first_prompt, "nothing more was written")


if __name__ == "__main__":
    if not COMMAND:
        sys.exit(__doc__)
    unittest.main(argv=sys.argv[:1], verbosity=2)
