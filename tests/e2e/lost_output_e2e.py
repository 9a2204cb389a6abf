"""A built program whose standard output cannot be written: it runs its
dialogue and final pause as usual, then ends with status 1 and one line on
standard error, as the standard tools do."""

import concurrent.futures
import errno
import os
import subprocess
import sys
import time
import unittest

PROGRAM = sys.argv[1] if len(sys.argv) > 1 else "defint"

# The shortest final pause of the programs, defint's.
FINAL_PAUSE_SECONDS = 20

# (name, where standard output goes, the system's reason for the failure)
CASES = [
    ("full_disk", "/dev/full", errno.ENOSPC),
    ("closed", "closed", errno.EBADF),
    ("pipe_without_reader", "pipe without reader", errno.EPIPE),
]


def run_with_output(destination):
    """Runs the program to its end with numbers on standard input; returns
    its exit status, its standard error and how long it ran."""
    command = [PROGRAM]
    stdout = subprocess.DEVNULL
    if destination == "/dev/full":
        stdout = os.open("/dev/full", os.O_WRONLY)
    elif destination == "closed":
        # The shell closes descriptor 1 and becomes the program.
        command = ["/bin/sh", "-c", 'exec "$0" >&-', PROGRAM]
    else:
        reader, stdout = os.pipe()
        os.close(reader)
    started = time.monotonic()
    # The child gets the default action for SIGPIPE back (restore_signals),
    # so a write into the pipe would end it unless it ignores the signal.
    process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=stdout,
                               stderr=subprocess.PIPE)
    if stdout != subprocess.DEVNULL:
        os.close(stdout)
    _, errors = process.communicate(b"0\n3\n1\n2\n3\n", timeout=FINAL_PAUSE_SECONDS + 100)
    return process.returncode, errors, time.monotonic() - started


class LostOutput(unittest.TestCase):
    def test_status_1_and_one_message_after_the_whole_dialogue(self):
        name = os.path.basename(PROGRAM)
        with concurrent.futures.ThreadPoolExecutor(max_workers=len(CASES)) as pool:
            runs = [(case, pool.submit(run_with_output, destination), reason)
                    for case, destination, reason in CASES]
            for case, run, reason in runs:
                with self.subTest(case):
                    status, errors, seconds = run.result()
                    self.assertEqual(status, 1)
                    self.assertEqual(errors.decode(),
                                     f"{name}: write error: {os.strerror(reason)}\n")
                    self.assertGreaterEqual(seconds, FINAL_PAUSE_SECONDS,
                                            "the final pause ran as usual")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
