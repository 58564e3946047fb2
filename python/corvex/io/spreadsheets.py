"""Spreadsheets (.xlsx through openpyxl's streaming reader, .ods through a streaming parse of
its content.xml): each sheet whose header row names a frequency and an impedance pair, by the
rules delimited text follows, is one spectrum; a workbook of several such sheets gets a
"Spectrum" column."""

from __future__ import annotations

import contextlib
import contextvars
import os
import zipfile
from collections.abc import Callable, Iterator
from typing import IO, Any, NamedTuple
from xml.parsers import expat

import pandas as pd

from . import _columns, _table

NAME = "spreadsheet"
DESCRIPTION = "spreadsheets (.xlsx, .ods), one spectrum per sheet"
EXTENSIONS = (".xlsx", ".xlsm", ".ods")
_PACKAGES = {".xlsx": "openpyxl", ".xlsm": "openpyxl", ".ods": None}

# The header is looked for among a sheet's opening rows, after any title rows above it.
_SEARCH_ROWS = 100

# A few kilobytes of spreadsheet can describe billions of cells (one cell at XFD1048576, a cell
# repeated 200,000,000 times, gigabytes of compressed whitespace). Cells are read sparsely and
# the work is bounded before anything is allocated for it:
MAX_UNPACKED_BYTES = 128 * 2 ** 20
"""The most bytes a workbook may unpack to (the sum of its archive members)."""
MAX_CELLS = 10_000_000
"""The most non-empty cells a workbook may hold once repeated cells are counted out."""
MAX_ROWS = 1_048_576
"""The highest row number a sheet may fill, the limit of both formats."""
MAX_COLUMNS = 16_384
"""The highest column number a sheet may fill, the limit of both formats."""
# Spaces written as one <text:s text:c="n"/> element are expanded: at most this many.
_MAX_SPACES = 1024


class _Limits(NamedTuple):
    unpacked_bytes: int
    cells: int
    rows: int


# A server reading uploads narrows the limits for the reads of one request (the variable is
# per thread and per task, so requests served at once keep their own).
_narrowed: contextvars.ContextVar[_Limits | None] = contextvars.ContextVar("corvex_spreadsheet_limits", default=None)


@contextlib.contextmanager
def narrowed_limits(*, unpacked_bytes: int, cells: int, rows: int) -> Iterator[None]:
    """Within the block, refuse workbooks beyond `unpacked_bytes`, `cells` or `rows` (or
    beyond MAX_UNPACKED_BYTES, MAX_CELLS and MAX_ROWS, whichever is lower)."""
    token = _narrowed.set(_Limits(unpacked_bytes, cells, rows))
    try:
        yield
    finally:
        _narrowed.reset(token)


def _limits() -> _Limits:
    narrowed = _narrowed.get()
    widest = _Limits(MAX_UNPACKED_BYTES, MAX_CELLS, MAX_ROWS)
    return widest if narrowed is None else _Limits(*map(min, narrowed, widest))


class _Refused(ValueError):
    """A workbook beyond the limits: the message already names the file and what is wrong."""


def is_spreadsheet(path: str | os.PathLike[str]) -> bool:
    """Whether `path` has a spreadsheet's extension."""
    return os.path.splitext(os.fspath(path))[1].lower() in EXTENSIONS


class _Budget:
    """The cells a workbook has filled so far, checked before they are expanded."""

    def __init__(self, path: str) -> None:
        limits = _limits()
        self.path, self.cells, self.limit, self.rows = path, 0, limits.cells, limits.rows

    def spend(self, cells: int) -> None:
        self.cells += cells
        if self.cells > self.limit:
            raise _Refused(f"{self.path} holds more than {self.limit:,} filled cells, more than corvex reads from a "
                           "spreadsheet")

    def check_row(self, number: int, where: str) -> None:
        if number > self.rows:
            last = "the last a sheet can have" if self.rows == MAX_ROWS else "more rows than corvex reads here"
            raise _Refused(f"{where} goes on past row {self.rows:,}, {last}")

    def check_column(self, number: int, where: str) -> None:
        if number > MAX_COLUMNS:
            raise _Refused(f"{where} fills cells past column {MAX_COLUMNS:,}, the last a sheet can have")


def _is_empty(value: Any) -> bool:
    return value is None or (isinstance(value, str) and value == "")


