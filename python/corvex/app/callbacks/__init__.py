# The page's behaviour, one module a panel: each registers its callbacks on the Dash app with
# the workspaces they read and change.
"""Callbacks of the app, by panel."""

from __future__ import annotations

from typing import Any

from corvex.app.callbacks import check, data, export, fit, lifecycle, look, model, session


def register_all(app: Any, workspaces: Any, upload_limit: int) -> None:
    """Attach every panel's callbacks to `app`."""
    for panel in (lifecycle, data, look, check, model, fit, export, session):
        panel.register(app, workspaces, upload_limit)
