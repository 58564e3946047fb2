"""Fit one circuit to many spectra in one call, on every core, with one table row per spectrum.

The spectra are converted once, then fitted by the native engine with the interpreter lock
released; this module only turns the accepted inputs into spectra and the results into a table.
"""

from __future__ import annotations

import dataclasses
import importlib
import os
import sys
import time
from collections.abc import Callable, Mapping, Sequence
from typing import Any

import numpy as np

import corvex
from corvex import _grouping
from corvex._spectrum_checks import Points, Problem, frame_columns, points_of, problem_of, suspects
from corvex.fitting import control_arguments, standard_deviation_pair

__all__ = ["fit"]

# The columns a spectrum is read from, display names before machine names, as fit() reads them.
_SPECTRUM_COLUMNS = (
    "Frequency / Hz",
    "frequency_hertz",
    "Real Impedance / ohm",
    "real_impedance_ohm",
    "Imaginary Impedance / ohm",
    "imaginary_impedance_ohm",
    "Absolute Impedance / ohm",
    "absolute_impedance_ohm",
    "Phase / deg",
    "phase_degree",
)


def fit(
    circuit: corvex.Circuit,
    data: Any,
    *,
    by: str | Sequence[str] | None = None,
    frequencies: Any = None,
    n_jobs: int | None = None,
    refine: bool | None = None,
    progress: bool | Callable[[int, int], Any] | None = None,
    fixed: Mapping[str, float] | None = None,
    bounds: Mapping[str, tuple[float | None, float | None]] | None = None,
    robust: bool = True,
    guess_init: bool | None = None,
    weights: str | None = None,
    weight: str = "modulus",
    method: str = "levenberg_marquardt",
    max_iterations: int = 200,
    ftol: float = 1e-8,
    xtol: float = 1e-8,
    num_particles: int = 200,
    generations: int = 1000,
    nelder_mead_iterations: int = 2000,
    de_evaluations: int = 20000,
    sa_iterations: int = 5000,
    sa_initial_temperature: float = 2.0,
    basin_hopping_hops: int = 20,
    basin_hopping_step_size: float = 1.0,
    basin_hopping_temperature: float = 1.0,
    seed: int | None = None,
) -> Any:
    """Fit `circuit` to every spectrum in `data` and return one table row per spectrum.

    `data` is a long data frame (pandas or polars) in the battery data format with the
    grouping column(s) named by `by`; a sequence of data frames; a sequence of
    (frequencies, impedances) pairs; a dict from names to any of those; or a 2-D array of
    impedances, one spectrum per row, sharing the `frequencies` vector.

    Every keyword of `Circuit.fit()` applies to each spectrum, and every row started from the
    network guess is exactly what `circuit.fit()` returns for that spectrum alone, whatever
    `n_jobs` and the order of the input. `n_jobs` fits run at once (None or -1: one per
    processor). A spectrum that cannot be fitted keeps its row, with fit()'s message in `error`;
    so does one `corvex.fitting.fit` refuses (a row that is not a measurement, several sweeps
    run together), with the reason. A lone frame without `by` whose frequencies run through
    several sweeps raises ValueError naming the columns that tell them apart.

    `by` names key columns as the frame has them, or by the header an instrument file wrote
    for them ("Cycle" for the "Cycle Count / 1" of `corvex.io.read`; the key column keeps the
    name given). Rows whose key is missing (NaN, None) form a spectrum of their own.

    `refine` (on by default when `by` orders the spectra as a series) refits each spectrum from
    the fitted values of its neighbours in `by` order and keeps the lowest-cost successful fit
    (see runaway values below); `start` says where the kept fit began: "guess", "previous" or
    "next".

    `fixed`, `bounds` and `weight="proportional"` apply to every fit as in
    `corvex.fitting.fit`; `weight` may also be a list of per-point standard deviations, one
    array per spectrum in the table's row order (complex: one per part) (held parameters never move, bounds always hold; they need the default
    method). `robust` (on by default) also fits each spectrum from deterministic extra starts
    and keeps the lowest-cost successful fit (a point off every limit wins a tie), and runs a
    seeded global search when no start converges; `start` then names the start that won ("swapped",
    "R1.r*10", "tolerant", "global", ...). Refits from neighbours honour the same controls.

    Runaway values: a converged fit can reach a lower cost by sending values where the spectrum
    says nothing about them (an arc turned into a capacitor by a resistance of 1e24 ohm). A
    value runs away when it is a resistance above 100 * max|Z| or below 1e-4 * min|Z| of its
    spectrum; an arc's (a parallel R-C or R-CPE pair's) resistance or capacitance whose time
    constant R*C or (R*Q)**(1/alpha) lies more than a decade outside 1/(2*pi*f) over the
    measured frequencies; or a value whose standard error exceeds its magnitude a thousandfold
    (an infinite one included). Among the robust starts and the neighbour refits a converged
    fit with no runaway value wins over one with a runaway value, unless the runaway fit's
    cost is lower by more than noise explains: the ratio of the two costs exceeds the 99 %
    quantile of the F distribution with (dof, dof) degrees of freedom, dof = residuals (2 per
    point) minus free parameters. Otherwise the lowest cost wins, as above. The `runaway`
    column lists the flagged parameter names of the kept fit (empty when none; None for a
    spectrum that was not fitted), and `best_cost_any` is the lowest cost any converged start
    or refit of that spectrum reached: a `cost` above it means the model fits these data only
    with values that mean nothing.

    `progress=True` shows a tqdm bar; None (the default) shows one only when the batch runs
    longer than about a second on a terminal; a callable receives (done, total) instead.
    Ctrl-C stops the batch promptly and raises KeyboardInterrupt.

    The table is in the input's frame library (pandas otherwise), in input order, with the key
    column(s), start, success, cost, best_cost_any, chi_square, iterations, impedance_evals, one
    column per parameter, one `<name>_stderr` column per parameter, then `<name>_ci_low`,
    `<name>_ci_high` (t-based 95 % intervals) and `<name>_identifiable` blocks (missing for held
    parameters; see `corvex.fitting.FitReport` for their meaning), runaway, error, and result
    (the FitResult). A standard error is inf for a value the data cannot resolve and NaN for a
    held parameter, where no estimate exists (no degrees of freedom left) or where the spectrum
    was not fitted; it is the figure `corvex.fitting.fit` reports (the FitResult keeps the one
    `Circuit.fit()` computes).
    A pandas table's `attrs` count the refinement passes and the fits they ran ("refine_passes",
    "refits").

    A dask DataFrame is fitted partition by partition on its cluster by `corvex.dask.fit`,
    which returns the table as a dask DataFrame (`n_jobs` None means one core per partition
    there, and progress is Dask's to show).
    """
    if _is_dask_frame(data):
        keywords = {name: value for name, value in locals().items() if value is not None and name not in (
            "circuit", "data", "frequencies", "progress")}
        return _fit_on_dask(circuit, data, keywords)
    if not isinstance(circuit, corvex.Circuit):
        raise TypeError(f"argument 'circuit': expected a corvex.Circuit, got {type(circuit).__name__!r}")
    by_columns = _grouping.key_names(by)
    workers = _workers(n_jobs)
    if refine is not None and not isinstance(refine, bool | np.bool_):
        raise TypeError(f"argument 'refine': expected a bool or None, got {type(refine).__name__!r}")
    if isinstance(weight, str):
        controls = control_arguments(fixed, bounds, weight)
    elif isinstance(weight, list | tuple):
        controls = control_arguments(fixed, bounds, "sigma")
        controls["standard_deviations"] = [standard_deviation_pair(sigma) for sigma in weight]
    else:
        raise TypeError("argument 'weight': expected \"modulus\", \"unit\", \"proportional\" or a list of "
                        f"per-point standard deviations, one array per spectrum; got {type(weight).__name__!r}")
    if progress is not None and not isinstance(progress, bool) and not callable(progress):
        raise TypeError(f"argument 'progress': expected a bool, a callable or None, got {type(progress).__name__!r}")

    library = _frame_library(data) or "pandas"
    collected = _collect(data, by_columns, frequencies)
    problems = collected.problems()
    if by_columns is None and _frame_library(data) is not None and problems[0] is not None and problems[0].sweeps:
        raise ValueError(f"argument 'by': {problems[0].text}")
    # A refused spectrum goes to the engine as an item it cannot read, which keeps its row
    # unfitted; the row's error then says why it was refused.
    items = [None if problem is not None else item for item, problem in zip(collected.items, problems)]
    if refine is None:
        refine = by_columns is not None
    reporter: Callable[[int, int], Any] | None
    if progress is False:
        reporter = None
    elif progress is None or progress is True:
        reporter = _ProgressBar(always=progress is True)
    else:
        reporter = progress
    try:
        columns = corvex._batch_fit(
            circuit,
            items,
            workers,
            bool(refine),
            collected.series(),
            reporter,
            fixed=controls["fixed"],
            bounds=controls["bounds"],
            robust=bool(robust),
            **({"standard_deviations": controls["standard_deviations"]} if "standard_deviations" in controls else {}),
            guess_init=guess_init,
            weights=weights,
            weight=controls["weight"],
            method=method,
            max_iterations=max_iterations,
            ftol=ftol,
            xtol=xtol,
            num_particles=num_particles,
            generations=generations,
            nelder_mead_iterations=nelder_mead_iterations,
            de_evaluations=de_evaluations,
            sa_iterations=sa_iterations,
            sa_initial_temperature=sa_initial_temperature,
            basin_hopping_hops=basin_hopping_hops,
            basin_hopping_step_size=basin_hopping_step_size,
            basin_hopping_temperature=basin_hopping_temperature,
            seed=seed,
        )
    finally:
        if isinstance(reporter, _ProgressBar):
            reporter.close()
    for row, problem in enumerate(problems):
        if problem is not None:
            columns["error"][row] = f"argument 'data': {problem.text}"
    return _table(library, collected.keys, circuit.param_names(), columns)


