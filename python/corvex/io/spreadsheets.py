"""Spreadsheets (.xlsx through openpyxl, .ods through odfpy, both by pandas' own readers): each
sheet whose header row names a frequency and an impedance pair, by the rules delimited text
follows, is one spectrum; a workbook of several such sheets gets a "Spectrum" column."""

from __future__ import annotations

import os
import zipfile
from typing import Any, Literal

import pandas as pd

from . import _columns, _table

NAME = "spreadsheet"
DESCRIPTION = "spreadsheets (.xlsx, .ods), one spectrum per sheet"
EXTENSIONS = (".xlsx", ".xlsm", ".ods")
_ENGINES: dict[str, tuple[Literal["openpyxl", "odf"], str]] = {".xlsx": ("openpyxl", "openpyxl"), ".xlsm": ("openpyxl", "openpyxl"), ".ods": ("odf", "odfpy")}

# The header is looked for among a sheet's opening rows, after any title rows above it.
_SEARCH_ROWS = 100


def is_spreadsheet(path: str | os.PathLike[str]) -> bool:
    """Whether `path` has a spreadsheet's extension."""
    return os.path.splitext(os.fspath(path))[1].lower() in EXTENSIONS


def _sheet_frame(sheet: Any, where: str) -> Any:
    """The spectrum of one sheet read without a header, or None when no row is a header."""
    for row in range(min(len(sheet), _SEARCH_ROWS)):
        headers = ["" if pd.isna(value) else str(value) for value in sheet.iloc[row]]
        meanings = _columns.needed(_columns.meanings_of(headers))
        if meanings is None:
            continue
        problem = _columns.unit_problem(meanings)
        if problem is not None:
            raise ValueError(f"{where}: {problem}")
        body = sheet.iloc[row + 1:, list(meanings)].dropna(how="all")
        numbers = body.apply(pd.to_numeric, errors="coerce")
        faulty = numbers.isna().any(axis=1).to_numpy()
        if faulty.any():
            first = int(body.index[faulty][0]) + 1
            raise ValueError(f"{where}, row {first}: a cell of a frequency or impedance column is not a number")
        if numbers.empty:
            raise ValueError(f"{where}: no data rows after the header in row {row + 1}")
        return _table.to_frame(numbers.astype(float), meanings)
    return None


def read(path: str | os.PathLike[str]) -> Any:
    """The spectra of a workbook, one per sheet with a header row; ValueError naming the file
    (and the sheet and row at fault), ImportError when the engine for the format is missing."""
    path = os.fspath(path)
    engine, package = _ENGINES[os.path.splitext(path)[1].lower()]
    try:
        sheets = pd.read_excel(path, sheet_name=None, header=None, engine=engine)
    except ImportError:
        raise ImportError(f'reading {os.path.splitext(path)[1]} files needs {package}: pip install "corvex[app]"') \
            from None
    except (ValueError, KeyError, OSError, zipfile.BadZipFile) as error:
        raise ValueError(f"{path} is not a readable spreadsheet: {error}") from None
    frames = [frame for name, sheet in sheets.items()
              if (frame := _sheet_frame(sheet, f"{path}, sheet {name!r}")) is not None]
    if not frames:
        raise ValueError(f"{path}: no sheet has a header row naming a frequency and an impedance pair "
                         f"within its first {_SEARCH_ROWS} rows")
    return _table.concat_spectra(frames)
