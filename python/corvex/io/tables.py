"""Batch result tables on disk, written and read by the frame library's own CSV and Parquet
writers; the column of FitResult objects travels as JSON documents or is left out."""

from __future__ import annotations

import os
from typing import Any

from corvex.io._atomic_write import replacing
from corvex.io.documents import from_json, to_json

FORMATS = ("csv", "parquet")
_SUFFIXES = {".csv": "csv", ".parquet": "parquet", ".pq": "parquet"}
RESULT_COLUMN = "result"
ERROR_COLUMN = "error"


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


def write_table(table: Any, path: str | os.PathLike[str], *, format: str | None = None,
                results: str = "json") -> None:
    """Write a batch table (pandas or polars) to CSV or Parquet with the library's own writer.

    `format` is "csv" or "parquet", or None to go by the file extension (.csv,
    .parquet, .pq). The "result" column of FitResult objects is written as one
    JSON document per row with `results="json"` (read back by `read_table`), or
    left out with `results="drop"`. Floats are written so that they read back bit
    for bit; Parquet also keeps every column's type, where CSV leaves the reader to
    infer it (a nullable integer column reads back as plain integers).
    """
    chosen = _format_of(path, format)
    if results not in ("json", "drop"):
        raise ValueError(f'results must be "json" or "drop", not {results!r}')
    if _is_polars(table):
        import polars as pl

        if RESULT_COLUMN in table.columns:
            table = (table.drop(RESULT_COLUMN) if results == "drop" else table.with_columns(
                pl.col(RESULT_COLUMN).map_elements(_documents, return_dtype=pl.String, skip_nulls=False)))
        with replacing(path) as temporary:
            if chosen == "csv":
                table.write_csv(temporary)
            else:
                table.write_parquet(temporary)
        return
    if RESULT_COLUMN in table.columns:
        table = table.drop(columns=RESULT_COLUMN) if results == "drop" else table.assign(
            **{RESULT_COLUMN: table[RESULT_COLUMN].map(_documents, na_action="ignore")})
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
    objects again (None where a fit failed). Empty cells of the "error" column
    read as None.
    """
    chosen = _format_of(path, format)
    if library == "polars":
        import polars as pl

        source = os.fspath(path)
        table = pl.read_csv(source) if chosen == "csv" else pl.read_parquet(source)
        if results and RESULT_COLUMN in table.columns:
            table = table.with_columns(pl.col(RESULT_COLUMN).map_elements(_objects, return_dtype=pl.Object))
        return table
    if library != "pandas":
        raise ValueError(f'library must be "pandas" or "polars", not {library!r}')
    import pandas as pd

    if chosen == "csv":
        frame = pd.read_csv(path)
    else:
        frame = pd.read_parquet(path)
    for column in (ERROR_COLUMN, RESULT_COLUMN):
        if column in frame.columns:
            frame[column] = frame[column].astype(object).where(frame[column].notna(), None)
    if results and RESULT_COLUMN in frame.columns:
        frame[RESULT_COLUMN] = frame[RESULT_COLUMN].map(_objects)
    return frame
