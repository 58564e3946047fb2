# The look panel: Nyquist and Bode plots of the selected spectra, with their fits when they
# have been fitted.
"""Callbacks of the look panel."""

from __future__ import annotations

from typing import Any

from dash import Input, Output, State

from corvex.app import figures
from corvex.app.callbacks.shared import chosen, current, fitted


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    @app.callback(Output("nyquist", "figure"), Output("bode", "figure"),
                  Input("spectra-table", "selected_rows"), Input("revision", "data"), State("workspace-id", "data"))
    def draw_spectra(selected: list[int], _revision: int, workspace_id: str) -> tuple[Any, Any]:
        workspace = current(workspaces, workspace_id)
        indices = chosen(workspace, selected)
        workspace.selected = indices
        ordered = sorted(indices)
        spectra = [workspace.spectra[index] for index in ordered]
        results = [fitted(workspace, index) for index in ordered]
        return figures.nyquist(spectra, results), figures.bode(spectra, results)
