"""corvex.series.fit: one least-squares fit of a circuit to a whole series, with parameters
shared by every spectrum and parameters that follow a law of a column, and its tables."""

from __future__ import annotations

import math
from collections.abc import Callable, Iterable, Mapping
from dataclasses import dataclass, field
from typing import Any

import numpy as np

import corvex
import corvex.batch
from corvex import _grouping
from corvex._batch.inputs import collect, frame_library
from corvex.series.laws import Law

__all__ = ["SeriesResult", "fit"]

# A bounded value this close to a limit, as a fraction of its range, sits on it.
_AT_LIMIT = 1e-9
# A standard error this many times the value's magnitude says the value means nothing.
_RUNAWAY_RATIO = 1000.0


@dataclass
class SeriesResult:
    """A joint fit of a series.

    `spectra` has one row per spectrum in input order: the key columns, `included` (False for a
    spectrum that could not be fitted, whose `error` says why), `cost` and `chi_square` of the
    spectrum at the joint solution, its `points`, each parameter's value, `<name>_stderr`, `<name>_ci_low` and
    `<name>_ci_high` (95 % intervals from the joint covariance, shared and law parameters
    included), `flags` ("name:reason" entries joined by ";": at_limit, unresolved, runaway,
    outside_bounds), `independent_chi_square` from the start's own fit, and `error`.
    `parameters` has one row per shared parameter and per law coefficient (name, role, column,
    value, stderr, ci_low, ci_high); an Arrhenius law adds a row for A = exp(ln_A).
    `chi_square`, `aic` and `bic` are those of the whole series (n ln(chi2/n) + 2k and + k ln n,
    n residuals, k free parameters), comparable with the same criteria of independent fits.
    """

    spectra: Any
    parameters: Any
    chi_square: float
    residual_count: int
    parameter_count: int
    degrees_of_freedom: int
    aic: float
    bic: float
    converged: bool
    iterations: int
    termination: str
    by: list[str]
    shared: list[str]
    laws: dict[str, Law]
    global_names: list[str]
    global_values: np.ndarray
    global_covariance: np.ndarray
    t_quantile: float
    column_values: dict[str, np.ndarray] = field(default_factory=dict)

    def law_band(self, parameter: str, column_values: Any) -> tuple[np.ndarray, np.ndarray, np.ndarray]:
        """The law of `parameter` at `column_values` with its 95 % band: (value, low, high),
        from the coefficients' joint covariance (in the law's linked scale, so a log law's
        band is positive)."""
        if parameter not in self.laws:
            raise KeyError(f"{parameter!r} follows no law in this fit; laws: {sorted(self.laws)}")
        law = self.laws[parameter]
        names = [f"{parameter}:{coefficient}" for coefficient in law.coefficients]
        where = [self.global_names.index(name) for name in names]
        basis = law.basis(np.atleast_1d(np.asarray(column_values, dtype=float)))
        centre = basis @ self.global_values[where]
        covariance = self.global_covariance[np.ix_(where, where)]
        spread = self.t_quantile * np.sqrt(np.maximum(np.einsum("ij,jk,ik->i", basis, covariance, basis), 0.0))
        link: Callable[[np.ndarray], np.ndarray] = np.exp if law.link == "log" else np.asarray
        return link(centre), link(centre - spread), link(centre + spread)


