# Restoring a saved session: the uploaded document replaces the page's workspace, after the old
# job has been cancelled and joined, and the page shows its circuit, controls, selection and
# results again; a bad file only gets a message.
"""Callbacks that restore a session file."""

from __future__ import annotations

from typing import Any

from dash import Input, Output, State, html, no_update

from corvex.app import session
from corvex.app.callbacks.lifecycle import page_state
from corvex.app.callbacks.shared import current
from corvex.app.uploads import UploadError, decode
from corvex.app.workspace import Workspace

_RESTORED_ATTRIBUTES = ("spectra", "load_errors", "circuit", "controls", "selected", "results", "results_circuit")


def replace_contents(workspace: Workspace, restored: Workspace) -> None:
    """Put a restored session into `workspace`. The old job is stopped and joined first, and the
    generation moves on under the lock, so nothing it finishes can land on the new spectra."""
    workspace.stop_job()
    with workspace.lock:
        for attribute in _RESTORED_ATTRIBUTES:
            setattr(workspace, attribute, getattr(restored, attribute))
        workspace.ranking = None
        workspace.job = None
        workspace.generation += 1
        workspace.revision += 1


def register(app: Any, workspaces: Any, upload_limit: int) -> None:
    @app.callback(Output("revision", "data", allow_duplicate=True),
                  Output("circuit", "value", allow_duplicate=True),
                  Output("parameter-table", "data", allow_duplicate=True),
                  Output("spectra-table", "selected_rows", allow_duplicate=True),
                  Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled", allow_duplicate=True),
                  Output("session-message", "children"),
                  Input("session-upload", "contents"), State("session-upload", "filename"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def restore(contents: Any, filename: Any, workspace_id: str) -> tuple[Any, ...]:
        workspace = current(workspaces, workspace_id)
        name = filename if isinstance(filename, str) else "session"
        try:
            restored = session.from_json(decode(contents, name, upload_limit))
        except (UploadError, ValueError) as error:
            return (*(no_update,) * 6, html.Span(f"{name}: {error}", style={"color": "#b00020"}))
        replace_contents(workspace, restored)
        return (workspace.revision, *page_state(workspace), html.Span(f"restored {name}", style={"color": "#1b5e20"}))
