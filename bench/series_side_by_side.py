#!/usr/bin/python3
"""A series of 1,000 measurements of the example's size (ps-toluene.sta: 4
concentrations x 13 angles, copied under 1,000 names) evaluated into one
table, side by side in one run:

  - zebstat-batch series --jobs 1 and --jobs 2 (whole processes, the table
    written to a file),
  - zebstat.table with jobs 1 and 2 (when the Python module is built),
  - a numpy loop doing the same evaluation per file (numpy_peer.evaluate, the
    method of bench/numpy_peer.py; the loop alone, without starting Python).

Each round runs every contestant once, in turn, so that all see the same load
on the machine; the figures are measurements per second of the best round and
the median one. Two series processes of 1 job run at once tell what
the machine's cores give two jobs when others use them too. Then the peak memory (RSS) of the series command for 1,000
and for 10,000 measurements. Goals: the series command at least 20 times the
numpy loop, 2 jobs at least 1.8 times as fast as 1, memory flat.

    series_side_by_side.py [BUILD_DIR] [--rounds N]
"""
import argparse
import csv
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import numpy_peer  # noqa: E402
from time_processes import run_once  # noqa: E402

OPTIONS = ["--plot", "zimm", "--q-order", "1", "--c-order", "1"]
KEYWORDS = {"plot": "zimm", "q_order": 1, "c_order": 1}


def copies(source, folder, count):
    """count copies of source in folder, named in order."""
    os.makedirs(folder)
    for i in range(count):
        shutil.copyfile(source, os.path.join(folder, "m%05d.sta" % i))
    return folder


def peak_rss_kb(argv):
    """The peak resident memory of one run of argv, as /usr/bin/time reads it
    from the kernel. (A child of this process would count the pages of the
    interpreter it was forked from before its exec.)"""
    run = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                         text=True, check=True)
    return int(run.stderr.split()[-1])


def numpy_loop(files):
    start = time.perf_counter()
    for f in files:
        numpy_peer.evaluate(f, numpy_peer.PLOT_TYPES["zimm"], 1, 1, False)
    return time.perf_counter() - start


def check_same_evaluation(batch, file, table):
    """The numpy loop's numbers are the series table's (first row)."""
    with open(table, newline="") as f:
        row = next(csv.DictReader(f))
    peer = numpy_peer.evaluate(file, numpy_peer.PLOT_TYPES["zimm"], 1, 1, False)
    for ours, theirs in (("MwC", "MwC"), ("RgNm", "RgNm"), ("A2", "A2")):
        if abs(float(row[ours]) - peer[theirs]) > 1e-9 * abs(peer[theirs]):
            raise SystemExit("the numpy loop and the series table differ in %s: %s, %r" % (ours, row[ours], peer[theirs]))


def main(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("build", nargs="?", default="build")
    p.add_argument("--rounds", type=int, default=5)
    args = p.parse_args(argv)
    build = os.path.abspath(args.build)
    batch = os.path.join(build, "bin", "zebstat-batch")
    zebstat = None
    if os.path.isdir(os.path.join(build, "python")):
        sys.path.insert(0, os.path.join(build, "python"))
        import zebstat

    with tempfile.TemporaryDirectory(prefix="zebstat-series-") as work:
        os.makedirs(os.path.join(work, "examples"))
        subprocess.run([os.path.join(build, "bin", "zebstat-make-examples"), os.path.join(work, "examples")],
                       check=True, stdout=subprocess.DEVNULL)
        example = os.path.join(work, "examples", "ps-toluene.sta")
        thousand = copies(example, os.path.join(work, "1000"), 1000)
        files = [os.path.join(thousand, f) for f in sorted(os.listdir(thousand))]
        table = os.path.join(work, "table.csv")

        def series(jobs, folder=thousand):
            return [batch, "series", "--jobs", str(jobs), "--no-progress", *OPTIONS, folder]

        def series_to_table(jobs):
            with open(table, "wb") as out:
                start = time.perf_counter()
                subprocess.run(series(jobs), stdout=out, check=True)
                return time.perf_counter() - start

        contestants = {"zebstat-batch series --jobs 1": lambda: series_to_table(1),
                       "zebstat-batch series --jobs 2": lambda: series_to_table(2)}
        if zebstat:
            contestants["zebstat.table(jobs=1)"] = lambda: timed(lambda: zebstat.table(thousand, jobs=1, **KEYWORDS))
            contestants["zebstat.table(jobs=2)"] = lambda: timed(lambda: zebstat.table(thousand, jobs=2, **KEYWORDS))
        contestants["numpy loop (numpy_peer.evaluate)"] = lambda: numpy_loop(files)

        def two_processes():
            # What the machine gives two jobs: two independent series processes at once.
            start = time.perf_counter()
            children = [subprocess.Popen(series(1), stdout=subprocess.DEVNULL) for _ in range(2)]
            if any(child.wait() != 0 for child in children):
                raise SystemExit("the series command failed")
            return (time.perf_counter() - start) / 2
        contestants["series --jobs 1, 2 processes together"] = two_processes

        series_to_table(1)  # the files in the page cache, the table to check
        check_same_evaluation(batch, files[0], table)
        cpu = {jobs: run_once(series(jobs))[0] for jobs in (1, 2)}
        seconds = {name: [] for name in contestants}
        for _ in range(args.rounds):
            for name, run in contestants.items():
                seconds[name].append(run())

        load = os.getloadavg()[0]
        print("== A series of 1,000 measurements (4 x 13) into one table, zimm q 1 c 1: measurements per second, "
              "best and median of %d rounds (load average %.1f on %d cores)" % (args.rounds, load, os.cpu_count()))
        rate = {}
        for name, runs in seconds.items():
            rate[name] = len(files) / min(runs)
            print("  %-38s %8.0f per s   (median %8.0f)" % (name, rate[name], len(files) / statistics.median(runs)))
        print("  CPU time of the series command: %.0f µs per measurement with 1 job, %.0f µs with 2"
              % (cpu[1] / len(files) * 1e6, cpu[2] / len(files) * 1e6))
        one, two = rate["zebstat-batch series --jobs 1"], rate["zebstat-batch series --jobs 2"]
        numpy = rate["numpy loop (numpy_peer.evaluate)"]
        print("  series / numpy loop: %.1f with 1 job, %.1f with 2 (goal: at least 20)" % (one / numpy, two / numpy))
        print("  2 jobs / 1 job: %.2f (goal: at least 1.8); two processes of 1 job at once / one: %.2f (what the "
              "machine's cores give)" % (two / one, rate["series --jobs 1, 2 processes together"] / one))

        ten_thousand = copies(example, os.path.join(work, "10000"), 10000)
        small, large = peak_rss_kb(series(2)), peak_rss_kb(series(2, ten_thousand))
        print("  peak RSS of series --jobs 2: %.1f MB for 1,000, %.1f MB for 10,000 measurements (goal: flat)"
              % (small / 1024, large / 1024))
    return 0


def timed(work):
    start = time.perf_counter()
    work()
    return time.perf_counter() - start


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