class _ProgressBar:
    """A tqdm bar fed (done, total); unless `always`, shown only once the batch has run for
    about a second with a terminal on stderr."""

    def __init__(self, always: bool):
        self.always = always
        self.started = time.monotonic()
        self.bar: Any = None
        if always:
            _tqdm()  # a missing tqdm is reported before the work starts

    def __call__(self, done: int, total: int) -> None:
        if self.bar is None:
            if not self.always and (time.monotonic() - self.started < 1.0 or not _on_terminal()):
                return
            tqdm = _tqdm() if self.always else _tqdm_if_installed()
            if tqdm is None:
                self.always, self.started = False, float("inf")
                return
            self.bar = tqdm(total=total, unit="spectra", desc="corvex.batch.fit")
        self.bar.total = total
        self.bar.update(done - self.bar.n)

    def close(self) -> None:
        if self.bar is not None:
            self.bar.close()


def _on_terminal() -> bool:
    return sys.stderr is not None and hasattr(sys.stderr, "isatty") and sys.stderr.isatty()


def _tqdm() -> Any:
    try:
        return importlib.import_module("tqdm.auto").tqdm
    except ImportError as error:
        raise ImportError("progress=True needs tqdm: pip install 'corvex[progress]'") from error


def _tqdm_if_installed() -> Any:
    try:
        return _tqdm()
    except ImportError:
        return None


