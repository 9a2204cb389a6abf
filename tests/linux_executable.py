"""Checks a built Linux program: it needs the C library alone at run time,
no C++ runtime (libstdc++, libgcc_s) and no libm, so that it starts as
quickly and as small as a C program.

usage: linux_executable.py READELF PROGRAM"""

import re
import subprocess
import sys
import unittest

READELF, PROGRAM = sys.argv[1:3]


class LinuxExecutable(unittest.TestCase):
    def test_needs_the_c_library_alone(self):
        dynamic = subprocess.run([READELF, "--dynamic", PROGRAM], check=True,
                                 capture_output=True, text=True).stdout
        needed = re.findall(r"\(NEEDED\)\s+Shared library: \[(.+)\]", dynamic)
        self.assertEqual(needed, ["libc.so.6"])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