def fit(
    circuit: corvex.Circuit,
    data: Any,
    *,
    by: Any = None,
    shared: Iterable[str] = (),
    laws: Mapping[str, Law] | None = None,
    start: Any = None,
    weight: str = "modulus",
    n_jobs: int | None = None,
    progress: bool | None = False,
    max_iterations: int = 200,
    ftol: float = 1e-10,
    xtol: float = 1e-10,
) -> SeriesResult:
    """Fit `circuit` to every spectrum of `data` at once, as one least-squares problem.

    `data` and `by` are read as `corvex.batch.fit` reads them. Every parameter is each
    spectrum's own unless it is named in `shared` (one value for the whole series) or in `laws`
    (a mapping from a parameter name to `arrhenius(column)`, `linear(column)`,
    `polynomial(column, degree)` or `formula(column, ...)`, whose coefficients are fitted
    instead). A law's column is a key column of `by` or a column of the frame that holds one
    value per spectrum.

    Each spectrum starts from its independent fit: `start` is a table `corvex.batch.fit`
    returned for the same data and `by`; None runs that batch first (with `weight` and
    `n_jobs`). A spectrum the batch could not read is left out of the joint fit and keeps its
    row with the reason in `error`; one whose own fit failed starts from the median of the others.

    The joint problem is solved in the native engine by Levenberg-Marquardt on the block
    structure of its Jacobian, with the interpreter lock released; Ctrl-C stops it and raises
    KeyboardInterrupt. The result is the same whatever the number of threads.
    """
    if not isinstance(circuit, corvex.Circuit):
        raise TypeError(f"argument 'circuit': expected a corvex.Circuit, got {type(circuit).__name__!r}")
    names = circuit.param_names()
    shared_names = [shared] if isinstance(shared, str) else list(shared)
    laws = dict(laws or {})
    for name in [*shared_names, *laws]:
        if name not in names:
            raise ValueError(f"unknown parameter {name!r}; the circuit's parameters are {', '.join(names)}")
    for name, law in laws.items():
        if not isinstance(law, Law):
            raise TypeError(f"argument 'laws': {name!r} maps to {type(law).__name__!r}, expected a corvex.series law")
    if len(set(shared_names)) != len(shared_names) or set(shared_names) & set(laws):
        raise ValueError("a parameter may be shared or follow a law, once")

    by_columns = _grouping.key_names(by)
    collected = collect(data, by_columns, None)
    problems = collected.problems()
    independent = start if start is not None else corvex.batch.fit(
        circuit, data, by=by, n_jobs=n_jobs, progress=progress, weight=weight)
    independent = _as_pandas(independent)
    if len(independent) != len(collected.items):
        raise ValueError(f"argument 'start': expected a table of {len(collected.items)} rows (one per spectrum), "
                         f"got {len(independent)}")
    included = np.array([problem is None for problem in problems], dtype=bool)
    if not included.any():
        raise ValueError("argument 'data': no spectrum can be fitted")
    starts = np.array(independent[names].to_numpy(dtype=float))
    success = independent["success"].to_numpy(dtype=bool) if "success" in independent else np.ones(len(starts), bool)
    starts[~success] = np.nan
    fallback = np.nanmedian(np.where(included[:, None], starts, np.nan), axis=0) if success[included].any() else \
        np.full(len(names), np.nan)
    starts = np.where(np.isfinite(starts), starts, fallback)[included]

    column_values = {law.column: _column_values(data, collected, by_columns, law.column)[included]
                     for law in laws.values()}
    index = {name: i for i, name in enumerate(names)}
    native_laws = [(index[name], law.link, len(law.coefficients), _law_basis(name, law, column_values))
                   for name, law in laws.items()]
    spectra = [item for item, keep in zip(collected.items, included) if keep]
    summary = corvex._series_fit(circuit, spectra, starts.ravel().tolist(), [index[name] for name in shared_names],
                                 native_laws, weight, int(max_iterations), float(ftol), float(xtol), True)

    global_names = [*shared_names, *(f"{name}:{c}" for name, law in laws.items() for c in law.coefficients)]
    global_values = np.asarray(summary["global_values"], dtype=float)
    global_covariance = np.asarray(summary["global_covariance"], dtype=float).reshape(len(global_names), -1)
    residual_count = int(summary["residual_count"])
    free = int(summary["free_count"])
    chi_square = 2.0 * float(summary["cost"])
    fit_term = residual_count * math.log(max(chi_square, np.finfo(float).tiny) / residual_count)
    t_quantile = float(summary["t_quantile"])
    return SeriesResult(
        spectra=_spectrum_table(circuit, collected, problems, included, independent, summary, t_quantile, laws),
        parameters=_parameter_table(circuit, shared_names, laws, global_names, global_values, global_covariance,
                                    t_quantile),
        chi_square=chi_square,
        residual_count=residual_count,
        parameter_count=free,
        degrees_of_freedom=residual_count - free,
        aic=fit_term + 2.0 * free,
        bic=fit_term + free * math.log(residual_count),
        converged=bool(summary["converged"]),
        iterations=int(summary["iterations"]),
        termination=str(summary["termination"]),
        by=list(collected.keys),
        shared=shared_names,
        laws=laws,
        global_names=global_names,
        global_values=global_values,
        global_covariance=global_covariance,
        t_quantile=t_quantile,
        column_values=column_values,
    )


def _as_pandas(table: Any) -> Any:
    import pandas as pd

    if isinstance(table, pd.DataFrame):
        return table.reset_index(drop=True)
    if frame_library(table) == "polars":
        return table.to_pandas()
    raise TypeError(f"argument 'start': expected the table corvex.batch.fit returns, got {type(table).__name__!r}")


def _column_values(data: Any, collected: Any, by_columns: list[str] | None, column: str) -> np.ndarray:
    """The law column's value for each spectrum: a key column, or a frame column that holds one
    value in each spectrum's rows."""
    if column in collected.keys:
        raw = collected.keys[column]
    else:
        library = frame_library(data)
        if library is None or by_columns is None or column not in data.columns:
            raise ValueError(f"law column {column!r} is neither a key column ({', '.join(collected.keys)}) "
                             "nor a column of the data frame")
        frame = data.to_pandas() if library == "polars" else data
        groups = frame.groupby(_grouping.resolve(by_columns, list(frame.columns)), sort=False, dropna=False)[column]
        if (groups.nunique(dropna=False) > 1).any():
            raise ValueError(f"law column {column!r} takes more than one value within a spectrum")
        raw = groups.first().to_list()
    try:
        values = np.asarray(raw, dtype=float)
    except (TypeError, ValueError):
        raise ValueError(f"law column {column!r} is not numeric") from None
    return values


def _law_basis(name: str, law: Law, column_values: Mapping[str, np.ndarray]) -> list[float]:
    with np.errstate(all="ignore"):
        basis = law.basis(column_values[law.column])
    if not np.isfinite(basis).all():
        raise ValueError(f"the law of {name} ({law.text}) is not finite at every spectrum's {law.column!r}")
    return basis.ravel().tolist()


