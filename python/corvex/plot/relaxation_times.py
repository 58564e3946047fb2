"""Picture of distributions of relaxation times: gamma against tau (or frequency) on a log axis,
with the credible band and the peaks the analysis found marked (and, for one spectrum, labelled)."""

from __future__ import annotations

from typing import Any

import numpy as np
from matplotlib.axes import Axes

from ._drawing import (MEASURED_COLOUR, MODEL_COLOUR, OHM, axes_or_new, closes_new_figures_on_error, finish_series,
                       key_palette)
from ._inputs import collect, is_batch_table, table_results

# Label placement for peaks: the width of a character and the height of a row of labels, in points
# (matplotlib's "small" text is about 8 points).
LABEL_CHARACTER_POINTS = 5.0
LABEL_ROW_POINTS = 11.0


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


def _frequency_label(frequency):
    for scale, unit in ((1e6, "MHz"), (1e3, "kHz"), (1.0, "Hz")):
        if abs(frequency) >= scale:
            return f"{frequency / scale:.3g} {unit}"
    return f"{frequency * 1e3:.3g} mHz"


def _time_label(tau):
    for scale, unit in ((1.0, "s"), (1e-3, "ms"), (1e-6, "\u00b5s")):
        if abs(tau) >= scale:
            return f"{tau / scale:.3g} {unit}"
    return f"{tau * 1e9:.3g} ns"


def _label_peaks(ax, peak_tau, peak_height, label=_time_label):
    """Time constants (or frequencies) above the peaks; a label that would run into its left
    neighbour's goes one row higher, so close peaks stay readable."""
    span = np.log10(ax.dataLim.x1) - np.log10(ax.dataLim.x0) if ax.dataLim.x0 > 0 else 0.0
    width_points = ax.get_position().width * ax.figure.get_figwidth() * 72.0
    decades_per_point = span / width_points if span > 0 and width_points > 0 else 0.0
    row_ends = []  # right end, in decades, of the last label on each row
    top_row = 0
    for index in np.argsort(peak_tau):
        tau, height = peak_tau[index], peak_height[index]
        if not (tau > 0 and np.isfinite(height)):
            continue
        text = label(tau)
        half = 0.5 * len(text) * LABEL_CHARACTER_POINTS * decades_per_point
        centre = np.log10(tau)
        row = next((r for r, end in enumerate(row_ends) if end < centre - half), len(row_ends))
        if row == len(row_ends):
            row_ends.append(0.0)
        row_ends[row] = centre + half
        top_row = max(top_row, row)
        ax.annotate(text, (tau, height), textcoords="offset points", xytext=(0, 6 + LABEL_ROW_POINTS * row),
                    ha="center", fontsize="small")
    if len(peak_tau):
        # Offsets in points are not part of autoscaling: leave the labels room below the top.
        low, high = ax.get_ylim()
        ax.set_ylim(low, high + (high - low) * (0.06 + 0.05 * top_row))


def _distribution_arrays(distribution, where):
    """(tau, gamma, peak tau, peak height, peak extrapolated) of a distribution, gamma with one
    value per tau."""
    tau, gamma = (np.asarray(getattr(distribution, name), dtype=float) for name in ("tau", "gamma"))
    if tau.shape != gamma.shape or tau.ndim != 1:
        raise ValueError(f"{where}: tau has {tau.size} values but gamma {gamma.size}; draw a distribution with one "
                         "gamma per tau")
    return (tau, gamma, *_peak_columns(getattr(distribution, "peaks", None)))


def _band(distribution, tau):
    """(lower, upper) of the credible band, or None when the distribution has none on its grid."""
    lower, upper = (np.asarray(getattr(distribution, name, ()), dtype=float) for name in ("gamma_lower", "gamma_upper"))
    return (lower, upper) if lower.shape == upper.shape == tau.shape else None


