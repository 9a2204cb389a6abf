"""parabola, built and run on a console."""

import sys
import unittest

from console_session import check_paced, ConsoleSession, sjis

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "parabola"


class OnAConsole(unittest.TestCase):
    def test_three_dots_half_a_second_apart_and_the_result_stays(self):
        s = ConsoleSession(PROGRAM)
        self.addCleanup(s.close)
        s.read_until(sjis("y=ax^2+bx+c\na >>  "))
        s.type("1\n")
        s.read_until(b"b >>  ")
        s.type("-2\n")
        s.read_until(b"c >>  ")
        s.type("3\n")
        result = sjis("========== RESULT ==========\n"
                      "Origine:(x,y)=(2/2, 8/4)\n"
                      "3point : (0,3) (-10,123) (10, 83)\n"
                      " Y' = 2x + -2")
        received = s.read_until(sjis("\n\ny=1x^2+-2x+3\n\nNow calculating...\n") + result)
        words = received.index(b"Now calculating")
        dots = words + len(b"Now calculating")
        # The words and two dots, each followed by a pause, then the third dot.
        seen = [s.arrival_of(offset) for offset in (words, dots, dots + 1, dots + 2)]
        check_paced(self, s.typed_at, seen, pause=0.5)

        self.assertEqual(s.read_for(1.0), s.received)
        self.assertTrue(s.received.endswith(result))
        self.assertTrue(s.running(), "the program pauses with its result on screen")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
