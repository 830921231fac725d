"""Many measurements at once: evaluate_many and table give what load/evaluate and
the series command give, in order, with every failure in its place."""
import _thread
import io
import subprocess
import sys
import threading
import time

import pandas as pd
import pytest

import zebstat
from conftest import batch, plain

ORDERS = {"q_order": 1, "c_order": 1}


def test_evaluate_many_gives_each_evaluation_or_failure_in_order(examples, tmp_path):
    damaged = tmp_path / "damaged.sta"
    damaged.write_bytes((examples / "ps-toluene.sta").read_bytes()[:300])
    pair = [examples / "ps-toluene.sta", examples / "ps-toluene.plx"]
    loaded = zebstat.load(examples / "ps-static.sta")
    items = [examples, tmp_path / "missing.sta", pair, damaged, loaded]
    got = zebstat.evaluate_many(items, jobs=2, **ORDERS)

    folder = sorted(p for p in examples.iterdir() if p.suffix in (".sta", ".plt", ".plx", ".asc"))
    expected = [zebstat.load(p).evaluate(**ORDERS).results for p in folder]
    assert [r.results for r in got[: len(folder)]] == expected
    missing, group, bad, last = got[len(folder):]
    assert isinstance(missing, zebstat.Failure) and missing.files == [str(tmp_path / "missing.sta")]
    assert "cannot be opened" in missing.error
    assert group.results == zebstat.load(pair).evaluate(**ORDERS).results
    assert isinstance(bad, zebstat.Failure) and bad.error and bad.messages[-1][1] == bad.error
    assert last.results == loaded.evaluate(**ORDERS).results
    assert zebstat.evaluate_many([], jobs=1) == []


def test_table_is_the_series_commands_table(examples):
    args = ["--q-order", "1", "--c-order", "1", "--plot", "berry"]
    status, out, err = batch("series", *args, examples)
    assert status == 0, err
    assert zebstat.table(examples, format="csv", plot="berry", **ORDERS) == out.decode()
    for fmt in ("tsv", "jsonl"):
        assert zebstat.table(examples, format=fmt, jobs=1, plot="berry", **ORDERS) == \
            batch("series", "--format", fmt, *args, examples)[1].decode()

    frame = zebstat.table(examples, jobs=2, plot="berry", **ORDERS)
    read = pd.read_csv(io.StringIO(out.decode()), float_precision="round_trip")
    assert list(frame.columns) == list(read.columns)
    assert plain(frame) == plain(read)
    assert frame["MwC"].dtype == float and frame["DzC"].isna().all()

    # With the intervals, as the series command gives them with --ci; each holds its result.
    assert zebstat.table(examples, format="csv", ci=True, plot="berry", **ORDERS) == \
        batch("series", "--ci", *args, examples)[1].decode()
    frame = zebstat.table(examples, ci=True, plot="berry", **ORDERS)
    for key in ("MwC", "RgNm", "A2"):
        assert (frame[key + "_ci95_low"] < frame[key]).all() and (frame[key] < frame[key + "_ci95_high"]).all()


@pytest.mark.parametrize("row, error", [
    ("missing,nothing.sta,", "cannot be opened"),
    ("damaged,damaged.sta,", "contain any data record"),
    ("bad plot,ps-toluene.sta,debye", 'plot must be zimm'),
    ("twice,ps-toluene.sta,", 'the group name "twice" is used by an earlier row'),
])
def test_manifest_rows_that_cannot_be_evaluated_say_why(examples, row, error):
    (examples / "damaged.sta").write_bytes(b"ZSTA" + bytes(100))
    manifest = examples / "series.csv"
    manifest.write_text("group,files,plot\ntwice,ps-toluene.sta,\nok,ps-static.sta,\n" + row + "\n")
    frame = zebstat.table(manifest=manifest, **ORDERS)
    assert list(frame["status"]) == ["ok", "ok", "failed"]
    assert error in frame["error"][2]


def test_refusals_before_anything_runs(examples, tmp_path):
    manifest = tmp_path / "bad.csv"
    manifest.write_text("group,files,colour\na,b.sta,red\n")
    with pytest.raises(ValueError, match='unknown column "colour"'):
        zebstat.table(manifest=manifest)
    with pytest.raises(FileNotFoundError):
        zebstat.table(manifest=tmp_path / "none.csv")
    with pytest.raises(ValueError, match="not both"):
        zebstat.table(examples, manifest=manifest)
    with pytest.raises(ValueError, match="format must be"):
        zebstat.table(examples, format="xlsx")
    with pytest.raises(ValueError, match="jobs"):
        zebstat.evaluate_many(examples, jobs=0)
    with pytest.raises(TypeError):
        zebstat.table(examples, colour="red")
    with pytest.raises(TypeError, match="a measurement is"):
        zebstat.evaluate_many([42])


def test_a_measurement_changed_since_it_was_loaded_is_a_failed_row(examples):
    path = examples / "ps-toluene.sta"
    m = zebstat.load(path)
    with open(path, "ab") as f:
        f.write(b"\0")
    assert "changed since it was loaded" in zebstat.table([m], **ORDERS)["error"][0]


@pytest.mark.parametrize("many", [zebstat.evaluate_many, zebstat.table])
def test_the_work_runs_without_the_interpreter_lock(examples, many):
    files = [examples / "ps-toluene.sta"] * 300
    ticks = []
    done = threading.Event()

    def count():
        while not done.is_set():
            ticks.append(time.perf_counter())
    counter = threading.Thread(target=count)
    counter.start()
    start = time.perf_counter()
    many(files, jobs=2)
    end = time.perf_counter()
    done.set()
    counter.join()
    # Holding the lock, the call would leave the counter no moment inside it.
    assert any(start + 0.005 < t < end - 0.005 for t in ticks)


@pytest.mark.parametrize("format", [None, "csv"])
def test_ctrl_c_stops_a_long_table(examples, format):
    files = [examples / "ps-toluene.sta"] * 100000  # many seconds
    threading.Timer(0.2, _thread.interrupt_main).start()
    start = time.perf_counter()
    with pytest.raises(KeyboardInterrupt):
        zebstat.table(files, format=format, jobs=2)
    assert time.perf_counter() - start < 2


def test_without_pandas_the_module_works_and_table_says_what_is_missing(examples):
    script = ("import sys; sys.modules['pandas'] = None\n"
              "import zebstat\n"
              "assert zebstat.evaluate_many(sys.argv[1], jobs=1)\n"
              "assert zebstat.table(sys.argv[1], format='csv').count('\\n') == 6\n"
              "try:\n    zebstat.table(sys.argv[1])\n"
              "except ImportError as e:\n    print(e)\n")
    out = subprocess.run([sys.executable, "-c", script, str(examples)], capture_output=True, text=True, check=True)
    assert "zebstat.table needs pandas (Debian: python3-pandas)" in out.stdout
