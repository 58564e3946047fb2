"""The linear Kramers-Kronig test (Schoenleber, Klotz, Ivers-Tiffee 2014) from Python: one
spectrum gives a KramersKronigResult, a batch a table with one row per spectrum."""

from __future__ import annotations

from dataclasses import dataclass
from operator import attrgetter
from typing import Any

import numpy as np

import corvex

from ._spectra import Batch, answer, workers_for


@dataclass(frozen=True)
class KramersKronigResult:
    """Outcome of the test on one spectrum. Residuals are (Z - Z_fit) / |Z| per point, in the
    input order; the test passes when the pseudo chi-square stays within what noise of
    `noise_level` (relative to |Z|) explains at the 99.9 % level."""

    frequencies: np.ndarray
    rc_count: int
    rc_count_capped: bool
    mu: float
    time_constants: np.ndarray
    resistances: np.ndarray
    series_resistance: float
    series_inductance: float
    series_capacitance: float
    model: np.ndarray
    residuals_real: np.ndarray
    residuals_imag: np.ndarray
    pseudo_chi_square: float
    noise_level: float
    noise_estimated: bool
    chi_square_limit: float
    passed: bool

    @property
    def m(self) -> int:
        """The number of RC elements, under the name the literature gives it."""
        return self.rc_count

    @property
    def noise(self) -> float:
        """The relative noise level the verdict was judged by (what pictures draw as a band)."""
        return self.noise_level


def kramers_kronig(frequencies: Any, impedances: Any = None, *, by: Any = None, fit: str = "complex",
                   rc_count: int | None = None, mu_threshold: float = 0.85, max_rc_count: int = 50,
                   series_capacitance: bool = False, noise_level: float | None = None,
                   n_jobs: int | None = None) -> Any:
    """Linear Kramers-Kronig test of a measured spectrum, or of each spectrum of a batch.

    The spectrum is approximated by a series resistance, a series inductance, optionally a
    series capacitance (`series_capacitance=True`, for blocking electrodes) and `rc_count`
    RC elements whose time constants are spread logarithmically from 1/(2 pi f_max) to
    1/(2 pi f_min), fitted by linear least squares with 1/|Z| weights to the complex data
    (`fit="complex"`) or to one part (`"real"`, `"imaginary"`). Without `rc_count` the
    number of RC elements counts up from 1 until mu = 1 - sum|R_k<0| / sum|R_k>=0| falls to
    `mu_threshold`, at most `max_rc_count`. The criterion reads negative resistances as the
    sign of fitting noise; short chains that cannot follow a nearly ideal RC element or a
    dominant series capacitance need negative resistances too, so on such spectra it can stop
    at a few elements with large residuals: give `rc_count` (20-30 for 60 points) there.

    `noise_level` is the relative noise of the data (0.01 for 1 % of |Z|); without it the
    noise is estimated from the point-to-point scatter of the residuals (at least 0.5 %).

    Takes one spectrum as `Circuit.fit()` does, or a batch: a list or dict of
    (frequencies, impedances) pairs or frames, 2-D arrays with one spectrum per row, or a long
    frame split by the `by` column(s) (read as `corvex.batch.fit` reads them; a missing key is a
    spectrum of its own). A batch returns a pandas table with one row per
    spectrum, its key column(s), the main figures, an `error` column (the message a single
    call would raise) and a `result` column. `n_jobs` spectra are tested at once (None or
    -1: one per processor), as in `corvex.batch.fit`; results do not depend on it.
    """
    batch = Batch(frequencies, impedances, by)
    items = corvex._analysis_kramers_kronig(batch.pairs, fit, rc_count, mu_threshold, max_rc_count,
                                            series_capacitance, noise_level, workers_for(n_jobs))
    return answer(batch, items, KramersKronigResult,
                  {name: attrgetter(name) for name in ("rc_count", "mu", "pseudo_chi_square", "noise_level", "passed")})
