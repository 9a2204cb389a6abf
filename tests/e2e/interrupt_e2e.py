"""A built program ended by SIGINT, SIGTERM or SIGHUP while a prompt waits,
during its progress animation or in its final pause, with standard output
to a file: the file keeps exactly the output produced so far, and the
program ends by that signal.  A signal ignored when the program started
stays ignored; on a console, Ctrl+C ends the final pause at once.

usage: interrupt_e2e.py COMMAND...  (the program, or an emulator and the program)"""

import concurrent.futures
import dataclasses
import fcntl
import os
import signal
import struct
import sys
import termios
import time
import unittest

from console_session import ConsoleSession, RedirectedRun, sjis

COMMAND = sys.argv[1:] or ["polysum"]
NAME = os.path.basename(COMMAND[-1]).removesuffix(".exe")

# A Windows program, run under Wine: Wine turns SIGINT into the console's
# Ctrl+C event, and the program ends with the status Windows gives a
# process ended by Ctrl+C, STATUS_CONTROL_C_EXIT, of which a POSIX parent
# sees the low byte.
WINDOWS = COMMAND[-1].endswith(".exe")
STATUS_CONTROL_C_EXIT = 0xC000013A

SIGNALS = [signal.SIGINT] if WINDOWS else [signal.SIGINT, signal.SIGTERM, signal.SIGHUP]


def send(run, number):
    """Sends signal `number` to the program.  Under Wine, to its whole
    process group, as a terminal sends Ctrl+C: a 32-bit program runs in a
    process of its own that wine64 starts, in the same group."""
    if WINDOWS:
        os.killpg(run.process.pid, number)
    else:
        os.kill(run.process.pid, number)


def returncode_after(number):
    """How the program's end shows when signal `number` ended it."""
    return STATUS_CONTROL_C_EXIT & 0xFF if WINDOWS else -number

# Generous: an end that is prompt takes milliseconds; this is no speed test.
SECONDS_TO_END = 5.0
# Past the animation's nominal end, a program slowed by a loaded machine is
# surely in its final pause.
MARGIN_SECONDS = 5.0
# How long a program that ignores a signal is given to show it does not end.
SECONDS_TO_GO_ON = 1.0


@dataclasses.dataclass
class Read:
    """A number the user types at the prompt before it."""
    number: int


@dataclasses.dataclass
class Pause:
    seconds: float


# Each program's dialogue, step by step: texts it writes, numbers it reads,
# pauses.  The last pause is the final one.
DIALOGUES = {
    "polysum": [
        "S = Σ[k=i,n] f(k)の計算\n但し、f(k)  =  a k^3  +  b k^2 +  c k +dとする\n",
        "i >>  ", Read(1), "n >>  ", Read(10), "a >>  ", Read(0), "b >>  ", Read(0),
        "c >>  ", Read(1), "d >>  ", Read(0),
        "Now Calculating", *[".", Pause(0.15)] * 7,
        "\n================RESULT================\n",
        "Σ[k=1,10] 0 k^3 + 0 k^2 + 1 k + 0＝55",
        Pause(1_000_000),
    ],
    "choosefrac": [
        "コンビデーションの計算　aＣb\n", "a >>  ", Read(10), "b >>  ", Read(3),
        "  Now calculating", *["..", Pause(0.1)] * 16, "\n",
        "=============== RESULT ===============\n",
        "10 Ｃ 3 ＝ 604800/5040",
        Pause(60),
    ],
    "defint": [
        "●積分の計算●\n∫a-b[f(x)]dxを計算します\n但し、f(x)=c x^2 + dx + eとする\n\n",
        "a >>  ", Read(0), "b >>  ", Read(3), "c >>  ", Read(1), "d >>  ", Read(2),
        "e >>  ", Read(3),
        "=================RESULT=================\n",
        "F=1/3 x^3 + 2/2 x^2 + 3x + C\n",
        "∫0-3[1 x^2 + 2 + 3]＝162/6\n約分は自分でするんだよ！",
        Pause(20),
    ],
    "parabola": [
        "y=ax^2+bx+c\n", "a >>  ", Read(1), "b >>  ", Read(-2), "c >>  ", Read(3),
        "\n\ny=1x^2+-2x+3\n\n",
        "Now calculating", Pause(0.5), ".", Pause(0.5), ".", Pause(0.5), ".\n",
        "========== RESULT ==========\n",
        "Origine:(x,y)=(2/2, 8/4)\n",
        "3point : (0,3) (-10,123) (10, 83)\n",
        " Y' = 2x + -2",
        Pause(100),
    ],
}

