"""PowerSuite text exports: three tab-separated columns "Frequency", "Zre" and "Zimg", in hertz
and ohms, the imaginary part negative for capacitive impedance."""

from __future__ import annotations

from typing import Any

from . import delimited
from ._source import Source

NAME = "powersuite"
DESCRIPTION = "PowerSuite text export"
EXTENSIONS = ()


def recognises(source: Source) -> bool:
    first = source.head_lines[0] if source.head_lines else ""
    return [field.strip() for field in first.split("\t")] == ["Frequency", "Zre", "Zimg"]


def read(source: Source) -> Any:
    """One row per point."""
    return delimited.read_after(source, 0, "\t", quoted=False)
