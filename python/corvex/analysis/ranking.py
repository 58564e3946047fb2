"""Ranking of candidate circuits for measured spectra: every carried topology (or a list the
caller gives) fitted from its network guess and from the data, ordered by BIC (or by AICc
with a parsimony rule), with both criteria reported."""

from __future__ import annotations

import math
from collections.abc import Sequence
from typing import Any

import corvex

from ._spectra import Batch, workers_for

_COLUMNS = ["rank", "circuit", "parameters", "success", "chi_square", "aicc", "delta_aicc", "aicc_weight",
            "bic", "bic_rank", "guessed", "from_data", "at_bounds", "not_identifiable", "flagged", "error", "result"]


def _candidates(circuits: Sequence[Any] | None) -> tuple[list[str], list[corvex.Circuit]]:
    if circuits is None:
        keys = corvex.Circuit.ml_circuits()
        return keys, [corvex.Circuit(key) for key in keys]
    names: list[str] = []
    objects: list[corvex.Circuit] = []
    for i, item in enumerate(circuits):
        if isinstance(item, str):
            names.append(item)
            objects.append(corvex.Circuit(item))
        elif isinstance(item, corvex.Circuit):
            names.append(f"circuit {i}")
            objects.append(item)
        else:
            raise TypeError(f"circuits must hold notation strings or Circuit objects, not {type(item).__name__}")
    if not objects:
        raise ValueError("circuits must name at least one circuit")
    return names, objects


def _rows(names: list[str], ranked: list[dict[str, Any]]) -> list[dict[str, Any]]:
    # Akaike weights: the relative likelihood exp(-delta/2) of each successful model,
    # normalised; a failed fit's criterion describes no model, so it gets none.
    weighed = [row.get("success", False) and "aicc" in row and math.isfinite(row["aicc"]) for row in ranked]
    finite = [row["aicc"] for row, counted in zip(ranked, weighed) if counted]
    best = min(finite) if finite else math.nan
    likelihood = [math.exp(-(row["aicc"] - best) / 2) if counted else 0.0 for row, counted in zip(ranked, weighed)]
    total = sum(likelihood)
    rows = []
    for row, weight in zip(ranked, likelihood):
        fitted = "result" in row
        at_bounds = tuple(row.get("at_bounds", ()))
        not_identifiable = tuple(row.get("not_identifiable", ()))
        rows.append({
            "rank": row["rank"],
            "circuit": names[row["candidate"]],
            "parameters": row.get("parameters"),
            "success": row.get("success", False),
            "chi_square": row.get("chi_square", math.nan),
            "aicc": row.get("aicc", math.nan),
            "delta_aicc": row["aicc"] - best if fitted else math.nan,
            "aicc_weight": weight / total if total > 0 else math.nan,
            "bic": row.get("bic", math.nan),
            "bic_rank": row["bic_rank"],
            "guessed": row["guessed"],
            "from_data": row.get("from_data", False),
            "at_bounds": at_bounds,
            "not_identifiable": not_identifiable,
            "flagged": row.get("flagged", True),
            "error": row.get("error"),
            "result": row.get("result"),
        })
    return rows


def rank_circuits(frequencies: Any, impedances: Any = None, *, circuits: Sequence[Any] | None = None, by: Any = None,
                  weight: str = "modulus", thorough: bool = False, patience: int = 100,
                  identifiability_limit: float = 1.0, criterion: str = "bic", n_jobs: int | None = None) -> Any:
    """Fit every candidate circuit to a measured spectrum (or to each spectrum of a batch) and
    rank the candidates by an information criterion.

    `circuits` defaults to the carried topologies (`Circuit.ml_circuits()`); otherwise a list
    of notation strings, carried-model names or `Circuit` objects. Each candidate is refined
    by one Levenberg-Marquardt run of at most `patience` * (parameters + 1) evaluations from
    its network guess when one exists (else from its own values) and by one from the values
    read off the spectrum (`start="data"` of `corvex.fitting.fit`); the cheaper successful
    fit is kept (`from_data` tells which). The run from the data is made when those values
    start below where the guess's fit ended, when that fit failed, or when it fits no better
    than a candidate with fewer parameters without a parameter on a bound (a collapsed
    element). Skipping the other runs saves a fifth of the time; on the accuracy benchmark
    it changed one first choice in 440 spectra, to the generating topology. With
    `thorough=True` the whole stage of `Circuit.fit()` runs from the guess, the data's values
    and the robust starts of `corvex.fitting.fit` (arcs swapped, resistances a decade up and
    down, a global search when none ends plausibly): several times slower, for hard spectra. `weight` is the
    residual weighting of `Circuit.fit()`.

    `criterion` orders the table: "bic" (the default) by BIC; "aicc" by AICc, except that
    the candidate with the fewest parameters within 2 of the best AICc comes first. On
    synthetic spectra of the carried topologies at 1 % noise, AICc alone often let a richer
    model win by less than noise explains; BIC's stronger penalty put the generating
    topology first most often (benchmarks/bench_ranking_accuracy.py).

    With n = 2N weighted residuals, k parameters and RSS the fit's chi-square,
    AICc = n ln(RSS/n) + 2k + 2k(k+1)/(n-k-1) and BIC = n ln(RSS/n) + k ln(n), with RSS no
    smaller than the rounding of the data leaves (so exact fits compare by k). The table has
    one row per candidate, best first: `rank` (by `criterion`), `circuit`, `parameters`, `success`,
    `chi_square`, `aicc`, `delta_aicc` and `aicc_weight` (Akaike weight; both among the
    successful fits, a failed one gets weight 0), `bic`, `bic_rank`,
    `guessed`, `from_data`, `at_bounds` and `not_identifiable` (names of parameters on a bound, and of
    those without a standard error or with one above `identifiability_limit` times the value),
    `flagged` (either of these, except a CPE exponent on its bound 1, which makes that CPE a
    capacitor and the fit that of the circuit with a C in its place; or an unsuccessful fit),
    `error` and `result` (the FitResult).
    A batch (as for `kramers_kronig`) gives the same rows under its key column(s); a spectrum
    that cannot be ranked gets one row holding only its error. `n_jobs` fits run at once
    (None or -1: one per processor); results do not depend on it.
    """
    import pandas as pd

    if criterion not in ("bic", "aicc"):
        raise ValueError(f"criterion must be 'bic' or 'aicc', got {criterion!r}")
    names, objects = _candidates(circuits)
    batch = Batch(frequencies, impedances, by)
    items = corvex._analysis_rank_circuits(batch.pairs, objects, weight, thorough, patience, identifiability_limit,
                                           criterion == "bic", workers_for(n_jobs))
    items = batch.explain(items)
    if batch.single and isinstance(items[0], str):
        raise ValueError(items[0])
    records: list[dict[str, Any]] = []
    for key, item in zip(batch.keys, items):
        keys = dict(zip(batch.key_columns, key))
        if isinstance(item, str):
            records.append({**keys, "error": item})
            continue
        records.extend({**keys, **row} for row in _rows(names, item))
    frame = pd.DataFrame.from_records(records, columns=batch.key_columns + _COLUMNS)
    for column in ("error", "result"):
        frame[column] = pd.Series([record.get(column) for record in records], dtype=object)
    return frame
