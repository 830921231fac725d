"""The Python examples run as a user runs them: the notebook executed by
Jupyter on a copy, the dask example on a local cluster of two workers."""
import io
import json
import os
import shutil
import subprocess
import sys

import pandas as pd

from conftest import SOURCE, batch, plain

EXAMPLES_PYTHON = os.path.join(SOURCE, "examples", "python")


def test_the_notebook_shows_the_table_the_plot_and_an_evaluation(examples, tmp_path):
    notebook = tmp_path / "series.ipynb"
    shutil.copy(os.path.join(EXAMPLES_PYTHON, "series.ipynb"), notebook)
    env = dict(os.environ, ZEBSTAT_SERIES_FOLDER=str(examples), IPYTHONDIR=str(tmp_path / "ipython"),
               JUPYTER_RUNTIME_DIR=str(tmp_path / "runtime"), MPLCONFIGDIR=str(tmp_path / "matplotlib"),
               PYDEVD_DISABLE_FILE_VALIDATION="1")
    subprocess.run([sys.executable, "-m", "nbconvert", "--to", "notebook", "--execute", "--output", "run.ipynb",
                    str(notebook)], env=env, check=True, capture_output=True)
    outputs = [o for cell in json.loads((tmp_path / "run.ipynb").read_text())["cells"]
               for o in cell.get("outputs", [])]
    shown = [o.get("data", {}) for o in outputs]
    table = next("".join(d["text/html"]) for d in shown if "text/html" in d)
    for name in ("ps-small.asc", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx", "ps-toluene.sta"):
        assert name in table
    assert table.count(">ok<") == 5
    assert any("image/png" in d for d in shown)
    assert any("g/mol" in "".join(d.get("text/html", "")) and "image/svg+xml" in d for d in shown)


def test_the_dask_example_gathers_the_series_table_on_a_local_cluster(examples, tmp_path):
    out = tmp_path / "table.csv"
    subprocess.run([sys.executable, os.path.join(EXAMPLES_PYTHON, "series_dask.py"), str(examples),
                    "--workers", "2", "--chunk", "2", "--output", str(out)], check=True, capture_output=True)
    status, expected, _ = batch("series", "--q-order", "1", "--c-order", "1", examples)
    assert status == 0
    read = lambda text: pd.read_csv(io.StringIO(text), float_precision="round_trip")
    assert plain(read(out.read_text())) == plain(read(expected.decode()))
