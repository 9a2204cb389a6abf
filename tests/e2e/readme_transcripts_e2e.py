"""The README's transcripts, replayed on the built programs: the values
shown after each ">>  " are typed at that prompt on a console, and the
screen (what the program writes, decoded from code page 932, with each
typed value and its line break where the console echoes them) must read as
the README's transcript, line for line, up to the result.

usage: readme_transcripts_e2e.py README PROGRAM...  (the transcript of each
program is the one under the heading "### <program's file name>")"""

import os
import re
import sys
import unittest

from console_session import ConsoleSession

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from readme_transcript import transcript  # noqa: E402

PROMPT_END = ">>  "

README = None
PROGRAMS = []


def readable(output):
    """Bytes a program wrote, as a console showing code page 932 shows them."""
    return output.decode("cp932", errors="replace").replace("\r\n", "\n")


def replay(program, lines):
    """Types the values of the transcript `lines` at their prompts and
    returns the screen once as much has arrived as the transcript shows, or
    when no more comes."""
    session = ConsoleSession(program)
    try:
        screen = ""
        shown = 0  # bytes of the output already on `screen`
        typed_lines = [index for index, line in enumerate(lines) if PROMPT_END in line]
        for index in typed_lines:
            prompt, value = lines[index].split(PROMPT_END, 1)
            prompt += PROMPT_END
            # The program waits for input with the prompt as the last thing
            # it wrote.
            waiting = re.compile(re.escape(session.received[:shown]) + b".*"
                                 + re.escape(prompt.encode("cp932")), re.DOTALL)
            try:
                session.read_until_match(waiting)
            except AssertionError:
                return screen + readable(session.received[shown:])
            screen += readable(session.received[shown:]) + value + "\n"
            shown = len(session.received)
            session.type(value + "\n")

        rest = "\n".join(lines[typed_lines[-1] + 1:] if typed_lines else lines)
        expected_bytes = len(rest.replace("\n", "\r\n").encode("cp932"))
        try:
            session.read_until_match(
                re.compile(b".{%d,}" % (shown + expected_bytes), re.DOTALL))
        except AssertionError:
            pass
        # Anything the program writes beyond the transcript arrives with it.
        session.read_for(0.2)
        return screen + readable(session.received[shown:])
    finally:
        session.close()


class ReadmeTranscripts(unittest.TestCase):
    def test_each_program_shows_its_transcript(self):
        for program in PROGRAMS:
            name = os.path.basename(program)
            with self.subTest(program=name):
                lines = transcript(README, name)
                self.assertEqual(replay(program, lines).split("\n"), lines)


if __name__ == "__main__":
    README, *PROGRAMS = sys.argv[1:]
    unittest.main(argv=sys.argv[:1], verbosity=2)
