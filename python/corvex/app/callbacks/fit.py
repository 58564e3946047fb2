# The fit panel: fit the selected spectra or all of them (one batch per file) as a job on its own
# thread with progress and a cancel that reaches inside a fit; show each parameter with its
# interval and identifiability, runaway values marked, the residuals and per-file trends.
"""Callbacks of the fit panel."""

from __future__ import annotations

import math
from typing import Any

import numpy as np
from dash import Input, Output, State, no_update

from corvex.app import figures
from corvex.app.callbacks.model import parse_circuit
from corvex.app.callbacks.shared import chosen, current, fitted
from corvex.app.jobs import fit_job

_INVALID_CIRCUIT = "the circuit box does not hold a valid circuit: see its message in the model panel"
_RUNNING = "wait for the running job to end, or cancel it"


def _cell(value: Any) -> Any:
    """A number as the table shows it (six significant digits); "" when there is none."""
    if value is None or (isinstance(value, float) and math.isnan(value)):
        return ""
    return float(f"{value:.6g}") if math.isfinite(value) else str(value)


def runaway_names(row: Any) -> list[str]:
    """The parameters a results row flags as runaway values (its `runaway` column)."""
    names = row.get("runaway") if row is not None else None
    return [] if names is None or isinstance(names, float) else [str(name) for name in names]


def parameter_rows(row: Any, circuit: Any, held: dict[str, float]) -> list[dict[str, Any]]:
    """The results table of one fitted spectrum: value, unit, 95 % interval, identifiability.
    A runaway value is marked "RUNAWAY" and has no interval; "held" names a parameter held at
    the value it has, inside its allowed range (a hold outside it is refused by the fit)."""
    import pandas as pd

    flagged = set(runaway_names(row))
    rows = []
    for name, unit, (low, high) in zip(circuit.param_names(), circuit.param_units(), circuit.param_bounds()):
        identifiable = row.get(f"{name}_identifiable")
        flag = "unknown" if identifiable is None or identifiable is pd.NA else ("yes" if identifiable else "NO")
        # A held value is the person's choice, not a finding of the fit.
        is_held = held.get(name) == row[name] and low <= row[name] <= high
        runaway = name in flagged and not is_held
        flag = "held" if is_held else "RUNAWAY" if runaway else flag
        interval = ("", "") if runaway else (_cell(row.get(f"{name}_ci_low")), _cell(row.get(f"{name}_ci_high")))
        rows.append({"parameter": name, "value": _cell(row[name]), "unit": unit, "ci_low": interval[0],
                     "ci_high": interval[1], "identifiable": flag})
    return rows


def outcome_text(workspace: Any, state: dict[str, Any]) -> str:
    """The status line of a finished job, saying how many fits carry runaway values."""
    if state["error"] == "cancelled":
        kept = state["kept"]
        return (f"cancelled: {state['label']} stopped at {state['fraction']:.0%}; " +
                (f"the fits of {kept} file{'s' if kept != 1 else ''} finished before are kept" if kept
                 else "no fit had finished"))
    if state["error"]:
        return f"{state['label']} failed: {state['error']}"
    if not state["label"].startswith("fitting") or workspace.results is None:
        return f"{state['label']}: done"
    table = workspace.results
    failed = int(table["error"].map(lambda e: isinstance(e, str)).sum())
    flagged = [names for names in (runaway_names(row) for _, row in table.iterrows()) if names]
    text = f"{state['label']}: done" + (f", {failed} could not be fitted" if failed else "")
    if flagged:
        names = sorted({name for names in flagged for name in names})
        text += (f"; {len(flagged)} of {len(table)} fits carry runaway values ({', '.join(names)}): they are no "
                 "findings, drawn hollow and shown without intervals")
    return text


