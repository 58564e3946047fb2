# The one page, in the order a person works: data, look, check, model, fit, export. Each panel
# is a function here; the callbacks that fill them live in corvex.app.callbacks.
"""The page layout of the app."""

from __future__ import annotations

from typing import Any

from dash import dcc, html
from dash.dash_table.DataTable import DataTable  # the class itself: the package hides it from type checkers

_SECTION = {"border": "1px solid #ddd", "borderRadius": "6px", "padding": "12px", "margin": "12px 0"}
_ROW = {"display": "flex", "gap": "12px", "flexWrap": "wrap"}
_HALF = {"flex": "1 1 480px", "minWidth": "360px"}
_TABLE_STYLE: dict[str, Any] = dict(style_table={"overflowX": "auto", "maxHeight": "320px", "overflowY": "auto"},
                    style_cell={"fontFamily": "sans-serif", "fontSize": "13px", "padding": "3px 6px"},
                    style_header={"fontWeight": "bold"})


def _section(title: str, *children: Any, identifier: str) -> html.Section:
    return html.Section([html.H2(title, style={"marginTop": 0, "fontSize": "20px"}), *children],
                        id=identifier, style=_SECTION)


def _data_panel(upload_limit: int) -> html.Section:
    return _section(
        "1. Data",
        dcc.Upload(id="upload", multiple=True, max_size=-1, disabled=True,
                   children=html.Div(["Drop instrument files here or ", html.A("choose files", href="#")]),
                   style={"border": "2px dashed #999", "borderRadius": "6px", "padding": "18px",
                          "textAlign": "center"}),
        html.Div("Measurement files from BioLogic, Gamry, Autolab, VersaStudio, PowerSuite, ZPlot, CH Instruments "
                 "and PARSTAT instruments; tables (.csv, .txt) with columns of frequency and impedance; spreadsheets "
                 f"(.xlsx, .ods) with one spectrum a sheet. Up to {upload_limit / 2 ** 20:.3g} MB a file. A saved "
                 "session goes under \"Restore a session\" in the Export panel.",
                 style={"fontSize": "12px", "color": "#555"}),
        html.Ul(id="load-errors", style={"color": "#b00020"}),
        html.Div([dcc.Dropdown(id="remove-file", placeholder="choose a file to remove", style={"width": "420px"}),
                  html.Button("Remove file", id="remove")], style={**_ROW, "alignItems": "center"}),
        DataTable(id="spectra-table", row_selectable="multi", selected_rows=[], data=[],
                             columns=[{"name": name, "id": key} for name, key in (
                                 ("spectrum", "spectrum"), ("file", "file"), ("cycle", "cycle"),
                                 ("temperature / degC", "temperature"), ("points", "points"),
                                 ("f min / Hz", "f_min"), ("f max / Hz", "f_max"), ("Kramers-Kronig", "kk"))],
                             **_TABLE_STYLE),
        identifier="data")


def _look_panel() -> html.Section:
    return _section("2. Look", html.Div([dcc.Graph(id="nyquist", style=_HALF), dcc.Graph(id="bode", style=_HALF)],
                                        style=_ROW), identifier="look")


def _check_panel() -> html.Section:
    return _section(
        "3. Check",
        html.Div("Every spectrum is tested on loading; its badge is in the list above. The plots show the "
                 "spectrum selected last.", style={"fontSize": "12px", "color": "#555"}),
        html.Div([dcc.Graph(id="kk-residuals", style=_HALF), dcc.Graph(id="drt", style=_HALF)], style=_ROW),
        identifier="check")


