# The page's interactive plots, drawn with Plotly from spectra and corvex results: Nyquist,
# Bode, residuals, the Kramers-Kronig residuals, the DRT and parameter trends.
"""Plotly figures of the app."""

from __future__ import annotations

from typing import Any

import numpy as np
import plotly.graph_objects as go
from plotly.colors import sample_colorscale
from plotly.subplots import make_subplots

from corvex.app.uploads import Spectrum

_HOVER = "f = %{customdata[0]:.4g} Hz<br>Z' = %{customdata[1]:.4g} ohm<br>Z'' = %{customdata[2]:.4g} ohm"
# Beyond this many points a trace is thinned: a browser draws a few thousand points well, and
# a 350,000-point spectrum would make a response of tens of megabytes.
MAX_DRAWN_POINTS = 3000
# Room for two-line titles; the tool bar stands on the right so that it never covers a title.
# The legend runs along the top of the plot: at its right, the vertical tool bar would cover the
# ends of its names ("imaginar").
_FRAME = dict(margin=dict(l=60, r=40, t=60, b=50), modebar=dict(orientation="v"),
              legend=dict(orientation="h", x=1.0, xanchor="right", y=1.0, yanchor="bottom"))


def colours(count: int) -> list[str]:
    """Colours along a series, first to last."""
    return sample_colorscale("Viridis", list(np.linspace(0.0, 0.9, count))) if count > 1 else ["#1f77b4"]


def thinned(count: int, limit: int = MAX_DRAWN_POINTS) -> np.ndarray | slice:
    """Which of `count` points to draw: all of them up to `limit`, else `limit` spread evenly
    along the measurement (first and last included)."""
    if count <= limit:
        return slice(None)
    return np.unique(np.linspace(0, count - 1, limit).round().astype(np.int64))


def _hover_data(frequencies: np.ndarray, z: np.ndarray) -> np.ndarray:
    return np.column_stack([frequencies, z.real, z.imag])


def _model(result: Any, spectrum: Spectrum) -> tuple[np.ndarray, np.ndarray]:
    """The fitted circuit on a fine grid over the measured range."""
    grid = np.geomspace(spectrum.frequencies.min(), spectrum.frequencies.max(), 200)
    return grid, result.circuit.impedance(grid)


def empty(title: str, message: str) -> go.Figure:
    figure = go.Figure(layout=dict(title=title, **_FRAME))
    figure.add_annotation(text=message, showarrow=False, xref="paper", yref="paper", x=0.5, y=0.5)
    figure.update_xaxes(visible=False)
    figure.update_yaxes(visible=False)
    return figure


def nyquist(spectra: list[Spectrum], results: list[Any]) -> go.Figure:
    """Nyquist plot, -Im upward on equal scales; `results[i]` is the FitResult of spectra[i] or None."""
    if not spectra:
        return empty("Nyquist", "choose spectra in the list")
    figure = go.Figure()
    for spectrum, result, colour in zip(spectra, results, colours(len(spectra))):
        drawn = thinned(spectrum.frequencies.size)
        z, frequencies = spectrum.impedances[drawn], spectrum.frequencies[drawn]
        figure.add_trace(go.Scatter(x=z.real, y=-z.imag, mode="markers", name=spectrum.name,
                                    marker=dict(color=colour, size=6), customdata=_hover_data(frequencies, z),
                                    hovertemplate=_HOVER, legendgroup=spectrum.name))
        if result is not None:
            grid, model = _model(result, spectrum)
            figure.add_trace(go.Scatter(x=model.real, y=-model.imag, mode="lines", name=f"{spectrum.name} fit",
                                        line=dict(color=colour), customdata=_hover_data(grid, model),
                                        hovertemplate=_HOVER, legendgroup=spectrum.name, showlegend=False))
    figure.update_layout(title="Nyquist", xaxis_title="Z' / ohm", yaxis_title="-Z'' / ohm", **_FRAME,
                         showlegend=len(spectra) <= 12)
    figure.update_yaxes(scaleanchor="x", scaleratio=1)
    return figure


def bode(spectra: list[Spectrum], results: list[Any]) -> go.Figure:
    """|Z| and phase against frequency, sharing the frequency axis."""
    if not spectra:
        return empty("Bode", "choose spectra in the list")
    figure = make_subplots(rows=2, cols=1, shared_xaxes=True, vertical_spacing=0.06)
    for spectrum, result, colour in zip(spectra, results, colours(len(spectra))):
        drawn = thinned(spectrum.frequencies.size)
        curves = [(spectrum.frequencies[drawn], spectrum.impedances[drawn], "markers")]
        if result is not None:
            grid, model = _model(result, spectrum)
            curves.append((grid, model, "lines"))
        for frequencies, z, mode in curves:
            for row, values in ((1, np.abs(z)), (2, -np.degrees(np.angle(z)))):
                figure.add_trace(go.Scatter(x=frequencies, y=values, mode=mode, name=spectrum.name,
                                            marker=dict(color=colour, size=5), line=dict(color=colour),
                                            customdata=_hover_data(frequencies, z), hovertemplate=_HOVER,
                                            legendgroup=spectrum.name, showlegend=False), row=row, col=1)
    # Plotly labels the ticks inside a decade with their first digit only, so that 0.2 and 2
    # would both read "2": every tick gets its whole value.
    figure.update_xaxes(type="log", title_text="frequency / Hz", tickformat="~g", row=2, col=1)
    figure.update_xaxes(type="log", tickformat="~g", row=1, col=1)
    figure.update_yaxes(type="log", title_text="|Z| / ohm", tickformat="~g", row=1, col=1)
    figure.update_yaxes(title_text="-phase / deg", row=2, col=1)
    figure.update_layout(title="Bode", **_FRAME)
    return figure


