"""Princeton Applied Research PARSTAT text exports: one tab-separated table headed
"Potential (V)  Current (A)  Elapsed Time (s)  Frequency (Hz)  Zre (ohms)  Zim (ohms) ..."."""

from __future__ import annotations

import warnings
from typing import Any

import numpy as np

from . import _columns, delimited
from ._source import Source

NAME = "parstat"
DESCRIPTION = "PARSTAT text export"
EXTENSIONS = ()


def recognises(source: Source) -> bool:
    first = source.head_lines[0] if source.head_lines else ""
    return all(name in first for name in ("Frequency (Hz)", "Zre (ohms)", "Zim (ohms)"))


def read(source: Source) -> Any:
    """One row per impedance point. The rows the instrument writes at 0 Hz while it records the
    DC potential and current before the sweep are not impedance points and are dropped."""
    frame = delimited.read_after(source, 0, "\t", quoted=False)
    zero = frame[_columns.FREQUENCY].to_numpy() == 0.0
    if zero.all():
        raise ValueError(f"{source.path}: only the 0 Hz rows recorded before the sweep, no impedance points")
    if not zero.any():
        return frame
    within = int(zero[int(np.argmax(~zero)):].sum())
    if within:
        warnings.warn(f"{source.path}: dropped {within} rows of 0 Hz within the sweep, which are not "
                      "impedance points", UserWarning, stacklevel=3)
    return frame[~zero].reset_index(drop=True)