def _workers(n_jobs: Any) -> int:
    processors = len(os.sched_getaffinity(0)) if hasattr(os, "sched_getaffinity") else (os.cpu_count() or 1)
    if n_jobs is None:
        return processors
    if isinstance(n_jobs, bool) or not isinstance(n_jobs, int | np.integer):
        raise TypeError(f"argument 'n_jobs': expected an int or None, got {type(n_jobs).__name__!r}")
    if n_jobs == 0:
        raise ValueError("argument 'n_jobs': expected a positive number of workers, or a negative one counted back from all processors")
    # More fits at once than there are spectra never run, so a huge count means "all at once"
    # and is cut to what the engine's integer holds.
    return min(int(n_jobs), sys.maxsize) if n_jobs > 0 else max(1, processors + 1 + int(n_jobs))


def _fit_on_dask(circuit: Any, data: Any, keywords: dict[str, Any]) -> Any:
    from corvex.dask import fit as fit_partitions

    return fit_partitions(circuit, data, **keywords)


def _is_dask_frame(data: Any) -> bool:
    frames = sys.modules.get("dask.dataframe")
    return frames is not None and isinstance(data, frames.DataFrame)


def _frame_library(data: Any) -> str | None:
    pandas = sys.modules.get("pandas")
    if pandas is not None and isinstance(data, pandas.DataFrame):
        return "pandas"
    polars = sys.modules.get("polars")
    if polars is not None and isinstance(data, polars.DataFrame):
        return "polars"
    return None


