"""Checks a built Windows program: a console executable for the expected
processor that imports nothing beyond the DLLs of Windows itself, so that it
starts on a clean system.

usage: windows_executable.py OBJDUMP PROCESSOR PROGRAM.exe
PROCESSOR is x86 (a 32-bit PE32 file) or AMD64 (a 64-bit PE32+ file)."""

import re
import subprocess
import sys
import unittest

OBJDUMP, PROCESSOR, PROGRAM = sys.argv[1:4]

EXPECTED_FORMAT = {"x86": ("pei-i386", "PE32"), "AMD64": ("pei-x86-64", "PE32+")}[PROCESSOR]

# Part of every Windows installation.
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll"}


def header_field(pattern, headers):
    found = re.search(pattern, headers)
    return found.group(1) if found else None


class WindowsExecutable(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.headers = subprocess.run([OBJDUMP, "-p", PROGRAM], check=True,
                                     capture_output=True, text=True).stdout

    def test_file_format_and_processor(self):
        file_format = header_field(r"file format (\S+)", self.headers)
        magic = header_field(r"Magic\s+[0-9a-f]+\s+\((\S+)\)", self.headers)
        self.assertEqual((file_format, magic), EXPECTED_FORMAT)

    def test_console_subsystem(self):
        subsystem = header_field(r"Subsystem\s+[0-9a-f]+\s+\((.+)\)", self.headers)
        self.assertEqual(subsystem, "Windows CUI")

    def test_needs_only_system_dlls(self):
        dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", self.headers)}
        self.assertIn("kernel32.dll", dlls, "the import table is read")
        self.assertLessEqual(dlls, SYSTEM_DLLS)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
