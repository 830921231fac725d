"""Shared fixtures of the Python module's tests: the module built in this
build folder, the batch tool beside it, and the example files copied into a
scratch folder of each test (the originals are never touched)."""
import math
import os
import shutil
import subprocess
import sys

import pytest

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
EXAMPLES = os.path.join(SOURCE, "examples")
BATCH = os.environ.get("ZEBSTAT_BATCH", "")


@pytest.fixture
def examples(tmp_path):
    """A private copy of examples/; returns its folder."""
    folder = tmp_path / "examples"
    shutil.copytree(EXAMPLES, folder)
    return folder


def batch(*args, cwd=None):
    """Runs zebstat-batch; returns (status, stdout, stderr)."""
    assert BATCH, "ZEBSTAT_BATCH names the batch tool"
    p = subprocess.run([BATCH] + [str(a) for a in args], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       env=dict(os.environ, LC_ALL="C"), cwd=cwd)
    return p.returncode, p.stdout, p.stderr


def corpus_option_sets():
    """The analysis option sets of the regression corpus (tools/regression_corpus.py)."""
    sys.path.insert(0, os.path.join(SOURCE, "tools"))
    try:
        import regression_corpus
    finally:
        sys.path.pop(0)
    return regression_corpus.EXAMPLES, regression_corpus.OPTION_SETS


def keywords(options):
    """The batch tool's analysis and chart options as evaluate()'s keywords."""
    kw = {"q_order": 0, "c_order": 0}
    i = 0
    while i < len(options):
        o = options[i]
        if o == "--plot":
            kw["plot"] = options[i + 1]; i += 2
        elif o in ("--q-order", "--c-order"):
            kw[o[2:].replace("-", "_")] = int(options[i + 1]); i += 2
        elif o in ("--smooth", "--weight"):
            kw[o[2:]] = True; i += 1
        elif o == "--k":
            kw["k"] = float(options[i + 1]); i += 2
        elif o == "--deactivate":
            kw["deactivate"] = [tuple(int(n) for n in p.split(":")) for p in options[i + 1].split(",")]; i += 2
        elif o in ("--x-range", "--y-range"):
            kw[o[2:].replace("-", "_")] = (float(options[i + 1]), float(options[i + 2])); i += 3
        elif o == "--form-factor":
            kw["form_factor"] = options[i + 1]; i += 2
        elif o == "--representation":
            kw["representation"] = int(options[i + 1]); i += 2
        else:
            raise AssertionError("no keyword for " + o)
    return kw


def plain(frame):
    """A table's rows as dicts of plain values; NaN, None and "" alike are None."""
    def value(v):
        if v is None or v == "" or (isinstance(v, float) and math.isnan(v)):
            return None
        return v.item() if hasattr(v, "item") else v
    return [{k: value(v) for k, v in row.items()} for row in frame.to_dict("records")]