class _Sheet:
    """One sheet read row by row: its header looked for among the opening rows, then only the
    cells of the columns the header names are kept."""

    def __init__(self, where: str) -> None:
        self.where = where
        self.meanings: dict[int, _columns.ColumnMeaning] | None = None
        self.header_row = 0
        self.row_numbers: list[int] = []
        self.body: list[list[Any]] = []

    def add(self, number: int, cells: dict[int, Any]) -> None:
        """Row `number` (1-based) with its non-empty cells by column (0-based)."""
        if self.meanings is None:
            if number > _SEARCH_ROWS:
                return
            headers = [""] * (max(cells) + 1)
            for column, value in cells.items():
                headers[column] = str(value)
            meanings = _columns.needed(_columns.meanings_of(headers))
            if meanings is not None:
                problem = _columns.unit_problem(meanings)
                if problem is not None:
                    raise ValueError(f"{self.where}: {problem}")
                self.meanings, self.header_row = meanings, number
            return
        picked = [cells.get(column) for column in self.meanings]
        if all(value is None for value in picked):
            return
        self.row_numbers.append(number)
        self.body.append(picked)

    def frame(self) -> Any:
        """The spectrum of the sheet, or None when no opening row is a header."""
        if self.meanings is None:
            return None
        if not self.body:
            raise ValueError(f"{self.where}: no data rows after the header in row {self.header_row}")
        body = pd.DataFrame(self.body, index=self.row_numbers, columns=list(self.meanings), dtype=object)
        numbers = body.apply(pd.to_numeric, errors="coerce")
        faulty = numbers.isna().any(axis=1).to_numpy()
        if faulty.any():
            first = int(body.index[faulty][0])
            raise ValueError(f"{self.where}, row {first}: a cell of a frequency or impedance column is not a number")
        return _table.to_frame(numbers.astype(float), self.meanings)


class _RootReached(Exception):
    """Raised by the prolog check once the root element starts: no declaration can follow."""


def _doctype_refused(path: str) -> Callable[..., None]:
    def refuse(*_: Any) -> None:
        raise _Refused(f"{path} declares a document type in its XML, which a spreadsheet never needs")
    return refuse


def _stop_at_root(*_: Any) -> None:
    raise _RootReached


def _check_prolog(stream: IO[bytes], path: str) -> None:
    """Refuse an XML part that declares a document type, the carrier of entity expansion
    (billion laughs) and external entities; only the part's prolog is read."""
    parser = expat.ParserCreate()
    parser.StartDoctypeDeclHandler = _doctype_refused(path)
    parser.StartElementHandler = _stop_at_root
    try:
        while chunk := stream.read(1 << 16):
            parser.Parse(chunk, False)
    except _RootReached:
        pass
    except expat.ExpatError as error:
        raise ValueError(f"{path} is not a readable spreadsheet: {error}") from None


def _check_archive(path: str) -> None:
    """Refuse a workbook that unpacks to more than MAX_UNPACKED_BYTES, or one with an XML part
    that declares a document type. The sizes come from the archive's directory, and zipfile
    stops reading a member at its stated size."""
    with zipfile.ZipFile(path) as archive:
        members = archive.infolist()
        unpacked, limit = sum(member.file_size for member in members), _limits().unpacked_bytes
        if unpacked > limit:
            raise _Refused(f"{path} unpacks to {unpacked:,} bytes, more than the {limit:,} bytes corvex reads from a "
                           "spreadsheet")
        for member in members:
            if member.filename.lower().endswith((".xml", ".rels")):
                with archive.open(member) as stream:
                    _check_prolog(stream, path)


def _xlsx_sheets(path: str, budget: _Budget) -> Iterator[_Sheet]:
    import openpyxl

    workbook = openpyxl.load_workbook(path, read_only=True, data_only=True, keep_links=False)
    try:
        for worksheet in workbook.worksheets:
            sheet = _Sheet(f"{path}, sheet {worksheet.title!r}")
            # The stated used range can be anything; rows come as stored, each as wide as its
            # last cell, and missing rows as empty tuples.
            worksheet.reset_dimensions()
            for number, values in enumerate(worksheet.iter_rows(values_only=True), start=1):
                budget.check_row(number, sheet.where)
                if not values:
                    continue
                budget.check_column(len(values), sheet.where)
                cells = {column: value for column, value in enumerate(values) if not _is_empty(value)}
                budget.spend(len(cells))
                if cells:
                    sheet.add(number, cells)
            yield sheet
    finally:
        workbook.close()


_OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0 "
_TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0 "
_TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0 "
_NUMBER_TYPES = ("float", "percentage", "currency")


