"""Z-HIT (Ehm et al. 2000; Schiller et al. 2001) from Python: the modulus reconstructed from the
phase; one spectrum gives a ZhitResult, a batch a table with one row per spectrum."""

from __future__ import annotations

from dataclasses import dataclass
from operator import attrgetter
from typing import Any

import numpy as np

import corvex

from ._spectra import Batch, answer, workers_for


@dataclass(frozen=True)
class ZhitResult:
    """Outcome of Z-HIT on one spectrum, every array in the input order. `modulus` is the
    reconstructed |Z| in ohm, `residuals_modulus` ``(|Z| - |Z_HIT|) / |Z|``, and `model` the
    reconstructed modulus with the measured phase, whose relative residuals are
    `residuals_real` and `residuals_imag` (so that `corvex.plot.kk` draws them too). The offset
    was fitted to the points `in_window`, between `window_low` and `window_high` Hz; the
    result passes when the largest residual there is within the tolerance."""

    frequencies: np.ndarray
    modulus: np.ndarray
    phase: np.ndarray
    smoothed_phase: np.ndarray
    model: np.ndarray
    residuals_modulus: np.ndarray
    residuals_real: np.ndarray
    residuals_imag: np.ndarray
    in_window: np.ndarray
    window_low: float
    window_high: float
    offset: float
    largest_residual: float
    rms_residual: float
    passed: bool

    def __post_init__(self) -> None:
        object.__setattr__(self, "in_window", np.asarray(self.in_window) != 0)

    def table(self) -> Any:
        """A pandas table of one row per point in the input order: frequency (Hz), measured and
        reconstructed modulus (ohm), their relative residual, measured and smoothed phase
        (degrees) and whether the point lies in the offset window."""
        import pandas as pd

        measured = self.modulus / (1.0 - self.residuals_modulus)
        return pd.DataFrame({"frequency": self.frequencies, "modulus": measured, "modulus_zhit": self.modulus,
                             "residual_modulus": self.residuals_modulus, "phase": np.degrees(self.phase),
                             "smoothed_phase": np.degrees(self.smoothed_phase), "in_window": self.in_window})


def zhit(frequencies: Any, impedances: Any = None, *, by: Any = None, window: tuple[float | None, float | None] | None
         = None, smoothing_points: int = 5, tolerance: float = 0.02, n_jobs: int | None = None) -> Any:
    """Z-HIT check of a measured spectrum, or of each spectrum of a batch.

    The modulus is reconstructed from the phase by the Hilbert relation over ln(omega),
    ln|Z(w0)| = C + (2/pi) int phi d ln w + gamma dphi/d ln w (w0) with gamma = -pi/6 (Ehm et
    al. 2000). The phase is first smoothed by a local quadratic fit over `smoothing_points`
    neighbours (odd, at least 3: 3 smooths nothing), which also gives its slope. The constant C
    is fitted to the measured ln|Z| at the frequencies inside `window` = (low, high) in Hz (None
    at either end: the end of the data), where the data are most trusted: a drifting modulus
    then shows as residuals outside it. The phase is less sensitive to drift than the modulus,
    so Z-HIT finds drift the Kramers-Kronig test can absorb; the second-order relation itself
    deviates by up to about 1.3 % at an ideal RC element, and far less on distributed processes.
    The result passes when no residual inside the window exceeds `tolerance` (2 %).

    Takes one spectrum or a batch as `corvex.analysis.kramers_kronig` does; a batch returns a
    pandas table with one row per spectrum, its key column(s), the main figures, an `error`
    column and a `result` column.
    """
    if window is not None and len(window) != 2:
        raise ValueError(f"window must be a (low, high) pair of frequencies in Hz, got {window!r}")
    low, high = (None, None) if window is None else window
    batch = Batch(frequencies, impedances, by)
    if isinstance(smoothing_points, bool) or not isinstance(smoothing_points, (int, np.integer)):
        raise ValueError(f"smoothing_points must be a whole number, got {smoothing_points!r}")
    if smoothing_points < 3:
        raise ValueError(f"smoothing_points must be an odd number of at least 3, got {smoothing_points}")
    items = corvex._analysis_zhit(batch.pairs, int(smoothing_points), low, high, tolerance, workers_for(n_jobs))
    return answer(batch, items, ZhitResult,
                  {name: attrgetter(name) for name in ("largest_residual", "rms_residual", "passed")})
