# The export panel: the results table as CSV or Parquet, the fitted circuit and fit result as
# corvex JSON documents, the report figure as PNG or SVG, and the session file.
"""Callbacks of the export panel."""

from __future__ import annotations

import io
import os
import tempfile
from typing import Any

from dash import Input, Output, State, ctx, dcc, no_update

from corvex.app import session
from corvex.app.callbacks.look import chosen, fitted

_BUTTONS = ("export-csv", "export-parquet", "export-circuit", "export-result", "export-png", "export-svg",
            "export-session")


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
        workspace = workspaces.get(workspace_id)
        button = ctx.triggered_id
        if button == "export-session":
            return dcc.send_string(session.to_json(workspace), "corvex-session.json"), ""
        if workspace.results is None:
            return no_update, "fit first: there are no results to export"
        if button in ("export-csv", "export-parquet"):
            format = button.removeprefix("export-")
            return dcc.send_bytes(table_bytes(workspace.results, format), f"corvex-results.{format}"), ""
        indices = chosen(workspace, selected)
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