class _OdsParser:
    """content.xml of an OpenDocument spreadsheet parsed as a stream of expat events. Repeated
    rows and cells are counted, not expanded, unless they hold something; a document type
    declaration (the carrier of entity expansion and external entities) is refused."""

    def __init__(self, path: str, budget: _Budget) -> None:
        self.path, self.budget = path, budget
        self.sheets: list[_Sheet] = []
        self.depth = 0  # of tables: a table inside a cell is part of that cell, not a sheet
        self.sheet: _Sheet | None = None
        self.row_number, self.row_repeat = 1, 1
        self.row_cells: dict[int, Any] = {}  # the non-empty cells of the row being read
        self.column, self.cell_repeat = 0, 1
        self.cell_value: str | None = None
        self.text: list[str] | None = None
        self.paragraphs = 0
        parser = expat.ParserCreate(namespace_separator=" ")
        parser.StartDoctypeDeclHandler = parser.EntityDeclHandler = _doctype_refused(path)
        parser.StartElementHandler = self._start
        parser.EndElementHandler = self._end
        parser.CharacterDataHandler = self._characters
        self.parser = parser

    def _count(self, attributes: dict[str, str], name: str) -> int:
        text = attributes.get(_TABLE + name, "1")
        if not (text.isascii() and text.isdigit()) or int(text) < 1:
            raise ValueError(f"{self.path} is not a readable spreadsheet: {name} is {text!r}")
        return int(text)

    def _start(self, name: str, attributes: dict[str, str]) -> None:
        if name == _TABLE + "table":
            self.depth += 1
            if self.depth == 1:
                self.sheet = _Sheet(f"{self.path}, sheet {attributes.get(_TABLE + 'name', '')!r}")
                self.row_number = 1
        elif self.depth != 1:
            return
        elif name == _TABLE + "table-row":
            self.row_repeat, self.row_cells, self.column = self._count(attributes, "number-rows-repeated"), {}, 0
        elif name in (_TABLE + "table-cell", _TABLE + "covered-table-cell"):
            self.cell_repeat = self._count(attributes, "number-columns-repeated")
            kind = attributes.get(_OFFICE + "value-type")
            if kind in _NUMBER_TYPES:
                self.cell_value = attributes.get(_OFFICE + "value")
            elif kind == "boolean":
                self.cell_value = attributes.get(_OFFICE + "boolean-value")
            else:
                self.cell_value = None
            self.text, self.paragraphs = [], 0
        elif self.text is not None:
            if name == _TEXT + "p":
                if self.paragraphs:
                    self.text.append("\n")
                self.paragraphs += 1
            elif name == _TEXT + "s":
                spaces = attributes.get(_TEXT + "c", "1")
                if not (spaces.isascii() and spaces.isdigit()) or int(spaces) > _MAX_SPACES:
                    raise ValueError(f"{self.path} is not a readable spreadsheet: a cell repeats a space {spaces} times")
                self.text.append(" " * int(spaces))
            elif name == _TEXT + "tab":
                self.text.append("\t")
            elif name == _TEXT + "line-break":
                self.text.append("\n")

    def _characters(self, data: str) -> None:
        if self.depth == 1 and self.text is not None:
            self.text.append(data)

    def _end(self, name: str) -> None:
        if name == _TABLE + "table":
            self.depth -= 1
            if self.depth == 0 and self.sheet is not None:
                self.sheets.append(self.sheet)
                self.sheet = None
        elif self.depth != 1 or self.sheet is None:
            return
        elif name in (_TABLE + "table-cell", _TABLE + "covered-table-cell"):
            value = self.cell_value if self.cell_value is not None else "".join(self.text or ())
            self.text = None
            if not _is_empty(value):
                where = self.sheet.where
                self.budget.check_column(self.column + self.cell_repeat, where)
                self.budget.spend(self.cell_repeat)
                for offset in range(self.cell_repeat):
                    self.row_cells[self.column + offset] = value
            self.column += self.cell_repeat
        elif name == _TABLE + "table-row":
            if self.row_cells:
                last = self.row_number + self.row_repeat - 1
                self.budget.check_row(last, self.sheet.where)
                self.budget.spend(len(self.row_cells) * (self.row_repeat - 1))
                for number in range(self.row_number, last + 1):
                    self.sheet.add(number, self.row_cells)
            self.row_number += self.row_repeat

    def feed(self, stream: IO[bytes]) -> list[_Sheet]:
        try:
            while chunk := stream.read(1 << 20):
                self.parser.Parse(chunk, False)
            self.parser.Parse(b"", True)
        except expat.ExpatError as error:
            raise ValueError(f"{self.path} is not a readable spreadsheet: {error}") from None
        return self.sheets


def _ods_sheets(path: str, budget: _Budget) -> Iterator[_Sheet]:
    with zipfile.ZipFile(path) as archive, archive.open("content.xml") as stream:
        yield from _OdsParser(path, budget).feed(stream)


def _frames(sheets: Iterator[_Sheet]) -> list[Any]:
    return [frame for sheet in sheets if (frame := sheet.frame()) is not None]


def read(path: str | os.PathLike[str]) -> Any:
    """The spectra of a workbook, one per sheet with a header row; ValueError naming the file
    (and the sheet and row at fault, or the limit a workbook goes beyond), ImportError when the
    engine for the format is missing."""
    path = os.fspath(path)
    extension = os.path.splitext(path)[1].lower()
    package = _PACKAGES[extension]
    sheets: Callable[[str, _Budget], Iterator[_Sheet]] = _ods_sheets if package is None else _xlsx_sheets
    try:
        _check_archive(path)
        frames = _frames(sheets(path, _Budget(path)))
    except ImportError:
        raise ImportError(f'reading {extension} files needs {package}: pip install "corvex[app]"') from None
    except _Refused:
        raise
    except ValueError as error:
        if str(error).startswith(path):
            raise
        raise ValueError(f"{path} is not a readable spreadsheet: {error}") from None
    except (KeyError, OSError, EOFError, zipfile.BadZipFile, SyntaxError, TypeError) as error:
        # SyntaxError: the XML parsers' ParseError, entity expansion refused by expat included.
        raise ValueError(f"{path} is not a readable spreadsheet: {error}") from None
    if not frames:
        raise ValueError(f"{path}: no sheet has a header row naming a frequency and an impedance pair "
                         f"within its first {_SEARCH_ROWS} rows")
    return _table.concat_spectra(frames)
