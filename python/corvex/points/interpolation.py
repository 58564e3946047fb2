"""Interpolation of a spectrum onto other frequencies, in log-frequency: Akima's local cubic
(no overshoot at a kink) or straight lines; refused outside the measured range."""

from __future__ import annotations

from typing import Any

import numpy as np

from corvex import _grouping

from ._table import EXCLUDED_BY, KEPT, as_frame, groups, spectrum_of

__all__ = ["interpolate", "interpolate_arrays"]

METHODS = ("akima", "linear")


def _akima_slopes(x: np.ndarray, y: np.ndarray) -> np.ndarray:
    """Akima's (1970) slope at every node of y(x), for each column of y."""
    m = np.diff(y, axis=0) / np.diff(x)[:, None]
    # Two slopes extrapolated linearly at each end, as Akima does.
    start = np.stack([3 * m[0] - 2 * m[1], 2 * m[0] - m[1]])
    end = np.stack([2 * m[-1] - m[-2], 3 * m[-1] - 2 * m[-2]])
    extended = np.concatenate([start, m, end])
    left = np.abs(extended[1:-2] - extended[:-3])   # |m[i-1] - m[i-2]|
    right = np.abs(extended[3:] - extended[2:-1])    # |m[i+1] - m[i]|
    total = left + right
    flat = total == 0
    mean = 0.5 * (extended[1:-2] + extended[2:-1])
    with np.errstate(invalid="ignore", divide="ignore"):
        weighted = (right * extended[1:-2] + left * extended[2:-1]) / total
    return np.where(flat, mean, weighted)


def interpolate_arrays(frequencies: Any, impedances: Any, grid: Any, method: str = "akima") -> np.ndarray:
    """The impedances of a spectrum at the `grid` frequencies, real and imaginary parts each
    interpolated against log10 f. ValueError for a grid point outside the measured range, for
    repeated frequencies and for fewer than two points."""
    if method not in METHODS:
        raise ValueError(f"argument 'method': expected one of {METHODS!r}, got {method!r}")
    f = np.asarray(frequencies, dtype=float)
    z = np.asarray(impedances, dtype=complex)
    target = np.asarray(grid, dtype=float)
    if f.size < 2:
        raise ValueError(f"argument 'frequencies': interpolation needs at least two points, got {f.size}")
    if not (np.all(np.isfinite(f)) and np.all(f > 0) and np.all(np.isfinite(z))):
        raise ValueError("argument 'frequencies': interpolation needs positive frequencies and finite impedances")
    if target.ndim != 1 or not np.all(np.isfinite(target)) or not np.all(target > 0):
        raise ValueError("argument 'grid': expected a one-dimensional array of positive frequencies")
    low, high = f.min(), f.max()
    outside = target[(target < low * (1 - 1e-12)) | (target > high * (1 + 1e-12))]
    if outside.size:
        raise ValueError(f"argument 'grid': {outside.tolist()[:5]} Hz lie outside the measured range "
                         f"{low:g}..{high:g} Hz; interpolation does not extrapolate")
    order = np.argsort(f)
    x = np.log10(f[order])
    if np.any(np.diff(x) == 0):
        raise ValueError("argument 'frequencies': a frequency is measured twice; interpolation needs one point per frequency")
    y = np.stack([z.real[order], z.imag[order]], axis=1)
    xq = np.clip(np.log10(target), x[0], x[-1])
    interval = np.clip(np.searchsorted(x, xq, side="right") - 1, 0, x.size - 2)
    h = (x[interval + 1] - x[interval])[:, None]
    s = ((xq - x[interval]) / h[:, 0])[:, None]
    y0, y1 = y[interval], y[interval + 1]
    if method == "linear" or x.size < 3:
        values = y0 + s * (y1 - y0)
    else:
        slopes = _akima_slopes(x, y)
        t0, t1 = slopes[interval], slopes[interval + 1]
        s2, s3 = s * s, s * s * s
        values = ((2 * s3 - 3 * s2 + 1) * y0 + (s3 - 2 * s2 + s) * h * t0
                  + (-2 * s3 + 3 * s2) * y1 + (s3 - s2) * h * t1)
    return values[:, 0] + 1j * values[:, 1]


def interpolate(data: Any, impedances: Any = None, *, grid: Any, method: str = "akima", by: Any = None) -> Any:
    """Each spectrum's impedance at the `grid` frequencies, interpolated from its kept points.

    `method`: "akima" (Akima's local cubic in log10 f, which follows arcs without overshoot) or
    "linear" (straight lines in log10 f). A grid frequency outside a spectrum's measured range
    raises ValueError: interpolation does not extrapolate. Returns a new frame of the grid points
    (with the `by` key columns), every one kept.
    """
    import pandas as pd

    frame, back = as_frame(data, impedances)
    f, z = spectrum_of(frame)
    kept = frame[KEPT].to_numpy()
    target = np.asarray(grid, dtype=float)
    parts = []
    keys = [] if by is None else _grouping.resolve(by, frame.columns)
    for rows in groups(frame, by):
        used = rows[kept[rows]]
        try:
            values = interpolate_arrays(f[used], z[used], target, method)
        except ValueError as error:
            if not keys:
                raise
            key = ", ".join(f"{name}={frame[name].iloc[rows[0]]}" for name in keys)
            raise ValueError(f"spectrum {key}: {error}") from None
        part = pd.DataFrame({name: frame[name].iloc[rows[0]] for name in keys}, index=range(target.size))
        part["Frequency / Hz"] = target
        part["Real Impedance / ohm"] = values.real
        part["Imaginary Impedance / ohm"] = values.imag
        parts.append(part)
    result = pd.concat(parts, ignore_index=True)
    result[KEPT] = True
    result[EXCLUDED_BY] = ""
    return back(result)

