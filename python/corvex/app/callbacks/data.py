# The data panel: uploaded files become spectra (each tested for Kramers-Kronig compliance on
# the way in), a file that cannot be read shows its message, and the list shows the metadata.
"""Callbacks of the data panel."""

from __future__ import annotations

import json
from typing import Any

import numpy as np
from dash import Input, Output, State, html, no_update

from corvex.app.callbacks.shared import current
from corvex.app.uploads import UploadError, decode, read_upload


def test_kramers_kronig(spectra: list[Any]) -> None:
    """Set each spectrum's pass/fail badge from one batch of Kramers-Kronig tests."""
    from corvex.analysis import kramers_kronig

    if not spectra:
        return
    table = kramers_kronig([(spectrum.frequencies, spectrum.impedances) for spectrum in spectra])
    for spectrum, passed, error in zip(spectra, table["passed"], table["error"]):
        spectrum.kk_passed = None if isinstance(error, str) else bool(passed)


def is_session_file(raw: bytes, name: str) -> bool:
    """Whether an upload is a saved session (which the Export panel restores)."""
    from corvex.app.session import SESSION_KIND

    if not name.lower().endswith(".json"):
        return False
    try:
        document = json.loads(raw)
    except (ValueError, UnicodeDecodeError, RecursionError):
        return False
    return isinstance(document, dict) and document.get("kind") == SESSION_KIND


def remove_file(workspace: Any, source: str) -> None:
    """Drop the spectra of one file with their fits; the others keep theirs, renumbered. A running
    job is stopped first and the generation moves on, so none of its fits lands on the wrong
    spectrum."""
    workspace.stop_job()
    with workspace.lock:
        kept = [index for index, spectrum in enumerate(workspace.spectra) if spectrum.source != source]
        renumber = np.full(len(workspace.spectra), -1)
        renumber[kept] = np.arange(len(kept))
        workspace.spectra = [workspace.spectra[index] for index in kept]
        workspace.load_errors = [item for item in workspace.load_errors if item.get("file") != source]
        workspace.selected = [int(renumber[index]) for index in workspace.selected
                              if 0 <= index < len(renumber) and renumber[index] >= 0]
        if workspace.results is not None:
            table = workspace.results
            table = table[renumber[table["Spectrum"].to_numpy()] >= 0].copy()
            table["Spectrum"] = renumber[table["Spectrum"].to_numpy()]
            workspace.results = table.reset_index(drop=True) if len(table) else None
        workspace.job = None
        workspace.generation += 1
        workspace.revision += 1


def register(app: Any, workspaces: Any, upload_limit: int) -> None:
    @app.callback(Output("revision", "data", allow_duplicate=True),
                  Output("spectra-table", "selected_rows", allow_duplicate=True),
                  Input("upload", "contents"), State("upload", "filename"), State("workspace-id", "data"),
                  State("spectra-table", "selected_rows"), prevent_initial_call=True)
    def load_files(contents: Any, filenames: Any, workspace_id: str, selected: list[int]) -> tuple[int, list[int]]:
        workspace = current(workspaces, workspace_id)
        if not isinstance(contents, list):
            contents, filenames = [contents], [filenames]
        fresh = []
        with workspace.lock:
            for content, filename in zip(contents, filenames or []):
                name = filename if isinstance(filename, str) else "upload"
                workspace.load_errors = [item for item in workspace.load_errors if item["file"] != name]
                try:
                    raw = decode(content, name, upload_limit)
                    if is_session_file(raw, name):
                        workspace.load_errors.append({"file": name, "message": f"{name} is a saved session: restore "
                                                      "it under \"Restore a session\" in the Export panel"})
                        continue
                    fresh.extend(read_upload(raw, name))
                except UploadError as error:
                    workspace.load_errors.append({"file": name, "message": str(error)})
                except Exception as error:  # a reader's fault on one file must not lose the others
                    workspace.load_errors.append({"file": name, "message": f"{name}: could not be read "
                                                                           f"({type(error).__name__}: {error})"})
            test_kramers_kronig(fresh)
            first = len(workspace.spectra)
            workspace.spectra.extend(fresh)
            workspace.revision += 1
            if not selected and fresh:
                selected = [first]
            return workspace.revision, selected

    @app.callback(Output("revision", "data", allow_duplicate=True),
                  Output("spectra-table", "selected_rows", allow_duplicate=True),
                  Input("remove", "n_clicks"), State("remove-file", "value"), State("workspace-id", "data"),
                  prevent_initial_call=True)
    def remove(_clicks: int, source: Any, workspace_id: str) -> tuple[Any, Any]:
        workspace = current(workspaces, workspace_id)
        if not isinstance(source, str):
            return no_update, no_update
        remove_file(workspace, source)
        return workspace.revision, list(workspace.selected)

    @app.callback(Output("spectra-table", "data"), Output("load-errors", "children"), Output("remove-file", "options"),
                  Input("revision", "data"), State("workspace-id", "data"))
    def show_spectra(_revision: int, workspace_id: str) -> tuple[list[dict[str, Any]], list[Any], list[str]]:
        workspace = current(workspaces, workspace_id)
        rows = [spectrum.metadata() for spectrum in workspace.spectra]
        errors = [html.Li([html.B(item["file"]), ": ", item["message"]], className="load-error")
                  for item in workspace.load_errors]
        # A file's warnings (a run cut short, fewer points than announced) once, not once a spectrum.
        notes = dict.fromkeys((spectrum.source, note) for spectrum in workspace.spectra for note in spectrum.warnings)
        warnings = [html.Li([html.B(source), ": warning: ", note], className="load-warning", style={"color": "#8a5a00"})
                    for source, note in notes]
        files = list(dict.fromkeys(spectrum.source for spectrum in workspace.spectra))
        return rows, errors + warnings, files
