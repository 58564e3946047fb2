"""Choosing the points of a spectrum: a frequency window, points excluded by position, frequency
or mask, the inductive tail at high frequency, and outliers by Kramers-Kronig residual."""

from __future__ import annotations

from typing import Any

import numpy as np

from ._table import KEPT, as_frame, exclude_rows, groups, spectrum_of

__all__ = ["window", "exclude", "drop_inductive", "drop_outliers"]

# A frequency given to exclude() names the measured point within this relative distance.
FREQUENCY_RTOL = 1e-6
# KK residuals: a point is an outlier beyond this many times the spectrum's relative noise.
OUTLIER_NOISE_MULTIPLE = 4.0
# The most RC elements the outlier test fits by default (the test's own ceiling).
RC_COUNT_LIMIT = 50
# At most one point in this many is excluded as an outlier: beyond that the spectrum is not
# valid, which the Kramers-Kronig test itself says.
MAX_OUTLIER_SHARE = 10
# Columns drop_outliers() adds: each row's |residual| relative to |Z|, and the limit it was held to.
KK_RESIDUAL = "kk_residual"
KK_THRESHOLD = "kk_threshold"


def window(data: Any, impedances: Any = None, *, fmin: float | None = None, fmax: float | None = None) -> Any:
    """Exclude the points below `fmin` or above `fmax` hertz (either may be None).

    Takes one spectrum (two arrays, or a frame) or a long frame of several, whose every row is
    judged alike, and returns a new frame with every row: ``kept`` says whether a point is used and
    ``excluded_by`` why not ("below fmin 0.05 Hz"). Steps chain: a frame that already has these
    columns keeps its exclusions and adds its own reasons.
    """
    if fmin is not None and fmax is not None and fmin > fmax:
        raise ValueError(f"argument 'fmin': {fmin!r} Hz lies above fmax {fmax!r} Hz")
    frame, back = as_frame(data, impedances)
    f, _ = spectrum_of(frame)
    if fmin is not None:
        exclude_rows(frame, np.flatnonzero(f < fmin), f"below fmin {fmin:g} Hz")
    if fmax is not None:
        exclude_rows(frame, np.flatnonzero(f > fmax), f"above fmax {fmax:g} Hz")
    return back(frame)


def exclude(data: Any, impedances: Any = None, *, indices: Any = None, frequencies: Any = None,
            mask: Any = None, by: Any = None) -> Any:
    """Exclude points by position, by frequency or by a boolean mask.

    `indices`: positions counted from 0 in each spectrum's own row order (with `by`, within each
    group; negative positions count from the end); a position beyond a spectrum's length raises
    IndexError. `frequencies`: the measured points at these frequencies (to a relative 1e-6);
    one that no point has raises ValueError. `mask`: True for every row to exclude, one value
    per row of the input. Returns a new frame as `window` does.
    """
    frame, back = as_frame(data, impedances)
    if indices is not None:
        wanted = np.atleast_1d(np.asarray(indices))
        if wanted.size == 0:
            wanted = wanted.astype(np.intp)
        if not np.issubdtype(wanted.dtype, np.integer):
            raise TypeError(f"argument 'indices': expected whole numbers, got {wanted.dtype}")
        for rows in groups(frame, by):
            if wanted.size and (wanted.max() >= len(rows) or wanted.min() < -len(rows)):
                raise IndexError(f"argument 'indices': a spectrum has {len(rows)} points, positions "
                                 f"{-len(rows)}..{len(rows) - 1}; got {wanted.tolist()}")
            exclude_rows(frame, np.unique(rows[wanted]), "excluded by index")
    if frequencies is not None:
        f, _ = spectrum_of(frame)
        wanted_f = np.atleast_1d(np.asarray(frequencies, dtype=float))
        close = np.isclose(f[:, None], wanted_f[None, :], rtol=FREQUENCY_RTOL, atol=0.0)
        missing = wanted_f[~close.any(axis=0)]
        if missing.size:
            raise ValueError(f"argument 'frequencies': no point measured at {missing.tolist()} Hz")
        exclude_rows(frame, np.flatnonzero(close.any(axis=1)), "excluded by frequency")
    if mask is not None:
        flags = np.asarray(mask)
        if flags.dtype != bool or flags.shape != (len(frame),):
            raise ValueError(f"argument 'mask': expected {len(frame)} booleans, one per row, got "
                             f"shape {flags.shape} of {flags.dtype}")
        exclude_rows(frame, np.flatnonzero(flags), "excluded by mask")
    return back(frame)


