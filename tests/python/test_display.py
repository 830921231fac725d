"""What a notebook shows (the HTML and SVG of an evaluation, the HTML of a
measurement), the version, and the type stub against the module itself."""
import ast
import os
import re
import shutil

import pytest

import zebstat
from conftest import batch

STUB = os.path.join(os.path.dirname(zebstat.__file__), "zebstat.pyi")


@pytest.mark.parametrize("plot, shown", [
    ("zimm", ["Mw(c)", "g/mol", "Rg", "nm", "A2", "mol dm³/g²", "relative error"]),
    ("d1", ["Dz(c)", "µm²/s", "C&lt;S²&gt;", "µm²", "kD", "dm³/g", "Rh"]),
])
def test_evaluation_html_gives_the_results_with_their_units(examples, plot, shown):
    r = zebstat.load(examples / "ps-toluene.sta").evaluate(plot=plot, q_order=1, c_order=1)
    html = r._repr_html_()
    for text in shown:
        assert text in html, text
    first = r.results["MwC"] if plot == "zimm" else r.results["DzC"]
    assert "<td>%.5g</td>" % first in html
    assert r._repr_svg_() == r.svg().decode()


def test_measurement_html_gives_units_and_escapes_texts(examples):
    odd = examples / "a<b>&'c\".sta"
    shutil.copy(examples / "ps-static.sta", odd)
    html = zebstat.load(odd)._repr_html_()
    assert "a&lt;b&gt;&amp;&#39;c&quot;.sta" in html and "<b>&" not in html
    assert "5: 1, 2, 3, 4, 5 g/dm³" in html
    assert "<th>angles</th><td>11</td>" in html and "µm⁻²" in html
    assert "Missing or negative measurement values" in html  # the message of loading


def test_version_is_the_programs():
    status, out, _ = batch("--version")
    assert status == 0 and out.decode().split() == ["zebstat-batch", zebstat.__version__]


def signature_names(doc):
    """Parameter names of a pybind11 docstring's first line, without self."""
    args = re.match(r"\w+\((.*)\) ->", doc.splitlines()[0]).group(1)
    names = [a.split(":")[0].strip() for a in re.split(r",\s*(?![^\[]*\])", args) if a.strip()]
    return [n for n in names if n not in ("self", "*")]


def stub_names(function):
    a = function.args
    return [x.arg for x in a.posonlyargs + a.args + a.kwonlyargs if x.arg != "self"]


def public(names):
    return {n for n in names if not n.startswith("_") or n in ("__version__", "_repr_html_", "_repr_svg_")}


def test_the_stub_names_what_the_module_has_and_nothing_else():
    tree = ast.parse(open(STUB).read())
    top = {}
    for node in tree.body:
        if isinstance(node, (ast.FunctionDef, ast.ClassDef)):
            top.setdefault(node.name, node)
        elif isinstance(node, ast.AnnAssign):
            top[node.target.id] = node
    assert public(top) == public(dir(zebstat)) - {"__doc__", "__file__", "__name__", "__loader__", "__package__",
                                                   "__spec__"}
    for name, node in top.items():
        if isinstance(node, ast.FunctionDef):
            assert stub_names(node) == signature_names(getattr(zebstat, name).__doc__), name
        if isinstance(node, ast.ClassDef) and name != "LoadError":
            members = {m.name: m for m in node.body if isinstance(m, ast.FunctionDef)}
            cls = getattr(zebstat, name)
            assert public(members) == public(dir(cls)) - public(dir(object)), name
            for member, m in members.items():
                attribute = getattr(cls, member)
                if not isinstance(attribute, property):
                    assert stub_names(m) == signature_names(attribute.__doc__), name + "." + member
