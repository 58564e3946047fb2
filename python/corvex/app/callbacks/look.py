# The look panel: Nyquist and Bode plots of the selected spectra, with their fits when they
# have been fitted.
"""Callbacks of the look panel."""

from __future__ import annotations

from typing import Any

from dash import Input, Output, State

from corvex.app import figures


def fitted(workspace: Any, index: int) -> Any:
    """The FitResult of spectrum `index`, or None when it has not been fitted successfully."""
    row = workspace.result_for(index)
    if row is None or not isinstance(row.get("error"), (type(None), float)) or row["result"] is None:
        return None
    return row["result"]


def chosen(workspace: Any, selected: Any) -> list[int]:
    """The selected rows that name spectra of the workspace, in selection order."""
    return [index for index in (selected or []) if isinstance(index, int) and 0 <= index < len(workspace.spectra)]


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    @app.callback(Output("nyquist", "figure"), Output("bode", "figure"),
                  Input("spectra-table", "selected_rows"), Input("revision", "data"), State("workspace-id", "data"))
    def draw_spectra(selected: list[int], _revision: int, workspace_id: str) -> tuple[Any, Any]:
        workspace = workspaces.get(workspace_id)
        indices = chosen(workspace, selected)
        workspace.selected = indices
        ordered = sorted(indices)
        spectra = [workspace.spectra[index] for index in ordered]
        results = [fitted(workspace, index) for index in ordered]
        return figures.nyquist(spectra, results), figures.bode(spectra, results)
