"""The numeric table of an instrument file read with pandas.read_csv into a frame with the
battery data format's column names, and, when pandas refuses it, the file line that is at fault."""

from __future__ import annotations

import csv
import dataclasses
import io
import os
import re
import warnings
from collections.abc import Iterable, Mapping, Sequence
from typing import Any

import numpy as np
import pandas as pd

from . import _columns
from ._source import Source

# Texts that stand for a missing number; an empty field never does, so a short row is an error.
_MISSING = ["nan", "NaN", "NAN", "-nan", "-NaN"]
_CHUNK_ROWS = 1 << 18
_NUMBER = re.compile(r"\s*[+-]?(?:(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?|nan|inf|infinity)\s*", re.IGNORECASE | re.ASCII)


@dataclasses.dataclass(frozen=True)
class Layout:
    """How a table is written: its column headers, the line of its first row in the file (1-based),
    the field separator (None for runs of blanks), and the decimal mark."""

    headers: tuple[str, ...]
    first_line: int
    sep: str | None = "\t"
    decimal: str = "."
    skip_initial_space: bool = False
    quoted: bool = False


def split_fields(line: str, sep: str | None, skip_initial_space: bool = False) -> list[str]:
    """The fields of one line, as the table parser sees them."""
    if sep is None:
        return line.split()
    fields = line.split(sep)
    return [field.lstrip() for field in fields] if skip_initial_space else fields


def split_header(line: str, sep: str | None) -> list[str]:
    """The headers of a header line; quotes around a header are removed."""
    if sep is None:
        return line.split()
    return next(csv.reader([line], delimiter=sep, skipinitialspace=True))


def is_number(text: str, decimal: str = ".") -> bool:
    """True when `text` is one number written with the decimal mark `decimal`."""
    if decimal != ".":
        text = text.replace(".", "#").replace(decimal, ".")
    return _NUMBER.fullmatch(text) is not None


def decimal_mark(fields: Sequence[str], sep: str | None) -> str:
    """"," when the numbers of a data row use a decimal comma (never with a comma separator)."""
    if sep == ",":
        return "."
    values = [field.strip() for field in fields if field.strip()]
    plain = [value for value in values if _NUMBER.fullmatch(value)]
    comma = [value for value in values
             if not _NUMBER.fullmatch(value) and _NUMBER.fullmatch(value.replace(",", "."))]
    return "," if comma and not any("." in value for value in plain) else "."


def _field_count(headers: Sequence[str]) -> int:
    """Headers with trailing empty ones dropped: lines ending in a separator are common."""
    count = len(headers)
    while count > 1 and headers[count - 1].strip() == "":
        count -= 1
    return count


def _fault(lines: Iterable[str], layout: Layout, used: Sequence[int], count: int,
           trailing: bool) -> tuple[int, str] | None:
    """(line number, problem) of the first data line pandas cannot have read, or None."""
    for offset, line in enumerate(lines):
        if line.strip() == "":
            continue
        fields = split_fields(line, layout.sep, layout.skip_initial_space)
        if trailing and len(fields) == count + 1 and fields[-1].strip() == "":
            fields.pop()
        where = layout.first_line + offset
        if len(fields) != count:
            return where, f"expected {count} fields, found {len(fields)}"
        for index in used:
            text = fields[index]
            if layout.quoted:
                text = text.strip().strip('"')
            if not is_number(text, layout.decimal):
                return where, f'"{fields[index].strip()}" in column "{layout.headers[index].strip()}" is not a number'
    return None


def _first_row(text: str) -> str | None:
    """The first non-blank line of a table, whose fields fix how many fields every row must have."""
    row = next((line for line in text.split("\n", 8) if line.strip()), None)
    return row


def _row_lines(text: str, first_line: int) -> Any:
    """File line of each parsed row: the table parser skips blank lines. Only for messages."""
    return first_line + np.flatnonzero((pd.Series(text.split("\n")).str.strip() != "").to_numpy())


def _digits(fields: Any) -> Any:
    """How many digits each number is written with: its mantissa without leading zeros, and its
    exponent ("2.0680824E-001" cut to "2.0680824E-00" loses one)."""
    mantissas = fields.str.replace(r"[eE].*$", "", regex=True).str.replace(r"[^0-9]", "", regex=True)
    exponents = fields.str.extract(r"[eE][+-]?(\d*)\s*$", expand=False).fillna("")
    return mantissas.str.lstrip("0").str.len() + exponents.str.len()


