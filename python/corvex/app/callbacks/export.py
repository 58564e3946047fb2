# The export panel: the results table as CSV or Parquet keyed by file, spectrum and cycle, the
# fitted circuit and fit result as corvex JSON documents, the report figure as PNG or SVG, the
# Kramers-Kronig and DRT tables of a spectrum, and the session file.
"""Callbacks of the export panel."""

from __future__ import annotations

import io
import os
import tempfile
from typing import Any

from dash import Input, Output, State, ctx, dcc, no_update

from corvex.app import session
from corvex.app.callbacks.shared import chosen, current, fitted

_BUTTONS = ("export-csv", "export-parquet", "export-circuit", "export-result", "export-png", "export-svg",
            "export-kk", "export-drt", "export-session")
# The columns that tie each results row to its data, put first.
KEY_COLUMNS = ("file", "spectrum_name", "cycle")


def keyed_results(workspace: Any) -> Any:
    """The results table with the file, the spectrum's name and its cycle in front of each row
    (the "Spectrum" column numbers the page's list and means nothing outside it)."""
    table = workspace.results.copy()
    spectra = [workspace.spectra[index] for index in table["Spectrum"]]
    for position, (column, values) in enumerate((("file", [spectrum.source for spectrum in spectra]),
                                                 ("spectrum_name", [spectrum.name for spectrum in spectra]),
                                                 ("cycle", [spectrum.cycle for spectrum in spectra]))):
        table.insert(position, column, values)
    table["cycle"] = table["cycle"].astype(float)
    return table


def kramers_kronig_table(spectrum: Any) -> Any:
    """The Kramers-Kronig test of one spectrum, a row per frequency: data, the test's model, the
    relative residuals, with the verdict and noise level repeated on every row."""
    import pandas as pd

    from corvex.analysis import kramers_kronig

    test = kramers_kronig(spectrum.frequencies, spectrum.impedances)
    return pd.DataFrame({"file": spectrum.source, "spectrum_name": spectrum.name, "frequency_hz": test.frequencies,
                         "z_real_ohm": spectrum.impedances.real, "z_imag_ohm": spectrum.impedances.imag,
                         "model_real_ohm": test.model.real, "model_imag_ohm": test.model.imag,
                         "residual_real": test.residuals_real, "residual_imag": test.residuals_imag,
                         "noise_level": test.noise_level, "rc_count": test.rc_count, "passed": test.passed})


def drt_table(spectrum: Any) -> Any:
    """The DRT of one spectrum: gamma on its tau grid ("distribution" rows), then one row per peak
    with its height and area ("peak" rows)."""
    import pandas as pd

    from corvex.analysis import drt

    distribution = drt(spectrum.frequencies, spectrum.impedances)
    curve = pd.DataFrame({"kind": "distribution", "tau_s": distribution.tau, "gamma_ohm": distribution.gamma})
    peaks = pd.DataFrame({"kind": "peak", "tau_s": distribution.peak_tau, "gamma_ohm": distribution.peak_height,
                          "peak_area_ohm": distribution.peak_area})
    table = pd.concat([curve, peaks], ignore_index=True)
    table.insert(0, "spectrum_name", spectrum.name)
    table.insert(0, "file", spectrum.source)
    return table


def table_bytes(table: Any, format: str) -> bytes:
    """The results table written by corvex.io.write_table (results as JSON documents)."""
    from corvex.io import write_table

    with tempfile.TemporaryDirectory(prefix="corvex-app-") as folder:
        path = os.path.join(folder, f"results.{format}")
        write_table(table, path, format=format)
        with open(path, "rb") as handle:
            return handle.read()


def report_bytes(spectrum: Any, result: Any, format: str) -> bytes:
    """corvex.plot.report of one fitted spectrum, drawn off-screen."""
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    import corvex.plot

    figure = corvex.plot.report(spectrum.frequencies, spectrum.impedances, result=result)
    try:
        buffer = io.BytesIO()
        figure.savefig(buffer, format=format, dpi=150)
        return buffer.getvalue()
    finally:
        plt.close(figure)


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    @app.callback(Output("download", "data"), Output("export-message", "children"),
                  *(Input(button, "n_clicks") for button in _BUTTONS),
                  State("spectra-table", "selected_rows"), State("workspace-id", "data"), prevent_initial_call=True)
    def export(*arguments: Any) -> tuple[Any, str]:
        selected, workspace_id = arguments[-2:]
        workspace = current(workspaces, workspace_id)
        button = ctx.triggered_id
        if button == "export-session":
            return dcc.send_string(session.to_json(workspace), "corvex-session.json"), ""
        indices = chosen(workspace, selected)
        if button in ("export-kk", "export-drt"):
            if not indices:
                return no_update, "select a spectrum to export its Kramers-Kronig test or DRT"
            spectrum = workspace.spectra[indices[-1]]
            make, name = (kramers_kronig_table, "kramers-kronig") if button == "export-kk" else (drt_table, "drt")
            try:
                table = make(spectrum)
            except ValueError as error:
                return no_update, f"{spectrum.name}: {error}"
            return dcc.send_string(table.to_csv(index=False), f"corvex-{name}.csv"), ""
        if workspace.results is None:
            return no_update, "fit first: there are no results to export"
        if button in ("export-csv", "export-parquet"):
            format = button.removeprefix("export-")
            return dcc.send_bytes(table_bytes(keyed_results(workspace), format), f"corvex-results.{format}"), ""
        result = fitted(workspace, indices[-1]) if indices else None
        if result is None:
            return no_update, "select a fitted spectrum to export its fit"
        import corvex.io

        if button == "export-circuit":
            return dcc.send_string(corvex.io.to_json(result.circuit, indent=2), "corvex-circuit.json"), ""
        if button == "export-result":
            return dcc.send_string(corvex.io.to_json(result, indent=2), "corvex-fit-result.json"), ""
        format = button.removeprefix("export-")
        return dcc.send_bytes(report_bytes(workspace.spectra[indices[-1]], result, format),
                              f"corvex-report.{format}"), ""
