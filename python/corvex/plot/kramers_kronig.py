"""Picture of a Kramers-Kronig validity test: the relative residuals of the real and imaginary
parts against frequency, with the noise band the test judged them by."""

import numpy as np

from ._drawing import MODEL_COLOUR, MEASURED_COLOUR, axes_or_new
from ._inputs import collect


def _run_test(data, impedances):
    try:
        from corvex.analysis import kramers_kronig
    except ImportError as missing:
        raise TypeError("kk() draws a Kramers-Kronig test result; pass one from corvex.analysis") from missing
    spectrum = collect(data, impedances).spectra[0]
    return kramers_kronig(spectrum.frequencies, spectrum.impedances)


def _first_attribute(test, *names):
    for name in names:
        value = getattr(test, name, None)
        if value is not None:
            return value
    return None


def kk(test=None, impedances=None, *, ax=None):
    """Residuals of a Kramers-Kronig test in per cent against frequency.

    ``test`` is the test's result: any object with ``frequencies`` (Hz), ``residuals_real`` and
    ``residuals_imag`` (residuals relative to |Z|, as fractions) and optionally ``noise`` (the
    relative noise level it was judged by), ``passed``, ``m`` (number of RC elements) and
    ``mu``. Measured data in any form ``Circuit.fit()`` accepts is tested first with
    ``corvex.analysis.kramers_kronig``. Returns the Axes.
    """
    if not hasattr(test, "residuals_real"):
        test = _run_test(test, impedances)
    frequencies = np.asarray(test.frequencies, dtype=float)
    ax = axes_or_new(ax)
    ax.plot(frequencies, 100.0 * np.asarray(test.residuals_real, dtype=float), marker="o", markersize=4,
            linewidth=0.8, color=MEASURED_COLOUR, label="real")
    ax.plot(frequencies, 100.0 * np.asarray(test.residuals_imag, dtype=float), marker="s", markersize=4,
            linewidth=0.8, markerfacecolor="none", color=MODEL_COLOUR, label="imaginary")
    noise = getattr(test, "noise", None)
    if noise is not None and np.isfinite(noise):
        ax.axhspan(-100.0 * noise, 100.0 * noise, color="0.85", zorder=0, label="noise level")
    ax.axhline(0.0, color="0.5", linewidth=0.8)
    ax.set_xscale("log")
    ax.set_xlabel("f / Hz")
    ax.set_ylabel("relative residual / %")
    facts = []
    m, mu, passed = _first_attribute(test, "m", "M"), getattr(test, "mu", None), getattr(test, "passed", None)
    if m is not None:
        facts.append(f"M = {m}")
    if mu is not None:
        facts.append(f"\u03bc = {mu:.3f}")
    if passed is not None:
        facts.append("passed" if passed else "failed")
    if facts:
        ax.set_title("Kramers\u2013Kronig test: " + ", ".join(facts), fontsize="medium")
    ax.legend(frameon=False, fontsize="small")
    return ax
