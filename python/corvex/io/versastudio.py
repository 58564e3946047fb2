"""Princeton Applied Research VersaStudio .par files: sections in angle-bracket tags; each
<SegmentN> section names its comma-separated columns in a "Definition=" line."""

from __future__ import annotations

import re
from typing import Any

from . import _table
from ._source import Source

NAME = "versastudio"
DESCRIPTION = "VersaStudio .par"
EXTENSIONS = (".par",)

_SEGMENT = re.compile(r"^<(?P<tag>Segment\d+)>\n(?P<body>.*?)^</(?P=tag)>", re.MULTILINE | re.DOTALL)


def recognises(source: Source) -> bool:
    lines = source.head_lines
    return bool(lines) and lines[0].strip() == "<Application>" and any(
        line.strip() == "Name=VersaStudio" for line in lines[1:8])


def read(source: Source) -> Any:
    """One row per point of every segment whose columns include a frequency; several such
    segments get a "Spectrum" column."""
    text = source.text
    frames: list[Any] = []
    header_end = len(text)
    for segment in _SEGMENT.finditer(text):
        header_end = min(header_end, segment.start())
        body = segment["body"]
        definition = re.search(r"^Definition=(.*)\n", body, re.MULTILINE)
        if definition is None or "Frequency" not in definition.group(1):
            continue
        headers = [name.strip() for name in definition.group(1).split(",")]
        table_start = segment.start("body") + definition.end()
        first_row = text[table_start:text.find("\n", table_start)].split(",")
        first_line = text.count("\n", 0, table_start) + 1
        # The definition ends with a number that is not a column.
        if _table.is_number(headers[-1]):
            headers.pop()
        # One damaged character can merge or split two names, which would shift every later
        # column onto another's data.
        if len(headers) != len(first_row):
            raise ValueError(f"{source.at(first_line - 1)}: the Definition names {len(headers)} columns "
                             f"but the rows have {len(first_row)} fields")
        layout = _table.Layout(tuple(headers), first_line, ",")
        frames.append(_table.read_table(source, layout, text[table_start:segment.end("body")]))
    if not frames:
        raise ValueError(f"{source.path}: no segment with a frequency column, so no impedance spectrum")
    frame = _table.concat_spectra(frames)
    settings: dict[str, str] = {}
    for line in text[:header_end].split("\n"):
        key, equals, value = line.partition("=")
        if equals and not line.startswith("<"):
            settings.setdefault(key.strip(), value.strip())
    frame.attrs["header"] = settings
    return frame
