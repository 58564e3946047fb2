"""A batch run in this process: the arguments checked, the data read into spectra, the
engine's fit of every spectrum on the worker pool, and the table built from its columns."""

from __future__ import annotations

from collections.abc import Callable, Mapping
from typing import Any

import numpy as np

import corvex
from corvex import _grouping
from corvex._batch.inputs import collect, frame_library
from corvex._batch.progress import ProgressBar
from corvex._batch.table import batch_table
from corvex._batch.workers import workers_for
from corvex.fitting import control_arguments, standard_deviation_pair


def fit_here(
    circuit: corvex.Circuit,
    data: Any,
    *,
    by: Any = None,
    frequencies: Any = None,
    n_jobs: int | None = None,
    refine: bool | None = None,
    progress: bool | Callable[[int, int], Any] | None = None,
    fixed: Mapping[str, float] | None = None,
    bounds: Mapping[str, tuple[float | None, float | None]] | None = None,
    robust: bool = True,
    start: str | None = None,
    weight: Any = "modulus",
    intervals: bool = True,
    **fit_options: Any,
) -> Any:
    """corvex.batch.fit on data in this process; `fit_options` are the keywords of
    Circuit.fit() that go to the engine as they are (method, seed, ...)."""
    if not isinstance(circuit, corvex.Circuit):
        raise TypeError(f"argument 'circuit': expected a corvex.Circuit, got {type(circuit).__name__!r}")
    by_columns = _grouping.key_names(by)
    workers = workers_for(n_jobs)
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
    if not isinstance(intervals, bool | np.bool_):
        raise TypeError(f"argument 'intervals': expected a bool, got {type(intervals).__name__!r}")
    if progress is not None and not isinstance(progress, bool) and not callable(progress):
        raise TypeError(f"argument 'progress': expected a bool, a callable or None, got {type(progress).__name__!r}")

    library = frame_library(data) or "pandas"
    collected = collect(data, by_columns, frequencies)
    problems = collected.problems()
    if by_columns is None and frame_library(data) is not None and problems[0] is not None and problems[0].sweeps:
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
        reporter = ProgressBar(always=progress is True)
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
            start=start,
            **({"standard_deviations": controls["standard_deviations"]} if "standard_deviations" in controls else {}),
            weight=controls["weight"],
            intervals=bool(intervals),
            **fit_options,
        )
    finally:
        if isinstance(reporter, ProgressBar):
            reporter.close()
    for row, problem in enumerate(problems):
        if problem is not None:
            columns["error"][row] = f"argument 'data': {problem.text}"
    return batch_table(library, collected.keys, circuit.param_names(), columns)