def residuals(title: str, frequencies: np.ndarray, real: np.ndarray, imaginary: np.ndarray,
              band: float | None = None) -> go.Figure:
    """Relative residuals (fractions of |Z|) against frequency, in percent; `band` draws +/- a
    noise level."""
    figure = go.Figure()
    drawn = thinned(len(frequencies))
    for name, values, symbol in (("real", real, "circle"), ("imaginary", imaginary, "diamond")):
        figure.add_trace(go.Scatter(x=np.asarray(frequencies)[drawn], y=100 * np.asarray(values)[drawn],
                                    mode="lines+markers", name=name,
                                    marker=dict(symbol=symbol, size=6),
                                    hovertemplate="f = %{x:.4g} Hz<br>%{y:.3g} %"))
    if band is not None:
        for sign in (1, -1):
            figure.add_hline(y=sign * 100 * band, line=dict(dash="dot", color="grey"))
    figure.update_xaxes(type="log", title_text="frequency / Hz")
    figure.update_layout(title=title, yaxis_title="residual / % of |Z|", **_FRAME)
    return figure


def kramers_kronig(test: Any, name: str) -> go.Figure:
    """The Kramers-Kronig residuals of one spectrum with the noise band."""
    verdict = "passed" if test.passed else "failed"
    return residuals(f"Kramers-Kronig of {name}: {verdict}<br><sup>{test.rc_count} RC elements</sup>", test.frequencies,
                     test.residuals_real, test.residuals_imag, band=test.noise_level)


def fit_residuals(spectrum: Spectrum, result: Any) -> go.Figure:
    """The fit's relative residuals (Z - Z_fit) / |Z| of one spectrum."""
    model = result.circuit.impedance(spectrum.frequencies)
    relative = (spectrum.impedances - model) / np.abs(spectrum.impedances)
    return residuals(f"Fit residuals of {spectrum.name}", spectrum.frequencies, relative.real, relative.imag)


def drt(distribution: Any, name: str) -> go.Figure:
    """gamma(tau) of one spectrum with its peaks marked."""
    figure = go.Figure()
    figure.add_trace(go.Scatter(x=distribution.tau, y=distribution.gamma, mode="lines", name="gamma",
                                hovertemplate="tau = %{x:.4g} s<br>gamma = %{y:.4g} ohm"))
    figure.add_trace(go.Scatter(x=distribution.peak_tau, y=distribution.peak_height, mode="markers", name="peaks",
                                marker=dict(size=9, symbol="triangle-down"), customdata=distribution.peak_area,
                                hovertemplate="tau = %{x:.4g} s<br>R = %{customdata:.4g} ohm"))
    figure.update_xaxes(type="log", title_text="tau / s")
    figure.update_layout(title=f"DRT of {name}", yaxis_title="gamma / ohm", **_FRAME)
    return figure


def trend(series: list[tuple[Any, ...]], parameter: str, unit: str) -> go.Figure:
    """A fitted parameter along each file's series, with its 95 % intervals as error bars.

    `series` holds (file, x, key name, values, runaway flags, interval lows, interval highs)
    per file; the lows and highs may be None. Runaway values are drawn hollow without error
    bars, and the y axis spans the sound values only, so one value of 1e16 does not flatten the
    rest."""
    figure = go.Figure()
    sound_values, flagged_count = [], 0
    for (source, x, key_name, values, flagged, low, high), colour in zip(series, colours(len(series))):
        sound = np.where(flagged, np.nan, values)
        error = None
        if low is not None and high is not None:
            low, high = np.asarray(low, dtype=float), np.asarray(high, dtype=float)
            error = dict(type="data", symmetric=False, array=np.where(flagged, np.nan, high - values),
                         arrayminus=np.where(flagged, np.nan, values - low))
            sound_values.extend([low[~flagged], high[~flagged]])
        sound_values.append(sound)
        hover = f"{source}<br>{key_name} = %{{x}}<br>{parameter} = %{{y:.4g}} {unit}"
        figure.add_trace(go.Scatter(x=x, y=sound, mode="markers+lines", error_y=error, name=source,
                                    marker=dict(color=colour, size=7), line=dict(color=colour),
                                    hovertemplate=hover))
        if flagged.any():
            flagged_count += int(np.count_nonzero(flagged))
            figure.add_trace(go.Scatter(x=x[flagged], y=values[flagged], mode="markers", name=f"{source}: runaway",
                                        marker=dict(color="rgba(0,0,0,0)", size=9, line=dict(color=colour, width=2)),
                                        hovertemplate=hover + " (runaway: no finding)"))
    title = f"{parameter} along the series"
    if flagged_count:
        title += f"<br><sup>hollow: {flagged_count} runaway value{'s' if flagged_count != 1 else ''}, the axis spans " \
                 "the others</sup>"
        finite = np.concatenate([np.ravel(part) for part in sound_values])
        finite = finite[np.isfinite(finite)]
        if finite.size:
            bottom, top = float(finite.min()), float(finite.max())
            margin = 0.05 * (top - bottom) if top > bottom else 0.05 * max(abs(top), 1e-300)
            figure.update_yaxes(range=[bottom - margin, top + margin])
    key_names = {item[2] for item in series}
    figure.update_layout(title=title, xaxis_title=key_names.pop() if len(key_names) == 1 else "position in series",
                         yaxis_title=f"{parameter} / {unit}" if unit else parameter, **_FRAME,
                         showlegend=len(series) > 1 or flagged_count > 0)
    return figure
