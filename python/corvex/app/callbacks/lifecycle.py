# A page's life: on load it takes back the workspace its tab had (kept in the tab's session
# storage, so a reload or Back keeps the work) when the server still knows it, else a fresh one.
"""Callbacks that tie a page to its workspace across reloads."""

from __future__ import annotations

from typing import Any

from dash import Input, Output, State, html, no_update
from dash.exceptions import PreventUpdate

from corvex.app.callbacks.model import parameter_rows, parse_circuit

# The tab's session storage entry that remembers the workspace id across reloads.
STORAGE_KEY = "corvex-workspace-id"


def page_state(workspace: Any) -> tuple[Any, ...]:
    """What the page shows of a workspace besides its redraws: circuit, parameter table,
    selected rows, and whether a job is running (poll on, cancel enabled)."""
    circuit, _message = parse_circuit(workspace.circuit)
    rows = [] if circuit is None else parameter_rows(circuit, workspace.controls)
    running = workspace.job is not None and not workspace.job.finished
    return workspace.circuit, rows, list(workspace.selected), not running, not running


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    app.clientside_callback(
        f"""function(issued) {{
            var kept = window.sessionStorage.getItem("{STORAGE_KEY}");
            return kept || issued;
        }}""",
        Output("candidate-id", "data"), Input("issued-id", "data"))

    app.clientside_callback(
        f"""function(identifier) {{
            if (identifier) {{ window.sessionStorage.setItem("{STORAGE_KEY}", identifier); }}
            return identifier ? 1 : 0;
        }}""",
        Output("remembered", "data"), Input("workspace-id", "data"))

    @app.callback(Output("workspace-id", "data"), Output("revision", "data", allow_duplicate=True),
                  Output("circuit", "value", allow_duplicate=True),
                  Output("parameter-table", "data", allow_duplicate=True),
                  Output("spectra-table", "selected_rows", allow_duplicate=True),
                  Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled", allow_duplicate=True),
                  Output("upload", "disabled"), Output("session-upload", "disabled"),
                  Input("candidate-id", "data"), State("issued-id", "data"), prevent_initial_call=True)
    def adopt(candidate: Any, issued: Any) -> tuple[Any, ...]:
        identifier = candidate if workspaces.known(candidate) else issued
        if identifier != issued:
            workspaces.forget_unused(issued)
        try:
            workspace = workspaces.get(identifier)
        except ValueError:
            raise PreventUpdate from None
        with workspace.lock:
            workspace.revision += 1
        # The drop zones open once the page has its workspace: a file dropped before would be lost.
        return (identifier, workspace.revision, *page_state(workspace), False, False)

    @app.callback(Output("workspace-ended", "children"), Input("heartbeat", "n_intervals"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def heartbeat(_intervals: int, workspace_id: Any) -> Any:
        if workspace_id is None:
            return no_update
        try:
            workspaces.get(workspace_id)
        except ValueError as error:
            return html.Div(str(error), style={"color": "#b00020", "fontWeight": "bold"})
        return no_update

