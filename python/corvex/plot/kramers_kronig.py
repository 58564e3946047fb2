"""Picture of Kramers-Kronig validity tests: the relative residuals of the real and imaginary
parts against frequency, with the noise band a single test was judged by."""

from __future__ import annotations

from typing import Any

import numpy as np
from matplotlib.axes import Axes

from ._drawing import (MEASURED_COLOUR, MODEL_COLOUR, axes_or_new, closes_new_figures_on_error, finish_series,
                       key_palette)
from ._inputs import collect, is_batch_table, table_results

# The vertical range spans at least this many times the noise band on each side of zero.
BAND_SHARE = 2.5


def _run_test(data, impedances):
    from corvex.analysis import kramers_kronig

    spectrum = collect(data, impedances).spectra[0]
    if not spectrum.has_measured:
        raise ValueError("this FitResult carries no measured spectrum to test")
    return kramers_kronig(spectrum.frequencies, spectrum.impedances)


def _verdict(test):
    facts = []
    if getattr(test, "m", None) is not None:
        facts.append(f"M = {test.m}")
    if getattr(test, "mu", None) is not None:
        facts.append(f"\u03bc = {test.mu:.3f}")
    if getattr(test, "passed", None) is not None:
        facts.append("passed" if test.passed else "failed")
    return "Kramers\u2013Kronig test: " + ", ".join(facts) if facts else ""


def _residual_arrays(test, where):
    """(frequencies, real, imaginary residuals) of a test, which must have one value per point each."""
    names = ("frequencies", "residuals_real", "residuals_imag")
    arrays = [np.asarray(getattr(test, name), dtype=float) for name in names]
    if len({array.shape for array in arrays}) != 1 or arrays[0].ndim != 1:
        raise ValueError(f"{where}: frequencies, residuals_real and residuals_imag have "
                         f"{', '.join(str(array.size) for array in arrays)} values; draw a test with one residual "
                         "of each part per frequency")
    return arrays


@closes_new_figures_on_error
def kk(test: Any = None, impedances: Any = None, *, key: Any = None, by: Any = None, ax: Axes | None = None,
       cmap: str = "viridis", colorbar: bool = True) -> Axes:
    """Residuals of Kramers-Kronig tests in per cent against frequency: the real part as
    circles, the imaginary part as open squares.

    ``test`` is a result of ``corvex.analysis.kramers_kronig`` (or any object with
    ``frequencies`` in Hz and ``residuals_real`` and ``residuals_imag`` relative to |Z|, and
    optionally ``noise``, ``passed``, ``m`` and ``mu``), the table it returns for a batch (one
    colour per spectrum, a colour bar for ``key``), or measured data in any form
    ``Circuit.fit()`` accepts, which is tested first; ``by`` splits a long frame of measured
    spectra into a batch, tested first too. Returns the Axes.
    """
    if by is not None:
        from corvex.analysis import kramers_kronig

        test = kramers_kronig(test, by=by)
    if is_batch_table(test):
        key_name, keys, tests = table_results(test, key)
        colours = key_palette(keys, cmap)
        real_colours = imaginary_colours = colours.measured
        arrays = [_residual_arrays(one, f"the row with {key_name} = {k!r}") for one, k in zip(tests, keys)]
    else:
        key_name, colours = None, None
        tests = [test if hasattr(test, "residuals_real") else _run_test(test, impedances)]
        real_colours, imaginary_colours = [MEASURED_COLOUR], [MODEL_COLOUR]
        arrays = [_residual_arrays(tests[0], "argument 'test'")]
    single = colours is None
    ax = axes_or_new(ax)
    for (frequencies, real, imaginary), real_colour, imaginary_colour in zip(arrays, real_colours, imaginary_colours):
        ax.plot(frequencies, 100.0 * real, marker="o", markersize=4,
                linewidth=0.8, color=real_colour, label="real" if single else None)
        ax.plot(frequencies, 100.0 * imaginary, marker="s", markersize=4,
                linewidth=0.8, markerfacecolor="none", color=imaginary_colour, label="imaginary" if single else None)
    noise = getattr(tests[0], "noise", None)
    if single and noise is not None and np.isfinite(noise):
        band = 100.0 * noise
        # A dashed edge keeps the band, and its legend swatch, visible on a white background.
        ax.axhspan(-band, band, facecolor="0.85", edgecolor="0.45", linestyle="--", linewidth=0.8, zorder=0,
                   label=f"noise level (\u00b1{band:.2g} %)")
        # Residuals inside the noise would otherwise let the band fill the panel: show it as a band.
        low, high = ax.get_ylim()
        ax.set_ylim(min(low, -BAND_SHARE * band), max(high, BAND_SHARE * band))
    ax.axhline(0.0, color="0.5", linewidth=0.8)
    ax.set_xscale("log")
    ax.set_xlabel("f / Hz")
    ax.set_ylabel("(Z \u2212 Z$_{KK}$) / |Z| / %")
    if single:
        ax.set_title(_verdict(tests[0]), fontsize="medium")
        ax.legend(frameon=False, fontsize="small")
    else:
        finish_series(ax, key_name, colours, colorbar=colorbar)
    return ax
