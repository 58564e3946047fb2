"""Princeton Applied Research PARSTAT text exports: one tab-separated table headed
"Potential (V)  Current (A)  Elapsed Time (s)  Frequency (Hz)  Zre (ohms)  Zim (ohms) ..."."""

from __future__ import annotations

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
    frequencies = frame[_columns.FREQUENCY].to_numpy()
    # Only the leading block: a 0 Hz row within the sweep is a row of the file like any other.
    pre_sweep = int(np.argmax(frequencies != 0.0)) if (frequencies != 0.0).any() else len(frequencies)
    if pre_sweep == len(frequencies):
        raise ValueError(f"{source.path}: only the 0 Hz rows recorded before the sweep, no impedance points")
    return frame.iloc[pre_sweep:].reset_index(drop=True)
