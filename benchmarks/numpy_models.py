"""NumPy reference implementations of the benchmark circuits, vectorised over frequency.

They follow the same formulas as the C++ kernels so that results agree to rounding; they are
the baselines every benchmark ratio is measured against.
"""

import numpy as np

TWO_PI = 6.283185307179586


def _tanh_limited(u):
    a, b = u.real, u.imag
    with np.errstate(all="ignore"):
        den = np.cosh(2 * a) + np.cos(2 * b)
        out = (np.sinh(2 * a) + 1j * np.sin(2 * b)) / den
    big = np.abs(a) > 20
    return np.where(big, np.sign(a) + 0j, out)


def resistor(r, omega):
    return np.full(omega.shape, r, dtype=complex)


def capacitor(c, omega):
    return 1.0 / (1j * omega * c)


def cpe(q, alpha, omega):
    return 1.0 / (q * (1j * omega) ** alpha)


def warburg(aw, omega):
    s = np.sqrt(omega)
    return aw / s - 1j * aw / s


def warburg_open(z0, tau, omega):
    u = np.sqrt(1j * omega * tau)
    return z0 / (u * _tanh_limited(u))


def parallel(*branches):
    return 1.0 / sum(1.0 / b for b in branches)


def r_rq_wo(params, frequencies):
    """R0-(R1,CPE1)-Wo1: R0, R1, Q1, alpha1, Z0, tau."""
    r0, r1, q1, a1, z0, tau = params
    omega = TWO_PI * np.asarray(frequencies, dtype=float)
    return r0 + parallel(resistor(r1, omega), cpe(q1, a1, omega)) + warburg_open(z0, tau, omega)


def sei_randles(params, frequencies):
    """R0-(R1,CPE1)-(R2-W2,CPE2): R0, R1, Q1, alpha1, R2, Aw2, Q2, alpha2."""
    r0, r1, q1, a1, r2, aw, q2, a2 = params
    omega = TWO_PI * np.asarray(frequencies, dtype=float)
    return (r0 + parallel(resistor(r1, omega), cpe(q1, a1, omega))
            + parallel(r2 + warburg(aw, omega), cpe(q2, a2, omega)))


def randles(params, frequencies):
    """R0-(R1-W1,CPE1): R0, R1, Aw, Q, alpha."""
    r0, r1, aw, q, a = params
    omega = TWO_PI * np.asarray(frequencies, dtype=float)
    return r0 + parallel(r1 + warburg(aw, omega), cpe(q, a, omega))


def two_rq(params, frequencies):
    """R0-(R1,CPE1)-(R2,CPE2): R0, R1, Q1, alpha1, R2, Q2, alpha2."""
    r0, r1, q1, a1, r2, q2, a2 = params
    omega = TWO_PI * np.asarray(frequencies, dtype=float)
    return (r0 + parallel(resistor(r1, omega), cpe(q1, a1, omega))
            + parallel(resistor(r2, omega), cpe(q2, a2, omega)))


def rq(params, frequencies):
    """R0-(R1,CPE1): R0, R1, Q1, alpha1."""
    r0, r1, q1, a1 = params
    omega = TWO_PI * np.asarray(frequencies, dtype=float)
    return r0 + parallel(resistor(r1, omega), cpe(q1, a1, omega))
