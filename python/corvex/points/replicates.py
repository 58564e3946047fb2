"""Averaging replicate spectra point by point on one frequency grid, with their spread as a
standard deviation per part that a fit's ``weight=`` takes."""

from __future__ import annotations

from typing import Any

import numpy as np

from ._table import EXCLUDED_BY, KEPT, as_frame, exclude_rows, groups, spectrum_of
from .interpolation import interpolate_arrays

__all__ = ["average", "standard_deviations"]

REAL_STD = "Real Impedance Std / ohm"
IMAGINARY_STD = "Imaginary Impedance Std / ohm"
REPLICATES = "replicates"
# Replicates share a grid when their frequencies agree within this relative distance.
FREQUENCY_RTOL = 1e-6


def average(data: Any, *, by: Any, grid: Any = None, method: str = "akima") -> Any:
    """The mean spectrum of the replicates in `data`, a long frame with one replicate per group of
    the `by` column(s).

    Without `grid` every replicate must have been measured at the same frequencies (in any
    order): a replicate that was not raises ValueError naming it, since averaging points of
    different frequencies gives a spectrum nobody measured. With `grid` each replicate's kept
    points are interpolated onto it first (`method` as in `interpolate`; refused outside any
    replicate's range). The frame returned has one row per frequency in the first replicate's
    order: the mean impedance, ``Real Impedance Std / ohm`` and ``Imaginary Impedance Std / ohm``
    (sample standard deviations over the replicates, zero for a single one), ``replicates``,
    and ``kept``, False where any replicate excluded the point. Pass
    ``standard_deviations(frame)`` as ``weight=`` to fit the mean with its spread.
    """
    import pandas as pd

    frame, back = as_frame(data)
    f, z = spectrum_of(frame)
    kept = frame[KEPT].to_numpy()
    members = list(groups(frame, by))
    if grid is None:
        first = members[0][np.argsort(f[members[0]], kind="stable")]
        reference = f[first]
        stacked, kept_all = [], []
        for number, rows in enumerate(members):
            rows = rows[np.argsort(f[rows], kind="stable")]
            if rows.size != first.size or not np.allclose(f[rows], reference, rtol=FREQUENCY_RTOL, atol=0.0):
                key = frame.loc[frame.index[rows[0]], _key_names(frame, by)].tolist() if rows.size else number
                raise ValueError(f"argument 'data': replicate {key} was measured at other frequencies than the first "
                                 f"({rows.size} points against {first.size}); pass grid= to interpolate them onto one grid")
            stacked.append(z[rows])
            kept_all.append(kept[rows])
        # Back into the first replicate's row order.
        unsort = np.argsort(np.argsort(f[members[0]], kind="stable"), kind="stable")
        values = np.stack(stacked)[:, unsort]
        every_kept = np.logical_and.reduce(np.stack(kept_all))[unsort]
        frequencies = reference[unsort]
    else:
        frequencies = np.asarray(grid, dtype=float)
        values = np.stack([interpolate_arrays(f[rows[kept[rows]]], z[rows[kept[rows]]], frequencies, method)
                           for rows in members])
        every_kept = np.ones(frequencies.size, dtype=bool)
    count = values.shape[0]
    mean = values.mean(axis=0)
    spread_real = values.real.std(axis=0, ddof=1) if count > 1 else np.zeros(mean.size)
    spread_imag = values.imag.std(axis=0, ddof=1) if count > 1 else np.zeros(mean.size)
    result = pd.DataFrame({
        "Frequency / Hz": frequencies, "Real Impedance / ohm": mean.real, "Imaginary Impedance / ohm": mean.imag,
        REAL_STD: spread_real, IMAGINARY_STD: spread_imag, REPLICATES: count, KEPT: True, EXCLUDED_BY: "",
    })
    exclude_rows(result, np.flatnonzero(~every_kept), "excluded in a replicate")
    return back(result)


def _key_names(frame: Any, by: Any) -> list[str]:
    from corvex import _grouping

    return _grouping.resolve(by, frame.columns)


def standard_deviations(frame: Any) -> np.ndarray:
    """The spread `average` gives, as complex standard deviations (real part for the real part
    of Z, imaginary for the imaginary) of the kept rows: what ``weight=`` of
    `corvex.fitting.fit` takes for the same kept points."""
    from ._table import kept_rows

    rows = kept_rows(frame)
    return np.asarray(rows[REAL_STD], dtype=float) + 1j * np.asarray(rows[IMAGINARY_STD], dtype=float)
