#!/usr/bin/env python3
"""Evaluates the example record file as a Zimm plot with the zebstat module:
prints Mw, Rg and A2, writes the chart as SVG, and draws the Zimm plot with
matplotlib when it is installed.

Installed (the package puts the module where python3 finds it and this script
beside the examples; `make install` under PREFIX/share/zebstat/examples):

    python3 /usr/share/zebstat/examples/python/zimm.py [FILE.sta] [OUT.svg]

In the source tree, after a build:

    PYTHONPATH=build/python python3 examples/python/zimm.py [FILE.sta] [OUT.svg]

FILE.sta defaults to the example ps-toluene.sta beside this folder, OUT.svg
to zimm.svg in the current folder.
"""
import os
import sys

import zebstat

here = os.path.dirname(os.path.abspath(__file__))
data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "ps-toluene.sta")
svg = sys.argv[2] if len(sys.argv) > 2 else "zimm.svg"

m = zebstat.load(data)
r = m.evaluate(plot="zimm", q_order=1, c_order=1)
res = r.results
print("%s: %d concentrations, %d angles" % (m.sample_name, len(m.concentrations), len(m.q2)))
print("Mw = %.4g g/mol   Rg = %.4g nm   A2 = %.4g mol dm³/g²" % (res["MwQ2"], res["RgNm"], res["A2"]))
for caption, text in r.messages:
    print("%s: %s" % (caption, text))
with open(svg, "wb") as f:
    f.write(r.svg())
print("chart written to", svg)

try:
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    sys.exit(0)
p, lines = r.points, r.lines
fig, ax = plt.subplots()
ax.scatter(p["x"][p["active"]], p["y"][p["active"]], s=12, label="measured")
ax.scatter(lines["c0"]["x"], lines["c0"]["y"], marker="s", s=16, label="c = 0")
ax.scatter(lines["q0"]["x"], lines["q0"]["y"], marker="^", s=16, label="q = 0")
ax.set_xlabel("q² + k·c")
ax.set_ylabel("Kc/R")
ax.legend()
fig.savefig(os.path.splitext(svg)[0] + "-matplotlib.png", dpi=100)
print("Zimm plot drawn to", os.path.splitext(svg)[0] + "-matplotlib.png")
