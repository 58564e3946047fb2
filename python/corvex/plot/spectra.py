"""The pictures of one spectrum or a series: Nyquist (equal scales, -Im Z upward), Bode (|Z|
and phase against frequency on log axes) and the relative residuals of a fit."""

from __future__ import annotations

from typing import Any

import numpy as np
from matplotlib.axes import Axes

from ._drawing import MINUS, MODEL_COLOUR, OHM, axes_or_new, closes_new_figures_on_error, finish_series, palette
from ._inputs import collect

MARKER_SIZE = 4


def _marker_style(colour, marker="o", joined=False):
    line = dict(linestyle="-", linewidth=0.8) if joined else dict(linestyle="none")
    return dict(marker=marker, markersize=MARKER_SIZE, color=colour, **line)


@closes_new_figures_on_error
def nyquist(data: Any = None, impedances: Any = None, *, result: Any = None, key: Any = None, by: Any = None,
            ax: Axes | None = None, cmap: str = "viridis", colorbar: bool = True) -> Axes:
    """Nyquist plot: -Im Z against Re Z on equal scales, measured points as markers and a
    fitted model as a line over the measured frequency range.

    ``data`` is measured data in any form ``Circuit.fit()`` accepts (with ``impedances``), a
    FitResult, a batch table, or a long frame of measured spectra split by the ``by``
    column(s); ``result`` a FitResult to draw over the data. A batch gets one
    colour per spectrum along ``cmap`` and a colour bar for its group key (``key`` names the
    column when the table has several; ``colorbar=False`` leaves the bar out). The limits
    grow to keep the scales equal inside the Axes' box, so arcs stay round without squashing
    the box. Returns the Axes.
    """
    collection = collect(data, impedances, result, key, by)
    ax = axes_or_new(ax)
    colours = palette(collection, cmap)
    single = not collection.is_batch
    for spectrum, data_colour, model_colour in zip(collection.spectra, colours.measured, colours.model):
        if spectrum.has_measured:
            z = spectrum.impedances
            ax.plot(z.real, -z.imag, **_marker_style(data_colour), label="measured" if single else None)
        if spectrum.has_excluded:
            z = spectrum.excluded_impedances
            ax.plot(z.real, -z.imag, **_marker_style(data_colour), markerfacecolor="none",
                    label="excluded" if single else None)
        if spectrum.result is not None:
            _, z = spectrum.model_grid()
            ax.plot(z.real, -z.imag, color=model_colour, linewidth=1.5, label="fit" if single else None)
    ax.set_xlabel(f"Re Z / {OHM}")
    ax.set_ylabel(f"{MINUS}Im Z / {OHM}")
    ax.set_aspect("equal", adjustable="datalim")
    finish_series(ax, collection.key_name, colours, colorbar=colorbar)
    return ax


def _phase_degrees(z):
    return -np.degrees(np.angle(z))