def inductive_tail(frequencies: np.ndarray, impedances: np.ndarray) -> np.ndarray:
    """Positions of the points with Im Z > 0 that run unbroken from the highest frequency down:
    a positive imaginary part in the middle of a spectrum is data, not the cables' inductance."""
    order = np.argsort(-frequencies, kind="stable")
    run = np.logical_and.accumulate(impedances.imag[order] > 0)
    return order[run]


def drop_inductive(data: Any, impedances: Any = None, *, by: Any = None) -> Any:
    """Exclude the inductive points (Im Z > 0) at the high-frequency end of each spectrum.

    Only the unbroken run starting at the highest frequency is excluded; a point with Im Z > 0
    further down the spectrum stays. Returns a new frame as `window` does.
    """
    frame, back = as_frame(data, impedances)
    f, z = spectrum_of(frame)
    for rows in groups(frame, by):
        exclude_rows(frame, rows[inductive_tail(f[rows], z[rows])], "inductive (Im Z > 0) at high frequency")
    return back(frame)


def drop_outliers(data: Any, impedances: Any = None, *, threshold: float | None = None, by: Any = None,
                  **kramers_kronig_options: Any) -> Any:
    """Exclude the points whose Kramers-Kronig residual is an outlier.

    The linear Kramers-Kronig test (`corvex.analysis.kramers_kronig`, with any of its options) is
    fitted to each spectrum's kept points, with one RC element per two points unless
    `rc_count` says otherwise (the mu criterion can stop at a few elements whose residuals are
    large everywhere, which would hide a lone wild point); a point is an outlier when its
    residual ``|Z - Z_KK| / |Z|`` exceeds `threshold`, by default four times the spectrum's relative
    noise level as the test estimates it (at least 0.5 %). The worst point is excluded first and
    the test fitted again without it, until no point exceeds the threshold or one point in ten
    is gone. The returned frame adds ``kk_residual`` (each point's residual in the last fit that
    included it; NaN for points not tested) and ``kk_threshold`` (the limit the spectrum was held
    to). A spectrum the test cannot handle (too few points) keeps its points, with NaN in both.
    """
    from corvex.analysis import kramers_kronig

    if threshold is not None and not threshold > 0:
        raise ValueError(f"argument 'threshold': expected a positive relative residual, got {threshold!r}")
    frame, back = as_frame(data, impedances)
    f, z = spectrum_of(frame)
    residual = np.full(len(frame), np.nan)
    limit = np.full(len(frame), np.nan)
    kept = frame[KEPT].to_numpy()
    for rows in groups(frame, by):
        tested = rows[kept[rows]]
        outliers: list[int] = []
        # A wild point drags the fit near it: the worst point goes first and the rest are judged
        # again without it, so its neighbours are not excluded for its sake.
        for _ in range(max(1, tested.size // MAX_OUTLIER_SHARE)):
            options = {"rc_count": max(1, min(tested.size // 2, RC_COUNT_LIMIT)), **kramers_kronig_options}
            try:
                result = kramers_kronig(f[tested], z[tested], **options)
            except ValueError:
                break
            size = np.hypot(result.residuals_real, result.residuals_imag)
            bound = threshold if threshold is not None else OUTLIER_NOISE_MULTIPLE * result.noise_level
            residual[tested] = size
            limit[rows] = bound
            worst = int(np.argmax(size))
            if not size[worst] > bound:
                break
            outliers.append(int(tested[worst]))
            tested = np.delete(tested, worst)
        exclude_rows(frame, np.asarray(outliers, dtype=np.intp),
                     [f"Kramers-Kronig outlier (residual {residual[row]:.3g} > {limit[row]:.3g})" for row in outliers])
    frame[KK_RESIDUAL] = residual
    frame[KK_THRESHOLD] = limit
    return back(frame)
