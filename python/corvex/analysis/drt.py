"""The distribution of relaxation times (Wan, Saccoccio, Chen, Ciucci 2015) from Python: one
spectrum gives a DrtResult, a batch a table with one row per spectrum."""

from __future__ import annotations

from dataclasses import dataclass, field
from operator import attrgetter
from typing import Any, NamedTuple

import numpy as np

import corvex

from ._spectra import Batch, answer, workers_for


class DrtPeak(NamedTuple):
    """One peak of gamma(tau): time constant (s), height (ohm), area (ohm), and whether it lies
    outside 1/(2 pi f) of the measured frequencies, where no data shape the distribution."""

    tau: float
    height: float
    area: float
    extrapolated: bool = False


@dataclass(frozen=True)
class DrtResult:
    """gamma(tau) in ohm per unit ln(tau) on the grid `tau` (seconds), its peaks (time
    constant, height, area in ohm: the resistance of the process; `peak_extrapolated` marks
    those outside 1/(2 pi f) of the measured frequencies), the regularisation
    weight used and the fitted spectrum with relative residuals (Z - Z_fit) / |Z|."""

    frequencies: np.ndarray
    tau: np.ndarray
    gamma: np.ndarray
    centres: np.ndarray
    coefficients: np.ndarray
    peak_tau: np.ndarray
    peak_height: np.ndarray
    peak_area: np.ndarray
    lambda_: float
    lambda_from_gcv: bool
    series_resistance: float
    series_inductance: float
    model: np.ndarray
    residuals_real: np.ndarray
    residuals_imag: np.ndarray
    converged: bool
    peak_extrapolated: np.ndarray = field(default_factory=lambda: np.zeros(0, dtype=bool))

    def __post_init__(self) -> None:
        # A result built without the flags (by older code) has every peak inside the data.
        flags = np.asarray(self.peak_extrapolated, dtype=bool)
        if flags.size == 0:
            flags = np.zeros(len(self.peak_tau), dtype=bool)
        object.__setattr__(self, "peak_extrapolated", flags)

    @property
    def peaks(self) -> list[DrtPeak]:
        """The peaks as records, ascending in tau."""
        return [DrtPeak(*values) for values in zip(self.peak_tau.tolist(), self.peak_height.tolist(),
                                                    self.peak_area.tolist(), self.peak_extrapolated.tolist())]


def drt(frequencies: Any, impedances: Any = None, *, by: Any = None, fit: str = "complex",
        lambda_: float | None = None, gcv_factor: float = 2.0, derivative_order: int = 2,
        points_per_decade: float = 8.0, extend_decades: float = 1.0, shape_factor: float = 0.5,
        series_resistance: bool = True, series_inductance: bool = False, peak_threshold: float = 0.01,
        peak_prominence: float = 0.15, n_jobs: int | None = None) -> Any:
    """Distribution of relaxation times of a measured spectrum, or of each spectrum of a batch.

    Z(w) = R_inf + j w L + integral of gamma(ln tau) / (1 + j w tau) d ln tau, with gamma a
    non-negative sum of Gaussians centred `points_per_decade` per decade on a tau grid
    reaching `extend_decades` beyond 1/(2 pi f) of the measured window at both ends (their
    width at half height is the centre spacing divided by `shape_factor`). The coefficients
    minimise the 1/|Z|-weighted squared misfit of the complex data (or of `fit="real"` or
    `"imaginary"` alone) plus `lambda_` times the squared norm of the `derivative_order`-th
    derivative of gamma, under non-negativity (an active-set NNLS). Without `lambda_` it is
    chosen by generalised cross-validation of the unconstrained problem, with the effective
    number of parameters counted `gcv_factor` times (1 is plain GCV, which tends to
    undersmooth and split broad peaks; 2, the default, is the modified GCV). `series_resistance` and `series_inductance`
    say whether R_inf and L are fitted. The impedance is scaled by its largest component inside,
    so the chosen smoothing and the peaks do not depend on the unit; `lambda_` (given or
    chosen) is in the data's unit, 1/ohm^2 for ohm. Peaks lower than `peak_threshold` times the
    highest gamma inside the measured window, or rising less than `peak_prominence` times it
    above the valleys that part them from higher ground, are not reported: ripples and the
    shoulders of a tail are not processes. A peak's area runs between the lowest points towards
    its neighbouring peaks, so the areas add up to the whole distribution.

    Takes one spectrum as `Circuit.fit()` does, or a batch (see `kramers_kronig`), which
    returns a pandas table with one row per spectrum and `error` and `result` columns;
    `n_jobs` as there.
    """
    batch = Batch(frequencies, impedances, by)
    items = corvex._analysis_relaxation_times(batch.pairs, fit, lambda_, gcv_factor, derivative_order, points_per_decade,
                                              extend_decades, shape_factor, series_resistance,
                                              series_inductance, peak_threshold, peak_prominence,
                                              workers_for(n_jobs))
    return answer(batch, items, DrtResult, {
        "peaks": lambda result: len(result.peak_tau),
        "lambda_": attrgetter("lambda_"),
        "series_resistance": attrgetter("series_resistance"),
    })
