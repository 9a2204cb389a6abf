"""polysum, built and run: on a console and with redirected output."""

import subprocess
import sys
import time
import unittest

from console_session import check_paced, ConsoleSession, RedirectedRun, sjis

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "polysum"

TITLE = sjis("S = Σ[k=i,n] f(k)の計算\n但し、f(k)  =  a k^3  +  b k^2 +  c k +dとする\n")
HEADING = sjis("\n================RESULT================\n")


class OnAConsole(unittest.TestCase):
    def setUp(self):
        self.session = ConsoleSession(PROGRAM)
        self.addCleanup(self.session.close)

    def test_whole_dialogue_with_dots_apart_and_result_during_the_pause(self):
        s = self.session
        s.read_until(TITLE + b"i >>  ")
        for name, value in zip("nabcd", ["1", "10", "0", "0", "1"]):
            s.type(value + "\n")
            s.read_until(f"{name} >>  ".encode())
        s.type("0\n")
        result = HEADING + sjis("Σ[k=1,10] 0 k^3 + 0 k^2 + 1 k + 0＝55")
        received = s.read_until(result)
        first_dot = received.index(b"Now Calculating") + len(b"Now Calculating")
        # Seven dots, each followed by a pause, then the result.
        seen = [s.arrival_of(first_dot + k) for k in range(8)]
        check_paced(self, s.typed_at, seen, pause=0.15)

        self.assertTrue(s.received.endswith(result))
        self.assertEqual(s.read_for(1.0), s.received, "nothing follows the result")
        self.assertTrue(s.running(), "the program pauses with its result on screen")

    def test_six_numbers_on_one_line_pass_the_other_prompts(self):
        s = self.session
        s.read_until(b"i >>  ")
        s.type("-2147483648 2147483646 0 0 0 1\n")
        s.read_until(sjis("Σ[k=-2147483648,2147483646] 0 k^3 + 0 k^2 + 0 k + 1＝-1"))
        self.assertIn(b"i >>  n >>  a >>  b >>  c >>  d >>  Now Calculating", s.received)
        self.assertTrue(s.running())

    def test_letters_make_the_remaining_prompts_pass_at_once(self):
        s = self.session
        s.read_until(b"i >>  ")
        s.type("12abc\n")
        s.read_until(sjis("Σ[k=12,0] 0 k^3 + 0 k^2 + 0 k + 0＝0"))
        self.assertTrue(s.running())


class WithoutInput(unittest.TestCase):
    def test_dialogue_runs_to_its_end_when_input_is_empty(self):
        s = ConsoleSession(PROGRAM, stdin=subprocess.DEVNULL)
        self.addCleanup(s.close)
        s.read_until(TITLE + b"i >>  n >>  a >>  b >>  c >>  d >>  Now Calculating")
        s.read_until(sjis("Σ[k=0,0] 0 k^3 + 0 k^2 + 0 k + 0＝0"))
        self.assertTrue(s.running())


class Redirected(unittest.TestCase):
    def test_file_stays_empty_while_the_program_pauses(self):
        run = RedirectedRun(PROGRAM, b"1\n10\n0\n0\n1\n0\n")
        self.addCleanup(run.close)
        # The dots take 1.05 s; by 2.5 s the program is in its final pause.
        time.sleep(2.5)
        self.assertTrue(run.running())
        self.assertEqual(run.output(), b"")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
