"""Picture of a Z-HIT check: the measured and reconstructed modulus against frequency, with the
relative residuals below on a twin axis and the offset window shaded."""

from __future__ import annotations

from typing import Any

import numpy as np
from matplotlib.axes import Axes

from ._drawing import MEASURED_COLOUR, MODEL_COLOUR, axes_or_new, closes_new_figures_on_error
from ._inputs import collect


def _run_check(data, impedances, window):
    from corvex.analysis import zhit as run

    spectrum = collect(data, impedances).spectra[0]
    if not spectrum.has_measured:
        raise ValueError("this FitResult carries no measured spectrum to check")
    return run(spectrum.frequencies, spectrum.impedances, window=window)


@closes_new_figures_on_error
def zhit(check: Any = None, impedances: Any = None, *, window: Any = None, ax: Axes | None = None) -> Axes:
    """Z-HIT check of one spectrum: the measured |Z| as circles and the modulus reconstructed
    from the phase as a line on a log scale, the residual ``(|Z| - |Z_HIT|) / |Z|`` in per cent as
    squares on the right-hand axis, and the window the offset was fitted in shaded.

    ``check`` is a result of ``corvex.analysis.zhit`` or measured data in any form
    ``Circuit.fit()`` accepts, which is checked first (with ``window``). Returns the Axes of
    the modulus; the residual axis is its twin.
    """
    result = check if hasattr(check, "residuals_modulus") else _run_check(check, impedances, window)
    frequencies = np.asarray(result.frequencies, dtype=float)
    order = np.argsort(frequencies)
    frequencies = frequencies[order]
    reconstructed = np.asarray(result.modulus, dtype=float)[order]
    residuals = np.asarray(result.residuals_modulus, dtype=float)[order]
    measured = reconstructed / (1.0 - residuals)
    ax = axes_or_new(ax)
    ax.axvspan(result.window_low, result.window_high, facecolor="0.92", edgecolor="none", zorder=0,
               label="offset window")
    ax.plot(frequencies, measured, "o", markersize=4, color=MEASURED_COLOUR, label="|Z| measured")
    ax.plot(frequencies, reconstructed, "-", linewidth=1.2, color=MODEL_COLOUR, label="|Z| from the phase")
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlabel("f / Hz")
    ax.set_ylabel("|Z| / \u03a9")
    twin = ax.twinx()
    twin.plot(frequencies, 100.0 * residuals, "s", markersize=3, markerfacecolor="none", color="0.35",
              label="residual")
    twin.axhline(0.0, color="0.6", linewidth=0.8)
    twin.set_ylabel("(|Z| \u2212 |Z$_{HIT}$|) / |Z| / %")
    verdict = "passed" if result.passed else "failed"
    ax.set_title(f"Z-HIT: largest residual {100.0 * result.largest_residual:.2g} % in the window, {verdict}",
                 fontsize="medium")
    handles, labels = ax.get_legend_handles_labels()
    more_handles, more_labels = twin.get_legend_handles_labels()
    ax.legend(handles + more_handles, labels + more_labels, frameon=False, fontsize="small")
    return ax
