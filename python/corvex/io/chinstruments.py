"""CH Instruments text exports of an A.C. Impedance run: a dated header of "key = value" lines,
then "Freq/Hz, Z'/ohm, Z"/ohm, Z/ohm, Phase/deg" and comma-separated rows."""

from __future__ import annotations

import re
from collections.abc import Sequence
from typing import Any

from . import delimited
from ._source import Source

NAME = "chinstruments"
DESCRIPTION = "CH Instruments text export"
EXTENSIONS = ()

_SETTING = re.compile(r"^\s*(?P<key>[^=:]*\S)\s*[=:]\s*(?P<value>.*?)\s*$")


def _header_index(lines: Sequence[str]) -> int | None:
    return next((index for index, line in enumerate(lines) if line.lstrip().startswith("Freq/Hz")), None)


def recognises(source: Source) -> bool:
    return any(line.strip() == "A.C. Impedance" for line in source.head_lines[:5]) and (
        _header_index(source.head_lines) is not None)


def read(source: Source) -> Any:
    """One row per point; Z" is already negative for capacitive impedance."""
    index = _header_index(source.head_lines)
    if index is None:
        raise ValueError(f'{source.path}: no "Freq/Hz, Z\'/ohm, ..." header line')
    frame = delimited.read_after(source, index, ",", quoted=False)
    settings: dict[str, str] = {}
    for line in source.head_lines[1:index]:
        setting = _SETTING.match(line)
        if setting is not None:
            settings.setdefault(setting["key"], setting["value"])
    frame.attrs["header"] = settings
    return frame
