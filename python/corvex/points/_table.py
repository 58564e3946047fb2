"""The one reading of the kept-points columns: a spectrum's rows as a frame with `kept` and
`excluded_by`, its groups under by=, and the kept rows every consumer fits, tests and draws."""

from __future__ import annotations

import sys
from collections.abc import Callable, Iterator, Sequence
from typing import Any

import numpy as np

from corvex import _grouping
from corvex._spectrum_checks import FREQUENCY, IMAGINARY, REAL, _column, _frame_impedances

# Whether a row is one of the points a fit, a test or a picture uses, and if not, why not
# (reasons of several steps joined by "; "; empty for a kept row).
KEPT = "kept"
EXCLUDED_BY = "excluded_by"
SEPARATOR = "; "


def _library(data: Any) -> str | None:
    for name in ("pandas", "polars"):
        module = sys.modules.get(name)
        if module is not None and isinstance(data, module.DataFrame):
            return name
    return None


def has_kept(data: Any) -> bool:
    """Whether `data` is a frame (or dict of columns) that says which of its rows are kept."""
    columns = getattr(data, "columns", None)
    if columns is not None:
        return KEPT in list(columns)
    return isinstance(data, dict) and KEPT in data


def kept_mask(data: Any) -> np.ndarray:
    """The `kept` column as booleans; a missing value (a CSV cell left empty) counts as kept."""
    values = data[KEPT]
    values = values.to_numpy() if hasattr(values, "to_numpy") else np.asarray(values)
    if values.dtype == bool:
        return values
    text = np.array([str(v).strip().lower() for v in values.tolist()])
    return ~np.isin(text, ("false", "0", "0.0", "no"))


def kept_rows(data: Any) -> Any:
    """The rows of a frame (pandas, polars or a dict of columns) that are kept; anything else,
    and a frame without a `kept` column, as it is."""
    if not has_kept(data):
        return data
    mask = kept_mask(data)
    if mask.all():
        return data
    library = _library(data)
    if library == "pandas":
        return data.loc[mask]
    if library == "polars":
        return data.filter(mask)
    return {name: np.asarray(values)[mask] for name, values in data.items()}


def kept_spectrum(frequencies: Any, impedances: Any = None, *, refuse_empty: bool = False) -> tuple[Any, Any]:
    """A spectrum as fit() takes it, with a frame narrowed to its kept rows; with
    `refuse_empty`, ValueError when its rows are there but none is kept."""
    if impedances is not None:
        return frequencies, impedances
    rows = kept_rows(frequencies)
    if refuse_empty and rows is not frequencies and len(rows[KEPT]) == 0:
        raise ValueError(f"argument 'frequencies': no point is kept: the {KEPT!r} column is False on every row "
                         f"(the {EXCLUDED_BY!r} column says why)")
    return rows, None


def as_frame(data: Any, impedances: Any = None) -> tuple[Any, Callable[[Any], Any]]:
    """(pandas frame with `kept` and `excluded_by`, a function giving a result back in the
    input's frame library). Two arrays become the battery data format's three columns."""
    import pandas as pd

    if impedances is not None:
        f = np.asarray(data, dtype=float)
        z = np.asarray(impedances, dtype=complex)
        if f.ndim != 1 or z.shape != f.shape:
            raise ValueError(f"argument 'impedances': expected one value per frequency, got shapes {f.shape} and {z.shape}")
        frame = pd.DataFrame({FREQUENCY[0]: f, REAL[0]: z.real, IMAGINARY[0]: z.imag})
        back: Callable[[Any], Any] = lambda result: result  # noqa: E731
    else:
        library = _library(data)
        if library is None:
            raise TypeError("argument 'data': expected a data frame (pandas or polars) or two arrays of "
                            f"frequencies and impedances, got {type(data).__name__!r}")
        if library == "polars":
            import polars as pl

            frame = data.to_pandas()
            back = pl.from_pandas
        else:
            frame = data.copy()
            back = lambda result: result  # noqa: E731
        if _column(frame, FREQUENCY) is None or _frame_impedances(frame) is None:
            raise ValueError("argument 'data': the frame has no spectrum: it needs \"Frequency / Hz\" and either "
                             "the real and imaginary impedance or its modulus and phase; it has columns "
                             f"{list(frame.columns)!r}")
    if KEPT in frame.columns:
        frame[KEPT] = kept_mask(frame)
        reasons = frame[EXCLUDED_BY] if EXCLUDED_BY in frame.columns else pd.Series("", index=frame.index)
        frame[EXCLUDED_BY] = reasons.fillna("").astype(str)
    else:
        frame[KEPT] = True
        frame[EXCLUDED_BY] = ""
    return frame, back


def spectrum_of(frame: Any) -> tuple[np.ndarray, np.ndarray]:
    """(frequencies, impedances) of every row of a frame as_frame() made."""
    return _column(frame, FREQUENCY), _frame_impedances(frame)  # type: ignore[return-value]


def groups(frame: Any, by: Any) -> Iterator[np.ndarray]:
    """The row positions of each spectrum of `frame`: all rows without `by`, else one array
    per group of the `by` column(s) in first-appearance order (a missing key is a group too)."""
    if by is None:
        yield np.arange(len(frame))
        return
    columns = _grouping.resolve(by, frame.columns)
    codes = frame.groupby(columns, sort=False, dropna=False).ngroup().to_numpy()
    order = np.argsort(codes, kind="stable")
    bounds = np.concatenate(([0], np.cumsum(np.bincount(codes, minlength=int(codes.max()) + 1)))) if len(codes) else [0]
    for start, stop in zip(bounds[:-1], bounds[1:]):
        yield order[start:stop]


def exclude_rows(frame: Any, rows: np.ndarray, reason: str | Sequence[str]) -> None:
    """Mark the positions `rows` of `frame` excluded for `reason` (one for all or one per row),
    keeping the reasons earlier steps gave."""
    if len(rows) == 0:
        return
    kept = frame[KEPT].to_numpy().copy()
    texts = frame[EXCLUDED_BY].to_numpy(dtype=object).copy()
    new = np.broadcast_to(np.asarray(reason, dtype=object), (len(rows),))
    old = texts[rows]
    texts[rows] = np.where(old == "", new, old + SEPARATOR + new)
    kept[rows] = False
    frame[KEPT] = kept
    frame[EXCLUDED_BY] = texts


def split_kept(data: Any) -> tuple[Any, Any]:
    """(kept rows, excluded rows or None) of a frame; a frame without `kept` is all kept."""
    if not has_kept(data):
        return data, None
    mask = kept_mask(data)
    if mask.all():
        return data, None
    if _library(data) == "polars":
        return data.filter(mask), data.filter(~mask)
    if _library(data) == "pandas":
        return data.loc[mask], data.loc[~mask]
    return ({name: np.asarray(values)[mask] for name, values in data.items()},
            {name: np.asarray(values)[~mask] for name, values in data.items()})
