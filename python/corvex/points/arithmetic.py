"""Operations on a spectrum's impedance: subtracting a fitted circuit or another spectrum, and
adding or removing an impedance in parallel (a lead's stray capacitance, a known shunt)."""

from __future__ import annotations

from typing import Any

import numpy as np

from ._table import EXCLUDED_BY, KEPT, as_frame, exclude_rows, groups, spectrum_of

__all__ = ["subtract", "add_parallel", "remove_parallel", "impedance_of"]

# Another spectrum's frequencies match this one's within this relative distance.
FREQUENCY_RTOL = 1e-6


def impedance_of(other: Any, frequencies: np.ndarray) -> np.ndarray:
    """The impedance of `other` at `frequencies`: a corvex.Circuit, a FitResult or FitReport
    (its fitted circuit), a number or array (ohms, one per point), or a spectrum measured at the
    same frequencies (a frame, or a (frequencies, impedances) pair)."""
    circuit = getattr(getattr(other, "result", other), "circuit", other)
    if hasattr(circuit, "impedance") and hasattr(circuit, "param_names"):
        return np.asarray(circuit.impedance(frequencies), dtype=complex)
    if hasattr(other, "columns") or (isinstance(other, tuple) and len(other) == 2):
        frame, _ = as_frame(*other) if isinstance(other, tuple) else as_frame(other)
        f, z = spectrum_of(frame)
        if f.shape != frequencies.shape or not np.allclose(f, frequencies, rtol=FREQUENCY_RTOL, atol=0.0):
            raise ValueError(f"argument 'other': its {f.size} frequencies are not this spectrum's {frequencies.size}; "
                             "bring it onto them first with corvex.points.interpolate(other, grid=...)")
        return z
    values = np.asarray(other)
    if not np.issubdtype(values.dtype, np.number) or values.ndim > 1:
        raise TypeError("argument 'other': expected a Circuit, a fit result, an impedance (a number or one per "
                        f"point) or a spectrum, got {type(other).__name__!r}")
    if values.ndim == 1 and values.shape != frequencies.shape:
        raise ValueError(f"argument 'other': {values.size} impedances for {frequencies.size} points")
    return np.broadcast_to(values.astype(complex), frequencies.shape)


def _apply(data: Any, impedances: Any, other: Any, by: Any, combine: Any, step: str) -> Any:
    frame, back = as_frame(data, impedances)
    f, z = spectrum_of(frame)
    new = np.empty_like(z)
    for rows in groups(frame, by):
        new[rows] = combine(z[rows], impedance_of(other, f[rows]))
    frame["Real Impedance / ohm"] = new.real
    frame["Imaginary Impedance / ohm"] = new.imag
    exclude_rows(frame, np.flatnonzero(~np.isfinite(new) & frame[KEPT].to_numpy()), f"not finite after {step}")
    for derived in ("Absolute Impedance / ohm", "Phase / deg"):
        if derived in frame.columns:
            frame = frame.drop(columns=derived)
    return back(frame[[c for c in frame.columns if c not in (KEPT, EXCLUDED_BY)] + [KEPT, EXCLUDED_BY]])


def subtract(data: Any, impedances: Any = None, *, other: Any, by: Any = None) -> Any:
    """Z - Z_other for each spectrum: `other` is a circuit or fit result (evaluated at the
    measured frequencies), an impedance, or a spectrum measured at the same frequencies.
    Returns a new frame; a point that stops being finite is excluded and says so."""
    return _apply(data, impedances, other, by, np.subtract, "subtracting")


def add_parallel(data: Any, impedances: Any = None, *, other: Any, by: Any = None) -> Any:
    """Z Z_p / (Z + Z_p): the spectrum with `other` (as for `subtract`) connected in parallel."""
    with np.errstate(divide="ignore", invalid="ignore"):
        return _apply(data, impedances, other, by, lambda z, p: z * p / (z + p), "adding in parallel")


def remove_parallel(data: Any, impedances: Any = None, *, other: Any, by: Any = None) -> Any:
    """Z Z_p / (Z_p - Z): the spectrum with `other` taken out of parallel, the inverse of
    `add_parallel`. A point where Z equals Z_p becomes non-finite and is excluded."""
    with np.errstate(divide="ignore", invalid="ignore"):
        return _apply(data, impedances, other, by, lambda z, p: z * p / (p - z), "removing in parallel")
