"""Fit many spectra on a Dask cluster: a dask DataFrame in the battery data format is fitted
partition by partition with corvex.batch.fit, giving the batch's table as a dask DataFrame."""

from __future__ import annotations

from collections.abc import Sequence
from typing import Any

import pandas as pd

import corvex
from corvex import _grouping
from corvex._batch.local import fit_here

__all__ = ["fit"]

# Input position of each row, carried through the shuffle so that groups keep input order.
_ROW = "__corvex_row"


def fit(
    circuit: corvex.Circuit,
    data: Any,
    *,
    by: str | Sequence[str],
    whole_groups: bool = False,
    refine: bool | None = None,
    n_jobs: int | None = 1,
    **options: Any,
) -> Any:
    """Fit `circuit` to every spectrum of a dask DataFrame, one partition per task.

    `data` is a long dask DataFrame with the battery data format's columns and the grouping
    column(s) `by`; `options` are the keywords of `Circuit.fit()` (and of
    `corvex.batch.fit`, such as `guess_init` or `method`). The result is a lazy dask
    DataFrame with the batch table's columns, one row per spectrum, indexed by the input
    position of the spectrum's first row: `.compute().sort_index()` is the table
    `corvex.batch.fit` gives for the same data in one process, row for row and bit for bit.

    Each partition must hold whole spectra. With `whole_groups=False` (the default) the
    frame is first shuffled on `by`, which sends every row of a spectrum to the same
    partition; pass `whole_groups=True` when the partitions already hold whole spectra (one
    file per partition, or a frame that was `set_index` on the key), which moves no data; a
    key found in two partitions then raises ValueError naming it (checked by one pass over
    the key columns).

    `refine` defaults to off here: neighbour refinement only sees the spectra of one
    partition, so with it on, spectra next to a partition boundary can differ from a run
    in one process. `n_jobs` is the number of cores each partition's batch uses; the
    default 1 suits workers with one thread per core.
    """
    import dask.dataframe as dd

    if not isinstance(circuit, corvex.Circuit):
        raise TypeError(f"argument 'circuit': expected a corvex.Circuit, got {type(circuit).__name__!r}")
    if not isinstance(data, dd.DataFrame):
        raise TypeError(f"argument 'data': expected a dask DataFrame, got {type(data).__name__!r}")
    by_columns = _grouping.names(by)
    grouping = _grouping.resolve(by_columns, data.columns)
    refine = bool(refine)
    meta = _meta(circuit, data._meta, by_columns, grouping, refine, options)
    if whole_groups:
        _refuse_split_groups(data, grouping)

    positions = data.assign(**{_ROW: 1})[_ROW].cumsum() - 1
    positioned = data.assign(**{_ROW: positions})
    if not whole_groups:
        positioned = positioned.shuffle(on=grouping)
    return positioned.map_partitions(
        _fit_partition, circuit, by_columns, grouping, refine, n_jobs, options, meta, meta=meta,
        align_dataframes=False
    )


def _refuse_split_groups(data: Any, grouping: list[str]) -> None:
    # A spectrum split over partitions would be fitted as several spectra, each a part of it.
    keys = data[grouping].map_partitions(pd.DataFrame.drop_duplicates, meta=data._meta[grouping]).compute()
    split = keys[keys.duplicated()]
    if len(split):
        key = tuple(split.iloc[0].to_list())
        raise ValueError(f"argument 'whole_groups': the spectrum with key {key[0] if len(key) == 1 else key!r} "
                         f"({', '.join(grouping)}) has rows in several partitions; leave whole_groups=False to "
                         "gather each spectrum's rows, or set_index on the key first")


def _meta(circuit: corvex.Circuit, empty: pd.DataFrame, by: list[str], grouping: list[str], refine: bool,
          options: dict[str, Any]) -> pd.DataFrame:
    # The batch of no spectra has every column; keys and labels get the types real rows have.
    table: pd.DataFrame = fit_here(circuit, empty, by=by, refine=refine, n_jobs=1, progress=False, **options)
    types = {name: empty[column].dtype for name, column in zip(by, grouping)}
    types["start"] = pd.Series(["guess"]).dtype
    return table.astype(types).set_index(pd.Index([], dtype="int64"))


def _fit_partition(partition: pd.DataFrame, circuit: corvex.Circuit, by: list[str], grouping: list[str],
                   refine: bool, n_jobs: int | None, options: dict[str, Any], meta: pd.DataFrame) -> pd.DataFrame:
    partition = partition.sort_values(_ROW, kind="stable")
    table: pd.DataFrame = fit_here(circuit, partition, by=by, refine=refine, n_jobs=n_jobs, progress=False,
                                   **options)
    # The batch lists groups in order of first appearance, as this does.
    first_rows = partition.groupby(grouping, sort=False, dropna=False)[_ROW].min().to_numpy()
    table.index = pd.Index(first_rows, dtype="int64")
    return table.astype(meta.dtypes.to_dict())
