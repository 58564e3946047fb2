"""Metrohm Autolab text exports: the FRA data file (a "Data File: Version" title, a settings
line, the point count, a quoted header "Freq (Hz) ... Z'(a) Z''(b) ..." and comma-separated
rows) and the NOVA export headed "Frequency (Hz)", "Z' (Ω)", "-Z'' (Ω)"."""

from __future__ import annotations

import re
from collections.abc import Sequence
from typing import Any

from . import _table, delimited, zplot
from ._source import Source

NAME = "autolab"
DESCRIPTION = "Metrohm Autolab text export"
EXTENSIONS = ()

_NOVA_NAMES = ("Frequency (Hz)", "Z' (\u03a9)", "-Z'' (\u03a9)")


def _fra_header_index(lines: Sequence[str]) -> int | None:
    """Index of the FRA file's quoted header line, or None."""
    return next((index for index, line in enumerate(lines[:40])
                 if line.startswith('"') and "Freq" in line and "Z'(a)" in line), None)


def _is_nova(lines: Sequence[str]) -> bool:
    return bool(lines) and all(name in lines[0] for name in _NOVA_NAMES)


def recognises(source: Source) -> bool:
    lines = source.head_lines
    fra = bool(lines) and "Data File: Version" in lines[0] and _fra_header_index(lines) is not None
    return fra or _is_nova(lines)


def read(source: Source) -> Any:
    """One row per point. Z'' of the FRA file is already negative for capacitive impedance;
    the NOVA export's -Z'' and -Phase have their sign turned. An FRA file holding fewer rows
    than its point count is read with a warning."""
    lines = source.head_lines
    if _is_nova(lines):
        return delimited.read_after(source, 0, quoted=False)
    index = _fra_header_index(lines)
    if index is None:
        raise ValueError(f"{source.path}: no quoted \"Freq (Hz) ... Z'(a) Z''(b)\" header line")
    names = re.split(r"\s{2,}", lines[index].strip().strip('"').strip())
    layout = _table.Layout(zplot.headers_of("\t".join(names), "\t"), index + 2, ",")
    frame = _table.read_table(source, layout)
    # The point count is the line before the header, blank lines aside (LF+CR line endings
    # read as a blank line after every line).
    count = next((line.strip() for line in reversed(lines[:index]) if line.strip()), "")
    zplot.warn_if_short(source, frame, int(count) if count.isdigit() else None)
    return frame
