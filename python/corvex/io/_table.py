"""The numeric table of an instrument file read with pandas.read_csv into a frame with the
battery data format's column names, and, when pandas refuses it, the file line that is at fault."""

from __future__ import annotations

import csv
import dataclasses
import io
import re
from collections.abc import Iterable, Mapping, Sequence
from typing import Any

import numpy as np
import pandas as pd

from . import _columns
from ._source import Source

# Texts that stand for a missing number; an empty field never does, so a short row is an error.
_MISSING = ["nan", "NaN", "NAN", "-nan", "-NaN"]
_CHUNK_ROWS = 1 << 18
_NUMBER = re.compile(r"\s*[+-]?(?:(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?|nan|inf|infinity)\s*", re.IGNORECASE)


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


def _first_row(source: Source, layout: Layout, text: str | None) -> list[str] | None:
    """The fields of the first data row, which fix how many fields every row must have."""
    if text is not None:
        lines = text.split("\n", 8)
    else:
        lines = source.lines(layout.first_line + 8)[layout.first_line - 1:]
    row = next((line for line in lines if line.strip()), None)
    return None if row is None else split_fields(row.rstrip("\r"), layout.sep, layout.skip_initial_space)


def read_numbers(source: Source, layout: Layout, meanings: Mapping[int, _columns.ColumnMeaning],
                 text: str | None = None) -> Any:
    """The mapped columns of a table as float64, keyed by field index. The table is read from
    `text` when given (a table cut out of a tagged file), else streamed from the file starting
    at layout.first_line, so a large file is never held in memory as text as well as numbers."""
    count = _field_count(layout.headers)
    first = _first_row(source, layout, text)
    if first is None:
        raise ValueError(f"{source.at(layout.first_line)}: no data rows after the header")
    trailing = len(first) == count + 1 and first[-1].strip() == ""
    if len(first) != count and not trailing:
        raise ValueError(f"{source.at(layout.first_line)}: expected {count} fields, found {len(first)}")
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
        if text is not None:
            numbers = kept(pd.read_csv(io.StringIO(text), **options))
        else:
            # In chunks, so that the unused columns of a large file never all exist at once.
            with pd.read_csv(source.path, skiprows=layout.first_line - 1, encoding=source.encoding,
                             chunksize=_CHUNK_ROWS, **options) as chunks:
                numbers = pd.concat([kept(chunk) for chunk in chunks], ignore_index=True)
    except (ValueError, UnicodeDecodeError, pd.errors.ParserError) as error:
        used = sorted(numeric)
        if text is not None:
            fault = _fault(io.StringIO(text, newline=None), layout, used, count, trailing)
        else:
            with source.open_text() as handle:
                for _ in range(layout.first_line - 1):
                    handle.readline()
                try:
                    fault = _fault(handle, layout, used, count, trailing)
                except UnicodeDecodeError:
                    fault = None
        if fault is None:
            raise ValueError(f"{source.path}: the table starting at line {layout.first_line} "
                             f"cannot be read: {error}") from None
        raise ValueError(f"{source.at(fault[0])}: {fault[1]}") from None
    if len(numbers) == 0:
        raise ValueError(f"{source.at(layout.first_line)}: no data rows after the header")
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


def read_table(source: Source, layout: Layout, text: str | None = None) -> Any:
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
    return to_frame(read_numbers(source, layout, meanings, text), meanings)


def concat_spectra(frames: list[Any]) -> Any:
    """One frame from the spectra of several tables, numbered in a "Spectrum" column when
    there is more than one."""
    if len(frames) == 1:
        return frames[0]
    for number, frame in enumerate(frames):
        frame.insert(0, _columns.SPECTRUM, number)
    return pd.concat(frames, ignore_index=True)
