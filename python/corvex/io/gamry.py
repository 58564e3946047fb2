"""Gamry Framework .DTA files: tagged header lines, then tables each introduced by a
"<NAME>\tTABLE" line, a line of column names and a line of units; the spectrum is ZCURVE."""

from __future__ import annotations

import re
import warnings
from typing import Any

from . import _table
from ._source import Source

NAME = "gamry"
DESCRIPTION = "Gamry .DTA"
EXTENSIONS = (".dta",)

_TABLE_START = re.compile(r"^ZCURVE\d*\tTABLE[^\n]*\n", re.MULTILINE)
# A table ends at the next tag line ("NAME<tab>...") or at the end of the file; any other line
# inside it is a row, so a garbled one is an error rather than a silent end of the table.
_TABLE_END = re.compile(r"^[A-Z][A-Z0-9_]*\t", re.MULTILINE)
_TAG = re.compile(r"^(?P<tag>[A-Z][A-Z0-9_]*)\t(?:LABEL|QUANT|IQUANT|POTEN|TOGGLE|SELECTOR)\t(?P<value>[^\t\n]*)",
                  re.MULTILINE)


def recognises(source: Source) -> bool:
    return bool(source.head_lines) and source.head_lines[0].strip() == "EXPLAIN" and any(
        line.startswith("TAG\t") for line in source.head_lines[1:4])


def read(source: Source) -> Any:
    """The rows of every ZCURVE table. A file whose experiment was aborted keeps the rows it
    completed, drops a row cut short, and warns; several ZCURVE tables get a "Spectrum" column."""
    text = source.text
    aborted = re.search(r"^EXPERIMENTABORTED\tTOGGLE\tT\b", text, re.MULTILINE) is not None
    starts = list(_TABLE_START.finditer(text))
    if not starts:
        raise ValueError(f"{source.path}: no ZCURVE table, so no impedance spectrum in this file")
    frames: list[Any] = []
    for start in starts:
        names_end = text.find("\n", start.end())
        units_end = text.find("\n", names_end + 1) if names_end >= 0 else -1
        if units_end < 0:
            raise ValueError(f"{source.at(text.count(chr(10), 0, start.end()) + 1)}: "
                             "the file ends before the table's column names and units")
        names = text[start.end():names_end].split("\t")
        units = text[names_end + 1:units_end].split("\t")
        headers = tuple(f"{name} ({unit})" if unit.strip() not in ("", "#") else name
                        for name, unit in zip(names, units + [""] * (len(names) - len(units))))
        body_start = units_end + 1
        end = _TABLE_END.search(text, body_start)
        body_end = len(text) if end is None else end.start()
        body = text[body_start:body_end]
        first_line = text.count("\n", 0, body_start) + 1
        layout = _table.Layout(headers, first_line, "\t")
        try:
            frames.append(_table.read_table(source, layout, body, to_end=end is None))
        except ValueError:
            if not aborted:
                raise
            # The last row may have been cut when the run stopped: drop it and read the rest.
            body = body.rstrip("\n")
            body = body[: body.rfind("\n") + 1] if "\n" in body else ""
            frames.append(_table.read_table(source, layout, body, to_end=False))
    frame = _table.concat_spectra(frames)
    if aborted:
        warnings.warn(f"{source.path}: the experiment was aborted; read the {len(frame)} points "
                      "it completed", UserWarning, stacklevel=3)
    frame.attrs["header"] = {match["tag"]: match["value"] for match in _TAG.finditer(text)}
    return frame