def _cut_short(text: str, layout: Layout) -> bool:
    """Whether the last row of a table that ends its file without a final newline was cut short
    as the file was written: a cut number still parses ("-49014.063" cut to "-4"), so the row
    is judged by its shape. Conservatively, it counts as cut when it is the only row, when it is
    shorter than every other row, or when its last field has fewer digits than the column's
    typical (median) field; a row missing whole fields is left to be refused as it stands."""
    lines = pd.Series(text.split("\n"))
    rows = lines[lines.str.strip() != ""]
    if len(rows) < 2:
        return True  # the only row: nothing to compare it with
    last, others = rows.iloc[-1], rows.iloc[:-1]
    fields = [field.strip() for field in split_fields(last, layout.sep, layout.skip_initial_space)]
    if len(fields) != len(split_fields(rows.iloc[0], layout.sep, layout.skip_initial_space)):
        return False
    if len(last) < others.str.len().min():
        return True
    while len(fields) > 1 and fields[-1] == "":
        fields.pop()
    split = others.str.strip().str.split(r"\s+" if layout.sep is None else re.escape(layout.sep), regex=True)
    column = split.str[len(fields) - 1].dropna()
    if column.empty:
        return False
    typical = _digits(column.astype(str).str.strip()).median()
    return bool(_digits(pd.Series([fields[-1]])).iloc[0] < typical)


def _warn(message: str) -> None:
    warnings.warn(message, UserWarning, skip_file_prefixes=(os.path.dirname(__file__),))


def read_numbers(source: Source, layout: Layout, meanings: Mapping[int, _columns.ColumnMeaning],
                 text: str | None = None, to_end: bool | None = None) -> Any:
    """The mapped columns of a table as float64, keyed by field index. The table is read from
    `text` when given (a table cut out of a tagged file), else from the file's text starting at
    layout.first_line. `to_end` says whether the table runs to the end of the file (by default,
    when `text` is not given), where a last row cut short can hide. Rows with no number in an
    impedance column are dropped with a warning naming their lines; an infinite value (a number
    too large for a float, such as 1e400) is refused."""
    if to_end is None:
        to_end = text is None
    if text is None:
        text = source.text[source.offset_of(layout.first_line):]
    count = _field_count(layout.headers)
    row = _first_row(text)
    if row is None:
        raise ValueError(f"{source.at(layout.first_line)}: no data rows after the header")
    first = split_fields(row, layout.sep, layout.skip_initial_space)
    trailing = len(first) == count + 1 and first[-1].strip() == ""
    if len(first) != count and not trailing:
        line = layout.first_line + text.split("\n").index(row)
        raise ValueError(f"{source.at(line)}: expected {count} fields, found {len(first)}")
    cut_line = None
    if to_end and not source.final_newline and _cut_short(text, layout):
        cut_line = int(_row_lines(text, layout.first_line)[-1])
        text = text[: text.rstrip().rfind("\n") + 1]
        if not text.strip():
            raise ValueError(f"{source.at(cut_line)}: the file ends without a newline in its only row, "
                             "which may have been cut short as the file was written")
    # Every column is parsed, so that pandas refuses a row with too many fields (with usecols
    # it would drop them); the used ones and a numeric last column as numbers, so that a short
    # row leaves an empty field that fails to parse. Rows ending in a separator get one more
    # column, empty unless a row carries an extra field.
    numeric = set(meanings)
    if is_number(first[count - 1].strip().strip('"'), layout.decimal):
        numeric.add(count - 1)
    dtypes: dict[int, Any] = {index: np.float64 for index in numeric}
    missing: dict[int, list[str]] = {index: _MISSING for index in numeric}
    if trailing:
        dtypes[count] = np.float64
        missing[count] = [""]
    options: dict[str, Any] = dict(
        sep=layout.sep if layout.sep is not None else r"\s+", header=None,
        names=list(range(count + trailing)), index_col=False, dtype=dtypes, keep_default_na=False,
        na_values=missing, decimal=layout.decimal, skipinitialspace=layout.skip_initial_space,
        engine="c", quoting=csv.QUOTE_MINIMAL if layout.quoted else csv.QUOTE_NONE)
    keep = sorted(meanings)

    def kept(chunk: Any) -> Any:
        if trailing and chunk[count].notna().any():
            raise ValueError(f"a row has more than {count} fields")
        return chunk[keep]

    try:
        # In chunks, so that the unused columns of a large file never all exist at once.
        with pd.read_csv(io.StringIO(text), chunksize=_CHUNK_ROWS, **options) as chunks:
            numbers = pd.concat([kept(chunk) for chunk in chunks], ignore_index=True)
    except (ValueError, pd.errors.ParserError) as error:
        fault = _fault(io.StringIO(text), layout, sorted(numeric), count, trailing)
        if fault is None:
            raise ValueError(f"{source.path}: the table starting at line {layout.first_line} "
                             f"cannot be read: {error}") from None
        raise ValueError(f"{source.at(fault[0])}: {fault[1]}") from None
    if len(numbers) == 0:
        raise ValueError(f"{source.at(layout.first_line)}: no data rows after the header")
    infinite = np.isinf(numbers.to_numpy()).any(axis=1)
    if infinite.any():
        line = _row_lines(text, layout.first_line)[np.flatnonzero(infinite)[0]]
        raise ValueError(f"{source.at(line)}: a value is infinite or too large for a float")
    impedance = [index for index, meaning in meanings.items() if meaning.quantity in _columns.IMPEDANCE_QUANTITIES]
    blank = numbers[impedance].isna().any(axis=1).to_numpy()
    if blank.any():
        lines = _row_lines(text, layout.first_line)[np.flatnonzero(blank)]
        shown = ", ".join(str(line) for line in lines[:5]) + (", ..." if len(lines) > 5 else "")
        if blank.all():
            raise ValueError(f"{source.path}: every row lacks a number in an impedance column (lines {shown})")
        _warn(f"{source.path}: dropped {len(lines)} rows with NaN in an impedance column, at lines {shown}")
        numbers = numbers[~blank].reset_index(drop=True)
    if cut_line is not None:
        _warn(f"{source.at(cut_line)}: the file ends without a newline in a row that looks cut short; "
              "dropped that row")
    return numbers


