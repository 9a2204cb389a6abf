"""How quickly polysum shows its first screen on a console, and how much
memory it takes, against a minimal C program that writes the same bytes.

usage: first_prompt.py POLYSUM FIRST_SCREEN [ROUNDS]

Both run on a pseudo-terminal, interleaved, ROUNDS times each (default 300).
For each start: the time from starting the process to the first screen's
last byte arriving, and the process's peak resident memory (VmHWM) while it
waits at the prompt.  Prints the medians and the ratios."""

import os
import pty
import select
import statistics
import subprocess
import sys
import termios
import time

FIRST_SCREEN = ("S = Σ[k=i,n] f(k)の計算\n但し、f(k)  =  a k^3  +  b k^2 +  c k +dとする\n"
                "i >>  ").replace("\n", "\r\n").encode("cp932")


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError("no VmHWM")


def one_start(command):
    master, slave = pty.openpty()
    # The bytes as written: no output processing by the terminal.
    attributes = termios.tcgetattr(slave)
    attributes[1] &= ~termios.OPOST
    termios.tcsetattr(slave, termios.TCSANOW, attributes)
    started = time.perf_counter()
    process = subprocess.Popen(command, stdin=slave, stdout=slave, close_fds=True)
    os.close(slave)
    received = b""
    while not received.endswith(b"i >>  "):
        select.select([master], [], [], 5.0)
        received += os.read(master, 4096)
    seconds = time.perf_counter() - started
    if received != FIRST_SCREEN:
        raise RuntimeError(f"unexpected first screen: {received!r}")
    memory = peak_memory_kb(process.pid)
    process.kill()
    process.wait()
    os.close(master)
    return seconds, memory


def main():
    polysum, first_screen = sys.argv[1:3]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 300
    commands = {"polysum": [polysum], "minimal C program": [first_screen, FIRST_SCREEN]}
    results = {name: [] for name in commands}
    for _ in range(rounds):
        for name, command in commands.items():
            results[name].append(one_start(command))
    medians = {}
    for name, runs in results.items():
        medians[name] = (statistics.median(s for s, _ in runs),
                         statistics.median(m for _, m in runs))
        print(f"{name:18} first screen after {medians[name][0] * 1000:.3f} ms (median), "
              f"peak memory {medians[name][1]} kB (median), {rounds} starts")
    (p_time, p_memory), (c_time, c_memory) = medians["polysum"], medians["minimal C program"]
    print(f"polysum / C: time {p_time / c_time:.3f}, memory {p_memory / c_memory:.3f}")


if __name__ == "__main__":
    main()
