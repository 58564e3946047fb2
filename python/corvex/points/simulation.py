"""Mock spectra for teaching, tests and the gallery: a circuit's impedance with noise of a
chosen model, the same for the same seed."""

from __future__ import annotations

from typing import Any

import numpy as np

from ._table import as_frame

__all__ = ["simulate"]

NOISE_MODELS = ("proportional", "modulus", "constant")


def simulate(circuit: Any, frequencies: Any, noise: float = 0.0, *, noise_model: str = "proportional",
             seed: int | None = None) -> Any:
    """A measured-looking spectrum of `circuit` (a corvex.Circuit, a notation such as
    "R0-p(R1,C1)" with the catalogue's values, or a fit result) at `frequencies`.

    Gaussian noise of standard deviation `noise` is added to each part: "proportional" scales it
    by that part's own magnitude (``|Re Z|`` for the real part, ``|Im Z|`` for the imaginary), "modulus"
    by ``|Z|`` for both, "constant" takes `noise` in ohms. The same `seed` gives the same spectrum;
    None draws fresh noise. Returns a battery-data-format frame with every point kept.
    """
    import corvex

    if noise_model not in NOISE_MODELS:
        raise ValueError(f"argument 'noise_model': expected one of {NOISE_MODELS!r}, got {noise_model!r}")
    if not (np.isfinite(noise) and noise >= 0):
        raise ValueError(f"argument 'noise': expected a standard deviation of zero or more, got {noise!r}")
    model = corvex.Circuit(circuit) if isinstance(circuit, str) else getattr(circuit, "circuit", circuit)
    f = np.asarray(frequencies, dtype=float)
    if f.ndim != 1 or f.size == 0 or not np.all(np.isfinite(f) & (f > 0)):
        raise ValueError("argument 'frequencies': expected a one-dimensional array of positive frequencies")
    z = np.asarray(model.impedance(f), dtype=complex)
    draws = np.random.default_rng(seed).standard_normal((2, f.size))
    if noise_model == "proportional":
        scale_real, scale_imag = np.abs(z.real), np.abs(z.imag)
    elif noise_model == "modulus":
        scale_real = scale_imag = np.abs(z)
    else:
        scale_real = scale_imag = np.ones(f.size)
    noisy = (z.real + noise * scale_real * draws[0]) + 1j * (z.imag + noise * scale_imag * draws[1])
    return as_frame(f, noisy)[0]