STEPS = DIALOGUES[NAME]
LAST_READ = max(index for index, step in enumerate(STEPS) if isinstance(step, Read))
FINAL_PAUSE = len(STEPS) - 1
ANIMATION_PAUSES = [index for index, step in enumerate(STEPS)
                    if isinstance(step, Pause) and LAST_READ < index < FINAL_PAUSE]
ANIMATION_SECONDS = sum(STEPS[index].seconds for index in ANIMATION_PAUSES)


def typed(steps):
    """The input for the numbers read in `steps`, one a line."""
    return b"".join(b"%d\n" % step.number for step in steps if isinstance(step, Read))


def written(steps):
    """What the program has written when it reaches the end of `steps`."""
    return sjis("".join(step for step in steps if isinstance(step, str)))


WHOLE_DIALOGUE = written(STEPS)


@dataclasses.dataclass
class Ending:
    output: bytes
    returncode: int
    # From the signal (or key) sent to the program's end.
    seconds: float


def start(ignored=()):
    """Starts the program with its input a pipe that stays open, output to
    a file, and the signals `ignored` ignored from the start."""
    command = COMMAND
    if ignored:
        # The shell ignores them and becomes the program, which keeps the
        # shell's process id and the ignored signals.
        names = " ".join(signal.Signals(number).name.removeprefix("SIG") for number in ignored)
        command = ["/bin/sh", "-c", f'trap "" {names}; exec "$@"', "sh", *COMMAND]
    return RedirectedRun(command, b"", keep_open=True)


def process_state(pid):
    with open(f"/proc/{pid}/stat") as stat:
        # The state follows the command name, which ends with the last ")".
        return stat.read().rpartition(")")[2].split()[0]


def wait_until_blocked(run, given, timeout=60.0):
    """Waits until the program has taken all input given so far and sleeps:
    the pipe is empty and the process waits (state S).  Each check then holds
    for good: the pipe only empties, and once it is empty the program can
    only sleep where it reads or pauses.  Returns a moment no later than the
    program took the last of the input: `given`, when the input was given,
    or the last check that still saw some of it in the pipe, if later (a
    program slow to start, as under Wine, takes its input late)."""
    pipe = run.process.stdin.fileno()
    deadline = time.monotonic() + timeout
    not_yet_taken = given
    while True:
        checked = time.monotonic()
        pending = struct.unpack("i", fcntl.ioctl(pipe, termios.FIONREAD, b"\0" * 4))[0]
        if pending > 0:
            not_yet_taken = checked
        elif process_state(run.process.pid) == "S":
            return not_yet_taken
        if time.monotonic() > deadline or not run.running():
            raise AssertionError(f"the program did not take its input and wait: "
                                 f"{pending} bytes left, running: {run.running()}")
        time.sleep(0.002)


def sleep_until(moment):
    time.sleep(max(0.0, moment - time.monotonic()))


def end_by(run, number):
    """Sends signal `number`; returns how the program ended."""
    sent = time.monotonic()
    send(run, number)
    returncode = run.process.wait(timeout=60)
    return Ending(run.output(), returncode, time.monotonic() - sent)


def at_a_prompt(number):
    """Some numbers given and taken, the program waiting for the last."""
    run = start()
    try:
        given = time.monotonic()
        run.give(typed(STEPS[:LAST_READ]))
        wait_until_blocked(run, given)
        return end_by(run, number)
    finally:
        run.close()


def during_the_animation(number):
    """All numbers given, the signal sent halfway through the animation.
    The program cannot reach its final pause before the animation's pauses
    have passed since the last number was sent, so a signal sent by then
    falls into the animation; if the test was too slow for that, it tries
    again."""
    for _ in range(5):
        run = start()
        try:
            given = time.monotonic()
            run.give(typed(STEPS))
            taken = wait_until_blocked(run, given)
            sleep_until(taken + ANIMATION_SECONDS / 2)
            sending = time.monotonic()
            send(run, number)
            if time.monotonic() < taken + ANIMATION_SECONDS:
                returncode = run.process.wait(timeout=60)
                return Ending(run.output(), returncode, time.monotonic() - sending)
        finally:
            run.close()
    raise AssertionError("could not send the signal during the animation")


def in_the_final_pause(number):
    run = start()
    try:
        given = time.monotonic()
        run.give(typed(STEPS))
        wait_until_blocked(run, given)
        # Counted from when the numbers were seen taken: a program slow to
        # start (Wine making its prefix) takes them late.
        sleep_until(time.monotonic() + ANIMATION_SECONDS + MARGIN_SECONDS)
        return end_by(run, number)
    finally:
        run.close()


