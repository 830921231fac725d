#!/usr/bin/env python3
"""The example of docs/architecture.md prints the batch tool's numbers:

  example_agrees.py EXAMPLE BATCH FILE OUT.svg

runs the example on FILE and `zebstat-batch eval --q-order 1 --c-order 1
--json FILE`, and compares Mw(c), Rg and A2 digit for digit (both print 17
significant digits), then checks that the example wrote its chart."""
import json
import re
import subprocess
import sys

example, batch, data, svg = sys.argv[1:5]
printed = subprocess.run([example, data, svg], check=True, stdout=subprocess.PIPE, text=True).stdout
match = re.fullmatch(r"Mw = (\S+) g/mol, Rg = (\S+) nm, A2 = (\S+) mol dm3/g2\n", printed)
if not match:
    sys.exit("the example printed %r" % printed)
results = json.loads(subprocess.run([batch, "eval", "--q-order", "1", "--c-order", "1", "--json", data],
                                    check=True, stdout=subprocess.PIPE, text=True).stdout)
for got, key in zip(match.groups(), ("MwC", "RgNm", "A2")):
    if float(got) != results[key]:
        sys.exit("%s: the example printed %s, the batch tool %r" % (key, got, results[key]))
with open(svg, encoding="utf-8") as chart:
    if "<svg" not in chart.read(4096):
        sys.exit("no chart in " + svg)
print("the example agrees with zebstat-batch: " + printed.strip())
