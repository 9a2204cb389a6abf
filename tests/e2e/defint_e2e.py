"""defint, built and run with standard input from a file or a pipe and
standard output to a file, from start to end: its final pause is only 20
seconds.

usage: defint_e2e.py COMMAND...  (the program, or an emulator and the program)"""

import sys
import time
import unittest

from console_session import RedirectedRun, sjis

COMMAND = sys.argv[1:] or ["defint"]

HEAD = ("●積分の計算●\n∫a-b[f(x)]dxを計算します\n但し、f(x)=c x^2 + dx + eとする\n\n"
        "a >>  b >>  c >>  d >>  e >>  "
        "=================RESULT=================\n")
REMINDER = "\n約分は自分でするんだよ！"


class Redirected(unittest.TestCase):
    def run_to_the_end(self, input_bytes):
        """Runs the program twice at once, with its input from a file and
        through a pipe, and returns the output, the same for both."""
        started = time.monotonic()
        runs = [RedirectedRun(COMMAND, input_bytes, through_pipe) for through_pipe in (False, True)]
        for run in runs:
            self.addCleanup(run.close)
        time.sleep(2.0)
        for run in runs:
            self.assertTrue(run.running(), "the program is in its final pause")
            self.assertEqual(run.output(), b"", "nothing is written before the pause ends")
        for run in runs:
            # Generous: an emulator may first have to set itself up.
            self.assertEqual(run.process.wait(timeout=120), 0)
        self.assertGreaterEqual(time.monotonic() - started, 20.0, "the final pause lasts 20 s")
        from_file, through_pipe = (run.output() for run in runs)
        self.assertEqual(through_pipe, from_file)
        return from_file

    def test_whole_dialogue_arrives_after_the_pause(self):
        output = self.run_to_the_end(b"0\n3\n1\n2\n3\n")
        self.assertEqual(output, sjis(HEAD + "F=1/3 x^3 + 2/2 x^2 + 3x + C\n"
                                      "∫0-3[1 x^2 + 2 + 3]＝162/6" + REMINDER))
        self.assertEqual(output.count(b"\n"), output.count(b"\r\n"))

    def test_input_that_ends_before_the_first_number(self):
        output = self.run_to_the_end(b"")
        self.assertEqual(output, sjis(HEAD + "F=0/3 x^3 + 0/2 x^2 + 0x + C\n"
                                      "∫0-0[0 x^2 + 0 + 0]＝0/6" + REMINDER))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
