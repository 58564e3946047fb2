"""One fit with held parameters, narrowed bounds, your own error model and robust starts,
reported with how far each fitted value can be trusted::

    from corvex.fitting import fit
    report = fit(corvex.Circuit("R0-(R1,CPE1)"), f, z,
                 fixed={"R0.r": 0.015}, bounds={"CPE1.alpha": (0.6, 1.0)})
    report.intervals["R1.r"]        # 95 % confidence interval
"""
from __future__ import annotations

from dataclasses import dataclass
from typing import Any, Mapping

import numpy as np

import corvex as _corvex
from corvex._spectrum_checks import points_of, problem_of
from corvex.points._table import kept_spectrum

__all__ = ["fit", "FitReport"]


@dataclass(frozen=True)
class FitReport:
    """A fit and the uncertainty of its values.

    Every array is in ``names`` order (the circuit's ``param_names()``); the dictionaries
    are keyed by parameter name.

    - ``result``: the :class:`corvex.FitResult` (fitted circuit, cost, chi-square, counts,
      success). With controls, its ``stderr`` holds NaN for held parameters.
    - ``start``: which start won: "guess" (the network's guess, fitted exactly as
      ``Circuit.fit()`` fits it), "initial" (the circuit's own values), "tolerant" (the
      same start, with trial steps into non-finite residuals rejected instead of ending the
      run), "swapped" (two arcs' roles exchanged), "R1.r*10" / "R1.r/10" (an arc's
      resistance a decade up or down) or "global" (a seeded basin-hopping search).
    - ``covariance``: s^2 (J^T J)^-1 over the free parameters, s^2 = chi_square / dof.
      Held parameters have zero rows and columns; parameters in a direction the data
      cannot resolve have NaN ones.
    - ``correlation``: the covariance scaled to unit diagonal (NaN where there is no
      finite variance).
    - ``stderr``: standard errors; None for held parameters and when no estimate exists
      (no degrees of freedom left, non-finite cost); inf for a parameter the data cannot
      resolve. Never exactly 0.
    - ``intervals``: (low, high) 95 % confidence intervals, value -/+ t * stderr with the
      Student-t quantile at ``degrees_of_freedom`` = residuals (2 per point) minus free
      parameters; None where stderr is None. Cut to the values the parameter can take (its
      range, narrowed by ``bounds``): an exponent's interval ends at 1 at most, a
      resistance's at its lower bound 1e-12, and the cut side is then shorter than
      t * stderr.
    - ``identifiable``: False when the Jacobian is numerically rank-deficient in a
      direction involving the parameter, or its standard error exceeds its value's
      magnitude; None for held parameters.
    - ``runaway``: the names of values that mean nothing although the fit converged (a
      resistance far beyond the spectrum's |Z| range, an arc's time constant more than a
      decade outside the measured window, a standard error above a thousand times the
      value; see ``fit``), in ``names`` order. Empty for a sound fit.
    - ``best_cost_any``: the lowest cost any converged start reached (NaN when none
      converged); above ``result.cost`` when a start with runaway values was passed over.
    """

    result: Any
    start: str
    names: list[str]
    values: np.ndarray
    held: frozenset[str]
    covariance: np.ndarray
    correlation: np.ndarray
    stderr: dict[str, float | None]
    intervals: dict[str, tuple[float, float] | None]
    identifiable: dict[str, bool | None]
    degrees_of_freedom: float
    t_quantile: float
    runaway: tuple[str, ...] = ()
    best_cost_any: float = float("nan")

    @property
    def params(self) -> dict[str, float]:
        """Fitted values by name."""
        return dict(zip(self.names, self.values.tolist()))