class _Collected:
    """The spectra to fit, as the engine takes them, with the key columns naming each one."""

    def __init__(self, keys: dict[str, list[Any]], items: list[Any], sort_keys: list[str] | None = None,
                 points: list[Points | None] | None = None):
        self.keys = keys
        self.items = items
        self.sort_keys = sort_keys  # key columns whose order makes the series; None: input order
        self.points = points  # each item's rows named as in the input; None: read from the items

    def problems(self) -> list[Problem | None]:
        """Why each spectrum is not fitted, or None for one that is."""
        points = self.points if self.points is not None else [_item_points(item) for item in self.items]
        return [problem_of(one) if one is not None else None for one in points]

    def series(self) -> list[list[int]] | None:
        """Runs of neighbours: positions sorted by the keys, one run per value of all keys but
        the last (the cycles of each cell, say)."""
        if not self.sort_keys or not self.items:
            return None
        try:
            ranks = [np.unique(np.asarray(self.keys[name]), return_inverse=True)[1] for name in self.sort_keys]
        except TypeError:
            return None  # keys that cannot be compared: neighbours in input order
        order = np.lexsort(ranks[::-1])
        leading = np.stack([rank[order] for rank in ranks[:-1]]) if len(ranks) > 1 else np.zeros((0, len(order)))
        breaks = np.flatnonzero((leading[:, 1:] != leading[:, :-1]).any(axis=0)) + 1
        return [run.tolist() for run in np.split(order, breaks)]


def _collect(data: Any, by: list[str] | None, frequencies: Any) -> _Collected:
    library = _frame_library(data)
    if library is not None:
        if by is None:
            return _Collected({"spectrum": [0]}, [data])
        return _long_frame(data, by, library)
    if isinstance(data, np.ndarray):
        return _shared_frequencies(data, frequencies)
    if frequencies is not None:
        raise TypeError("argument 'frequencies': only a 2-D array of impedances takes a shared frequency vector")
    if isinstance(data, Mapping):
        return _named(data, by)
    if isinstance(data, Sequence) and not isinstance(data, str | bytes):
        items = [_spectrum_item(item) for item in data]
        return _Collected({"spectrum": list(range(len(items)))}, items)
    raise TypeError(
        "argument 'data': expected a data frame, a sequence of data frames or of (frequencies, impedances) "
        f"pairs, a dict of those, or a 2-D array of impedances; got {type(data).__name__!r}"
    )


def _item_points(item: Any) -> Points | None:
    return points_of(item[0], item[1]) if isinstance(item, tuple) else points_of(item)


def _spectrum_item(item: Any) -> Any:
    # A pair goes to the engine as a tuple; anything else is read as a frame, exactly as fit()
    # reads a lone first argument (a wrong one becomes that row's error).
    if isinstance(item, tuple | list) and len(item) == 2:
        return (item[0], item[1])
    return item


def _shared_frequencies(impedances: np.ndarray, frequencies: Any) -> _Collected:
    if frequencies is None:
        raise TypeError("argument 'frequencies': a 2-D array of impedances needs the shared frequency vector")
    if impedances.ndim != 2:
        raise ValueError(f"argument 'data': expected a 2-D array of impedances, got {impedances.ndim} dimension(s)")
    rows = list(impedances)
    return _Collected({"spectrum": list(range(len(rows)))}, [(frequencies, row) for row in rows])


