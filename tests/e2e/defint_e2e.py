"""defint, built and run with standard input from a file or a pipe and
standard output to a file, from start to end: its final pause is only 20
seconds.

usage: defint_e2e.py COMMAND...  (the program, or an emulator and the program)"""

import itertools
import sys
import time
import unittest

from console_session import RedirectedRun, sjis

COMMAND = sys.argv[1:] or ["defint"]

HEAD = ("●積分の計算●\n∫a-b[f(x)]dxを計算します\n但し、f(x)=c x^2 + dx + eとする\n\n"
        "a >>  b >>  c >>  d >>  e >>  "
        "=================RESULT=================\n")
REMINDER = "\n約分は自分でするんだよ！"


# (name, standard input, the result's two lines).  Windows ends a text's
# lines with CR LF, and may end the text itself with Ctrl+Z (0x1A): its C
# runtime reads CR LF as a line feed and stops at Ctrl+Z, and elsewhere CR
# is white space and Ctrl+Z stops a number like any other character.  Either
# way the dialogue is the same.
CASES = [
    ("line_feeds", b"0\n3\n1\n2\n3\n",
     "F=1/3 x^3 + 2/2 x^2 + 3x + C\n∫0-3[1 x^2 + 2 + 3]＝162/6"),
    ("input_that_ends_before_the_first_number", b"",
     "F=0/3 x^3 + 0/2 x^2 + 0x + C\n∫0-0[0 x^2 + 0 + 0]＝0/6"),
    ("cr_lf_and_ctrl_z_at_the_end", b"0\r\n3\r\n1\r\n2\r\n3\r\n\x1a",
     "F=1/3 x^3 + 2/2 x^2 + 3x + C\n∫0-3[1 x^2 + 2 + 3]＝162/6"),
    ("nothing_read_past_ctrl_z", b"0\r\n3\r\n1\x1a2\r\n3\r\n",
     "F=1/3 x^3 + 0/2 x^2 + 0x + C\n∫0-3[1 x^2 + 0 + 0]＝54/6"),
]


class Redirected(unittest.TestCase):
    def test_whole_dialogue_arrives_after_the_pause(self):
        """Every case at once, each with its input from a file and through a
        pipe: nothing is written until the 20-second pause is over, then the
        whole dialogue, the same for file and pipe."""
        started = time.monotonic()
        runs = {name: [RedirectedRun(COMMAND, input_bytes, through_pipe)
                       for through_pipe in (False, True)]
                for name, input_bytes, _ in CASES}
        for run in itertools.chain(*runs.values()):
            self.addCleanup(run.close)
        # Each run started after `started` and pauses 20 s.
        time.sleep(max(0.0, started + 19.5 - time.monotonic()))
        for name, pair in runs.items():
            for run in pair:
                self.assertTrue(run.running(), f"{name}: the final pause lasts 20 s")
                self.assertEqual(run.output(), b"", f"{name}: nothing is written before the pause ends")
        for run in itertools.chain(*runs.values()):
            # Generous: an emulator may first have to set itself up.
            self.assertEqual(run.process.wait(timeout=120), 0)
        for name, _, result in CASES:
            with self.subTest(name):
                from_file, through_pipe = (run.output() for run in runs[name])
                self.assertEqual(from_file, sjis(HEAD + result + REMINDER))
                self.assertEqual(through_pipe, from_file)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
