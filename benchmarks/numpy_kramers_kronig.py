"""The linear Kramers-Kronig test written plainly in NumPy with np.linalg.lstsq: the baseline
the native test is compared with for its M, its residuals and its speed."""

import numpy as np

TWO_PI = 6.283185307179586


def kramers_kronig(f, z, c=0.85, max_m=50):
    """(M, mu, residuals (Z - Z_fit) / |Z|) of the complex fit with series R and L, counting
    M up from 1 until mu <= c. The columns are scaled to unit length before the solve, as the
    native test does: unscaled, the inductance column (~omega) makes the system needlessly
    ill-conditioned and costs both versions digits."""
    w = TWO_PI * f
    weight = 1 / np.abs(z)
    b = np.concatenate([z.real * weight, z.imag * weight])
    cap = min(max_m, 2 * len(f) - 2)
    for m in range(1, cap + 1):
        tau = np.logspace(np.log10(1 / (TWO_PI * f.max())), np.log10(1 / (TWO_PI * f.min())), m)
        basis = np.column_stack([np.ones_like(w), 1 / (1 + 1j * np.outer(w, tau)), 1j * w])
        weighted = basis * weight[:, None]
        a = np.vstack([weighted.real, weighted.imag])
        scale = np.linalg.norm(a, axis=0)
        x = np.linalg.lstsq(a / scale, b, rcond=None)[0] / scale
        r = x[1:m + 1]
        mu = 1 - np.abs(r[r < 0]).sum() / np.abs(r[r >= 0]).sum()
        if mu <= c:
            break
    return m, mu, (z - basis @ x) / np.abs(z)
