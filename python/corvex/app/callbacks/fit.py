# The fit panel: fit the selected spectrum, or all of them as one batch on its own thread with
# progress and cancel; show each parameter with its interval and identifiability, the fit's
# residuals and, for a series, parameter trends.
"""Callbacks of the fit panel."""

from __future__ import annotations

import math
from typing import Any

import numpy as np
from dash import Input, Output, State, no_update

from corvex.app import figures
from corvex.app.callbacks.look import chosen, fitted
from corvex.app.callbacks.model import parse_circuit
from corvex.app.jobs import BatchJob, merge_results, run_fit


_INVALID_CIRCUIT = "the circuit box does not hold a valid circuit: see its message in the model panel"


def _store(workspace: Any, table: Any, notation: str) -> None:
    """Keep the fits of `notation`; fits of another circuit are replaced, not mixed in."""
    with workspace.lock:
        previous = workspace.results if workspace.results_circuit == notation else None
        workspace.results = merge_results(previous, table)
        workspace.results_circuit = notation
        workspace.revision += 1


def _cell(value: Any) -> Any:
    """A number as the table shows it (six significant digits); "" when there is none."""
    if value is None or (isinstance(value, float) and math.isnan(value)):
        return ""
    return float(f"{value:.6g}") if math.isfinite(value) else str(value)


def parameter_rows(row: Any, circuit: Any, held: dict[str, float]) -> list[dict[str, Any]]:
    """The results table of one fitted spectrum: value, unit, 95 % interval, identifiability
    ("held" for a parameter held at the value it has)."""
    import pandas as pd

    rows = []
    for name, unit in zip(circuit.param_names(), circuit.param_units()):
        identifiable = row.get(f"{name}_identifiable")
        flag = "unknown" if identifiable is None or identifiable is pd.NA else ("yes" if identifiable else "NO")
        rows.append({"parameter": name, "value": _cell(row[name]), "unit": unit,
                     "ci_low": _cell(row.get(f"{name}_ci_low")), "ci_high": _cell(row.get(f"{name}_ci_high")),
                     "identifiable": "held" if held.get(name) == row[name] else flag})
    return rows