def _named(data: Mapping[Any, Any], by: list[str] | None) -> _Collected:
    keys: dict[str, list[Any]] = {"name": []}
    items: list[Any] = []
    points: list[Points | None] = []
    for name, value in data.items():
        nested = _nested(value, by)
        if nested is None:
            keys["name"].append(name)
            items.append(_spectrum_item(value))
            points.append(_item_points(items[-1]))
            for column in keys:
                if column != "name":
                    keys[column].append(None)
            continue
        count = len(nested.items)
        for column in nested.keys:
            if column not in keys:
                keys[column] = [None] * len(items)
        for column in keys:
            keys[column].extend([name] * count if column == "name" else nested.keys.get(column, [None] * count))
        items.extend(nested.items)
        points.extend(nested.points if nested.points is not None else map(_item_points, nested.items))
    sort_keys = list(keys) if by is not None else None
    return _Collected(keys, items, sort_keys, points)


def _nested(value: Any, by: list[str] | None) -> _Collected | None:
    """A dict entry holding several spectra, or None when it holds one."""
    library = _frame_library(value)
    if library is not None:
        return _long_frame(value, by, library) if by is not None else None
    if isinstance(value, np.ndarray) and value.ndim == 2:
        raise TypeError("argument 'data': a 2-D array inside a dict needs its frequencies; pass (frequencies, row) pairs")
    if _is_spectrum_sequence(value):
        return _collect(list(value), None, None)
    return None


def _is_spectrum_sequence(value: Any) -> bool:
    # Frames, or pairs of sequences: a (frequencies, impedances) pair holds numbers instead.
    def is_spectrum(item: Any) -> bool:
        if _frame_library(item) is not None:
            return True
        return isinstance(item, tuple | list) and len(item) == 2 and not any(np.isscalar(part) for part in item)

    return isinstance(value, list | tuple) and len(value) > 0 and all(is_spectrum(item) for item in value)


def _long_frame(frame: Any, by: list[str], library: str) -> _Collected:
    columns = list(frame.columns)
    # Key columns keep the names the caller gave, also where one stands for a renamed header.
    grouping = _grouping.resolve(by, columns)
    if library == "pandas":
        codes = frame.groupby(grouping, sort=False, dropna=False).ngroup().to_numpy()
        order = np.argsort(codes, kind="stable")
        counts = np.bincount(codes, minlength=int(codes.max()) + 1) if len(codes) else np.zeros(0, dtype=np.intp)
        firsts = order[np.concatenate(([0], np.cumsum(counts)[:-1]))] if len(counts) else order[:0]
        key_table = frame[grouping].iloc[firsts]
        keys = {name: key_table[column].to_list() for name, column in zip(by, grouping)}
        labels = np.asarray(frame.index)[order]
    else:
        import polars as pl

        grouped = (
            frame.with_row_index("__corvex_row")
            .group_by(grouping, maintain_order=True)
            .agg(pl.col("__corvex_row"))
        )
        order = grouped["__corvex_row"].explode().to_numpy().astype(np.intp)
        counts = grouped["__corvex_row"].list.len().to_numpy().astype(np.intp)
        keys = {name: grouped[column].to_list() for name, column in zip(by, grouping)}
        labels = order
    bounds = np.concatenate(([0], np.cumsum(counts))).tolist()
    present = [name for name in _SPECTRUM_COLUMNS if name in columns]
    grouped_columns = {name: np.asarray(frame[name].to_numpy())[order] for name in present}
    items = [
        {name: values[start:stop] for name, values in grouped_columns.items()}
        for start, stop in zip(bounds[:-1], bounds[1:])
    ]
    # One look at every row at once; only the spectra it cannot clear are looked at closely.
    points: list[Points | None] = [None] * len(items)
    every_row = points_of(grouped_columns) if items else None
    closer = (suspects(every_row.frequencies, every_row.impedances, np.asarray(bounds[:-1], dtype=np.intp))
              if every_row is not None else np.ones(len(items), dtype=bool))
    for i in np.flatnonzero(closer):
        start, stop = bounds[i], bounds[i + 1]
        points[i] = _group_points(items[i], frame, order[start:stop], labels[start:stop])
    return _Collected(keys, items, list(by), points)


