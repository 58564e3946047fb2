# Restoring a saved session: the uploaded document replaces the page's workspace and the page
# shows its circuit, controls, selection and results again; a bad file only gets a message.
"""Callbacks that restore a session file."""

from __future__ import annotations

from typing import Any

from dash import Input, Output, State, no_update

from corvex.app import session
from corvex.app.callbacks.model import parameter_rows, parse_circuit
from corvex.app.uploads import UploadError, decode


def register(app: Any, workspaces: Any, upload_limit: int) -> None:
    @app.callback(Output("revision", "data", allow_duplicate=True),
                  Output("circuit", "value", allow_duplicate=True),
                  Output("parameter-table", "data", allow_duplicate=True),
                  Output("spectra-table", "selected_rows", allow_duplicate=True),
                  Output("session-message", "children"),
                  Input("session-upload", "contents"), State("session-upload", "filename"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def restore(contents: Any, filename: Any, workspace_id: str) -> tuple[Any, ...]:
        workspace = workspaces.get(workspace_id)
        name = filename if isinstance(filename, str) else "session"
        try:
            restored = session.from_json(decode(contents, name, upload_limit))
        except (UploadError, ValueError) as error:
            return no_update, no_update, no_update, no_update, f"{name}: {error}"
        with workspace.lock:
            if workspace.job is not None:
                workspace.job.cancel()
            for attribute in ("spectra", "load_errors", "circuit", "controls", "selected", "results",
                              "results_circuit"):
                setattr(workspace, attribute, getattr(restored, attribute))
            workspace.job = None
            workspace.revision += 1
        circuit, _message = parse_circuit(workspace.circuit)
        rows = [] if circuit is None else parameter_rows(circuit, workspace.controls)
        return workspace.revision, workspace.circuit, rows, list(workspace.selected), f"restored {name}"