def _series_key(workspace: Any, indices: np.ndarray) -> tuple[np.ndarray, str]:
    cycles = [workspace.spectra[index].cycle for index in indices]
    if all(cycle is not None for cycle in cycles) and len(set(cycles)) == len(cycles):
        return np.array(cycles), "cycle"
    return indices, "spectrum number"


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    @app.callback(Output("revision", "data", allow_duplicate=True), Output("fit-status", "children"),
                  Input("fit-selected", "n_clicks"), State("spectra-table", "selected_rows"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def fit_selected(_clicks: int, selected: list[int], workspace_id: str) -> tuple[Any, str]:
        workspace = workspaces.get(workspace_id)
        indices = chosen(workspace, selected)
        circuit, _message = parse_circuit(workspace.circuit)
        if circuit is None:
            return no_update, _INVALID_CIRCUIT
        if not indices:
            return no_update, "select a spectrum to fit"
        try:
            table = run_fit(circuit, workspace.spectra, [indices[-1]], fixed=workspace.controls.fixed,
                            bounds=workspace.controls.bounds)
        except ValueError as error:
            return no_update, str(error)
        _store(workspace, table, workspace.circuit)
        message = table["error"].iloc[0]
        return workspace.revision, message if isinstance(message, str) else f"fitted {workspace.spectra[indices[-1]].name}"

    @app.callback(Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled"),
                  Output("fit-status", "children", allow_duplicate=True),
                  Input("fit-all", "n_clicks"), State("workspace-id", "data"), prevent_initial_call=True)
    def fit_all(_clicks: int, workspace_id: str) -> tuple[Any, Any, str]:
        workspace = workspaces.get(workspace_id)
        circuit, _message = parse_circuit(workspace.circuit)
        if circuit is None or not workspace.spectra:
            return no_update, no_update, _INVALID_CIRCUIT if circuit is None else "load spectra first"
        if workspace.job is not None and not workspace.job.finished:
            return no_update, no_update, "a batch is running"
        notation = workspace.circuit  # the box may change while the batch runs
        workspace.job = BatchJob(circuit, workspace.spectra, list(range(len(workspace.spectra))),
                                 fixed=dict(workspace.controls.fixed), bounds=dict(workspace.controls.bounds),
                                 on_done=lambda table: _store(workspace, table, notation))
        return False, False, f"fitting {len(workspace.spectra)} spectra"

    @app.callback(Output("fit-status", "children", allow_duplicate=True), Input("cancel", "n_clicks"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def cancel(_clicks: int, workspace_id: str) -> Any:
        job = workspaces.get(workspace_id).job
        if job is None or job.finished:
            return no_update
        job.cancel()
        return "cancelling"

    @app.callback(Output("progress", "value"), Output("progress", "max"),
                  Output("fit-status", "children", allow_duplicate=True),
                  Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled", allow_duplicate=True),
                  Output("revision", "data", allow_duplicate=True),
                  Input("job-poll", "n_intervals"), State("workspace-id", "data"), prevent_initial_call=True)
    def poll(_intervals: int, workspace_id: str) -> tuple[Any, ...]:
        workspace = workspaces.get(workspace_id)
        job = workspace.job
        if job is None:
            return no_update, no_update, no_update, True, True, no_update
        state = job.state()
        total = max(state["total"], 1)
        if not state["finished"]:
            return (str(state["done"]), str(total), f"fitting {state['spectra']} spectra: {state['done']} of "
                    f"{state['total']} fits done", False, False, no_update)
        if state["error"] == "cancelled":
            status = f"batch cancelled after {state['done']} of {state['total']} fits"
        elif state["error"]:
            status = f"batch failed: {state['error']}"
        else:
            failed = int(workspace.results["error"].map(lambda e: isinstance(e, str)).sum())
            status = f"batch done: {state['spectra']} spectra" + (f", {failed} could not be fitted" if failed else "")
        return str(state["done"]), str(total), status, True, True, workspace.revision

    @app.callback(Output("results-table", "data"), Output("fit-residuals", "figure"),
                  Output("trend-parameter", "options"), Output("trend-parameter", "value"),
                  Input("revision", "data"), Input("spectra-table", "selected_rows"),
                  State("trend-parameter", "value"), State("workspace-id", "data"))
    def show_results(_revision: int, selected: list[int], parameter: Any, workspace_id: str) -> tuple[Any, ...]:
        workspace = workspaces.get(workspace_id)
        indices = chosen(workspace, selected)
        rows: list[dict[str, Any]] = []
        figure = figures.empty("Fit residuals", "fit a spectrum to see its residuals")
        if indices and fitted(workspace, indices[-1]) is not None:
            result = fitted(workspace, indices[-1])
            rows = parameter_rows(workspace.result_for(indices[-1]), result.circuit, workspace.controls.fixed)
            figure = figures.fit_residuals(workspace.spectra[indices[-1]], result)
        names = [] if workspace.results is None else workspace.results["result"].dropna().map(
            lambda fit: tuple(fit.circuit.param_names())).drop_duplicates().tolist()
        options = list(names[0]) if names else []
        return rows, figure, options, parameter if parameter in options else (options[0] if options else None)

    @app.callback(Output("trend", "figure"), Input("trend-parameter", "value"), Input("revision", "data"),
                  State("workspace-id", "data"))
    def draw_trend(parameter: Any, _revision: int, workspace_id: str) -> Any:
        workspace = workspaces.get(workspace_id)
        table = workspace.results
        if table is None or parameter not in table.columns or len(table) < 2:
            return figures.empty("Trend", "fit all spectra of a series to see parameter trends")
        good = table[table["error"].map(lambda e: not isinstance(e, str))]
        key, key_name = _series_key(workspace, good["Spectrum"].to_numpy())
        unit = dict(zip(good["result"].iloc[0].circuit.param_names(), good["result"].iloc[0].circuit.param_units()))
        return figures.trend(good, parameter, key, key_name, unit.get(parameter, ""))