def _spectrum_table(circuit: corvex.Circuit, collected: Any, problems: list[Any], included: np.ndarray,
                    independent: Any, summary: dict[str, Any], t_quantile: float, laws: Mapping[str, Law]) -> Any:
    import pandas as pd

    names = circuit.param_names()
    rows, p = len(included), len(names)
    values = np.full((rows, p), np.nan)
    errors = np.full((rows, p), np.nan)
    costs = np.full(rows, np.nan)
    values[included] = np.asarray(summary["values"], dtype=float).reshape(-1, p)
    errors[included] = np.asarray(summary["standard_errors"], dtype=float).reshape(-1, p)
    costs[included] = summary["spectrum_costs"]
    table = pd.DataFrame(dict(collected.keys))
    table["included"] = included
    table["cost"] = costs
    table["chi_square"] = 2.0 * costs
    table["independent_chi_square"] = independent["chi_square"].to_numpy(dtype=float) \
        if "chi_square" in independent else np.nan
    points = np.zeros(rows, dtype=np.int64)
    points[included] = summary["spectrum_points"]
    table["points"] = points
    with np.errstate(invalid="ignore"):
        low, high = values - t_quantile * errors, values + t_quantile * errors
    blocks = {name: values[:, k] for k, name in enumerate(names)}
    blocks |= {f"{name}_stderr": errors[:, k] for k, name in enumerate(names)}
    blocks |= {f"{name}_ci_low": low[:, k] for k, name in enumerate(names)}
    blocks |= {f"{name}_ci_high": high[:, k] for k, name in enumerate(names)}
    table = pd.concat([table, pd.DataFrame(blocks)], axis=1)
    table["flags"] = _flags(circuit, values, errors, included, laws)
    table["error"] = [None if problem is None else f"argument 'data': {problem.text}" for problem in problems]
    return table


def _flags(circuit: corvex.Circuit, values: np.ndarray, errors: np.ndarray, included: np.ndarray,
           laws: Mapping[str, Law]) -> list[str]:
    names = np.asarray(circuit.param_names(), dtype=object)
    bounds = circuit.param_bounds()
    lo = np.array([b[0] for b in bounds], dtype=float)
    hi = np.array([b[1] for b in bounds], dtype=float)
    with np.errstate(invalid="ignore"):
        finite_range = np.isfinite(hi)
        span = np.where(finite_range, hi - lo, 1.0)
        reasons = {
            "at_limit": finite_range & ((values - lo <= _AT_LIMIT * span) | (hi - values <= _AT_LIMIT * span)),
            "unresolved": np.isinf(errors),
            "runaway": np.isfinite(errors) & (errors > _RUNAWAY_RATIO * np.abs(values)),
            "outside_bounds": np.isin(names, list(laws)) & ((values < lo) | (values > hi)),
        }
    entries = np.full(values.shape, "", dtype=object)
    for reason, mask in reasons.items():
        entries = np.where(mask & included[:, None], entries + ";" + names + ":" + reason, entries)
    return ["".join(row).lstrip(";") for row in entries]


def _parameter_table(circuit: corvex.Circuit, shared: list[str], laws: Mapping[str, Law], global_names: list[str],
                     global_values: np.ndarray, global_covariance: np.ndarray, t_quantile: float) -> Any:
    import pandas as pd

    units = dict(zip(circuit.param_names(), circuit.param_units()))
    errors = np.sqrt(np.diag(global_covariance)) if len(global_names) else np.zeros(0)
    roles = [*(["shared"] * len(shared)), *(law.kind for law in laws.values() for _ in law.coefficients)]
    columns = [*([None] * len(shared)), *(law.column for law in laws.values() for _ in law.coefficients)]
    coefficient_units = [*(units[name] for name in shared),
                         *(_coefficient_unit(units[name], law, c) for name, law in laws.items() for c in law.coefficients)]
    table = pd.DataFrame({
        "name": global_names, "role": roles, "column": columns, "value": global_values, "stderr": errors,
        "ci_low": global_values - t_quantile * errors, "ci_high": global_values + t_quantile * errors,
        "unit": coefficient_units,
    })
    extra = []
    for name, law in laws.items():
        if law.kind != "arrhenius":
            continue
        row = table.loc[table["name"] == f"{name}:ln_A"].iloc[0]
        amplitude = math.exp(row["value"])
        extra.append({"name": f"{name}:A", "role": "arrhenius", "column": law.column, "value": amplitude,
                      "stderr": amplitude * row["stderr"], "ci_low": math.exp(row["ci_low"]),
                      "ci_high": math.exp(row["ci_high"]), "unit": units[name]})
    return pd.concat([table, pd.DataFrame(extra)], ignore_index=True) if extra else table


def _coefficient_unit(unit: str, law: Law, coefficient: str) -> str:
    if law.kind == "arrhenius":
        return "eV" if coefficient == "Ea" else f"ln({unit})"
    return f"ln({unit})" if law.link == "log" else unit
