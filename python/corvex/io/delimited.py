"""Delimited text tables (CSV, TSV, semicolon-separated or blank-separated) whose header row
names the columns, in the battery data format or the usual short forms (freq, Z', Z'', Zre,
Zim, -Im(Z), |Z|, phase), with units from the header and decimal commas recognised."""

from . import _columns, _table

NAME = "delimited"
DESCRIPTION = "delimited text (CSV, TSV, semicolon- or blank-separated) with a header row"
# Plain-text extensions say nothing about the columns, so only the content identifies a table.
EXTENSIONS = ()


def separator_of(line):
    """The field separator of a header line: tab, semicolon or comma, else runs of blanks."""
    for sep in ("\t", ";", ","):
        if sep in line:
            return sep
    return None


def _header_index(lines):
    """Index of the header row: the first line that is neither blank nor a "#" comment."""
    return next((index for index, line in enumerate(lines)
                 if line.strip() and not line.lstrip().startswith("#")), None)


def _names_spectrum(line):
    return _columns.needed(_columns.meanings_of(_table.split_header(line, separator_of(line)))) is not None


def recognises(source):
    index = _header_index(source.head_lines)
    return index is not None and _names_spectrum(source.head_lines[index])


def read_after(source, index, sep=None, quoted=True):
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


def read(source):
    """One row per point. Imaginary parts given as "-Z''" or "-Im(Z)" are turned to the
    convention where capacitive impedance is negative; kOhm, mHz, radians and similar units are
    converted; a table of modulus and phase becomes real and imaginary parts. A "Cycle" column
    that changes yields a "Spectrum" column numbering the spectra."""
    index = _header_index(source.head_lines)
    if index is None:
        raise ValueError(f"{source.path}: the file holds no header row")
    return read_after(source, index)
