"""BioLogic EC-Lab (and BT-Lab) text exports, .mpt: a header whose second line gives its
length, then one tab-separated table; several spectra are told apart by the cycle number."""

from __future__ import annotations

import re
from typing import Any

from . import _table
from ._source import Source

NAME = "biologic"
DESCRIPTION = "BioLogic EC-Lab .mpt"
EXTENSIONS = (".mpt",)

_FIRST_LINES = ("EC-Lab ASCII FILE", "BT-Lab ASCII FILE")
_HEADER_LENGTH = re.compile(r"Nb header lines\s*:\s*(\d+)\s*$")
_SETTING = re.compile(r"^(?P<key>[^:\t]*\S)\s*:\s*(?P<value>.*?)\s*$")


def recognises(source: Source) -> bool:
    return bool(source.head_lines) and source.head_lines[0].strip() in _FIRST_LINES


def read(source: Source) -> Any:
    """One row per point; the imaginary part is read from "-Im(Z)" with its sign turned, and
    currents in mA become amperes. A "Spectrum" column numbers the spectra when the cycle
    number changes within the file."""
    second = source.lines(2)[1:]
    match = _HEADER_LENGTH.match(second[0].strip()) if second else None
    if match is None:
        raise ValueError(f'{source.at(2)}: expected "Nb header lines : <count>"')
    length = int(match.group(1))
    header = source.lines(length + 1)
    if len(header) < length:
        raise ValueError(f"{source.at(len(header))}: the file ends inside its {length}-line header")
    first_row = header[length].split("\t") if len(header) > length else []
    headers = tuple(header[length - 1].split("\t"))
    layout = _table.Layout(headers, length + 1, "\t", _table.decimal_mark(first_row, "\t"))
    frame = _table.add_spectrum_column(_table.read_table(source, layout))
    settings: dict[str, str] = {}
    for line in header[2 : length - 1]:
        setting = _SETTING.match(line)
        if setting is not None:
            settings.setdefault(setting["key"], setting["value"])
    frame.attrs["header"] = settings
    return frame
