"""Files in and out: read() turns what impedance analysers write into data frames with the
battery data format's column names, ready for Circuit.fit() and corvex.batch.fit(); circuits
and fit results are saved as JSON documents, batch tables as CSV or Parquet."""

from __future__ import annotations

import importlib
import os
import warnings
from types import ModuleType
from typing import TYPE_CHECKING, Any

# Saving and loading: circuits and fit results as JSON documents, batch tables as CSV and
# Parquet through the frame library's own writers.
# (Each name is imported "as" itself: re-exported for type checkers.)
from corvex.io.documents import (
    SCHEMA_VERSION as SCHEMA_VERSION,
    circuit_from_dict as circuit_from_dict,
    circuit_to_dict as circuit_to_dict,
    fit_result_from_dict as fit_result_from_dict,
    fit_result_to_dict as fit_result_to_dict,
    from_dict as from_dict,
    from_json as from_json,
    load as load,
    save as save,
    to_dict as to_dict,
    to_json as to_json,
)
from corvex.io.tables import read_table as read_table, write_table as write_table

if TYPE_CHECKING:
    from corvex.io import _source

# Reader modules in the order their content is tried; the generic delimited reader comes last
# because several instrument exports are delimited tables with a header of their own.
_READERS = ("biologic", "gamry", "zplot", "autolab", "parstat", "versastudio", "chinstruments",
            "powersuite", "delimited")

FORMATS: tuple[str, ...] = _READERS
"""Names accepted by read(format=...)."""

__all__ = ["FORMATS", "SCHEMA_VERSION", "read", "save", "load", "to_dict", "from_dict", "to_json", "from_json",
           "circuit_to_dict", "circuit_from_dict", "fit_result_to_dict", "fit_result_from_dict", "read_table",
           "write_table"]


def _reader(name: str) -> ModuleType:
    return importlib.import_module(f"{__name__}.{name}")


def _supported() -> str:
    return "; ".join(f"{name} ({_reader(name).DESCRIPTION})" for name in _READERS)


def _detect(source: _source.Source) -> str:
    for name in _READERS:
        if _reader(name).recognises(source):
            return name
    suffix = os.path.splitext(source.path)[1].lower()
    for name in _READERS:
        if suffix in _reader(name).EXTENSIONS:
            return name
    raise ValueError(f"{source.path}: file format not recognised; supported formats: {_supported()}")


def read(
    path: str | os.PathLike[str],
    *,
    format: str | None = None,
    encoding: str | None = None,
    library: str = "pandas",
) -> Any:
    """Read the impedance spectra of an instrument file into a data frame.

    Returns one row per measured point with the columns "Frequency / Hz",
    "Real Impedance / ohm" and "Imaginary Impedance / ohm" (capacitive impedance
    negative, whatever sign convention the file uses; kOhm, mHz, radians and the
    like converted from the header), followed by what the file records of
    "Test Time / s", "Voltage / V", "Current / A", "Cycle Count / 1" and
    "Temperature T1 / degC". A file holding several spectra gets a leading
    "Spectrum" column numbering them from 0, ready for corvex.batch.fit(by=...).
    Header settings the file carries go to frame.attrs["header"] (pandas only), the
    format name to frame.attrs["format"].

    `format` is one of FORMATS, or None to recognise the file by its content and
    then by its extension: BioLogic EC-Lab .mpt, Gamry .DTA, Scribner ZPlot .z,
    Metrohm Autolab text, PARSTAT text (its 0 Hz rows, recorded before the sweep,
    are not impedance points and are dropped), VersaStudio .par, CH Instruments
    text, PowerSuite text, and delimited text (CSV, TSV, semicolon-separated) with
    battery data format names or the usual headers (freq, Z', Z'', Zre, Zim,
    -Im(Z), |Z|, phase), decimal commas included. `encoding` overrides the text
    encoding, otherwise judged from the file (UTF-8 with or without byte-order
    mark, UTF-16, Latin-1). `library` is "pandas" or "polars".

    Raises ValueError for an unknown format (listing those supported), and for a
    truncated or garbled file, naming the file and the line at fault. A Gamry
    file from an aborted experiment, or a file holding fewer points than its
    header announces, is read with a UserWarning.
    """
    try:
        import pandas  # noqa: F401  (every reader builds a pandas frame first)
    except ImportError:
        raise ImportError('corvex.io.read needs pandas: pip install "corvex[frames]"') from None
    if library not in ("pandas", "polars"):
        raise ValueError(f'library must be "pandas" or "polars", not {library!r}')
    if format is not None and format not in FORMATS:
        raise ValueError(f"unknown format {format!r}; supported formats: {_supported()}")
    from . import _source, spreadsheets

    # Workbooks are not text: their extension chooses them before any content is decoded.
    if format is None and spreadsheets.is_spreadsheet(path):
        frame, name = spreadsheets.read(path), spreadsheets.NAME
    else:
        source = _source.open_source(path, encoding)
        try:
            name = format if format is not None else _detect(source)
            frame = _reader(name).read(source)
        except ValueError as error:
            if source.nul_line is None:
                raise
            # The reader's message starts with the file's name, which this one already gives.
            fault = str(error)
            fault = fault[len(source.path):].lstrip(":, ") if fault.startswith(source.path) else fault
            raise ValueError(f"{source.at(source.nul_line)}: NUL bytes, so the text ends before this line; "
                             f"what precedes it cannot be read: {fault}") from None
        if source.nul_line is not None:
            warnings.warn(f"{source.at(source.nul_line)}: NUL bytes (the unwritten tail of a file left by a "
                          f"crash, or not text); read the {len(frame)} rows before this line",
                          UserWarning, stacklevel=2)
    frame.attrs["format"] = name
    frame.attrs.setdefault("header", {})
    if library == "polars":
        import polars

        return polars.from_pandas(frame)
    return frame
