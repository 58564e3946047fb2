"""Scribner ZPlot/ZView .z files: a "ZPLOT2 ASCII" header of "key: value" lines whose last
line before "End Comments" names the tab-separated columns, then the table."""

from __future__ import annotations

import re
import warnings
from typing import Any

from . import _table
from ._source import Source

NAME = "zplot"
DESCRIPTION = "Scribner ZPlot/ZView .z"
EXTENSIONS = (".z",)

_SETTING = re.compile(r"^\s*(?P<key>[^:]*\S)\s*:\s*(?P<value>.*?)\s*$")


def recognises(source: Source) -> bool:
    return bool(source.head_lines) and source.head_lines[0].strip() == "ZPLOT2 ASCII"


def headers_of(line: str, sep: str | None) -> tuple[str, ...]:
    """Column names as Scribner writes them; "Z'(a)" and "Z''(b)" name the real and imaginary
    parts (already in the convention where capacitive impedance is negative)."""
    return tuple(re.sub(r"\s*\((a|b)\)\s*$", "", name) for name in _table.split_header(line, sep))


def warn_if_short(source: Source, frame: Any, declared: int | None) -> None:
    if declared is not None and len(frame) < declared:
        warnings.warn(f"{source.path}: the header announces {declared} points but the file holds "
                      f"{len(frame)}; read those", UserWarning, stacklevel=4)


def read(source: Source) -> Any:
    """One row per point. A file holding fewer points than its header announces (a sweep
    stopped early) is read with a warning."""
    lines = source.head_lines
    end = next((number for number, line in enumerate(lines) if line.strip() == "End Comments"), None)
    if end is None or end == 0:
        raise ValueError(f'{source.path}: no "End Comments" line ends the header')
    layout = _table.Layout(headers_of(lines[end - 1], "\t"), end + 2, "\t")
    frame = _table.read_table(source, layout)
    settings: dict[str, str] = {}
    for line in lines[1 : end - 1]:
        setting = _SETTING.match(line)
        if setting is not None:
            settings.setdefault(setting["key"], setting["value"])
    declared = settings.get("Data Points")
    warn_if_short(source, frame, int(declared) if declared and declared.isdigit() else None)
    frame.attrs["header"] = settings
    return frame
