#!/usr/bin/env python3
"""The regression corpus of zebstat-batch: what the batch tool prints and
writes for every example file and the generated corpus files, under a set of
analysis options over all plot types, orders, smoothing, weighting, k,
deactivations, axis ranges and form factors.

  regression_corpus.py write BATCH MAKE_EXAMPLES MANIFEST   records the outputs
  regression_corpus.py check BATCH MAKE_EXAMPLES MANIFEST [--part I/N] [--every K]
                                                            compares with them

check --part I/N runs the I-th of N parts of the cases (0 <= I < N), so that
the parts can run at once; --every K runs every K-th case only (the sanitizer
build, where each run is slow). Every part still checks that the manifest and
the cases name the same cases.

The manifest holds, per case and output (stdout, stderr, exit status, the SVG
and WMF charts, the ASCII, ratio and PLX exports), the SHA-256 of the bytes. A
changed output names the case and the command that reproduces it. The files are
read through /proc/self/cwd, so the paths the outputs quote are the same on
every machine.
"""
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

EXAMPLES = ["ps-toluene.sta", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx", "ps-small.asc"]

# Each option set: a name and the analysis and chart options.
OPTION_SETS = []
for plot in ["zimm", "berry", "guinier", "d1", "d2", "d3"]:
    OPTION_SETS.append((plot + "-1-1", ["--plot", plot, "--q-order", "1", "--c-order", "1"]))
for q, c in [(0, 0), (2, 1), (1, 2), (3, 3), (5, 5), (0, 2), (2, 0), (4, 1)]:
    OPTION_SETS.append(("zimm-%d-%d" % (q, c), ["--plot", "zimm", "--q-order", str(q), "--c-order", str(c)]))
for q, c in [(0, 0), (2, 1), (3, 3)]:
    OPTION_SETS.append(("d1-%d-%d" % (q, c), ["--plot", "d1", "--q-order", str(q), "--c-order", str(c)]))
OPTION_SETS += [
    ("zimm-smooth", ["--plot", "zimm", "--q-order", "2", "--c-order", "1", "--smooth"]),
    ("berry-smooth-weight", ["--plot", "berry", "--q-order", "3", "--c-order", "2", "--smooth", "--weight"]),
    ("zimm-weight", ["--plot", "zimm", "--q-order", "1", "--c-order", "1", "--weight"]),
    ("d2-weight", ["--plot", "d2", "--q-order", "2", "--c-order", "1", "--weight"]),
    ("d3-smooth", ["--plot", "d3", "--q-order", "2", "--c-order", "2", "--smooth"]),
    ("zimm-k", ["--plot", "zimm", "--q-order", "1", "--c-order", "1", "--k", "5"]),
    ("zimm-deactivate", ["--plot", "zimm", "--q-order", "1", "--c-order", "1", "--deactivate", "1:2,2:3"]),
    ("guinier-deactivate", ["--plot", "guinier", "--q-order", "2", "--c-order", "2", "--deactivate", "1:1,1:2,1:3"]),
    ("zimm-ranges", ["--plot", "zimm", "--q-order", "1", "--c-order", "1", "--x-range", "0", "5",
                     "--y-range", "0.5e-6", "3e-6"]),
    ("zimm-formfactor", ["--plot", "zimm", "--q-order", "2", "--c-order", "1", "--form-factor", "coil-md,rod",
                         "--representation", "1"]),
]

OUTPUTS = ["chart.svg", "chart.wmf", "export.asc", "export.rat", "export.plx"]


def sha(data):
    return hashlib.sha256(data).hexdigest()


def run_case(batch, work, name, options):
    """Runs one case in the folder work; returns {output: sha256}."""
    for out in OUTPUTS:
        if os.path.exists(os.path.join(work, out)):
            os.unlink(os.path.join(work, out))
    data = "/proc/self/cwd/" + name
    first = [batch, "eval"] + options + ["--results", "--json", "--dump", "--choose", "0 1 2",
                                         "--export-asc", "export.asc", "--export-rat", "export.rat",
                                         "--export-plx", "export.plx", "--plot-file", "chart.svg", data]
    second = [batch, "eval"] + options + ["--plot-file", "chart.wmf", data]
    env = dict(os.environ, LC_ALL="C")
    got = {}
    for tag, cmd in (("run1", first), ("run2", second)):
        p = subprocess.run(cmd, cwd=work, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        got[tag + ".stdout"] = sha(p.stdout)
        got[tag + ".stderr"] = sha(p.stderr)
        got[tag + ".status"] = str(p.returncode)
    for out in OUTPUTS:
        path = os.path.join(work, out)
        got[out] = sha(open(path, "rb").read()) if os.path.exists(path) else "absent"
    return got, first


def cases(batch, make_examples, work):
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples")
    for name in EXAMPLES:
        shutil.copyfile(os.path.join(source, name), os.path.join(work, name))
    listed = subprocess.run([make_examples, "--corpus", work], stdout=subprocess.PIPE, check=True).stdout
    generated = [os.path.basename(line) for line in listed.decode().split()]
    for name in EXAMPLES + generated:
        for label, options in OPTION_SETS:
            yield name + "/" + label, name, options


def selection(args):
    """(part, parts, every) from --part I/N and --every K; None when malformed."""
    part, parts, every = 0, 1, 1
    i = 0
    try:
        while i < len(args):
            if args[i] == "--part" and i + 1 < len(args):
                part, parts = (int(v) for v in args[i + 1].split("/"))
            elif args[i] == "--every" and i + 1 < len(args):
                every = int(args[i + 1])
            else:
                return None
            i += 2
    except ValueError:
        return None
    if parts < 1 or not 0 <= part < parts or every < 1:
        return None
    return part, parts, every


def main():
    if len(sys.argv) < 5 or sys.argv[1] not in ("write", "check"):
        sys.stderr.write(__doc__)
        return 2
    mode, batch, make_examples, manifest = sys.argv[1:5]
    chosen = selection(sys.argv[5:])
    if chosen is None or (mode == "write" and len(sys.argv) > 5):
        sys.stderr.write(__doc__)
        return 2
    part, parts, every = chosen
    batch = os.path.abspath(batch)
    make_examples = os.path.abspath(make_examples)
    work = tempfile.mkdtemp(prefix="zebstat-corpus-")
    try:
        if mode == "write":
            lines = []
            for case, name, options in cases(batch, make_examples, work):
                got, _ = run_case(batch, work, name, options)
                lines += ["%s\t%s\t%s" % (case, out, digest) for out, digest in sorted(got.items())]
            with open(manifest + ".tmp", "w") as f:
                f.write("# case\toutput\tsha256 (written by tools/regression_corpus.py)\n")
                f.write("\n".join(lines) + "\n")
            os.replace(manifest + ".tmp", manifest)
            print("%d outputs recorded in %s" % (len(lines), manifest))
            return 0
        expected = {}
        for line in open(manifest):
            if line.startswith("#") or not line.strip():
                continue
            case, out, digest = line.rstrip("\n").split("\t")
            expected.setdefault(case, {})[out] = digest
        changed = 0
        seen = 0
        for index, (case, name, options) in enumerate(cases(batch, make_examples, work)):
            want = expected.pop(case, None)
            if want is None:
                print("new case (not in the manifest): %s" % case)
                changed += 1
                continue
            if index % every != 0 or (index // every) % parts != part:
                continue
            seen += 1
            got, command = run_case(batch, work, name, options)
            diff = sorted(out for out in set(got) | set(want) if got.get(out) != want.get(out))
            if diff:
                changed += 1
                print("changed: %s: %s\n  reproduce in a folder holding %s: %s" %
                      (case, ", ".join(diff), name, " ".join(command)))
        for case in expected:
            print("case no longer run: %s" % case)
            changed += 1
        print("%d cases, %d changed" % (seen, changed))
        return 1 if changed else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