def _model_panel(circuit: str) -> html.Section:
    return _section(
        "4. Model",
        html.Label(["Circuit (notation or a carried model's name) ",
                    dcc.Input(id="circuit", value=circuit, debounce=True, style={"width": "360px"})]),
        html.Button("Suggest", id="suggest", style={"marginLeft": "8px"}),
        html.Span(id="suggest-status", style={"marginLeft": "8px"}),
        html.Pre(id="circuit-error", style={"color": "#b00020", "fontFamily": "monospace"}),
        html.Div("Type a value under \"hold at\" to keep a parameter there, or limits under \"low\"/\"high\".",
                 style={"fontSize": "12px", "color": "#555"}),
        DataTable(id="parameter-table", data=[], editable=True, columns=[
            {"name": "parameter", "id": "parameter", "editable": False},
            {"name": "unit", "id": "unit", "editable": False},
            {"name": "allowed range", "id": "range", "editable": False},
            {"name": "hold at", "id": "hold", "type": "numeric"},
            {"name": "low", "id": "low", "type": "numeric"},
            {"name": "high", "id": "high", "type": "numeric"}], **_TABLE_STYLE),
        dcc.Loading(DataTable(id="ranking-table", data=[], columns=[], **_TABLE_STYLE)),
        identifier="model")


def _fit_panel() -> html.Section:
    return _section(
        "5. Fit",
        html.Div([html.Button("Fit selected spectra", id="fit-selected"),
                  html.Button("Fit all spectra", id="fit-all"),
                  html.Button("Cancel", id="cancel", disabled=True),
                  html.Progress(id="progress", value="0", max="1000", style={"width": "240px"}),
                  html.Span(id="fit-status")], style={**_ROW, "alignItems": "center"}),
        dcc.Interval(id="job-poll", interval=300, disabled=True),
        DataTable(id="results-table", data=[], columns=[{"name": name, "id": name} for name in (
            "parameter", "value", "unit", "ci_low", "ci_high", "identifiable")],
            # A runaway value is no finding: marked, and shown without an interval.
            style_data_conditional=[{"if": {"filter_query": '{identifiable} = "RUNAWAY"'},
                                     "backgroundColor": "#fdecea", "fontStyle": "italic"}], **_TABLE_STYLE),
        html.Div([dcc.Graph(id="fit-residuals", style=_HALF),
                  html.Div([dcc.Dropdown(id="trend-parameter", clearable=False), dcc.Graph(id="trend")],
                           style=_HALF)], style=_ROW),
        identifier="fit")


def _export_panel() -> html.Section:
    buttons = (("Results CSV", "export-csv"), ("Results Parquet", "export-parquet"),
               ("Circuit JSON", "export-circuit"), ("Fit result JSON", "export-result"),
               ("Report PNG", "export-png"), ("Report SVG", "export-svg"),
               ("Kramers-Kronig CSV", "export-kk"), ("DRT CSV", "export-drt"), ("Session", "export-session"))
    return _section(
        "6. Export",
        html.Div([html.Button(label, id=identifier) for label, identifier in buttons], style=_ROW),
        dcc.Download(id="download"),
        html.Div(id="export-message", style={"color": "#b00020"}),
        dcc.Upload(id="session-upload", max_size=-1, disabled=True, children=html.Div(["Restore a session: drop or ",
                                                                        html.A("choose a session file", href="#")]),
                   style={"border": "2px dashed #999", "borderRadius": "6px", "padding": "10px",
                          "textAlign": "center", "marginTop": "10px"}),
        html.Div(id="session-message"),
        identifier="export")


def page(workspace_id: str, upload_limit: int, circuit: str = "randles") -> html.Div:
    """The whole page; `workspace_id` is the id issued for it, which the page takes unless its
    tab still has a workspace the server knows."""
    return html.Div([
        dcc.Store(id="issued-id", data=workspace_id),
        dcc.Store(id="candidate-id"),
        dcc.Store(id="workspace-id"),
        dcc.Store(id="remembered"),
        dcc.Store(id="revision", data=0),
        # Keeps the workspace of an open page alive; a closed page's ends after the idle timeout.
        dcc.Interval(id="heartbeat", interval=60_000),
        html.Div(id="workspace-ended"),
        html.H1("corvex", style={"marginBottom": 0}),
        html.Div("Open impedance spectra, check them, fit a circuit and export the results.",
                 style={"color": "#555"}),
        _data_panel(upload_limit), _look_panel(), _check_panel(), _model_panel(circuit), _fit_panel(),
        _export_panel(),
    ], style={"fontFamily": "sans-serif", "maxWidth": "1300px", "margin": "0 auto", "padding": "0 16px"})
