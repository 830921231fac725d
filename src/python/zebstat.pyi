"""Types of the zebstat module (ZEBstat's evaluation of static and dynamic light scattering)."""
import os
from typing import Any, Iterable, Literal, Sequence, Union, overload

import numpy as np
import numpy.typing as npt
import pandas

__version__: str

_Path = Union[str, os.PathLike[str]]
# A path (one file; a folder or a pattern: one measurement per file), a group
# of files evaluated together, or a measurement loaded before.
_Item = Union[_Path, Sequence[_Path], "Measurement"]
_PlotName = Literal["zimm", "berry", "guinier", "d1", "d2", "d3"]
_Range = tuple[float, float]
_Message = tuple[str, str]  # (caption, text)

class LoadError(Exception):
    """A data file could not be loaded; the text is the program's message."""

class Measurement:
    """Data files loaded into one measurement, as in one plot window."""
    @property
    def files(self) -> list[str]: ...
    @property
    def sample_name(self) -> str: ...
    @property
    def concentrations(self) -> npt.NDArray[np.float64]:
        """g/cm³ of concentrations 1..n."""
    @property
    def q2(self) -> npt.NDArray[np.float64]:
        """1/cm² of angles 1..n."""
    @property
    def messages(self) -> list[_Message]: ...
    def dump(self) -> dict[str, Any]: ...
    def evaluate(
        self,
        plot: _PlotName = "zimm",
        q_order: int = 1,
        c_order: int = 1,
        k: float | None = None,
        smooth: bool = False,
        weight: bool = False,
        deactivate: Iterable[tuple[int, int]] | None = None,
        x_range: _Range | None = None,
        y_range: _Range | None = None,
        form_factor: str | Iterable[str] | None = None,
        representation: int = 11,
        bootstrap: int = 2000,
        seed: int = 1,
    ) -> Evaluation: ...
    def _repr_html_(self) -> str: ...

class Evaluation:
    """The outcome of Measurement.evaluate."""
    @property
    def results(self) -> dict[str, Any]:
        """The keys of `zebstat-batch eval --json`: MwC, MwQ2 g/mol, RgNm nm, A2 mol dm³/g², DzC, DzQ2 µm²/s, CS2 µm², kD dm³/g ..."""
    @property
    def results_text(self) -> str: ...
    @property
    def messages(self) -> list[_Message]: ...
    @property
    def points(self) -> dict[str, npt.NDArray[Any]]:
        """x (q² + k·c, 1/cm²), y, error, y_high, y_low, active, conc, angle."""
    @property
    def lines(self) -> dict[str, Any]: ...
    @property
    def ci(self) -> dict[str, Any]:
        """95 % intervals per method and result, as --json's "ci95" (units of the results)."""
    @property
    def advice(self) -> list[dict[str, Any]]:
        """The order advice as --json's "advice": empty when the chosen orders suit the data."""
    def fit_form_factors(self, models: str = "all") -> dict[str, Any]: ...
    def svg(self) -> bytes: ...
    def wmf(self) -> bytes: ...
    def _repr_html_(self) -> str: ...
    def _repr_svg_(self) -> str: ...

class Failure:
    """A measurement evaluate_many could not load or evaluate."""
    @property
    def files(self) -> list[str]: ...
    @property
    def error(self) -> str: ...
    @property
    def messages(self) -> list[_Message]: ...

def load(files: _Path | Iterable[_Path]) -> Measurement: ...
def formfactor(
    model: str,
    representation: int = 11,
    *,
    rg_nm: float,
    mw: float | None = None,
    q_max: float | None = None,
) -> dict[str, Any]:
    """rg_nm in nm, mw in g/mol, q_max in 1/cm."""
def evaluate_many(
    measurements: _Item | Iterable[_Item],
    *,
    jobs: int | None = None,
    plot: _PlotName = "zimm",
    q_order: int = 1,
    c_order: int = 1,
    k: float | None = None,
    smooth: bool = False,
    weight: bool = False,
    deactivate: Iterable[tuple[int, int]] | None = None,
    x_range: _Range | None = None,
    y_range: _Range | None = None,
    form_factor: str | Iterable[str] | None = None,
    representation: int = 11,
) -> list[Evaluation | Failure]: ...
@overload
def table(
    measurements: _Item | Iterable[_Item] | None = None,
    *,
    jobs: int | None = None,
    format: None = None,
    manifest: _Path | None = None,
    plot: _PlotName = "zimm",
    q_order: int = 1,
    c_order: int = 1,
    k: float | None = None,
    smooth: bool = False,
    weight: bool = False,
    deactivate: Iterable[tuple[int, int]] | None = None,
    ci: bool = False,
) -> pandas.DataFrame: ...
@overload
def table(
    measurements: _Item | Iterable[_Item] | None = None,
    *,
    jobs: int | None = None,
    format: Literal["csv", "tsv", "jsonl"],
    manifest: _Path | None = None,
    plot: _PlotName = "zimm",
    q_order: int = 1,
    c_order: int = 1,
    k: float | None = None,
    smooth: bool = False,
    weight: bool = False,
    deactivate: Iterable[tuple[int, int]] | None = None,
    ci: bool = False,
) -> str: ...
