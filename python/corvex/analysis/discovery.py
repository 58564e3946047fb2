"""Circuit discovery: candidate circuits enumerated from a small grammar, pruned by the
spectrum's features, each fitted from the data start and the robust starts, simplest adequate first."""

from __future__ import annotations

import math
from collections.abc import Sequence
from typing import Any

import corvex

from ._spectra import Batch, workers_for

_COLUMNS = ["rank", "circuit", "parameters", "chi_square", "aicc", "delta_aicc", "aicc_weight", "bic", "delta_bic",
            "runs_p", "flags", "flagged", "success", "start", "error", "result"]
_ELEMENTS = ("R", "C", "CPE", "L", "W", "Wo", "Ws")
_FLAG_FIELDS = {"at_bounds": "on bound", "not_identifiable": "not identifiable", "runaway": "runaway",
                "low_exponent": "CPE exponent below 0.5"}


def _flags(row: dict[str, Any]) -> str:
    parts = [f"{label}: {', '.join(row[field])}" for field, label in _FLAG_FIELDS.items() if row.get(field)]
    if "result" in row and not row["success"]:
        parts.insert(0, "did not converge")
    return "; ".join(parts)


def _rows(ranked: list[dict[str, Any]], top: int | None) -> list[dict[str, Any]]:
    fitted = [row for row in ranked if "result" in row and math.isfinite(row["aicc"])]
    best_aicc = min((row["aicc"] for row in fitted), default=math.nan)
    best_bic = min((row["bic"] for row in fitted if math.isfinite(row["bic"])), default=math.nan)
    # Akaike weights over the successful fits: exp(-delta/2), normalised.
    likelihood = {id(row): math.exp(-(row["aicc"] - best_aicc) / 2) for row in fitted if row["success"]}
    total = sum(likelihood.values())
    rows = []
    for row in ranked[:top]:
        fit = "result" in row
        rows.append({
            "rank": row["rank"],
            "circuit": row["circuit"],
            "parameters": row["parameters"],
            "chi_square": row.get("chi_square", math.nan),
            "aicc": row.get("aicc", math.nan),
            "delta_aicc": row["aicc"] - best_aicc if fit else math.nan,
            "aicc_weight": likelihood.get(id(row), 0.0) / total if total > 0 else math.nan,
            "bic": row.get("bic", math.nan),
            "delta_bic": row["bic"] - best_bic if fit else math.nan,
            "runs_p": row.get("runs_p", math.nan),
            "flags": _flags(row) if fit else "",
            "flagged": not row.get("sound", False),
            "success": row.get("success", False),
            "start": row.get("start"),
            "error": row.get("error"),
            "result": row.get("result"),
        })
    return rows


