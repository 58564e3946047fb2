# The check panel: the Kramers-Kronig residuals and the DRT of the spectrum selected last.
"""Callbacks of the check panel."""

from __future__ import annotations

from typing import Any

from dash import Input, Output, State

from corvex.app import figures
from corvex.app.callbacks.shared import chosen, current


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    @app.callback(Output("kk-residuals", "figure"), Output("drt", "figure"),
                  Input("spectra-table", "selected_rows"), Input("revision", "data"), State("workspace-id", "data"))
    def check_spectrum(selected: list[int], _revision: int, workspace_id: str) -> tuple[Any, Any]:
        from corvex.analysis import drt, kramers_kronig

        workspace = current(workspaces, workspace_id)
        indices = chosen(workspace, selected)
        if not indices:
            message = "select a spectrum in the list"
            return figures.empty("Kramers-Kronig", message), figures.empty("DRT", message)
        spectrum = workspace.spectra[indices[-1]]
        outcome = []
        for name, analyse, draw in (("Kramers-Kronig", kramers_kronig, figures.kramers_kronig),
                                    ("DRT", drt, figures.drt)):
            try:
                outcome.append(draw(analyse(spectrum.frequencies, spectrum.impedances), spectrum.name))
            except ValueError as error:
                outcome.append(figures.empty(f"{name} of {spectrum.name}", str(error)))
        return outcome[0], outcome[1]