def _series(workspace: Any, table: Any) -> list[tuple[str, np.ndarray, str, Any]]:
    """The fitted rows by file: (file, x positions, key name, rows). The key is the cycle when
    every spectrum of the file has its own, else the spectrum's place in the file."""
    sources = np.array([workspace.spectra[index].source for index in table["Spectrum"]])
    series = []
    for source in dict.fromkeys(sources):
        rows = table[sources == source]
        cycles = [workspace.spectra[index].cycle for index in rows["Spectrum"]]
        if all(cycle is not None for cycle in cycles) and len(set(cycles)) == len(cycles):
            series.append((source, np.array(cycles, dtype=float), "cycle", rows))
        else:
            series.append((source, np.arange(len(rows)), "spectrum in file", rows))
    return series


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    def start(workspace_id: str, indices_of: Any) -> tuple[Any, Any, str]:
        workspace = current(workspaces, workspace_id)
        circuit, _message = parse_circuit(workspace.circuit)
        if circuit is None:
            return no_update, no_update, _INVALID_CIRCUIT
        with workspace.lock:
            if workspace.job is not None and not workspace.job.finished:
                return no_update, no_update, _RUNNING
            indices = indices_of(workspace)
            if not indices:
                return no_update, no_update, "select spectra to fit" if workspace.spectra else "load spectra first"
            # The box may change while the job runs: the results keep the notation fitted.
            workspace.job = fit_job(workspace, circuit, workspace.circuit, indices)
            return False, False, workspace.job.label

    @app.callback(Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled"),
                  Output("fit-status", "children"),
                  Input("fit-selected", "n_clicks"), State("spectra-table", "selected_rows"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def fit_selected(_clicks: int, selected: list[int], workspace_id: str) -> tuple[Any, Any, str]:
        return start(workspace_id, lambda workspace: chosen(workspace, selected))

    @app.callback(Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled", allow_duplicate=True),
                  Output("fit-status", "children", allow_duplicate=True),
                  Input("fit-all", "n_clicks"), State("workspace-id", "data"), prevent_initial_call=True)
    def fit_all(_clicks: int, workspace_id: str) -> tuple[Any, Any, str]:
        return start(workspace_id, lambda workspace: list(range(len(workspace.spectra))))

    @app.callback(Output("fit-status", "children", allow_duplicate=True), Input("cancel", "n_clicks"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def cancel(_clicks: int, workspace_id: str) -> Any:
        job = current(workspaces, workspace_id).job
        if job is None or job.finished:
            return no_update
        job.cancel()
        return "cancelling"

    @app.callback(Output("progress", "value"), Output("fit-status", "children", allow_duplicate=True),
                  Output("suggest-status", "children"),
                  Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled", allow_duplicate=True),
                  Output("revision", "data", allow_duplicate=True),
                  Input("job-poll", "n_intervals"), State("revision", "data"), State("workspace-id", "data"),
                  prevent_initial_call=True)
    def poll(_intervals: int, shown_revision: Any, workspace_id: str) -> tuple[Any, ...]:
        workspace = current(workspaces, workspace_id)
        job = workspace.job
        if job is None:
            return no_update, no_update, no_update, True, True, no_update
        state = job.state()
        # Fits stored so far (a finished file) are drawn while the rest runs.
        revision = workspace.revision if workspace.revision != shown_revision else no_update
        progress = str(round(1000 * state["fraction"]))
        if not state["finished"]:
            return progress, state["text"], no_update, False, False, revision
        text = outcome_text(workspace, state)
        fit_text, suggest_text = (text, no_update) if state["label"].startswith("fitting") else (no_update, text)
        return progress, fit_text, suggest_text, True, True, revision

    @app.callback(Output("results-table", "data"), Output("fit-residuals", "figure"),
                  Output("trend-parameter", "options"), Output("trend-parameter", "value"),
                  Input("revision", "data"), Input("spectra-table", "selected_rows"),
                  State("trend-parameter", "value"), State("workspace-id", "data"))
    def show_results(_revision: int, selected: list[int], parameter: Any, workspace_id: str) -> tuple[Any, ...]:
        workspace = current(workspaces, workspace_id)
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
        workspace = current(workspaces, workspace_id)
        table = workspace.results
        if table is None or parameter not in table.columns or len(table) < 2:
            return figures.empty("Trend", "fit all spectra of a series to see parameter trends")
        good = table[table["error"].map(lambda e: not isinstance(e, str))]
        if good.empty:
            return figures.empty("Trend", "no spectrum could be fitted")
        circuit = good["result"].iloc[0].circuit
        unit = dict(zip(circuit.param_names(), circuit.param_units())).get(parameter, "")
        series = [(source, x, key_name, rows[parameter].to_numpy(dtype=float),
                   np.array([parameter in runaway_names(row) for _, row in rows.iterrows()], dtype=bool),
                   rows.get(f"{parameter}_ci_low"), rows.get(f"{parameter}_ci_high"))
                  for source, x, key_name, rows in _series(workspace, good)]
        return figures.trend(series, parameter, unit)
