#!/usr/bin/python3
"""Times whole processes side by side: CPU time (user + system) of each run,
read from the kernel's accounting of the finished child (wait4), and the wall
time. The commands run in turn, one run of each per round, so that both see
the same load on the machine.

    time_processes.py RUNS NAME1 CMD1 NAME2 CMD2
        CMD is one shell-quoted command line; its output is discarded.
Prints the median of each and the ratio of the second's CPU time to the
first's.
"""

import os
import shlex
import statistics
import subprocess
import sys
import time


def run_once(argv):
    """CPU seconds (user + system) and wall seconds of one run of argv."""
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        raise SystemExit("%s exited with %d" % (shlex.join(argv), child.returncode))
    return usage.ru_utime + usage.ru_stime, wall


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    runs = int(argv[0])
    names = [argv[1], argv[3]]
    commands = [shlex.split(argv[2]), shlex.split(argv[4])]
    for cmd in commands:          # warm the page cache and the loader
        run_once(cmd)
    cpu = [[], []]
    wall = [[], []]
    for _ in range(runs):
        for i, cmd in enumerate(commands):
            c, w = run_once(cmd)
            cpu[i].append(c)
            wall[i].append(w)
    med_cpu = [statistics.median(v) for v in cpu]
    med_wall = [statistics.median(v) for v in wall]
    width = max(len(n) for n in names)
    for i in range(2):
        print("%-*s  CPU %7.1f ms (user+sys, median of %d; min %.1f, max %.1f)   wall %7.1f ms"
              % (width, names[i], med_cpu[i] * 1e3, runs, min(cpu[i]) * 1e3, max(cpu[i]) * 1e3,
                 med_wall[i] * 1e3))
    if med_cpu[0] > 0:
        print("ratio: %s takes %.1f times the CPU time of %s (wall: %.1f times)"
              % (names[1], med_cpu[1] / med_cpu[0], names[0], med_wall[1] / max(med_wall[0], 1e-9)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