def standard_deviation_pair(weight: Any) -> tuple[np.ndarray, np.ndarray]:
    """Per-point standard deviations of the real and imaginary parts from one array (complex:
    one per part; real: the same for both)."""
    sigma = np.asarray(weight)
    if sigma.ndim != 1 or not (np.issubdtype(sigma.dtype, np.number) or sigma.dtype == bool):
        raise TypeError("argument 'weight': expected \"modulus\", \"unit\", \"proportional\" or a "
                        "one-dimensional array of standard deviations, got " + type(weight).__name__)
    if np.iscomplexobj(sigma):
        return sigma.real.astype(float), sigma.imag.astype(float)
    return sigma.astype(float), sigma.astype(float)


def _weight_arguments(weight: Any) -> dict[str, Any]:
    """The native weight keyword and, for an array, its standard deviations per part."""
    if isinstance(weight, str):
        return {"weight": weight}
    real, imaginary = standard_deviation_pair(weight)
    return {"weight": "sigma", "sigma_real": real, "sigma_imaginary": imaginary}


def control_arguments(fixed: Mapping[str, float] | None, bounds: Mapping[str, tuple] | None,
                      weight: Any) -> dict[str, Any]:
    """The native keywords of the controls, shared with the batch entry."""
    if fixed is not None and not isinstance(fixed, Mapping):
        raise TypeError("argument 'fixed': expected a dict of parameter name -> value, got " + type(fixed).__name__)
    if bounds is not None and not isinstance(bounds, Mapping):
        raise TypeError("argument 'bounds': expected a dict of parameter name -> (low, high), got "
                        + type(bounds).__name__)
    _refuse_held_outside_bounds(fixed or {}, bounds or {})
    return {"fixed": list((fixed or {}).items()), "bounds": list((bounds or {}).items()),
            **_weight_arguments(weight)}


def _refuse_held_outside_bounds(fixed: Mapping[str, float], bounds: Mapping[str, tuple]) -> None:
    # A held value the caller's own bounds exclude contradicts them: one of the two is a mistake.
    # Malformed entries are left to the native conversion, which names them.
    for name in fixed.keys() & bounds.keys():
        value, limits = fixed[name], bounds[name]
        try:
            low, high = limits
            outside = (low is not None and value < low) or (high is not None and value > high)
        except (TypeError, ValueError):
            continue
        if outside:
            raise ValueError(f"argument 'fixed': {name} = {value!r} lies outside its bounds {tuple(limits)!r} given in "
                             "bounds=; change the held value or widen the bounds")


