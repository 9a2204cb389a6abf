"""choosefrac, built and run on a console."""

import sys
import unittest

from console_session import check_paced, ConsoleSession, sjis

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "choosefrac"

TITLE = sjis("コンビデーションの計算　aＣb\n")
HEADING = sjis("\n=============== RESULT ===============\n")


class OnAConsole(unittest.TestCase):
    def setUp(self):
        self.session = ConsoleSession(PROGRAM)
        self.addCleanup(self.session.close)

    def test_dots_arrive_over_a_second_and_a_half_and_the_result_stays(self):
        s = self.session
        s.read_until(TITLE + b"a >>  ")
        s.type("10\n")
        s.read_until(b"b >>  ")
        s.type("3\n")
        result = HEADING + sjis("10 Ｃ 3 ＝ 604800/5040")
        received = s.read_until(result)
        first_dot = received.index(b"Now calculating") + len(b"Now calculating")
        # Sixteen pairs of dots, each followed by a pause, then the line break.
        seen = [s.arrival_of(first_dot + 2 * k) for k in range(17)]
        check_paced(self, s.typed_at, seen, pause=0.1)

        self.assertEqual(s.read_for(1.0), s.received)
        self.assertTrue(s.received.endswith(result))
        self.assertTrue(s.running(), "the program pauses with its result on screen")

    def test_b_of_34_or_more_ends_in_the_pause_not_in_a_crash(self):
        s = self.session
        s.read_until(b"a >>  ")
        s.type("40 34\n")
        s.read_until(HEADING + sjis("40 Ｃ 34 ＝ overflow"))
        self.assertEqual(s.read_for(1.0), s.received)
        self.assertTrue(s.running(), "the program is alive in its final pause")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
