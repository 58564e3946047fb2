"""The forms a batch's data may take, read into the spectra the engine fits: long frames
grouped by key, sequences and dicts of spectra, and 2-D arrays sharing their frequencies."""

from __future__ import annotations

import dataclasses
import sys
from collections.abc import Mapping, Sequence
from typing import Any

import numpy as np

from corvex import _grouping
from corvex._spectrum_checks import Points, Problem, frame_columns, points_of, problem_of, suspects
from corvex.points._table import has_kept, kept_mask, kept_rows

# The columns a spectrum is read from, display names before machine names, as fit() reads them.
SPECTRUM_COLUMNS = (
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

# Pairs of spectra checked together for points that are not measurements.
CHECK_CHUNK = 4096

NONE_KEPT = Problem("frequencies", "no point is kept: the 'kept' column is False on every row of this spectrum "
                                   "(the 'excluded_by' column says why)")


def frame_library(data: Any) -> str | None:
    pandas = sys.modules.get("pandas")
    if pandas is not None and isinstance(data, pandas.DataFrame):
        return "pandas"
    polars = sys.modules.get("polars")
    if polars is not None and isinstance(data, polars.DataFrame):
        return "polars"
    return None


class Collected:
    """The spectra to fit, as the engine takes them, with the key columns naming each one."""

    def __init__(self, keys: dict[str, list[Any]], items: list[Any], sort_keys: list[str] | None = None,
                 points: list[Points | None] | None = None):
        self.keys = keys
        self.items = items
        self.sort_keys = sort_keys  # key columns whose order makes the series; None: input order
        self.points = points  # each item's rows named as in the input; None: read from the items
        self.none_kept: list[int] = []  # items whose every row the frame's kept column leaves out

    def problems(self) -> list[Problem | None]:
        """Why each spectrum is not fitted, or None for one that is."""
        if self.points is not None:
            found = [problem_of(one) if one is not None else None for one in self.points]
            for position in self.none_kept:
                found[position] = NONE_KEPT
            return found
        closer = _pairs_to_check(self.items)
        problems: list[Problem | None] = [None] * len(self.items)
        for i in np.flatnonzero(closer):
            points = _item_points(self.items[i])
            problems[i] = problem_of(points) if points is not None else None
        return problems

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


def collect(data: Any, by: list[str] | None, frequencies: Any) -> Collected:
    library = frame_library(data)
    if library is not None:
        if by is None:
            return Collected({"spectrum": [0]}, [kept_rows(data)])
        return _long_frame(data, by, library)
    if isinstance(data, np.ndarray):
        return _shared_frequencies(data, frequencies)
    if frequencies is not None:
        raise TypeError("argument 'frequencies': only a 2-D array of impedances takes a shared frequency vector")
    if isinstance(data, Mapping):
        return _named(data, by)
    if isinstance(data, Sequence) and not isinstance(data, str | bytes):
        items = [_spectrum_item(item) for item in data]
        return Collected({"spectrum": list(range(len(items)))}, items)
    raise TypeError(
        "argument 'data': expected a data frame, a sequence of data frames or of (frequencies, impedances) "
        f"pairs, a dict of those, or a 2-D array of impedances; got {type(data).__name__!r}"
    )


def _item_points(item: Any) -> Points | None:
    return points_of(item[0], item[1]) if isinstance(item, tuple) else points_of(item)


def _pairs_to_check(items: list[Any]) -> np.ndarray:
    """Which items need a closer look: all but the (frequencies, impedances) pairs that one
    look at all their rows at once clears, as for a long frame's groups. The pairs are looked
    at CHECK_CHUNK at a time, which bounds the copy of their rows the look makes."""
    closer = np.ones(len(items), dtype=bool)
    for first in range(0, len(items), CHECK_CHUNK):
        frequencies: list[np.ndarray] = []
        impedances: list[np.ndarray] = []
        cleared: list[int] = []
        for i in range(first, min(len(items), first + CHECK_CHUNK)):
            item = items[i]
            if not isinstance(item, tuple):
                continue
            try:
                f, z = np.asarray(item[0], dtype=float), np.asarray(item[1], dtype=complex)
            except (TypeError, ValueError):
                continue
            if f.ndim == 1 and f.size > 0 and z.shape == f.shape:
                frequencies.append(f)
                impedances.append(z)
                cleared.append(i)
        if cleared:
            lengths = np.fromiter((f.size for f in frequencies), dtype=np.intp, count=len(frequencies))
            starts = np.concatenate(([0], np.cumsum(lengths)[:-1]))
            closer[cleared] = suspects(np.concatenate(frequencies), np.concatenate(impedances), starts)
    return closer


def _spectrum_item(item: Any) -> Any:
    # A pair goes to the engine as a tuple; anything else is read as a frame, exactly as fit()
    # reads a lone first argument (a wrong one becomes that row's error).
    if isinstance(item, tuple | list) and len(item) == 2:
        return (item[0], item[1])
    return kept_rows(item)


def _shared_frequencies(impedances: np.ndarray, frequencies: Any) -> Collected:
    if frequencies is None:
        raise TypeError("argument 'frequencies': a 2-D array of impedances needs the shared frequency vector")
    if impedances.ndim != 2:
        raise ValueError(f"argument 'data': expected a 2-D array of impedances, got {impedances.ndim} dimension(s)")
    rows = list(impedances)
    return Collected({"spectrum": list(range(len(rows)))}, [(frequencies, row) for row in rows])


def _named(data: Mapping[Any, Any], by: list[str] | None) -> Collected:
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
    return Collected(keys, items, sort_keys, points)


def _nested(value: Any, by: list[str] | None) -> Collected | None:
    """A dict entry holding several spectra, or None when it holds one."""
    library = frame_library(value)
    if library is not None:
        return _long_frame(value, by, library) if by is not None else None
    if isinstance(value, np.ndarray) and value.ndim == 2:
        raise TypeError("argument 'data': a 2-D array inside a dict needs its frequencies; pass (frequencies, row) pairs")
    if _is_spectrum_sequence(value):
        return collect(list(value), None, None)
    return None


def _is_spectrum_sequence(value: Any) -> bool:
    # Frames, or pairs of sequences: a (frequencies, impedances) pair holds numbers instead.
    def is_spectrum(item: Any) -> bool:
        if frame_library(item) is not None:
            return True
        return isinstance(item, tuple | list) and len(item) == 2 and not any(np.isscalar(part) for part in item)

    return isinstance(value, list | tuple) and len(value) > 0 and all(is_spectrum(item) for item in value)


def _long_frame(frame: Any, by: list[str], library: str) -> Collected:
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
    if has_kept(frame):
        # Only the kept points are fitted; a spectrum with none left keeps its row (and an error).
        kept = kept_mask(frame)[order]
        counts = np.add.reduceat(kept.astype(np.intp), np.concatenate(([0], np.cumsum(counts)[:-1]))) \
            if len(counts) else counts
        order, labels = order[kept], labels[kept]
    bounds = np.concatenate(([0], np.cumsum(counts))).tolist()
    present = [name for name in SPECTRUM_COLUMNS if name in columns]
    grouped_columns = {name: np.asarray(frame[name].to_numpy())[order] for name in present}
    items = [
        {name: values[start:stop] for name, values in grouped_columns.items()}
        for start, stop in zip(bounds[:-1], bounds[1:])
    ]
    # One look at every row at once; only the spectra it cannot clear are looked at closely.
    points: list[Points | None] = [None] * len(items)
    every_row = points_of(grouped_columns) if items else None
    closer = np.ones(len(items), dtype=bool)
    if every_row is not None:
        # A spectrum with no kept point is looked at closely; the others are cleared together.
        filled = np.flatnonzero(np.diff(bounds) > 0)
        starts = np.asarray(bounds, dtype=np.intp)[filled]
        if filled.size:
            closer[filled] = suspects(every_row.frequencies, every_row.impedances, starts)
    for i in np.flatnonzero(closer):
        start, stop = bounds[i], bounds[i + 1]
        points[i] = _group_points(items[i], frame, order[start:stop], labels[start:stop])
    collected = Collected(keys, items, list(by), points)
    if has_kept(frame):
        collected.none_kept = np.flatnonzero(np.diff(bounds) == 0).tolist()
    return collected


def _group_points(item: dict[str, Any], frame: Any, rows: np.ndarray, labels: np.ndarray) -> Points | None:
    """A group's rows named by the frame's row labels, with the frame's other columns there."""
    points = points_of(item)
    if points is None:
        return None
    def other_columns() -> dict[str, np.ndarray]:
        return {name: values[rows] for name, values in frame_columns(frame).items()}

    return dataclasses.replace(points, labels=labels, other_columns=other_columns)
