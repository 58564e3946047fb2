"""Batch result tables on disk, written and read by the frame library's own CSV and Parquet
writers; the column of FitResult objects travels as JSON documents or is left out, and every other
column comes back with its values and types, lists of names and missing values included."""

from __future__ import annotations

import os
from typing import Any

from corvex import _name_lists
from corvex.io._atomic_write import replacing
from corvex.io.documents import from_json, to_json

FORMATS = ("csv", "parquet")
_SUFFIXES = {".csv": "csv", ".parquet": "parquet", ".pq": "parquet"}
RESULT_COLUMN = "result"
ERROR_COLUMN = "error"
# Batch-table columns whose type CSV cannot carry when a cell is empty (a spectrum not fitted, a
# value not judged): pandas would read them back as floats and as objects.
_INTEGER_COLUMNS = ("iterations", "impedance_evals")
_BOOLEAN_SUFFIX = "_identifiable"


def _format_of(path: str | os.PathLike[str], format: str | None) -> str:
    if format is None:
        suffix = os.path.splitext(os.fspath(path))[1].lower()
        if suffix not in _SUFFIXES:
            raise ValueError(f"cannot tell the table format from {os.fspath(path)!r}: pass format= one of {FORMATS}")
        return _SUFFIXES[suffix]
    if format not in FORMATS:
        raise ValueError(f"unknown table format {format!r}; supported formats: {FORMATS}")
    return format


def _is_polars(table: Any) -> bool:
    return type(table).__module__.split(".")[0] == "polars"


def _documents(value: Any) -> str | None:
    return None if value is None else to_json(value)


def _objects(value: Any) -> Any:
    return None if value is None else from_json(value)


def _holds_lists(column: Any) -> bool:
    """Whether a pandas column holds a tuple or list in each of its cells that is not empty."""
    if column.dtype != object:
        return False
    present = [value for value in column if not _name_lists.is_missing(value)]
    return bool(present) and all(isinstance(value, tuple | list) for value in present)


def write_table(table: Any, path: str | os.PathLike[str], *, format: str | None = None,
                results: str = "json") -> None:
    """Write a batch table (pandas or polars) to CSV or Parquet with the library's own writer.

    `format` is "csv" or "parquet", or None to go by the file extension (.csv,
    .parquet, .pq). The "result" column of FitResult objects is written as one
    JSON document per row with `results="json"` (read back by `read_table`), or
    left out with `results="drop"`. Floats are written so that they read back bit
    for bit. A column of name lists (``runaway``, ``at_bounds``, ``not_identifiable``)
    is a list column in Parquet and, in CSV, a JSON array in each cell
    (``["R2.r", "CPE2.q"]``, ``[]`` for none, empty for a spectrum not fitted), which
    ``json.loads`` reads in any tool.
    """
    chosen = _format_of(path, format)
    if results not in ("json", "drop"):
        raise ValueError(f'results must be "json" or "drop", not {results!r}')
    if _is_polars(table):
        import polars as pl

        if RESULT_COLUMN in table.columns:
            table = (table.drop(RESULT_COLUMN) if results == "drop" else table.with_columns(
                pl.col(RESULT_COLUMN).map_elements(_documents, return_dtype=pl.String, skip_nulls=False)))
        if chosen == "csv":
            # CSV holds no nested values: a list of names is written as a JSON array in its cell.
            table = table.with_columns(
                pl.col(name).map_elements(_name_lists.to_text, return_dtype=pl.String)
                for name, dtype in table.schema.items() if isinstance(dtype, pl.List))
        with replacing(path) as temporary:
            if chosen == "csv":
                table.write_csv(temporary)
            else:
                table.write_parquet(temporary)
        return
    if RESULT_COLUMN in table.columns:
        table = table.drop(columns=RESULT_COLUMN) if results == "drop" else table.assign(
            **{RESULT_COLUMN: table[RESULT_COLUMN].map(_documents, na_action="ignore")})
    if chosen == "csv":
        lists = [name for name in table.columns if name in _name_lists.LIST_COLUMNS or _holds_lists(table[name])]
        table = table.assign(**{name: table[name].map(_name_lists.to_text) for name in lists})
    with replacing(path) as temporary:
        if chosen == "csv":
            # Each float as its shortest round-trip text, which read_csv reads back exactly.
            table.to_csv(temporary, index=False)
        else:
            table.to_parquet(temporary, index=False)


def read_table(path: str | os.PathLike[str], *, format: str | None = None, library: str = "pandas",
               results: bool = True) -> Any:
    """Read a table written by `write_table` into a pandas or polars frame.

    With `results=True` a "result" column of JSON documents becomes FitResult
    objects again (None where a fit failed). Empty text cells read as None; the
    name lists come back as tuples (None for a spectrum not fitted), and from CSV
    the batch table's ``iterations``/``impedance_evals`` as nullable unsigned integers and
    ``<name>_identifiable`` as nullable booleans, as `corvex.batch.fit` made them.
    """
    chosen = _format_of(path, format)
    if library == "polars":
        import polars as pl

        source = os.fspath(path)
        table = pl.read_csv(source) if chosen == "csv" else pl.read_parquet(source)
        if chosen == "csv":
            table = table.with_columns(
                *(pl.col(name).str.json_decode(pl.List(pl.String)) for name in _name_lists.LIST_COLUMNS
                  if name in table.columns and table.schema[name] == pl.String),
                *(pl.col(name).cast(pl.UInt64) for name in _INTEGER_COLUMNS
                  if name in table.columns and table.schema[name].is_integer()))
        if results and RESULT_COLUMN in table.columns:
            table = table.with_columns(pl.col(RESULT_COLUMN).map_elements(_objects, return_dtype=pl.Object))
        return table
    if library != "pandas":
        raise ValueError(f'library must be "pandas" or "polars", not {library!r}')
    import pandas as pd

    if chosen == "csv":
        frame = _restored_csv_types(pd.read_csv(path))
    else:
        frame = pd.read_parquet(path)
        for name in frame.columns:
            if name in _name_lists.LIST_COLUMNS:  # arrays in place of the tuples that were written
                frame[name] = pd.Series([_name_lists.restored(name, value) for value in frame[name]],
                                        dtype=object, index=frame.index)
    for column in (ERROR_COLUMN, RESULT_COLUMN):
        if column in frame.columns:
            frame[column] = frame[column].astype(object).where(frame[column].notna(), None)
    if results and RESULT_COLUMN in frame.columns:
        frame[RESULT_COLUMN] = frame[RESULT_COLUMN].map(_objects)
    return frame


def _restored_csv_types(frame: Any) -> Any:
    """The types CSV cannot carry, restored on a pandas frame read from a table written here."""
    import pandas as pd

    for name in frame.columns:
        column = frame[name]
        if name in _name_lists.LIST_COLUMNS or (column.dtype == object and column.notna().any() and all(
                _name_lists.looks_like_list_text(value) for value in column[column.notna()])):
            frame[name] = pd.Series([_name_lists.restored(name, value) for value in column], dtype=object,
                                    index=frame.index)
        elif name in _INTEGER_COLUMNS and column.dtype.kind in "iuf":
            frame[name] = column.astype("UInt64")
        elif name.endswith(_BOOLEAN_SUFFIX) and column.dtype.kind in "bOf":
            frame[name] = column.astype("boolean")
        elif column.dtype == object:
            frame[name] = column.where(column.notna(), None)
    return frame
