"""The linear Kramers-Kronig test (Schoenleber, Klotz, Ivers-Tiffee 2014; Boukamp 1995) from
Python: one spectrum gives a KramersKronigResult, a batch a table with one row per spectrum."""

from __future__ import annotations

from dataclasses import dataclass
from operator import attrgetter
from typing import Any

import warnings

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
    too_flexible: bool
    whiteness_p: float
    normality_p: float
    method: str
    representation: str

    @property
    def m(self) -> int:
        """The number of RC elements, under the name the literature gives it."""
        return self.rc_count

    @property
    def noise(self) -> float:
        """The relative noise level the verdict was judged by (what pictures draw as a band)."""
        return self.noise_level


# How each method sets what the call leaves open: the series capacitance, the decades the time
# constants reach beyond the data, and the least estimated noise level. "mu" keeps the settings of
# the original test, so that its results are reproduced exactly.
_METHOD_DEFAULTS = {"density": (True, 0.5, 2e-3), "mu": (False, 0.0, 5e-3)}


def _count(value: Any, name: str) -> Any:
    """`value` when it is None or a whole number >= 1; otherwise a ValueError naming `name`."""
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, (int, np.integer)) or value < 1:
        raise ValueError(f"{name} must be a whole number of at least 1, got {value!r}")
    return int(value)


def kramers_kronig(frequencies: Any, impedances: Any = None, *, by: Any = None, method: str = "density",
                   admittance: bool = False, fit: str = "complex", rc_count: int | None = None,
                   rc_per_decade: float = 4.0, tau_extension: float | None = None, mu_threshold: float = 0.85,
                   max_rc_count: int = 50, series_capacitance: bool | None = None,
                   noise_level: float | None = None, n_jobs: int | None = None) -> Any:
    """Linear Kramers-Kronig test of a measured spectrum, or of each spectrum of a batch.

    The spectrum is approximated by a series resistance, a series inductance, a series
    capacitance (`series_capacitance`, for blocking electrodes) and `rc_count` RC elements
    whose time constants are spread logarithmically from 1/(2 pi f_max) to 1/(2 pi f_min),
    widened by `tau_extension` decades at each end, fitted by linear least squares with 1/|Z|
    weights to the complex data (`fit="complex"`) or to one part (`"real"`, `"imaginary"`).
    With `admittance=True` the admittance 1/Z is fitted instead (Boukamp 1995) by a parallel
    conductance, capacitance and (with `series_capacitance`) inductance and series R-C branches,
    and the residuals are those of the admittance; the fields keep their names and units.

    Without `rc_count`, `method` chooses the number of RC elements:

    - ``"density"`` (default): `rc_per_decade` time constants per decade of the widened range
      (half a decade at each end by default), with a series capacitance by default, at most
      one per frequency and `max_rc_count`. Dense enough that ideal elements (an RC element
      between two time constants, a capacitor, a Warburg element) leave residuals far below
      any instrument's noise, so valid data cannot fail for want of elements.
    - ``"mu"``: the original test, bit for bit: M counts up from 1 until
      mu = 1 - sum|R_k<0| / sum|R_k>=0| falls to `mu_threshold`, at most `max_rc_count`, with no
      series capacitance, no widening and an estimated noise of at least 0.5 %. Short chains
      that cannot follow a nearly ideal RC element need negative resistances too, so on such
      spectra it can stop at a few elements with large residuals and fail valid data.

    `noise_level` is the relative noise of the data (0.01 for 1 % of |Z|), for example the
    instrument's accuracy or the scatter of a repeated sweep; the verdict is then judged
    against it; this is the sharper verdict. Without it the noise is estimated from the
    point-to-point scatter of the residuals, which a smooth deviation such as drift hardly
    raises, and `noise_estimated` is True; the estimate is at least 0.2 % (0.5 % for ``"mu"``),
    the accuracy of good instruments. Above that floor the estimate's own uncertainty widens the
    limit (an F ratio instead of a chi-square), and the residuals must also pass the runs test
    below at the 1 % level, so that a smooth deviation hidden by the wider limit still fails.

    The result reports two more tests of the residuals: `whiteness_p`, the p-value of a runs
    test on their signs in frequency order (small when a systematic deviation makes
    neighbours share their sign), and `normality_p`, that of the Jarque-Bera test. A chain
    with more RC elements than the spectrum has frequencies can follow the deviations the test
    is meant to catch: such a result has `too_flexible` True, and a single test warns.

    Takes one spectrum as `Circuit.fit()` does, or a batch: a list or dict of
    (frequencies, impedances) pairs or frames, 2-D arrays with one spectrum per row, or a long
    frame split by the `by` column(s) (read as `corvex.batch.fit` reads them; a missing key is a
    spectrum of its own). A batch returns a pandas table with one row per
    spectrum, its key column(s), the main figures, an `error` column (the message a single
    call would raise) and a `result` column. `n_jobs` spectra are tested at once (None or
    -1: one per processor), as in `corvex.batch.fit`; results do not depend on it.
    """
    if method not in _METHOD_DEFAULTS:
        raise ValueError(f"method must be \"density\" or \"mu\", got {method!r}")
    default_capacitance, default_extension, noise_floor = _METHOD_DEFAULTS[method]
    rc_count = _count(rc_count, "rc_count")
    max_rc_count = _count(max_rc_count, "max_rc_count")
    representation = "admittance" if admittance else "impedance"
    batch = Batch(frequencies, impedances, by)
    items = corvex._analysis_kramers_kronig(
        batch.pairs, fit, rc_count, mu_threshold, max_rc_count,
        default_capacitance if series_capacitance is None else series_capacitance, noise_level, method,
        representation, rc_per_decade, default_extension if tau_extension is None else tau_extension,
        noise_floor, workers_for(n_jobs))
    for item in items:
        if isinstance(item, dict):
            item.update(method=method, representation=representation)
    result = answer(batch, items, KramersKronigResult,
                    {name: attrgetter(name) for name in ("rc_count", "mu", "pseudo_chi_square", "noise_level",
                                                         "noise_estimated", "whiteness_p", "too_flexible",
                                                         "passed")})
    if isinstance(result, KramersKronigResult) and result.too_flexible:
        warnings.warn(f"rc_count={result.rc_count} exceeds the {result.frequencies.size} frequencies: the chain "
                      "can follow deviations the test is meant to catch, so it can hardly fail", stacklevel=2)
    return result
