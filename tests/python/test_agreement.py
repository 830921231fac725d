"""The module gives the batch tool's numbers, texts and charts, exactly."""
import json
import threading

import pytest

import zebstat
from conftest import batch, corpus_option_sets, keywords

EXAMPLE_FILES, OPTION_SETS = corpus_option_sets()


@pytest.mark.parametrize("name", EXAMPLE_FILES)
def test_results_equal_the_batch_tools_for_every_option_set(examples, name):
    path = examples / name
    m = zebstat.load(path)
    for case, options in OPTION_SETS:
        status, out, err = batch("eval", *options, "--json", path)
        assert status == 0, (case, err)
        r = m.evaluate(**keywords(options))
        assert r.results == json.loads(out), case
        # Every message box the batch tool wrote to standard error, in order,
        # after the file it concerns.
        assert [(m["caption"], m["text"]) for m in r.results["messages"]] == r.messages, case
        shown = "".join("%s: %s: %s\n" % (m["file"], m["caption"], m["text"]) for m in r.results["messages"])
        assert shown == err.decode(), case


def test_results_text_dump_and_charts_equal_the_batch_tools(examples, tmp_path):
    path = examples / "ps-toluene.sta"
    options = ["--plot", "berry", "--q-order", "2", "--c-order", "1", "--deactivate", "1:2"]
    svg, wmf = tmp_path / "chart.svg", tmp_path / "chart.wmf"
    status, out, _ = batch("eval", *options, "--results", "--plot-file", svg, path)
    assert status == 0
    assert batch("eval", *options, "--plot-file", wmf, path)[0] == 0
    r = zebstat.load(path).evaluate(**keywords(options))
    assert r.results_text + "\n" == out.decode()
    assert r.svg() == svg.read_bytes()
    assert r.wmf() == wmf.read_bytes()

    status, out, _ = batch("eval", "--dump", path)
    assert zebstat.load(path).dump() == json.loads(out)


def test_several_files_load_as_one_measurement(examples):
    files = [examples / "ps-toluene.sta", examples / "ps-static.sta"]
    status, out, _ = batch("eval", "--q-order", "1", "--c-order", "1", "--json", *files)
    m = zebstat.load(files)
    assert status == 0
    assert m.evaluate(plot="zimm", q_order=1, c_order=1).results == json.loads(out)
    dump = m.dump()
    assert len(m.concentrations) == dump["lastConcIndex"]
    assert list(m.concentrations) == [c["cGPerCm3"] for c in dump["concentrations"]]
    assert list(m.q2) == dump["q2PerCm2"][1:]


def test_formfactor_equals_the_batch_command():
    status, out, _ = batch("formfactor", "--model", "coil-md,rod", "--representation", "1", "--rg", "40")
    assert status == 0
    assert zebstat.formfactor(model="coil-md,rod", representation=1, rg_nm=40.0) == json.loads(out)


def test_evaluations_on_several_threads_equal_the_serial_ones(examples):
    names = ["ps-toluene.sta", "ps-static.sta", "ps-tarn.plt", "ps-toluene.plx"]
    measurements = [zebstat.load(examples / n) for n in names]
    serial = [m.evaluate(plot="zimm", q_order=2, c_order=1).results for m in measurements]
    got = [None] * len(names)

    def work(i):
        for _ in range(5):
            got[i] = measurements[i].evaluate(plot="zimm", q_order=2, c_order=1).results

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(names))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert got == serial


def test_numbers_do_not_follow_the_callers_locale(examples):
    import locale
    path = examples / "ps-toluene.sta"
    before = zebstat.load(path).evaluate(q_order=1, c_order=1).results
    try:
        locale.setlocale(locale.LC_ALL, "de_DE.UTF-8")
    except locale.Error:
        pytest.skip("no de_DE.UTF-8 locale")
    try:
        assert zebstat.load(path).evaluate(q_order=1, c_order=1).results == before
        assert zebstat.formfactor(model="sphere", rg_nm=12.5)["curves"]
    finally:
        locale.setlocale(locale.LC_ALL, "C")