def to_frame(numbers: Any, meanings: Mapping[int, _columns.ColumnMeaning]) -> Any:
    """The output frame from the parsed numbers: units converted, the imaginary part in the
    convention where capacitive impedance is negative, and an impedance given as modulus and
    phase turned into real and imaginary parts."""
    columns: dict[str, Any] = {}
    for index, meaning in meanings.items():
        values = numbers[index]
        if meaning.factor != 1.0:
            values = values * meaning.factor
        if meaning.negated:
            values = -values
        columns[meaning.quantity] = values
    if "real" not in columns or "imaginary" not in columns:
        radians = np.deg2rad(columns["phase"].to_numpy())
        modulus = columns["modulus"].to_numpy()
        columns["real"] = pd.Series(modulus * np.cos(radians), index=numbers.index)
        columns["imaginary"] = pd.Series(modulus * np.sin(radians), index=numbers.index)
    for quantity in ("cycle", "spectrum"):
        if quantity in columns:
            columns[quantity] = _as_integers(columns[quantity])
    frame = pd.DataFrame({name: columns[quantity] for quantity, name in _columns.OUTPUT_NAMES.items()
                          if quantity in columns}, copy=False)
    return frame.reset_index(drop=True)


def _as_integers(values: Any) -> Any:
    """Counters as integers when every value is a whole number, else left as written."""
    array = values.to_numpy()
    if np.isfinite(array).all() and (array == np.round(array)).all():
        return values.astype(np.int64)
    return values


def add_spectrum_column(frame: Any) -> Any:
    """A "Spectrum" column (0, 1, ...) numbering runs of equal cycle number, when the file
    holds more than one spectrum and does not number them itself."""
    if _columns.SPECTRUM in frame.columns or _columns.CYCLE not in frame.columns:
        return frame
    cycle = frame[_columns.CYCLE]
    starts = np.array(cycle.ne(cycle.shift()))
    starts[0] = True
    if starts.sum() < 2:
        return frame
    frame.insert(0, _columns.SPECTRUM, np.cumsum(starts) - 1)
    return frame


def read_table(source: Source, layout: Layout, text: str | None = None, to_end: bool | None = None) -> Any:
    """Read one table whose headers name its columns: the frame with the battery data format's
    names, or ValueError naming the file (and the line, for a fault in a row)."""
    meanings = _columns.needed(_columns.meanings_of(layout.headers[: _field_count(layout.headers)]))
    if meanings is None:
        raise ValueError(
            f"{source.at(layout.first_line - 1)}: no frequency and impedance columns among "
            f"{', '.join(repr(header.strip()) for header in layout.headers if header.strip())}")
    problem = _columns.unit_problem(meanings)
    if problem is not None:
        raise ValueError(f"{source.at(layout.first_line - 1)}: {problem}")
    # A metadata column holding text (a clock time under "Time", a sample name) is not read;
    # only the impedance columns must hold numbers.
    row = _first_row(text if text is not None else "\n".join(source.lines(layout.first_line + 8)[layout.first_line - 1:]))
    fields = [] if row is None else split_fields(row, layout.sep, layout.skip_initial_space)
    meanings = {index: meaning for index, meaning in meanings.items()
                if meaning.quantity in _columns.IMPEDANCE_QUANTITIES or index >= len(fields)
                or is_number(fields[index].strip().strip('"') if layout.quoted else fields[index], layout.decimal)}
    return to_frame(read_numbers(source, layout, meanings, text, to_end), meanings)


def concat_spectra(frames: list[Any]) -> Any:
    """One frame from the spectra of several tables, numbered in a "Spectrum" column when
    there is more than one."""
    if len(frames) == 1:
        return frames[0]
    for number, frame in enumerate(frames):
        frame.insert(0, _columns.SPECTRUM, number)
    return pd.concat(frames, ignore_index=True)
