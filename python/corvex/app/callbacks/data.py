# The data panel: uploaded files become spectra (each tested for Kramers-Kronig compliance on
# the way in), a file that cannot be read shows its message, and the list shows the metadata.
"""Callbacks of the data panel."""

from __future__ import annotations

from typing import Any

from dash import Input, Output, State, html

from corvex.app.uploads import UploadError, decode, read_upload


def test_kramers_kronig(spectra: list[Any]) -> None:
    """Set each spectrum's pass/fail badge from one batch of Kramers-Kronig tests."""
    from corvex.analysis import kramers_kronig

    if not spectra:
        return
    table = kramers_kronig([(spectrum.frequencies, spectrum.impedances) for spectrum in spectra])
    for spectrum, passed, error in zip(spectra, table["passed"], table["error"]):
        spectrum.kk_passed = None if isinstance(error, str) else bool(passed)


def register(app: Any, workspaces: Any, upload_limit: int) -> None:
    @app.callback(Output("revision", "data", allow_duplicate=True),
                  Output("spectra-table", "selected_rows", allow_duplicate=True),
                  Input("upload", "contents"), State("upload", "filename"), State("workspace-id", "data"),
                  State("spectra-table", "selected_rows"), prevent_initial_call=True)
    def load_files(contents: Any, filenames: Any, workspace_id: str, selected: list[int]) -> tuple[int, list[int]]:
        workspace = workspaces.get(workspace_id)
        if not isinstance(contents, list):
            contents, filenames = [contents], [filenames]
        fresh = []
        with workspace.lock:
            for content, filename in zip(contents, filenames or []):
                name = filename if isinstance(filename, str) else "upload"
                workspace.load_errors = [item for item in workspace.load_errors if item["file"] != name]
                try:
                    fresh.extend(read_upload(decode(content, name, upload_limit), name))
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

    @app.callback(Output("spectra-table", "data"), Output("load-errors", "children"),
                  Input("revision", "data"), State("workspace-id", "data"))
    def show_spectra(_revision: int, workspace_id: str) -> tuple[list[dict[str, Any]], list[Any]]:
        workspace = workspaces.get(workspace_id)
        rows = [spectrum.metadata() for spectrum in workspace.spectra]
        errors = [html.Li([html.B(item["file"]), ": ", item["message"]], className="load-error")
                  for item in workspace.load_errors]
        # A file's warnings (a run cut short, fewer points than announced) once, not once a spectrum.
        notes = dict.fromkeys((spectrum.source, note) for spectrum in workspace.spectra for note in spectrum.warnings)
        warnings = [html.Li([html.B(source), ": warning: ", note], className="load-warning", style={"color": "#8a5a00"})
                    for source, note in notes]
        return rows, errors + warnings
