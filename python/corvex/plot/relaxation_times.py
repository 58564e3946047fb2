"""Picture of distributions of relaxation times: gamma against tau on a log axis, with the
peaks the analysis found marked (and, for one spectrum, labelled with their time constants)."""

from __future__ import annotations

from typing import Any

import numpy as np
from matplotlib.axes import Axes

from ._drawing import MEASURED_COLOUR, MODEL_COLOUR, OHM, axes_or_new, finish_series, key_palette
from ._inputs import collect, is_batch_table, table_results


def _run_analysis(data, impedances):
    from corvex.analysis import drt as compute_drt

    spectrum = collect(data, impedances).spectra[0]
    if not spectrum.has_measured:
        raise ValueError("this FitResult carries no measured spectrum to analyse")
    return compute_drt(spectrum.frequencies, spectrum.impedances)


def _peak_columns(peaks):
    """(tau, height, extrapolated) arrays from a frame with those columns or a sequence of peak
    records; peaks without an `extrapolated` field count as measured."""
    if peaks is None:
        return np.array([]), np.array([]), np.array([], dtype=bool)
    if hasattr(peaks, "columns"):
        extrapolated = list(peaks["extrapolated"]) if "extrapolated" in peaks.columns else [False] * len(peaks)
        return (np.asarray(list(peaks["tau"]), dtype=float), np.asarray(list(peaks["height"]), dtype=float),
                np.asarray(extrapolated, dtype=bool))
    rows = list(peaks)
    tau = [row.tau if hasattr(row, "tau") else row[0] for row in rows]
    height = [row.height if hasattr(row, "height") else row[1] for row in rows]
    extrapolated = [bool(getattr(row, "extrapolated", False)) for row in rows]
    return np.asarray(tau, dtype=float), np.asarray(height, dtype=float), np.asarray(extrapolated, dtype=bool)


def _measured_window(distribution):
    """(shortest, longest) tau of the measured frequencies, or None without them."""
    frequencies = getattr(distribution, "frequencies", None)
    if frequencies is None or len(frequencies) == 0:
        return None
    frequencies = np.asarray(frequencies, dtype=float)
    return 1 / (2 * np.pi * frequencies.max()), 1 / (2 * np.pi * frequencies.min())


def drt(distribution: Any = None, impedances: Any = None, *, key: Any = None, ax: Axes | None = None,
        cmap: str = "viridis", colorbar: bool = True, show_extrapolated: bool = False) -> Axes:
    """gamma(tau) against tau on a log axis, peaks marked.

    ``distribution`` is a result of ``corvex.analysis.drt`` (or any object with ``tau`` in
    seconds, ``gamma`` in ohms and optionally ``peaks``: records or tuples of (tau, height,
    ...), or a frame with those columns), the table it returns for a batch (one colour per
    spectrum, a colour bar for ``key``), or measured data in any form ``Circuit.fit()``
    accepts, which is analysed first. The axes span the time constants of the measured
    frequencies, and peaks beyond them (where no data shape gamma) are neither marked nor
    labelled, unless ``show_extrapolated``. Returns the Axes.
    """
    if is_batch_table(distribution):
        key_name, keys, distributions = table_results(distribution, key)
        colours = key_palette(keys, cmap)
        line_colours = peak_colours = colours.measured
    else:
        key_name, colours = None, None
        if not hasattr(distribution, "gamma"):
            distribution = _run_analysis(distribution, impedances)
        distributions = [distribution]
        line_colours, peak_colours = [MEASURED_COLOUR], [MODEL_COLOUR]
    single = colours is None
    ax = axes_or_new(ax)
    windows = []
    for one, line_colour, peak_colour in zip(distributions, line_colours, peak_colours):
        tau, gamma = np.asarray(one.tau, dtype=float), np.asarray(one.gamma, dtype=float)
        ax.plot(tau, gamma, color=line_colour, linewidth=1.5, label="\u03b3(\u03c4)" if single else None)
        peak_tau, peak_height, extrapolated = _peak_columns(getattr(one, "peaks", None))
        window = None if show_extrapolated else _measured_window(one)
        if window is not None:
            inside = (tau >= window[0]) & (tau <= window[1])
            windows.append((window, gamma[inside].max() if inside.any() else None))
            peak_tau, peak_height = peak_tau[~extrapolated], peak_height[~extrapolated]
        if peak_tau.size:
            ax.plot(peak_tau, peak_height, linestyle="none", marker="v", color=peak_colour,
                    label="peaks" if single else None)
        if single:
            for t, h in zip(peak_tau, peak_height):
                ax.annotate(f"{t:.3g} s", (t, h), textcoords="offset points", xytext=(0, 6), ha="center",
                            fontsize="small")
    ax.set_xscale("log")
    if windows and len(windows) == len(distributions):
        ax.set_xlim(min(w[0][0] for w in windows), max(w[0][1] for w in windows))
        tops = [top for _, top in windows if top is not None]
        if tops and max(tops) > 0:
            ax.set_ylim(0, 1.1 * max(tops))
    ax.set_xlabel("\u03c4 / s")
    ax.set_ylabel(f"\u03b3(\u03c4) / {OHM}")
    if single:
        ax.legend(frameon=False, fontsize="small")
    else:
        finish_series(ax, key_name, colours, colorbar=colorbar)
    return ax
