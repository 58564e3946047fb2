"""The distribution of relaxation times (Wan, Saccoccio, Chen, Ciucci 2015) with credible bands
(Ciucci & Chen 2015) from Python: one spectrum gives a DrtResult, a batch a table with one row per spectrum."""

from __future__ import annotations

from dataclasses import dataclass, field
from operator import attrgetter
from typing import Any, NamedTuple

import numpy as np

import corvex

from ._spectra import Batch, answer, workers_for


LAMBDA_RULES = ("mgcv", "gcv", "rgcv", "lcurve", "re-im", "kfold")


class DrtPeak(NamedTuple):
    """One peak of gamma(tau): time constant (s), height (ohm), area (ohm), whether it lies
    outside 1/(2 pi f) of the measured frequencies, where no data shape the distribution, and
    its probability: the share of posterior draws in which gamma rises above both valleys
    around it (NaN without draws)."""

    tau: float
    height: float
    area: float
    extrapolated: bool = False
    probability: float = float("nan")


@dataclass(frozen=True)
class DrtResult:
    """gamma(tau) in ohm per unit ln(tau) on the grid `tau` (seconds), its peaks (time
    constant, height, area in ohm: the resistance of the process; `peak_extrapolated` marks
    those outside 1/(2 pi f) of the measured frequencies; `peak_probability` the posterior
    probability of each), the regularisation weight used and the rule that chose it
    (`lambda_rule`, "given" when it was given), the fitted spectrum with relative residuals
    (Z - Z_fit) / |Z| and their estimated standard deviation `noise`. `gamma` is the most
    probable distribution; `gamma_mean`, `gamma_lower` and `gamma_upper` are the posterior
    mean and its 1 % and 99 % quantiles on the same grid (empty without posterior draws).
    `table()` gives them as a tidy frame."""

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
    peak_probability: np.ndarray = field(default_factory=lambda: np.zeros(0))
    gamma_mean: np.ndarray = field(default_factory=lambda: np.zeros(0))
    gamma_lower: np.ndarray = field(default_factory=lambda: np.zeros(0))
    gamma_upper: np.ndarray = field(default_factory=lambda: np.zeros(0))
    noise: float = float("nan")
    lambda_rule: str = "mgcv"

    def __post_init__(self) -> None:
        # A result built without the flags (by older code) has every peak inside the data.
        flags = np.asarray(self.peak_extrapolated, dtype=bool)
        if flags.size == 0:
            flags = np.zeros(len(self.peak_tau), dtype=bool)
        object.__setattr__(self, "peak_extrapolated", flags)
        probability = np.asarray(self.peak_probability, dtype=float)
        if probability.size == 0:
            probability = np.full(len(self.peak_tau), np.nan)
        object.__setattr__(self, "peak_probability", probability)

    @property
    def has_bands(self) -> bool:
        """Whether the posterior was drawn: the mean and the band are on the grid."""
        return len(self.gamma_lower) == len(self.tau) > 0

    def table(self) -> Any:
        """A pandas frame with one row per grid point: tau (s), frequency (Hz, 1 / (2 pi tau)),
        gamma, and with posterior draws gamma_mean, gamma_lower (1 %) and gamma_upper (99 %),
        in ohm; `measured` marks the time constants inside 1/(2 pi f) of the data."""
        import pandas as pd

        tau = np.asarray(self.tau, dtype=float)
        frame = pd.DataFrame({"tau": tau, "frequency": 1 / (2 * np.pi * tau), "gamma": self.gamma})
        if self.has_bands:
            frame["gamma_mean"], frame["gamma_lower"], frame["gamma_upper"] = \
                self.gamma_mean, self.gamma_lower, self.gamma_upper
        frequencies = np.asarray(self.frequencies, dtype=float)
        frame["measured"] = (tau >= 1 / (2 * np.pi * frequencies.max())) & (tau <= 1 / (2 * np.pi * frequencies.min()))
        return frame

    @property
    def peaks(self) -> list[DrtPeak]:
        """The peaks as records, ascending in tau."""
        return [DrtPeak(*values) for values in zip(self.peak_tau.tolist(), self.peak_height.tolist(),
                                                    self.peak_area.tolist(), self.peak_extrapolated.tolist(),
                                                    self.peak_probability.tolist())]


