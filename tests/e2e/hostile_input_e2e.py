"""A built program on hostile standard input: whatever arrives, it writes
its whole dialogue on a console up to the final pause, with the values the
reader takes from that input, in a few megabytes of memory."""

import concurrent.futures
import os
import re
import subprocess
import sys
import threading
import unittest

from console_session import CLOSED, ConsoleSession, sjis

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "polysum"


class Dialogue:
    """A program's whole output on a console, "%d" standing for each number,
    and for each "%d" the index of the input value it repeats (None for a
    computed one)."""

    def __init__(self, text, echoes):
        pieces = [re.escape(piece) for piece in sjis(text).split(b"%d")]
        self.pattern = re.compile(rb"(-?(?:0|[1-9][0-9]*))".join(pieces), re.DOTALL)
        self.echoes = echoes
        self.reads = text.count(">>  ")


DIALOGUES = {
    "polysum": Dialogue(
        "S = Σ[k=i,n] f(k)の計算\n但し、f(k)  =  a k^3  +  b k^2 +  c k +dとする\n"
        "i >>  n >>  a >>  b >>  c >>  d >>  Now Calculating.......\n"
        "================RESULT================\n"
        "Σ[k=%d,%d] %d k^3 + %d k^2 + %d k + %d＝%d",
        [0, 1, 2, 3, 4, 5, None]),
    "choosefrac": Dialogue(
        "コンビデーションの計算　aＣb\na >>  b >>  "
        "  Now calculating" + ".." * 16 + "\n"
        "=============== RESULT ===============\n"
        "%d Ｃ %d ＝ %d/%d",
        [0, 1, None, None]),
    "defint": Dialogue(
        "●積分の計算●\n∫a-b[f(x)]dxを計算します\n但し、f(x)=c x^2 + dx + eとする\n\n"
        "a >>  b >>  c >>  d >>  e >>  "
        "=================RESULT=================\n"
        "F=%d/3 x^3 + %d/2 x^2 + %dx + C\n"
        "∫%d-%d[%d x^2 + %d + %d]＝%d/6\n約分は自分でするんだよ！",
        [2, 3, 4, 0, 1, 2, 3, 4, None]),
    "parabola": Dialogue(
        "y=ax^2+bx+c\na >>  b >>  c >>  "
        "\n\ny=%dx^2+%dx+%d\n\nNow calculating...\n"
        "========== RESULT ==========\n"
        "Origine:(x,y)=(%d/%d, %d/%d)\n"
        "3point : (0,%d) (-10,%d) (10, %d)\n"
        " Y' = %dx + %d",
        [0, 1, 2, None, None, None, None, 2, None, None, None, 1]),
}

# In a case's values: a read that fails and leaves the variable as it was.
# Every variable starts at 0, so that is the value it shows.
FAILS = 0

# Well above what a program needs (under 3 MB, about 7 MB with the
# sanitizers' runtime), far below what holding a long line would take.
MEMORY_LIMIT_KB = 16 * 1024


def digits_reading_as(value, count):
    """`count` decimal digits, a block repeated and ten chosen last, whose
    value modulo 2^32 is `value`: only a reader that takes every digit
    gets it."""
    modulus = 2 ** 32
    block = 1234567890
    blocks = count // 10 - 1
    # The blocks' value modulo 2^32: block (10^(10 blocks) - 1) / (10^10 - 1),
    # the division exact and 10^10 - 1 odd, so invertible modulo 2^32.
    head = (block * (pow(10, 10 * blocks, modulus) - 1)
            * pow(10 ** 10 - 1, -1, modulus)) % modulus
    tail = (value - head * 10 ** 10) % modulus
    return b"1234567890" * blocks + b"%010d" % tail


HUNDRED_MEGABYTES = 100_000_000

# (name, standard input, the values read): standard input is CLOSED,
# subprocess.DEVNULL or bytes through a pipe; values past the list fail.
CASES = [
    ("standard_input_closed", CLOSED, []),
    ("dev_null", subprocess.DEVNULL, []),
    ("hundred_megabytes_of_digits_on_one_line",
     digits_reading_as(3, HUNDRED_MEGABYTES) + b"\n7 7 7 7 7\n", [3, 7, 7, 7, 7, 7]),
    ("nul_bytes", b"5\0\0 6\n", [5]),
    ("nul_byte_first", b"\0" b"5\n", []),
    ("invalid_utf8", b"\xff\xfe\xc0\x80 5\n", []),
    ("valid_utf8_after_a_number", "8 数字 9\n".encode("utf-8"), [8]),
    ("shift_jis_after_a_number", "8 数字 9\n".encode("cp932"), [8]),
    ("full_width_digit_in_utf8", "５\n".encode("utf-8"), []),
    ("full_width_digit_in_shift_jis", "５\n".encode("cp932"), []),
    ("full_width_space_before_a_number", "　5\n".encode("cp932"), []),
    ("million_spaces_before_the_first_number",
     b" " * 1_000_000 + b"4 5 6 7 8 9\n", [4, 5, 6, 7, 8, 9]),
    ("plus", b"+", []),
    ("minus", b"-\n", []),
    ("plus_minus_five", b"+-5\n", [FAILS, -5]),
    ("minus_minus_five", b"--5\n", [FAILS, -5]),
]


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise AssertionError(f"no VmHWM for process {pid}")


def run_case(dialogue, stdin):
    """Runs the program on `stdin` until its final pause; returns the
    numbers it wrote and its peak memory in kB, or raises AssertionError."""
    session = ConsoleSession(PROGRAM, stdin=subprocess.PIPE if isinstance(stdin, bytes) else stdin)
    writer = None
    try:
        if isinstance(stdin, bytes):
            writer = threading.Thread(target=feed, args=(session.process.stdin, stdin))
            writer.start()
        session.read_until_match(dialogue.pattern, timeout=120.0)
        session.read_for(0.5)
        match = dialogue.pattern.fullmatch(session.received)
        if not match:
            raise AssertionError(f"more output after the result: {session.received[-200:]!r}")
        if not session.running():
            raise AssertionError("the program did not pause after its result")
        numbers = [int(number) for number in match.groups()]
        return numbers, peak_memory_kb(session.process.pid)
    finally:
        session.close()
        if writer:
            writer.join()


def feed(pipe, data):
    try:
        with pipe:
            pipe.write(data)
    except BrokenPipeError:  # the program was ended before it read all
        pass


def values_shown(dialogue, numbers):
    """The input values that `numbers`, as written, repeat."""
    shown = [None] * dialogue.reads
    for number, echo in zip(numbers, dialogue.echoes):
        if echo is not None:
            shown[echo] = number
    return shown


class HostileInput(unittest.TestCase):
    def test_every_case_runs_the_dialogue_to_its_final_pause(self):
        dialogue = DIALOGUES[os.path.basename(PROGRAM)]
        with concurrent.futures.ThreadPoolExecutor(max_workers=6) as pool:
            runs = {name: pool.submit(run_case, dialogue, stdin) for name, stdin, _ in CASES}
            for name, _, values in CASES:
                with self.subTest(name):
                    numbers, peak_kb = runs[name].result()
                    expected = (values + [FAILS] * dialogue.reads)[:dialogue.reads]
                    self.assertEqual(values_shown(dialogue, numbers), expected, numbers)
                    self.assertLess(peak_kb, MEMORY_LIMIT_KB, "peak memory in kB")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
