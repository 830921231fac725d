#!/usr/bin/env python3
"""The Python module against the C++ call it wraps, on the largest grid
(99 × 135, Zimm, q and c order 2), in one run:

  python_side_by_side.py BUILD_DIR

The C++ figure is BM_PythonModuleEvaluateNative of zebstat_bench (evaluating
the loaded measurement and building its results, as Measurement.evaluate
does); the Python figure is Measurement.evaluate itself, with the results dict
and the points as numpy arrays. Both are medians; the ratio must stay at or
below 1.2."""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
sys.path.insert(0, os.path.join(build, "python"))
import zebstat  # noqa: E402

with tempfile.TemporaryDirectory() as folder:
    sta = os.path.join(folder, "max.sta")
    subprocess.run([os.path.join(build, "bin", "zebstat-make-examples"), "--maximal", sta], check=True)
    native = subprocess.run([os.path.join(build, "bin", "zebstat_bench"),
                             "--benchmark_filter=BM_PythonModuleEvaluateNative",
                             "--benchmark_repetitions=15", "--benchmark_format=json"],
                            check=True, stdout=subprocess.PIPE).stdout
    runs = [b for b in json.loads(native)["benchmarks"] if b.get("run_type") == "iteration"]
    cpp_ms = statistics.median(b["real_time"] for b in runs)

    m = zebstat.load(sta)
    times = []
    for _ in range(15):
        t = time.perf_counter()
        r = m.evaluate(plot="zimm", q_order=2, c_order=2)
        r.results, r.points
        times.append((time.perf_counter() - t) * 1000)
    py_ms = statistics.median(times)

print("largest grid, Zimm 2/2: C++ call %.2f ms, through Python %.2f ms, ratio %.2f (at most 1.2)"
      % (cpp_ms, py_ms, py_ms / cpp_ms))
