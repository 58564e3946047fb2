"""Delimited text tables (CSV, TSV, semicolon-separated or blank-separated) whose header row
names the columns, in the battery data format or the usual short forms (freq, Z', Z'', Zre,
Zim, -Im(Z), |Z|, phase), with units from the header and decimal commas recognised."""

from __future__ import annotations

from collections.abc import Sequence
from typing import Any

from . import _columns, _table
from ._source import Source

NAME = "delimited"
DESCRIPTION = "delimited text (CSV, TSV, semicolon- or blank-separated) with a header row"
# Plain-text extensions say nothing about the columns, so only the content identifies a table.
EXTENSIONS = ()


def separator_of(line: str) -> str | None:
    """The field separator of a header line: tab, semicolon or comma, else runs of blanks."""
    for sep in ("\t", ";", ","):
        if sep in line:
            return sep
    return None


# A header is looked for among the opening lines, after any preamble an exporting program writes.
_SEARCH_LINES = 100


def _header_index(lines: Sequence[str]) -> int | None:
    """Index of the header row: the first opening line whose names define a spectrum and which
    a row follows holding numbers in those columns (other columns, such as a sample name or a
    timestamp first, may hold text), or None."""
    for index, line in enumerate(lines[:_SEARCH_LINES]):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        sep = separator_of(line)
        meanings = _columns.needed(_columns.meanings_of(_table.split_header(line, sep)))
        if meanings is None:
            continue
        row = next((row for row in lines[index + 1:index + 4] if row.strip()), "")
        fields = _table.split_fields(row, sep, True)
        spectrum = [column for column, meaning in meanings.items()
                    if meaning.quantity in _columns.IMPEDANCE_QUANTITIES]
        if all(column < len(fields) and any(_table.is_number(fields[column].strip().strip('"'), mark)
                                            for mark in ".,") for column in spectrum):
            return index
    return None


def recognises(source: Source) -> bool:
    return _header_index(source.head_lines) is not None


def read_after(source: Source, index: int, sep: str | None = None, quoted: bool = True) -> Any:
    """Read the table whose header is line `index` (0-based) of the file; the data follow it.
    The separator is judged from the header unless given; the decimal mark from the first row.
    Instrument exports never quote numbers, so `quoted=False` keeps a stray quote from joining lines."""
    lines = source.lines(index + 3)
    header = lines[index]
    sep = separator_of(header) if sep is None else sep
    first_row = next((line for line in lines[index + 1:] if line.strip()), "")
    fields = _table.split_fields(first_row, sep, sep == ",")
    layout = _table.Layout(
        tuple(_table.split_header(header, sep)), index + 2, sep, _table.decimal_mark(fields, sep),
        skip_initial_space=sep == ",", quoted=quoted)
    return _table.add_spectrum_column(_table.read_table(source, layout))


def read(source: Source) -> Any:
    """One row per point. Imaginary parts given as "-Z''" or "-Im(Z)" are turned to the
    convention where capacitive impedance is negative; kOhm, mHz, radians and similar units are
    converted; a table of modulus and phase becomes real and imaginary parts. A "Cycle" column
    that changes yields a "Spectrum" column numbering the spectra."""
    index = _header_index(source.head_lines)
    if index is None:
        raise ValueError(f"{source.path}: none of the first {_SEARCH_LINES} lines is a header naming a "
                         "frequency and an impedance pair followed by a row of numbers")
    return read_after(source, index)
