"""How the analysis front ends tell one spectrum from a batch, and hand either to the native
entries as a list of (frequencies, impedances) pairs with one key per spectrum."""

from __future__ import annotations

from collections.abc import Callable
from typing import Any

import numpy as np

from corvex import _grouping
from corvex._batch.workers import workers_for  # noqa: F401  the one reading of n_jobs in the package
from corvex.points._table import KEPT, kept_spectrum

__all__ = ["Batch", "single_or_raise", "table", "workers_for"]

# Column names of a battery-data-format frame, display and machine forms: a dict holding one
# of them is a single spectrum, not a batch keyed by name.
_FRAME_COLUMNS = frozenset({
    "Frequency / Hz", "frequency_hertz",
})


NONE_KEPT = ("no point is kept: the 'kept' column is False on every row of this spectrum "
             "(the 'excluded_by' column says why)")


def _is_frame(obj: Any) -> bool:
    module = type(obj).__module__.split(".")[0]
    return module in ("pandas", "polars") and hasattr(obj, "columns")


def _is_spectrum_item(obj: Any) -> bool:
    if isinstance(obj, tuple) and len(obj) == 2:
        return True
    if isinstance(obj, dict):
        return any(name in obj for name in _FRAME_COLUMNS)
    return _is_frame(obj)


def _pair(item: Any) -> tuple[Any, Any]:
    return (item[0], item[1]) if isinstance(item, tuple) else (item, None)


def _grouped(frame: Any, by: Any) -> tuple[list[str], list[tuple[Any, ...]], list[Any]]:
    """(key column names as given, key tuples, sub-frames) of a long frame, in first-appearance
    order; a missing key (NaN, None) is a key like any other."""
    if not hasattr(frame, "columns"):
        raise TypeError(f"argument 'by': splits one long frame of spectra, but the data is a {type(frame).__name__!r}; "
                        "pass the frame, or leave by= out")
    names = _grouping.names(by)
    columns = _grouping.resolve(by, frame.columns)
    module = type(frame).__module__.split(".")[0]
    if module == "polars":
        parts = frame.partition_by(columns, maintain_order=True, as_dict=True)
        return names, [tuple(k) for k in parts], [p.drop(columns) for p in parts.values()]
    groups = frame.groupby(columns, sort=False, dropna=False)
    keys, frames = [], []
    for key, part in groups:
        keys.append(key if isinstance(key, tuple) else (key,))
        frames.append(part.drop(columns=columns))
    return names, keys, frames


class Batch:
    """The spectra of one call: native pairs, key columns and values, and whether the caller
    gave a single spectrum (then results come back unwrapped)."""

    def __init__(self, frequencies: Any, impedances: Any = None, by: Any = None) -> None:
        self.single = False
        self.key_columns: list[str]
        self.keys: list[tuple[Any, ...]]
        self.pairs: list[tuple[Any, Any]]
        if by is not None:
            if impedances is not None:
                raise ValueError("by= groups one long frame; leave impedances as None")
            self.key_columns, self.keys, frames = _grouped(frequencies, by)
            self.pairs = [(f, None) for f in frames]
        elif impedances is not None:
            freq = np.asarray(frequencies) if not isinstance(frequencies, (list, tuple)) else None
            imp = np.asarray(impedances) if not isinstance(impedances, (list, tuple)) else None
            if imp is not None and imp.ndim == 2:
                rows = freq if freq is not None and freq.ndim == 2 else [frequencies] * imp.shape[0]
                if len(rows) != imp.shape[0]:
                    raise ValueError("2-D frequencies and impedances must have the same number of rows")
                self.key_columns = ["spectrum"]
                self.keys = [(i,) for i in range(imp.shape[0])]
                self.pairs = [(rows[i], imp[i]) for i in range(imp.shape[0])]
            else:
                self._one((frequencies, impedances))
        elif isinstance(frequencies, dict) and frequencies and not any(c in frequencies for c in _FRAME_COLUMNS) \
                and all(_is_spectrum_item(v) for v in frequencies.values()):
            self.key_columns = ["name"]
            self.keys = [(k,) for k in frequencies]
            self.pairs = [_pair(v) for v in frequencies.values()]
        elif isinstance(frequencies, (list, tuple)) and frequencies and all(_is_spectrum_item(v) for v in frequencies):
            self.key_columns = ["spectrum"]
            self.keys = [(i,) for i in range(len(frequencies))]
            self.pairs = [_pair(v) for v in frequencies]
        else:
            self._one((frequencies, None))
        # A frame saying which of its points are kept is analysed on those points only.
        chosen = [kept_spectrum(*pair, refuse_empty=self.single) for pair in self.pairs]
        self.none_kept = [i for i, (pair, kept) in enumerate(zip(self.pairs, chosen))
                          if kept[0] is not pair[0] and len(kept[0][KEPT]) == 0]
        self.pairs = chosen

    def explain(self, items: list[Any]) -> list[Any]:
        """The native results with the reason in place of the message about no points for each
        spectrum whose every point the frame's kept column leaves out."""
        for i in self.none_kept:
            items[i] = NONE_KEPT
        return items

    def _one(self, pair: tuple[Any, Any]) -> None:
        self.single = True
        self.key_columns, self.keys, self.pairs = [], [()], [pair]


def single_or_raise(item: Any) -> Any:
    """The one result of a single-spectrum call; a failed one raises its ValueError."""
    if isinstance(item, str):
        raise ValueError(item)
    return item


def answer(batch: Batch, items: list[Any], make: Callable[..., Any],
           figures: dict[str, Callable[[Any], Any]]) -> Any:
    """What an analysis returns for the native `items` (a message or a dict of fields each):
    the one result, raising a failure, for a single spectrum; for a batch, a table of each
    result's `figures` with its `error` and `result`."""
    results = [item if isinstance(item, str) else make(**item) for item in batch.explain(items)]
    if batch.single:
        return single_or_raise(results[0])
    rows = []
    for result in results:
        failed = isinstance(result, str)
        row = {name: None if failed else figure(result) for name, figure in figures.items()}
        row.update(error=result if failed else None, result=None if failed else result)
        rows.append(row)
    return table(batch, rows)


def table(batch: Batch, rows: list[dict[str, Any]]) -> Any:
    """A pandas frame of one row per spectrum, key columns first."""
    import pandas as pd

    columns: dict[str, Any] = {name: [key[i] for key in batch.keys] for i, name in enumerate(batch.key_columns)}
    for name in rows[0] if rows else ():
        values = [row[name] for row in rows]
        # Object columns keep None for "no value" rather than NaN.
        columns[name] = pd.Series(values, dtype=object) if name in ("error", "result") else values
    return pd.DataFrame(columns)
