"""What a script sees: arrays, lines, messages, and errors with the program's texts."""
import os

import numpy as np
import pytest

import zebstat


def test_points_are_arrays_of_the_plotted_points(examples):
    m = zebstat.load(examples / "ps-toluene.sta")
    r = m.evaluate(plot="zimm", q_order=1, c_order=1, deactivate=[(1, 3)])
    p = r.points
    n = len(p["x"])
    assert n == len(m.concentrations) * len(m.q2)
    for key in ("x", "y", "error", "y_high", "y_low", "active", "conc", "angle"):
        assert isinstance(p[key], np.ndarray) and p[key].shape == (n,), key
    assert p["active"].dtype == np.bool_
    off = ~p["active"]
    assert list(zip(p["conc"][off], p["angle"][off])) == [(1, 3)]
    assert np.all(p["y_high"] >= p["y_low"])
    assert np.allclose(p["error"], (p["y_high"] - p["y_low"]) / 2)
    # A Zimm plot: Kc/R against q² + k·c, the points of one concentration ascending in x.
    first = p["conc"] == 1
    assert np.all(np.diff(p["x"][first]) > 0)


def test_lines_hold_both_extrapolations_and_their_intercepts(examples):
    m = zebstat.load(examples / "ps-toluene.sta")
    r = m.evaluate(plot="zimm", q_order=1, c_order=1)
    lines = r.lines
    assert len(lines["c0"]["x"]) == len(m.q2)
    assert len(lines["q0"]["x"]) == len(m.concentrations)
    assert list(lines["c0"]["conc"]) == [0] * len(m.q2)
    assert list(lines["q0"]["angle"]) == [0] * len(m.concentrations)
    x0, y0 = lines["c0_intercept"]
    assert x0 == pytest.approx(0, abs=1e-12)
    # In a Zimm plot the double extrapolation is 1/Mw.
    assert 1 / y0 == pytest.approx(r.results["MwQ2"], rel=1e-9)
    none = m.evaluate(q_order=0, c_order=0).lines
    assert none["c0_intercept"] is None and len(none["c0"]["x"]) == 0


def test_missing_and_damaged_files_raise_load_error_with_the_message(examples, tmp_path):
    with pytest.raises(zebstat.LoadError, match="This file cannot be opened"):
        zebstat.load(tmp_path / "nothing.sta")
    fake = tmp_path / "picture.sta"
    fake.write_bytes(b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 8)
    with pytest.raises(zebstat.LoadError) as caught:
        zebstat.load(fake)
    assert str(caught.value)
    assert fake.read_bytes().startswith(b"\x89PNG")  # never written
    cut = tmp_path / "cut.asc"
    cut.write_bytes((examples / "ps-small.asc").read_bytes()[:-9])
    with pytest.raises(zebstat.LoadError):
        zebstat.load(cut)
    with pytest.raises(ValueError):
        zebstat.load([])


def test_bad_options_raise_value_error_naming_the_keyword(examples):
    m = zebstat.load(examples / "ps-toluene.sta")
    with pytest.raises(ValueError, match="plot must be"):
        m.evaluate(plot="debye")
    with pytest.raises(ValueError, match="q_order must be 0..5"):
        m.evaluate(q_order=6)
    with pytest.raises(ValueError, match="c_order must be 0..5"):
        m.evaluate(c_order=-1)
    with pytest.raises(TypeError):
        m.evaluate(q_order=True)
    with pytest.raises(TypeError):
        m.evaluate(q_order=1.5)
    with pytest.raises(ValueError, match="deactivate 99:1: no such point"):
        m.evaluate(deactivate=[(99, 1)])
    with pytest.raises(ValueError):
        m.evaluate(deactivate=[(0, 1)])
    with pytest.raises(ValueError, match="finite"):
        m.evaluate(k=float("nan"))
    with pytest.raises(ValueError, match="x_range needs two different limits"):
        m.evaluate(x_range=(1, 1))
    with pytest.raises(ValueError, match="form_factor"):
        m.evaluate(form_factor="blob")
    with pytest.raises(ValueError, match="static plot type"):
        m.evaluate(plot="d1", form_factor="rod")
    with pytest.raises(ValueError):
        zebstat.formfactor(model="rod", representation=13, rg_nm=20.0)


def test_a_file_changed_after_loading_is_not_evaluated_silently(examples):
    path = examples / "ps-toluene.sta"
    m = zebstat.load(path)
    m.evaluate()
    with open(path, "ab") as f:
        f.write(b"\0" * 16)
    with pytest.raises(zebstat.LoadError, match="changed since it was loaded"):
        m.evaluate()


def test_messages_of_loading_are_kept_and_nothing_is_printed(examples, capfd):
    m = zebstat.load(examples / "ps-static.sta")
    r = m.evaluate(q_order=1, c_order=1)
    assert m.messages, "ps-static.sta has missing values and says so"
    assert all(isinstance(c, str) and isinstance(t, str) for c, t in m.messages)
    assert r.messages[: len(m.messages)] == m.messages
    out, err = capfd.readouterr()
    assert out == "" and err == ""


def test_read_only_files_load_and_stay_unchanged(examples):
    path = examples / "ps-toluene.sta"
    before = path.read_bytes()
    os.chmod(path, 0o444)
    r = zebstat.load(str(path)).evaluate(q_order=1, c_order=1)
    assert r.results["messages"] is not None
    assert path.read_bytes() == before
