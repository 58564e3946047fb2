# What every panel's callbacks need: the page's workspace, the spectra chosen in the list and
# their fits.
"""Helpers shared by the panels' callbacks."""

from __future__ import annotations

from typing import Any

from dash.exceptions import PreventUpdate


def current(workspaces: Any, workspace_id: Any) -> Any:
    """The page's workspace; before the page has adopted one, or after it ended, the callback
    changes nothing (the heartbeat tells the person to reload)."""
    try:
        return workspaces.get(workspace_id)
    except ValueError:
        raise PreventUpdate from None


def fitted(workspace: Any, index: int) -> Any:
    """The FitResult of spectrum `index`, or None when it has not been fitted successfully."""
    row = workspace.result_for(index)
    if row is None or not isinstance(row.get("error"), (type(None), float)) or row["result"] is None:
        return None
    return row["result"]


def chosen(workspace: Any, selected: Any) -> list[int]:
    """The selected rows that name spectra of the workspace, in selection order."""
    return [index for index in (selected or []) if isinstance(index, int) and 0 <= index < len(workspace.spectra)]
