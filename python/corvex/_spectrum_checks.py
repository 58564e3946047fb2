"""Checks the fitting entry points make on a spectrum before fitting it: points that are not
measurements (a frequency that is not positive, a non-finite impedance) and frequencies that
run through several sweeps, which fitting them as one spectrum would hide."""

from __future__ import annotations

from collections.abc import Callable, Mapping
from dataclasses import dataclass
from typing import Any

import numpy as np

# Columns a frame's spectrum is read from, display name before machine name, as fit() reads them.
FREQUENCY = ("Frequency / Hz", "frequency_hertz")
REAL = ("Real Impedance / ohm", "real_impedance_ohm")
IMAGINARY = ("Imaginary Impedance / ohm", "imaginary_impedance_ohm")
MODULUS = ("Absolute Impedance / ohm", "absolute_impedance_ohm")
PHASE = ("Phase / deg", "phase_degree")
SPECTRUM_COLUMNS = frozenset(FREQUENCY + REAL + IMAGINARY + MODULUS + PHASE)

# A step back against the sweep direction across more than this share of the spectrum's
# decades starts a new sweep; smaller reversals (a repeated point) do not, nor does a jump back
# to fewer than MIN_SWEEP_POINTS points (a drift check repeating the first frequency).
RESTART_SHARE = 0.5
MIN_SWEEP_POINTS = 3


@dataclass(frozen=True)
class Problem:
    """Why a spectrum is not fitted: the part at fault ("frequencies" or "impedances"), the
    message, and whether the cause is several sweeps run together."""

    part: str
    text: str
    sweeps: bool = False


@dataclass(frozen=True)
class Points:
    """A spectrum's rows as given, before any row is dropped: frequencies, impedances, whether
    they come from a frame (whose rows without a positive frequency are dropped), the row labels to
    name, and how to read the frame's other columns in the same rows, which may tell sweeps
    apart (read only when there are sweeps to tell apart)."""

    frequencies: np.ndarray
    impedances: np.ndarray
    from_frame: bool
    labels: np.ndarray
    other_columns: Callable[[], Mapping[str, np.ndarray]]


def _column(frame: Any, names: tuple[str, str]) -> np.ndarray | None:
    for name in names:
        if name in frame:
            return np.asarray(frame[name], dtype=float)
    return None


def _frame_impedances(frame: Any) -> np.ndarray | None:
    real, imaginary = _column(frame, REAL), _column(frame, IMAGINARY)
    if real is not None and imaginary is not None and real.shape == imaginary.shape:
        return real + 1j * imaginary
    modulus, phase = _column(frame, MODULUS), _column(frame, PHASE)
    if modulus is not None and phase is not None and modulus.shape == phase.shape:
        return modulus * np.exp(1j * np.deg2rad(phase))
    return None


def frame_columns(frame: Any) -> dict[str, np.ndarray]:
    """The columns of a frame (pandas, polars or a dict of columns) besides the spectrum's."""
    names = list(frame.columns) if hasattr(frame, "columns") else list(frame)
    return {name: np.asarray(frame[name]) for name in names if name not in SPECTRUM_COLUMNS}


def points_of(frequencies: Any, impedances: Any = None) -> Points | None:
    """The rows of a spectrum given as fit() takes it, or None when they cannot be read as
    numbers here (the native conversion then says why)."""
    other: Callable[[], Mapping[str, np.ndarray]] = dict
    try:
        if impedances is not None:
            f = np.asarray(frequencies, dtype=float)
            z = np.asarray(impedances, dtype=complex)
            labels = None
        elif hasattr(frequencies, "columns") or isinstance(frequencies, Mapping):
            column, parts = _column(frequencies, FREQUENCY), _frame_impedances(frequencies)
            if column is None or parts is None:
                return None
            f, z = column, parts
            other = lambda: frame_columns(frequencies)  # noqa: E731
            index = getattr(frequencies, "index", None)
            labels = np.asarray(index) if index is not None and len(index) == len(f) else None
        else:
            return None
    except (TypeError, ValueError):
        return None
    if f.ndim != 1 or z.shape != f.shape:
        return None
    return Points(f, z, impedances is None, np.arange(f.size) if labels is None else labels, other)


