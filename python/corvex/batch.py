"""Fit one circuit to many spectra in one call, on every core, with one table row per spectrum.

The spectra are converted once, then fitted by the native engine with the interpreter lock
released. This module is the front: a dask DataFrame goes to corvex.dask, anything else to the
run in this process (corvex._batch), which turns the inputs into spectra and the results into a table.
"""

from __future__ import annotations

import sys
from collections.abc import Callable, Mapping, Sequence
from typing import Any

import corvex
from corvex._batch.local import fit_here

__all__ = ["fit"]


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
    start: str | None = None,
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
    intervals: bool = True,
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

    `start="data"` starts every spectrum from values read off its own data, for any
    topology, as in `corvex.fitting.fit`; the `start` column then says "data" where that
    start won.

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
    `intervals=False` skips the covariance of every kept fit, which a batch that needs only the
    fitted values does not use: the `_stderr`, `_ci_low` and `_ci_high` columns are then NaN and
    the `_identifiable` ones missing (NA in pandas, null in polars) on every row; the table keeps
    its columns, and every other column (values, costs, starts, runaway) is what the default gives.
    A pandas table's `attrs` count the refinement passes and the fits they ran ("refine_passes",
    "refits").

    A dask DataFrame is fitted partition by partition on its cluster by `corvex.dask.fit`,
    which returns the table as a dask DataFrame (`n_jobs` None means one core per partition
    there, and progress is Dask's to show).
    """
    arguments = {name: value for name, value in locals().items() if name not in ("circuit", "data")}
    if _is_dask_frame(data):
        from corvex.dask import fit as fit_partitions

        return fit_partitions(circuit, data, **{name: value for name, value in arguments.items()
                                                if value is not None and name not in ("frequencies", "progress")})
    return fit_here(circuit, data, **arguments)


def _is_dask_frame(data: Any) -> bool:
    frames = sys.modules.get("dask.dataframe")
    return frames is not None and isinstance(data, frames.DataFrame)