def with_sigint_ignored():
    """SIGINT ignored from the start, sent while a prompt waits: the program
    must go on and read the last number; SIGTERM in the final pause then
    ends it.  Returns whether it went on, and how it ended."""
    run = start(ignored=[signal.SIGINT])
    try:
        run.give(typed(STEPS[:LAST_READ]))
        wait_until_blocked(run, time.monotonic())
        os.kill(run.process.pid, signal.SIGINT)
        time.sleep(SECONDS_TO_GO_ON)
        went_on = run.running()
        if not went_on:
            return went_on, Ending(run.output(), run.process.wait(), SECONDS_TO_GO_ON)
        run.give(typed(STEPS[LAST_READ:]))
        wait_until_blocked(run, time.monotonic())
        sleep_until(time.monotonic() + ANIMATION_SECONDS + MARGIN_SECONDS)
        return went_on, end_by(run, signal.SIGTERM)
    finally:
        run.close()


def ctrl_c_on_a_console():
    """The whole dialogue on a pseudo-terminal that is the program's
    controlling terminal, then Ctrl+C typed in the final pause."""
    session = ConsoleSession(COMMAND, controlling_terminal=True)
    try:
        if not termios.tcgetattr(session.master)[3] & termios.ISIG:
            raise AssertionError("the terminal does not turn Ctrl+C into SIGINT")
        session.type(typed(STEPS).decode())
        session.read_until(WHOLE_DIALOGUE, timeout=60)
        session.type("\x03")
        pressed = session.typed_at
        returncode = session.process.wait(timeout=60)
        seconds = time.monotonic() - pressed
        # Whatever the program wrote before it ended.
        session.read_for(0.2)
        return Ending(session.received, returncode, seconds)
    finally:
        session.close()


POINTS = {"at_a_prompt": at_a_prompt, "during_the_animation": during_the_animation,
          "in_the_final_pause": in_the_final_pause}


def expected_outputs(point):
    if point == "at_a_prompt":
        return {written(STEPS[:LAST_READ])}
    if point == "during_the_animation":
        return {written(STEPS[:index]) for index in ANIMATION_PAUSES}
    return {WHOLE_DIALOGUE}


def readable(output):
    return repr(output.decode("cp932", errors="backslashreplace"))


class Interrupted(unittest.TestCase):
    def check_ending(self, ending, expected_outputs, number):
        if ending.output not in expected_outputs:
            self.fail(f"the output\n{readable(ending.output)}\nis none of\n"
                      + "\n".join(readable(output) for output in sorted(expected_outputs)))
        self.assertEqual(ending.returncode, returncode_after(number), "ended by the signal")
        self.assertLess(ending.seconds, SECONDS_TO_END, "seconds from the signal to the end")

    def test_output_so_far_kept_and_ended_by_the_signal(self):
        # defint has no animation.
        points = [point for point in POINTS
                  if ANIMATION_PAUSES or point != "during_the_animation"]
        rows = [(point, number) for point in points for number in SIGNALS]
        with concurrent.futures.ThreadPoolExecutor(max_workers=len(rows)) as pool:
            endings = {row: pool.submit(POINTS[row[0]], row[1]) for row in rows}
            for (point, number), ending in endings.items():
                with self.subTest(point=point, signal=signal.Signals(number).name):
                    self.check_ending(ending.result(), expected_outputs(point), number)

    # Signals ignored from the start and the terminal's own Ctrl+C are for
    # POSIX programs; Wine handles both on its own.
    @unittest.skipIf(WINDOWS, "a POSIX program's signals")
    def test_ignored_signal_and_ctrl_c_on_a_console(self):
        with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
            ignored = pool.submit(with_sigint_ignored)
            console = pool.submit(ctrl_c_on_a_console)
            with self.subTest("sigint_ignored_from_the_start"):
                went_on, ending = ignored.result()
                self.assertTrue(went_on, "SIGINT, ignored from the start, did not end it")
                self.check_ending(ending, {WHOLE_DIALOGUE}, signal.SIGTERM)
            with self.subTest("ctrl_c_on_a_console_in_the_final_pause"):
                self.check_ending(console.result(), {WHOLE_DIALOGUE}, signal.SIGINT)


def default_dispositions():
    """Programs inherit ignored and blocked signals: a test started with
    them ignored (a background job of a script) would pass that on."""
    if signal.getsignal(signal.SIGINT) == signal.SIG_IGN:
        signal.signal(signal.SIGINT, signal.default_int_handler)
    for number in (signal.SIGTERM, signal.SIGHUP):
        if signal.getsignal(number) == signal.SIG_IGN:
            signal.signal(number, signal.SIG_DFL)
    signal.pthread_sigmask(signal.SIG_UNBLOCK, SIGNALS)


if __name__ == "__main__":
    default_dispositions()
    unittest.main(argv=sys.argv[:1], verbosity=2)
