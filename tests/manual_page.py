"""Checks a program's manual page: man renders it without a single warning,
on a UTF-8 terminal and in the plain C locale, and its EXAMPLES show the
README's transcript of the program line for line.

usage: manual_page.py PAGE README   (PAGE is <program>/<program>.1)"""

import os
import re
import subprocess
import sys
import unittest

from readme_transcript import transcript

PAGE = README = None


def render(page, locale, *options):
    """What man shows for `page` in `locale`: its output without formatting
    and its messages on standard error."""
    environment = dict(os.environ, LC_ALL=locale, MANWIDTH="120")
    for setting in ("MANOPT", "MAN_KEEP_FORMATTING", "MANPAGER", "PAGER"):
        environment.pop(setting, None)
    run = subprocess.run(["man", *options, "-l", page], env=environment,
                         capture_output=True, text=True, encoding="utf-8")
    if run.returncode != 0:
        raise AssertionError(f"man {' '.join(options)} -l {page}: status {run.returncode}\n"
                             f"{run.stderr}")
    return re.sub(".\b", "", run.stdout), run.stderr


def follows_at(lines, start, expected):
    """Whether `expected` stands in `lines` from `start` on, all indented as
    the first line is."""
    indent = len(lines[start]) - len(lines[start].lstrip())
    shown = [line[indent:].rstrip() for line in lines[start:start + len(expected)]]
    return shown == [line.rstrip() for line in expected]


class ManualPage(unittest.TestCase):
    def test_renders_without_warnings(self):
        for locale in ("C.UTF-8", "C"):
            with self.subTest(locale=locale):
                _, messages = render(PAGE, locale, "--warnings")
                self.assertEqual(messages, "")

    def test_examples_show_the_readme_transcript(self):
        program = os.path.basename(PAGE).removesuffix(".1")
        # groff draws the ideographic space as two spaces.
        expected = [line.replace("\u3000", "  ") for line in transcript(README, program)]
        shown, _ = render(PAGE, "C.UTF-8")
        lines = shown.splitlines()
        examples = lines.index("EXAMPLES")
        found = [start for start in range(examples, len(lines))
                 if lines[start].strip() == expected[0].strip()
                 and follows_at(lines, start, expected)]
        self.assertTrue(found, "the README's transcript:\n" + "\n".join(expected)
                        + "\n\nthe page:\n" + "\n".join(lines[examples:]))


if __name__ == "__main__":
    PAGE, README = sys.argv[1:3]
    unittest.main(argv=sys.argv[:1], verbosity=2)