def fit(circuit: "_corvex.Circuit", frequencies: Any, impedances: Any = None, *,
        fixed: Mapping[str, float] | None = None, bounds: Mapping[str, tuple] | None = None,
        weight: Any = "modulus", robust: bool = True, start: str | None = None, **fit_options: Any) -> FitReport:
    """Fit ``circuit`` to one spectrum and report the uncertainty of every value.

    Takes the spectrum as ``Circuit.fit()`` does (two sequences, or one battery-format data
    frame with ``impedances`` None) and every keyword of ``Circuit.fit()`` besides
    (``guess_init``, ``weights``, ``method``, ``max_iterations``, ``seed``, ...); the start
    is chosen as ``fit()`` chooses it.

    ``fixed``: parameter name -> value held exactly. Held parameters never move, are left
    out of the solver (a zero Jacobian column) and out of the degrees of freedom, and get no
    standard error.

    ``bounds``: parameter name -> (low, high), None for an open side. They narrow the
    catalogue's bounds (never widen them) and the fitted values always respect them. A
    positive parameter with a finite upper limit is treated as bounded. Solver coordinates
    stay those of ``fit()``: positive parameters as decades above their catalogue lower
    bound, exponents as they are, which keeps the problem well conditioned over many
    decades; limits hold by clamping every point: a run that ends beyond a limit is re-solved
    from its own start with the parameters it pushed across held on their limits, and
    parameters on a limit are held there while the others are re-solved (an active set). A
    fit whose every free value is runaway (see ``robust``) is reported as not converged.

    ``weight``: "modulus" (default) or "unit" as in ``fit()``; "proportional" divides the
    real and imaginary parts each by their own measured magnitude (floored at 1e-30, so
    points where a part crosses zero weigh heavily); or an array of per-point standard
    deviations (complex: real and imaginary parts for the two parts). Intervals always scale
    by the fit's own chi-square per degree of freedom.

    ``robust`` (default True): also fit from deterministic extra starts (arcs' roles swapped,
    each arc's resistance times and divided by 10; the same start with non-finite trial steps
    rejected when the first fit ends implausibly; the values read off the spectrum, as for
    ``start="data"``, when the fit starts elsewhere) and, when none of them converges, a basin-hopping search seeded
    with ``seed`` (0 when None). The lowest-cost converged fit wins (a later start must be lower by more than
    a billionth; a point off every limit wins a tie), so an exponent held on its limit by the data stays
    there; ``start`` says which. Runaway values are the exception: a converged fit with none wins over
    one with a resistance above 100 * max|Z| or below 1e-4 * min|Z|, an arc (parallel R-C or R-CPE,
    or a K or Zarc) whose time constant R*C, (R*Q)**(1/alpha) or tau_k lies more than a decade
    outside 1/(2*pi*f) over the measured frequencies, or a standard error above 1000 times its value (inf included), unless the
    runaway fit's cost is lower beyond noise: the ratio of the costs exceeds the 99 % quantile of the
    F distribution with (dof, dof) degrees of freedom. ``runaway`` names the winner's flagged values.
    With the default method and no controls the "guess" start is exactly ``Circuit.fit()``.

    ``start``: None (default) chooses the start as ``fit()`` does; "data" starts from values
    read off the spectrum, for any topology: the high-frequency intercept for the series
    resistor, the inductive tail for an inductor, the peaks of the relaxation-time
    distribution for the arcs (parallel R-C and R-CPE pairs, K, Zarc) in time-constant order,
    the low-frequency tail for Warburg elements and a series C or CPE; other elements keep
    the catalogue default. Other readings of the same spectrum (arcs in the other order, an
    arc taking the intercept, a Warburg owning the slowest peak or bending beyond the window,
    steeper arcs) join it; twelve of them run a brief fit each, and the fit continues from
    the lowest. The report's ``start`` is then "data" when that start won.

    Held parameters, bounds and weights other than "modulus"/"unit" need the default method.
    Unknown parameter names raise ValueError with the closest-name suggestion, a held value
    outside its own ``bounds`` or outside the values the parameter can take (a negative
    resistance, an exponent above 1) ValueError naming the parameter and its range.

    Unlike ``Circuit.fit()``, a spectrum with a point that is not a measurement (a frequency
    that is not positive among two sequences, a non-finite impedance; a frame's rows without a
    positive frequency are dropped as ``fit()`` drops them) or whose frequencies run through
    several sweeps raises ValueError naming the row, or the columns that could split the sweeps
    with ``corvex.batch.fit(by=...)``.
    """
    frequencies, impedances = kept_spectrum(frequencies, impedances, refuse_empty=True)
    points = points_of(frequencies, impedances)
    problem = problem_of(points) if points is not None else None
    if problem is not None:
        part = problem.part if impedances is not None else "frequencies"
        raise ValueError(f"argument '{part}': {problem.text}")
    raw = _corvex._fit_with_controls(circuit, frequencies, impedances,
                                     robust=bool(robust), start=start, **control_arguments(fixed, bounds, weight), **fit_options)
    result, start, values, covariance, correlation, errors, intervals, identifiable, dof, t, runaway, best = raw
    names = circuit.param_names()
    n = len(names)
    return FitReport(
        result=result, start=start, names=names, values=np.array(values, dtype=float),
        held=frozenset((fixed or {}).keys()) & frozenset(names),
        covariance=np.array(covariance, dtype=float).reshape(n, n),
        correlation=np.array(correlation, dtype=float).reshape(n, n),
        stderr=dict(zip(names, errors)), intervals=dict(zip(names, intervals)),
        identifiable=dict(zip(names, identifiable)), degrees_of_freedom=dof, t_quantile=t,
        runaway=tuple(name for name, flagged in zip(names, runaway) if flagged), best_cost_any=best)