def suspects(frequencies: np.ndarray, impedances: np.ndarray, starts: np.ndarray) -> np.ndarray:
    """For spectra laid end to end, each beginning at its entry of `starts` (none empty): which
    ones `problem_of` may refuse. A spectrum with only positive frequencies and finite
    impedances, swept in one direction, cannot be refused and needs no closer look."""
    unusable = ~(frequencies > 0) | ~np.isfinite(impedances)
    steps = np.sign(np.diff(frequencies))
    steps[starts[1:] - 1] = 0  # no step from one spectrum into the next
    steps = np.append(steps, 0)
    counted = [np.add.reduceat(flags.astype(np.intp), starts) > 0 for flags in (unusable, steps > 0, steps < 0)]
    return counted[0] | (counted[1] & counted[2])


def _restarts(frequencies: np.ndarray) -> np.ndarray:
    """Positions where a new sweep starts: big steps back against the sweep's direction."""
    if frequencies.size < 3:
        return np.zeros(0, dtype=np.intp)
    steps = np.diff(frequencies)
    direction = np.sign(np.sign(steps).sum())
    low, high = frequencies.min(), frequencies.max()
    if direction == 0 or not high > low:
        return np.zeros(0, dtype=np.intp)
    span = np.log10(high / low)
    # Only a step against the sweep's direction can start a sweep, so decades are taken there
    # alone: a spectrum of millions of points costs a few passes, not a logarithm of each.
    back = np.flatnonzero(steps * direction < 0)
    decades = np.log10(frequencies[back + 1] / frequencies[back])
    jumps = back[decades * direction < -RESTART_SHARE * span] + 1
    lengths = np.diff(np.append(jumps, frequencies.size))
    return jumps[lengths >= MIN_SWEEP_POINTS]


def _constant_within_sweeps(values: np.ndarray, starts: np.ndarray) -> bool:
    """True when `values` stay the same inside every sweep and change at a sweep's start."""
    try:
        same = np.asarray(values[1:] == values[:-1], dtype=bool)
        if values.dtype.kind == "f":
            same |= np.isnan(values[1:]) & np.isnan(values[:-1])
    except (TypeError, ValueError):
        return False
    if same.shape != (values.size - 1,):
        return False
    boundary = np.zeros(values.size - 1, dtype=bool)
    boundary[starts - 1] = True
    return bool(same[~boundary].all() and not same[boundary].all())


def _hertz(value: float) -> str:
    return f"{value:.6g} Hz"


def _row(label: Any) -> str:
    return repr(label.item() if isinstance(label, np.generic) else label)


def problem_of(points: Points) -> Problem | None:
    """The first reason the spectrum cannot be fitted as one spectrum, or None."""
    f, z, labels = points.frequencies, points.impedances, points.labels
    # The conversion drops a frame's rows without a positive frequency as not measured (the 0 Hz
    # rows some instruments record before the sweep, blank lines); two sequences have no such
    # rows to drop, so each of their points must be a measurement.
    refused = np.zeros(f.shape, dtype=bool) if points.from_frame else ~(f > 0)
    if refused.any():
        row = int(np.argmax(refused))
        kind = "negative" if f[row] < 0 else "zero" if f[row] == 0 else "not a number"
        return Problem("frequencies", f"row {_row(labels[row])} has frequency {float(f[row])!r} ({kind}): "
                                      "frequencies are in hertz and positive; drop or correct that row")
    kept = f > 0
    if not kept.all():
        f, z, labels = f[kept], z[kept], labels[kept]
    unreadable = ~np.isfinite(z)
    if unreadable.any():
        row = int(np.argmax(unreadable))
        return Problem("impedances", f"row {_row(labels[row])} has impedance {complex(z[row])!r}, which is not finite: "
                                     "drop that row (frame.dropna()) or correct it before fitting")
    starts = _restarts(f)
    if starts.size == 0:
        return None
    columns = [name for name, values in points.other_columns().items()
               if values.shape == kept.shape and _constant_within_sweeps(values[kept], starts)]
    if columns:
        advice = ("fit one spectrum per sweep with corvex.batch.fit(..., by=...) on the column that tells them "
                  "apart: " + ", ".join(repr(name) for name in columns))
    elif points.from_frame:
        advice = "give the frame a column numbering the sweeps and fit with corvex.batch.fit(..., by=that column)"
    else:
        advice = "pass each sweep as a spectrum of its own (corvex.batch.fit takes a list of them)"
    return Problem("frequencies", f"the frequencies run through {starts.size + 1} sweeps (the first from "
                                  f"{_hertz(f[0])} to {_hertz(f[starts[0] - 1])}, the second starting at row "
                                  f"{_row(labels[starts[0]])}), which would be fitted as one spectrum of {f.size} "
                                  "points; " + advice, sweeps=True)