def discover(frequencies: Any, impedances: Any = None, *, max_parameters: int = 10,
             elements: Sequence[str] = _ELEMENTS, max_depth: int = 2, by: Any = None, n_jobs: int | None = None,
             top: int | None = None) -> Any:
    """Find equivalent circuits that explain a measured spectrum (or each spectrum of a batch),
    simplest adequate one first.

    Candidates come from a grammar: a series chain of one resistor (also none, where the real
    part at the highest frequency is below a thousandth of the largest |Z|), an inductor, arcs
    and at most one tail element (C, CPE, W, Wo or Ws); an arc is a C or CPE in parallel with a chain of a
    resistor, an optional nested arc and an optional diffusion element, nested at most `max_depth`
    groups deep, with at most one diffusion element per circuit and one capacitive kind (C or CPE)
    for all its arcs. Only codes in `elements` appear, and no candidate has more than
    `max_parameters` parameters. Candidates with the same impedance family (series and parallel
    reordered, resistors, inductors or capacitors merged, an RC ladder written as the chain of RC
    arcs with the same impedances) appear once. The spectrum prunes them: an inductor only when the
    high-frequency end shows one (Im Z > 0 at the highest frequency, or omega (-Im Z) falling over
    the three highest, which no R, C, CPE or diffusion element can make), and no more arcs than
    the distribution of relaxation times has peaks plus one or, where more, stretches where it bends
    downwards (above a tenth of its highest value in the window: its peaks and the shoulders of
    arcs merged into a neighbour's peak). The eleven carried topologies within the
    limits are candidates whatever the pruning, as `rank_circuits` fits them all.

    Each candidate is fitted as `rank_circuits` fits it: a carried topology by one
    Levenberg-Marquardt run from its network guess and one from the start read off the data
    (`start="data"` of `corvex.fitting.fit`, with nested arcs given peaks of their own), the
    cheaper kept, and any other candidate by one run from the start read off the data. In
    rounds of growing parameter count, each candidate then runs again from the cheapest (at
    its values) of these warm starts: the fitted values of each simpler candidate nested in it
    (one element or arc taken out) or with one tail or diffusion element swapped, the data's
    values for the rest; and for a Wo or Ws, its time constant at each peak of the relaxation
    times. The cheaper end is kept. The eight with the lowest BIC are fitted again from the robust starts (arcs swapped, resistances a
    decade up and down), each by `Circuit.fit()`'s driver. The fits run on the process-wide pool
    (`n_jobs` at once; None or -1: one per processor; results do not depend on it). Fits with the same fitted impedance (1e-6 of |Z| at every frequency)
    keep only the one with fewest parameters.

    The table has one row per candidate: `rank`; `circuit` (notation); `parameters`;
    `chi_square`; `aicc`, `delta_aicc`, `aicc_weight` (Akaike weight among the successful
    fits), `bic` and `delta_bic`, defined as in `rank_circuits`; `runs_p`, the one-sided
    p-value of the Wald-Wolfowitz runs test on the signs of the real and imaginary residuals in
    frequency order (small: the model leaves structure); `flags`, the findings as text:
    parameters on a bound, not identifiable (relative standard error above 1), runaway values
    (arcs outside the measured window, resistances beyond the spectrum's scale, standard errors
    above 1000 times the value), CPE exponents below 0.5 (a resistor would do), or a fit that did
    not converge; `flagged`, the findings that make a fit doubtful: all of these but a standard
    error between 1 and 1000 times the value and a CPE exponent on its bound 1 (that CPE is a
    capacitor); `success`, `start` (the
    winning start: "guess", "data", a robust start's label, or "nested " and the related
    candidate's notation, with ", <element> at peak <n>" for a diffusion moved to a peak),
    `error` and `result` (the FitResult). Rows are ordered by BIC as `rank_circuits` orders
    its own, flags informing only, failures last, except that the simplest adequate fit comes
    first: of the fits within 3 BIC units of the best one, a carried topology, then the one
    with the fewest parameters, then the shallowest nesting; `top` keeps only the first rows.
    A batch (as for
    `rank_circuits`) gives the same rows under its key column(s). ``table.attrs["candidates"]``
    holds the number of candidates fitted (a list, one per spectrum, for a batch).
    """
    import pandas as pd

    codes = [elements] if isinstance(elements, str) else list(elements)
    batch = Batch(frequencies, impedances, by)
    if top is not None and top < 1:
        raise ValueError(f"top must be a positive number of rows, got {top}")
    items = corvex._analysis_discover(batch.pairs, max_parameters, codes, max_depth, workers_for(n_jobs))
    items = batch.explain(items)
    if batch.single and isinstance(items[0], str):
        raise ValueError(items[0])
    records: list[dict[str, Any]] = []
    counts = []
    for key, item in zip(batch.keys, items):
        keys = dict(zip(batch.key_columns, key))
        if isinstance(item, str):
            records.append({**keys, "error": item})
            counts.append(0)
            continue
        counts.append(item["candidates"])
        records.extend({**keys, **row} for row in _rows(item["rows"], top))
    frame = pd.DataFrame.from_records(records, columns=batch.key_columns + _COLUMNS)
    for column in ("start", "error", "result"):
        frame[column] = pd.Series([record.get(column) for record in records], dtype=object)
    frame.attrs["candidates"] = counts[0] if batch.single else counts
    return frame
