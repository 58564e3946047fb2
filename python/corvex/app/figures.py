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
# Room for two-line titles; the tool bar stands on the right so that it never covers a title.
# The legend runs along the top of the plot: at its right, the vertical tool bar would cover the
# ends of its names ("imaginar").
_FRAME = dict(margin=dict(l=60, r=40, t=60, b=50), modebar=dict(orientation="v"),
              legend=dict(orientation="h", x=1.0, xanchor="right", y=1.0, yanchor="bottom"))


def colours(count: int) -> list[str]:
    """Colours along a series, first to last."""
    return sample_colorscale("Viridis", list(np.linspace(0.0, 0.9, count))) if count > 1 else ["#1f77b4"]


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
        z = spectrum.impedances
        figure.add_trace(go.Scatter(x=z.real, y=-z.imag, mode="markers", name=spectrum.name,
                                    marker=dict(color=colour, size=6), customdata=_hover_data(spectrum.frequencies, z),
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
        curves = [(spectrum.frequencies, spectrum.impedances, "markers")]
        if result is not None:
            grid, model = _model(result, spectrum)
            curves.append((grid, model, "lines"))
        for frequencies, z, mode in curves:
            for row, values in ((1, np.abs(z)), (2, -np.degrees(np.angle(z)))):
                figure.add_trace(go.Scatter(x=frequencies, y=values, mode=mode, name=spectrum.name,
                                            marker=dict(color=colour, size=5), line=dict(color=colour),
                                            customdata=_hover_data(frequencies, z), hovertemplate=_HOVER,
                                            legendgroup=spectrum.name, showlegend=False), row=row, col=1)
    figure.update_xaxes(type="log", title_text="frequency / Hz", row=2, col=1)
    figure.update_xaxes(type="log", row=1, col=1)
    figure.update_yaxes(type="log", title_text="|Z| / ohm", row=1, col=1)
    figure.update_yaxes(title_text="-phase / deg", row=2, col=1)
    figure.update_layout(title="Bode", **_FRAME)
    return figure


def residuals(title: str, frequencies: np.ndarray, real: np.ndarray, imaginary: np.ndarray,
              band: float | None = None) -> go.Figure:
    """Relative residuals (fractions of |Z|) against frequency, in percent; `band` draws +/- a
    noise level."""
    figure = go.Figure()
    for name, values, symbol in (("real", real, "circle"), ("imaginary", imaginary, "diamond")):
        figure.add_trace(go.Scatter(x=frequencies, y=100 * np.asarray(values), mode="lines+markers", name=name,
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


def trend(table: Any, parameter: str, key: np.ndarray, key_name: str, unit: str) -> go.Figure:
    """A fitted parameter against the series key, with its 95 % intervals as error bars."""
    values = table[parameter].to_numpy(dtype=float)
    low_column, high_column = f"{parameter}_ci_low", f"{parameter}_ci_high"
    error = None
    if low_column in table.columns:
        low = table[low_column].to_numpy(dtype=float)
        high = table[high_column].to_numpy(dtype=float)
        error = dict(type="data", symmetric=False, array=high - values, arrayminus=values - low)
    figure = go.Figure(go.Scatter(x=key, y=values, mode="markers+lines", error_y=error, name=parameter,
                                  hovertemplate=f"{key_name} = %{{x}}<br>{parameter} = %{{y:.4g}} {unit}"))
    figure.update_layout(title=f"{parameter} along the series", xaxis_title=key_name,
                         yaxis_title=f"{parameter} / {unit}" if unit else parameter, **_FRAME)
    return figure