def drt(frequencies: Any, impedances: Any = None, *, by: Any = None, fit: str = "complex",
        lambda_: float | None = None, lambda_rule: str = "mgcv", gcv_factor: float = 2.0, derivative_order: int = 2,
        points_per_decade: float = 8.0, extend_decades: float = 1.0, shape_factor: float = 0.5,
        series_resistance: bool = True, series_inductance: bool = False, peak_threshold: float = 0.01,
        peak_prominence: float | None = 0.15, peak_probability: float = 0.7, bands: bool = True,
        samples: int = 1000, exact_bands: bool = False, seed: int = 0, n_jobs: int | None = None) -> Any:
    """Distribution of relaxation times of a measured spectrum, or of each spectrum of a batch.

    Z(w) = R_inf + j w L + integral of gamma(ln tau) / (1 + j w tau) d ln tau, with gamma a
    non-negative sum of Gaussians centred `points_per_decade` per decade on a tau grid
    reaching `extend_decades` beyond 1/(2 pi f) of the measured window at both ends (their
    width at half height is the centre spacing divided by `shape_factor`). The coefficients
    minimise the 1/|Z|-weighted squared misfit of the complex data (or of `fit="real"` or
    `"imaginary"` alone) plus `lambda_` times the squared norm of the `derivative_order`-th
    derivative of gamma, under non-negativity (an active-set NNLS). Without `lambda_` it is
    chosen by `lambda_rule`, on the unconstrained problem: "mgcv" (the default), generalised
    cross-validation with the effective number of parameters counted `gcv_factor` times,
    which counters plain GCV's undersmoothing; "gcv", plain GCV; "rgcv", robust GCV (Lukas
    2006); "lcurve", the corner of the L-curve; "re-im", the weight at which the real and the
    imaginary part fitted alone predict the most alike impedance (Saccoccio et al. 2014; needs
    `fit="complex"`); "kfold", five-fold cross-validation over the frequencies. The result
    says which rule chose it. `series_resistance` and `series_inductance` say whether R_inf
    and L are fitted. The impedance is scaled by its largest component inside, so the chosen
    smoothing and the peaks do not depend on the unit; `lambda_` (given or chosen) is in the
    data's unit, 1/ohm^2 for ohm.

    With `bands` (the default), `samples` draws of the posterior (Ciucci & Chen 2015; Effat &
    Ciucci 2017: a Gaussian likelihood with the residuals' variance, a Gaussian prior of
    precision `lambda_` times the penalty, under non-negative coefficients; from `seed`) give
    gamma's posterior mean and its 1 % and 99 % quantiles, and each peak's probability. The
    draws are the Gaussian posterior's spread around the most probable non-negative gamma,
    projected on non-negative coefficients; `exact_bands=True` samples the truncated posterior
    itself by exact Hamiltonian Monte Carlo (Pakman & Paninski 2014), which can take seconds
    when the data pin gamma near zero over much of the grid. A peak's probability is the
    share of draws in which gamma at the peak rises above both valleys around it.

    Peaks are local maxima of gamma of at least `peak_threshold` times the highest gamma
    inside the measured window that rise `peak_prominence` times that height above the valleys
    that part them from higher ground, so ripples and the shoulders of a tail are not reported.
    With `peak_prominence=None` they are judged by significance instead: a maximum is
    reported when its probability is at least `peak_probability`, and weaker ones merge into
    their neighbours, the least probable first (this needs `bands`). Significance finds
    processes a tenth the size of their neighbour that the prominence rule hides, but it also
    reports the shoulder of a diffusion tail, whose probability comes out as high.
    A peak's area runs between the lowest points towards its neighbouring peaks, so the
    areas add up to the whole distribution.

    Takes one spectrum as `Circuit.fit()` does, or a batch (see `kramers_kronig`), which
    returns a pandas table with one row per spectrum and `error` and `result` columns;
    `n_jobs` as there.
    """
    if lambda_rule not in LAMBDA_RULES:
        raise ValueError(f"lambda_rule must be one of {', '.join(map(repr, LAMBDA_RULES))}, not {lambda_rule!r}")
    if isinstance(samples, bool) or not isinstance(samples, (int, np.integer)) or not 0 < samples <= 100_000:
        raise ValueError(f"samples must be a whole number in [1, 100000], not {samples!r}")
    if not bands and peak_prominence is None:
        raise ValueError("peaks by significance (peak_prominence=None) need bands=True")
    native_rule, factor = ("gcv", 1.0) if lambda_rule == "gcv" else \
        ("gcv", gcv_factor) if lambda_rule == "mgcv" else (lambda_rule, gcv_factor)
    batch = Batch(frequencies, impedances, by)
    items = corvex._analysis_relaxation_times(batch.pairs, fit, lambda_, native_rule, factor, derivative_order,
                                              points_per_decade, extend_decades, shape_factor, series_resistance,
                                              series_inductance, peak_threshold, peak_prominence, peak_probability,
                                              samples if bands else 0, exact_bands, seed, workers_for(n_jobs))
    chosen = "given" if lambda_ is not None else lambda_rule
    items = [item if isinstance(item, str) else {**item, "lambda_rule": chosen} for item in items]
    return answer(batch, items, DrtResult, {
        "peaks": lambda result: len(result.peak_tau),
        "lambda_": attrgetter("lambda_"),
        "lambda_rule": attrgetter("lambda_rule"),
        "noise": attrgetter("noise"),
        "series_resistance": attrgetter("series_resistance"),
    })