def _group_points(item: dict[str, Any], frame: Any, rows: np.ndarray, labels: np.ndarray) -> Points | None:
    """A group's rows named by the frame's row labels, with the frame's other columns there."""
    points = points_of(item)
    if points is None:
        return None
    def other_columns() -> dict[str, np.ndarray]:
        return {name: values[rows] for name, values in frame_columns(frame).items()}

    return dataclasses.replace(points, labels=labels, other_columns=other_columns)


def _table(library: str, keys: dict[str, list[Any]], names: list[str], columns: dict[str, Any]) -> Any:
    failed = columns["failed"]
    values = columns["values"]
    stderrs = columns["stderr"]
    if library == "polars":
        return _polars_table(keys, names, columns)
    import pandas as pd

    table: dict[str, Any] = dict(keys)
    table["start"] = columns["start"]
    table["success"] = columns["success"]
    table["cost"] = columns["cost"]
    table["best_cost_any"] = columns["best_cost_any"]
    table["chi_square"] = columns["chi_square"]
    table["iterations"] = pd.arrays.IntegerArray(columns["iterations"], failed.copy())
    table["impedance_evals"] = pd.arrays.IntegerArray(columns["impedance_evals"], failed.copy())
    for j, name in enumerate(names):
        table[name] = values[:, j]
    for j, name in enumerate(names):
        table[f"{name}_stderr"] = stderrs[:, j]
    for j, name in enumerate(names):
        table[f"{name}_ci_low"] = columns["ci_low"][:, j]
    for j, name in enumerate(names):
        table[f"{name}_ci_high"] = columns["ci_high"][:, j]
    for j, name in enumerate(names):
        table[f"{name}_identifiable"] = pd.arrays.BooleanArray(columns["identifiable"][:, j].copy(),
                                                               columns["unjudged"][:, j].copy())
    table["runaway"] = pd.Series(columns["runaway"], dtype=object)
    table["error"] = pd.Series(columns["error"], dtype=object)
    table["result"] = pd.Series(columns["result"], dtype=object)
    frame = pd.DataFrame(table)
    frame.attrs.update(refine_passes=columns["refine_passes"], refits=columns["refits"])
    return frame


def _polars_table(keys: dict[str, list[Any]], names: list[str], columns: dict[str, Any]) -> Any:
    import polars as pl

    failed = pl.Series(columns["failed"])
    series: list[Any] = [pl.Series(name, values, strict=False) for name, values in keys.items()]
    series.append(pl.Series("start", columns["start"], dtype=pl.String))
    series.append(pl.Series("success", columns["success"]))
    numbers = {
        "cost": columns["cost"],
        "best_cost_any": columns["best_cost_any"],
        "chi_square": columns["chi_square"],
        "iterations": columns["iterations"],
        "impedance_evals": columns["impedance_evals"],
    }
    numbers.update({name: columns["values"][:, j] for j, name in enumerate(names)})
    numbers.update({f"{name}_stderr": columns["stderr"][:, j] for j, name in enumerate(names)})
    numbers.update({f"{name}_ci_low": columns["ci_low"][:, j] for j, name in enumerate(names)})
    numbers.update({f"{name}_ci_high": columns["ci_high"][:, j] for j, name in enumerate(names)})
    series.extend(pl.Series(name, values) for name, values in numbers.items())
    series.extend(
        pl.Series(f"{name}_identifiable", columns["identifiable"][:, j]).set(pl.Series(columns["unjudged"][:, j]), None)
        for j, name in enumerate(names)
    )
    series.append(pl.Series("runaway", columns["runaway"], dtype=pl.List(pl.String)))
    series.append(pl.Series("error", columns["error"], dtype=pl.String))
    series.append(pl.Series("result", columns["result"], dtype=pl.Object))
    table = pl.DataFrame(series)
    # A spectrum that was not fitted has no numbers at all: null, not NaN or zero.
    return table.with_columns(
        pl.when(failed).then(None).otherwise(pl.col(name)).alias(name)
        for name in ("cost", "best_cost_any", "chi_square", "iterations", "impedance_evals", *names)
    )