@closes_new_figures_on_error
def bode(data: Any = None, impedances: Any = None, *, result: Any = None, key: Any = None, by: Any = None,
         ax: Axes | tuple[Axes, Axes] | None = None, cmap: str = "viridis", colorbar: bool = True) -> Axes:
    """Bode plot: |Z| (log scale, circles) and -phase (open diamonds) against frequency on a
    log axis, with a fitted model as lines over the measured range.

    ``ax`` is one Axes, which gets a twin on the right for the phase, or a pair of Axes
    (magnitude, phase). Inputs and colours as for ``nyquist``. Returns the magnitude Axes.
    """
    collection = collect(data, impedances, result, key, by)
    twin = not isinstance(ax, (tuple, list))
    if isinstance(ax, (tuple, list)):
        magnitude_ax, phase_ax = ax
    else:
        magnitude_ax = axes_or_new(ax)
        phase_ax = magnitude_ax.twinx()
    colours = palette(collection, cmap)
    single = not collection.is_batch
    for spectrum, data_colour, model_colour in zip(collection.spectra, colours.measured, colours.model):
        if spectrum.has_measured:
            f, z = spectrum.frequencies, spectrum.impedances
            magnitude_ax.plot(f, np.abs(z), **_marker_style(data_colour), label="|Z| measured" if single else None)
            # Diamonds: in a report the residual panel below uses squares for the imaginary part.
            phase_ax.plot(f, _phase_degrees(z), **_marker_style(data_colour, "D"), markerfacecolor="none",
                          label="phase measured" if single else None)
        if spectrum.has_excluded:
            # Left-out points hollow (and the phase's hollow diamonds faint), so a reader sees them.
            f, z = spectrum.excluded_frequencies, spectrum.excluded_impedances
            magnitude_ax.plot(f, np.abs(z), **_marker_style(data_colour), markerfacecolor="none",
                              label="|Z| excluded" if single else None)
            phase_ax.plot(f, _phase_degrees(z), **_marker_style(data_colour, "D"), markerfacecolor="none", alpha=0.35)
        if spectrum.result is not None:
            f, z = spectrum.model_grid()
            magnitude_ax.plot(f, np.abs(z), color=model_colour, linewidth=1.5, label="|Z| fit" if single else None)
            phase_ax.plot(f, _phase_degrees(z), color=model_colour, linewidth=1.5, linestyle="--",
                          label="phase fit" if single else None)
    magnitude_ax.set_xscale("log")
    magnitude_ax.set_yscale("log")
    phase_ax.set_xscale("log")
    magnitude_ax.set_xlabel("f / Hz")
    phase_ax.set_xlabel("f / Hz")
    magnitude_ax.set_ylabel(f"|Z| / {OHM}")
    phase_ax.set_ylabel(f"{MINUS}\u03c6 / \u00b0")
    if single and twin:
        # A twin shares the box: one legend gathering both Axes' entries.
        handles, labels = magnitude_ax.get_legend_handles_labels()
        more_handles, more_labels = phase_ax.get_legend_handles_labels()
        if labels or more_labels:
            magnitude_ax.legend(handles + more_handles, labels + more_labels, frameon=False, fontsize="small")
    else:
        finish_series(magnitude_ax, collection.key_name, colours, legend=single, colorbar=colorbar)
        if single and phase_ax.get_legend_handles_labels()[1]:
            phase_ax.legend(frameon=False, fontsize="small")
    return magnitude_ax


@closes_new_figures_on_error
def residuals(data: Any = None, impedances: Any = None, *, result: Any = None, key: Any = None, by: Any = None,
              ax: Axes | None = None, cmap: str = "viridis", colorbar: bool = True) -> Axes:
    """Relative residuals of a fit against frequency: (Z - Z_fit) / |Z_fit| in per cent, the real
    part as circles and the imaginary part as squares, at the measured frequencies.

    Needs measured data and a fit: a FitResult (which carries the spectrum it was fitted to),
    measured data with ``result=``, or a batch table. A long frame split by ``by`` holds no
    fits, so it raises the ValueError that says what is needed. Returns the Axes.
    """
    collection = collect(data, impedances, result, key, by)
    drawable = [s for s in collection.spectra if s.has_measured and s.result is not None]
    if not drawable:
        raise ValueError("residuals need measured data and a fit: pass a FitResult, data with result=, or a batch table")
    ax = axes_or_new(ax)
    colours = palette(collection, cmap)
    single = not collection.is_batch
    colour_of = {id(s): c for s, c in zip(collection.spectra, colours.measured)}
    for spectrum in drawable:
        colour = colour_of[id(spectrum)]
        model = spectrum.model_at_measured()
        scale = 100.0 / np.abs(model)
        difference = spectrum.impedances - model
        ax.plot(spectrum.frequencies, difference.real * scale, **_marker_style(colour, joined=True),
                label="real" if single else None)
        ax.plot(spectrum.frequencies, difference.imag * scale,
                **_marker_style(MODEL_COLOUR if single else colour, "s", joined=True), markerfacecolor="none",
                label="imaginary" if single else None)
    ax.axhline(0.0, color="0.5", linewidth=0.8)
    ax.set_xscale("log")
    ax.set_xlabel("f / Hz")
    ax.set_ylabel("(Z \u2212 Z$_{fit}$) / |Z$_{fit}$| / %")
    finish_series(ax, collection.key_name, colours, colorbar=colorbar)
    return ax
