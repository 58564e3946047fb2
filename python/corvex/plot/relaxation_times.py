"""Picture of a distribution of relaxation times: gamma against tau on a log axis, with the
peaks the analysis found marked and labelled with their time constants."""

import numpy as np

from ._drawing import MODEL_COLOUR, MEASURED_COLOUR, OHM, axes_or_new
from ._inputs import collect


def _run_analysis(data, impedances):
    try:
        from corvex.analysis import drt as compute_drt
    except ImportError as missing:
        raise TypeError("drt() draws a distribution of relaxation times; pass one from corvex.analysis") from missing
    spectrum = collect(data, impedances).spectra[0]
    return compute_drt(spectrum.frequencies, spectrum.impedances)


def _peak_columns(peaks):
    """(tau, height) arrays from a frame with those columns or a sequence of peak records."""
    if peaks is None:
        return np.array([]), np.array([])
    if hasattr(peaks, "columns"):
        return np.asarray(list(peaks["tau"]), dtype=float), np.asarray(list(peaks["height"]), dtype=float)
    rows = list(peaks)
    tau = [row.tau if hasattr(row, "tau") else row[0] for row in rows]
    height = [row.height if hasattr(row, "height") else row[1] for row in rows]
    return np.asarray(tau, dtype=float), np.asarray(height, dtype=float)


def drt(distribution=None, impedances=None, *, ax=None):
    """gamma(tau) against tau on a log axis, peaks marked.

    ``distribution`` is the analysis result: any object with ``tau`` (seconds), ``gamma``
    (ohms) and optionally ``peaks`` (a frame with ``tau`` and ``height`` columns, or records
    with those fields, or (tau, height, ...) tuples). Measured data in any form
    ``Circuit.fit()`` accepts is analysed first with ``corvex.analysis.drt``. Returns the Axes.
    """
    if not hasattr(distribution, "gamma"):
        distribution = _run_analysis(distribution, impedances)
    ax = axes_or_new(ax)
    tau = np.asarray(distribution.tau, dtype=float)
    gamma = np.asarray(distribution.gamma, dtype=float)
    ax.plot(tau, gamma, color=MEASURED_COLOUR, linewidth=1.5, label="\u03b3(\u03c4)")
    peak_tau, peak_height = _peak_columns(getattr(distribution, "peaks", None))
    if peak_tau.size:
        ax.plot(peak_tau, peak_height, linestyle="none", marker="v", color=MODEL_COLOUR, label="peaks")
        for t, h in zip(peak_tau, peak_height):
            ax.annotate(f"{t:.3g} s", (t, h), textcoords="offset points", xytext=(0, 6), ha="center",
                        fontsize="small")
    ax.set_xscale("log")
    ax.set_xlabel("\u03c4 / s")
    ax.set_ylabel(f"\u03b3(\u03c4) / {OHM}")
    ax.legend(frameon=False, fontsize="small")
    return ax