@closes_new_figures_on_error
def drt(distribution: Any = None, impedances: Any = None, *, key: Any = None, by: Any = None, ax: Axes | None = None,
        cmap: str = "viridis", colorbar: bool = True, show_extrapolated: bool = False, against: str = "tau",
        band: bool = True) -> Axes:
    """gamma(tau) against tau (or, with ``against="frequency"``, against 1/(2 pi tau)) on a log
    axis, peaks marked, and the 1 %-99 % credible band shaded for one spectrum whose result
    carries it (``band=False`` leaves it out).

    ``distribution`` is a result of ``corvex.analysis.drt`` (or any object with ``tau`` in
    seconds, ``gamma`` in ohms and optionally ``peaks``: records or tuples of (tau, height,
    ...), or a frame with those columns), the table it returns for a batch (one colour per
    spectrum, a colour bar for ``key``), or measured data in any form ``Circuit.fit()``
    accepts, which is analysed first; ``by`` splits a long frame of measured spectra into a
    batch, analysed first too. The axes span the time constants of the measured frequencies,
    and peaks beyond them (where no data shape gamma) are neither marked nor labelled, unless
    ``show_extrapolated``; the height of the axes follows gamma inside them either way, so the
    spike a distribution often ends with beyond the data does not squash the rest. Returns
    the Axes.
    """
    if against not in ("tau", "frequency"):
        raise ValueError(f"against must be 'tau' or 'frequency', not {against!r}")
    # Everything is drawn in x = tau or x = 1 / (2 pi tau); both are monotonic, so windows map by ends.
    to_x = (lambda t: t) if against == "tau" else (lambda t: 1 / (2 * np.pi * np.asarray(t, dtype=float)))
    if by is not None:
        from corvex.analysis import drt as compute_drt

        distribution = compute_drt(distribution, by=by)
    if is_batch_table(distribution):
        key_name, keys, distributions = table_results(distribution, key)
        colours = key_palette(keys, cmap)
        line_colours = peak_colours = colours.measured
        arrays = [_distribution_arrays(one, f"the row with {key_name} = {k!r}") for one, k in zip(distributions, keys)]
    else:
        key_name, colours = None, None
        if not hasattr(distribution, "gamma"):
            distribution = _run_analysis(distribution, impedances)
        distributions = [distribution]
        line_colours, peak_colours = [MEASURED_COLOUR], [MODEL_COLOUR]
        arrays = [_distribution_arrays(distribution, "argument 'distribution'")]
    single = colours is None
    ax = axes_or_new(ax)
    windows, labels = [], []
    for (tau, gamma, peak_tau, peak_height, extrapolated), one, line_colour, peak_colour in zip(
            arrays, distributions, line_colours, peak_colours):
        shaded = _band(one, tau) if single and band else None
        if shaded is not None:
            ax.fill_between(to_x(tau), *shaded, color=line_colour, alpha=0.25, linewidth=0,
                            label="1 %\u201399 % band")
        ax.plot(to_x(tau), gamma, color=line_colour, linewidth=1.5, label="\u03b3(\u03c4)" if single else None)
        window = _measured_window(one)
        if window is not None:
            inside = (tau >= window[0]) & (tau <= window[1])
            heights = [gamma[inside]] + ([shaded[1][inside]] if shaded is not None else [])
            windows.append((window, max(h.max() for h in heights) if inside.any() else None))
            if not show_extrapolated:
                peak_tau, peak_height = peak_tau[~extrapolated], peak_height[~extrapolated]
        if peak_tau.size:
            ax.plot(to_x(peak_tau), peak_height, linestyle="none", marker="v", color=peak_colour,
                    label="peaks" if single else None)
        if single:
            labels.append((to_x(peak_tau), peak_height))
    ax.set_xscale("log")
    if windows and len(windows) == len(distributions):
        if not show_extrapolated:
            ends = to_x(np.array([[w[0][0], w[0][1]] for w in windows]))
            ax.set_xlim(ends.min(), ends.max())
        tops = [top for _, top in windows if top is not None]
        if tops and max(tops) > 0:
            ax.set_ylim(0, 1.1 * max(tops))
    # Labels go on once the limits are final: their rows and headroom follow the axis' scale.
    for peak_x, peak_height in labels:
        _label_peaks(ax, peak_x, peak_height, _time_label if against == "tau" else _frequency_label)
    ax.set_xlabel("\u03c4 / s" if against == "tau" else "f = 1/(2\u03c0\u03c4) / Hz")
    ax.set_ylabel(f"\u03b3(\u03c4) / {OHM}")
    if single:
        ax.legend(frameon=False, fontsize="small")
    else:
        finish_series(ax, key_name, colours, colorbar=colorbar)
    return ax
