"""Admittance Y = 1/Z and back: the one conversion that fitting, the Kramers-Kronig test and the
pictures share, for arrays and for frames (whose admittance columns are in siemens)."""

from __future__ import annotations

from typing import Any

import numpy as np

from ._table import as_frame, spectrum_of

__all__ = ["reciprocal", "to_admittance", "to_impedance", "REAL_ADMITTANCE", "IMAGINARY_ADMITTANCE"]

REAL_ADMITTANCE = "Real Admittance / S"
IMAGINARY_ADMITTANCE = "Imaginary Admittance / S"


def reciprocal(values: Any, name: str = "impedances") -> np.ndarray:
    """1/values for complex impedances or admittances; ValueError naming the first position
    whose value is zero or not finite (its reciprocal would be no measurement)."""
    array = np.asarray(values, dtype=complex)
    bad = np.flatnonzero(~np.isfinite(array) | (array == 0))
    if bad.size:
        raise ValueError(f"argument '{name}': the value at position {int(bad[0])} is {array[bad[0]]!r}, which has "
                         "no finite reciprocal")
    return 1.0 / array


def to_admittance(data: Any, impedances: Any = None) -> Any:
    """A spectrum's frame with its admittance Y = 1/Z in ``Real Admittance / S`` and
    ``Imaginary Admittance / S`` beside the impedance columns (one spectrum or a long frame)."""
    frame, back = as_frame(data, impedances)
    _, z = spectrum_of(frame)
    y = reciprocal(z)
    frame[REAL_ADMITTANCE] = y.real
    frame[IMAGINARY_ADMITTANCE] = y.imag
    return back(frame)


def to_impedance(data: Any, admittances: Any = None) -> Any:
    """The inverse of `to_admittance`: a frame of frequencies and impedances Z = 1/Y, from a frame
    with the admittance columns or from two arrays (frequencies, complex admittances)."""
    import pandas as pd

    if admittances is not None:
        y = np.asarray(admittances, dtype=complex)
        frequencies = np.asarray(data, dtype=float)
        return as_frame(frequencies, reciprocal(y, "admittances"))[0]
    columns = list(getattr(data, "columns", []))
    if REAL_ADMITTANCE not in columns or IMAGINARY_ADMITTANCE not in columns:
        raise ValueError(f"argument 'data': expected the columns {REAL_ADMITTANCE!r} and {IMAGINARY_ADMITTANCE!r}, "
                         f"got {columns!r}")
    y = np.asarray(data[REAL_ADMITTANCE], dtype=float) + 1j * np.asarray(data[IMAGINARY_ADMITTANCE], dtype=float)
    z = reciprocal(y, "admittances")
    from_polars = not isinstance(data, pd.DataFrame)
    frame = data.to_pandas() if from_polars else data.copy()
    frame["Real Impedance / ohm"] = z.real
    frame["Imaginary Impedance / ohm"] = z.imag
    if from_polars:
        import polars as pl

        return pl.from_pandas(frame)
    return frame
