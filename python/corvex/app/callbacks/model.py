# The model panel: the circuit box (notation or a carried model's name) with the parser's
# message under it, the parameter table where values are held or bounded, and the ranking.
"""Callbacks of the model panel."""

from __future__ import annotations

import math
from typing import Any

from dash import Input, Output, State, no_update

from corvex.app.callbacks.shared import chosen, current
from corvex.app.jobs import rank_job
from corvex.app.workspace import Controls

_RANKING_COLUMNS = ("rank", "circuit", "parameters", "chi_square", "aicc", "delta_aicc", "aicc_weight", "flagged")
_RANKING_FORMATS = [{"name": name, "id": name, "type": "numeric", "format": {"specifier": ".4g"}}
                    if name in ("chi_square", "aicc", "delta_aicc", "aicc_weight") else {"name": name, "id": name}
                    for name in _RANKING_COLUMNS]


def flag_reason(row: Any) -> str:
    """Why a ranked fit is flagged ("" when it is not): parameters at their bounds, parameters
    the data cannot resolve, or a fit that did not converge."""
    if not row.get("flagged"):
        return ""
    reasons = []
    for column, label in (("at_bounds", "at a bound"), ("not_identifiable", "not identifiable")):
        names = row.get(column)
        if isinstance(names, (tuple, list)) and names:
            reasons.append(f"{', '.join(map(str, names))} {label}")
    if not row.get("success", True):
        reasons.append("the fit did not converge")
    error = row.get("error")
    if isinstance(error, str) and error:
        reasons.append(error)
    return "; ".join(reasons) or "flagged"


def ranking_rows(ranking: Any) -> list[dict[str, Any]]:
    """The rows of the ranking table, "flagged" giving the reason."""
    rows = ranking[[name for name in _RANKING_COLUMNS if name != "flagged"]].to_dict("records")
    for row, (_, ranked) in zip(rows, ranking.iterrows()):
        row["flagged"] = flag_reason(ranked)
    return rows


def parse_circuit(text: Any) -> tuple[Any, str]:
    """The Circuit `text` writes or names and "", or None and the parser's message (which draws
    a caret under the place at fault)."""
    import corvex

    if not isinstance(text, str) or not text.strip():
        return None, "type a circuit, e.g. R0-p(R1,CPE1) or randles"
    try:
        return corvex.Circuit(text.strip()), ""
    except ValueError as error:
        return None, f"{error}\ncarried models: {', '.join(corvex.Circuit.ml_circuits())}"


def _number(value: Any) -> float | None:
    if isinstance(value, bool) or not isinstance(value, (int, float)) or not math.isfinite(value):
        return None
    return float(value)


def parameter_rows(circuit: Any, controls: Controls) -> list[dict[str, Any]]:
    """One table row per parameter: unit, the catalogue's range and the user's controls."""
    rows = []
    for name, unit, (low, high) in zip(circuit.param_names(), circuit.param_units(), circuit.param_bounds()):
        low_bound, high_bound = controls.bounds.get(name, (None, None))
        rows.append({"parameter": name, "unit": unit, "range": f"{low:.3g} to {high:.3g}",
                     "hold": controls.fixed.get(name), "low": low_bound, "high": high_bound})
    return rows


def controls_from_rows(rows: list[dict[str, Any]]) -> Controls:
    """Held values and bounds typed into the parameter table; empty cells mean none."""
    controls = Controls()
    for row in rows or []:
        name = row.get("parameter")
        if not isinstance(name, str):
            continue
        held = _number(row.get("hold"))
        if held is not None:
            controls.fixed[name] = held
        low, high = _number(row.get("low")), _number(row.get("high"))
        if low is not None or high is not None:
            controls.bounds[name] = (low, high)
    return controls


def register(app: Any, workspaces: Any, _upload_limit: int) -> None:
    @app.callback(Output("parameter-table", "data"), Output("circuit-error", "children"),
                  Input("circuit", "value"), State("workspace-id", "data"))
    def read_circuit(text: str, workspace_id: str) -> tuple[Any, str]:
        workspace = current(workspaces, workspace_id)
        # Kept even when it does not parse, so that a fit refuses it instead of using the last good one.
        workspace.circuit = text.strip() if isinstance(text, str) else ""
        circuit, message = parse_circuit(text)
        if circuit is None:
            return [], message
        return parameter_rows(circuit, workspace.controls), ""

    @app.callback(Output("circuit-error", "children", allow_duplicate=True),
                  Input("parameter-table", "data_timestamp"), State("parameter-table", "data"),
                  State("workspace-id", "data"), prevent_initial_call=True)
    def keep_controls(_timestamp: Any, rows: list[dict[str, Any]], workspace_id: str) -> Any:
        current(workspaces, workspace_id).controls = controls_from_rows(rows)
        return no_update

    @app.callback(Output("job-poll", "disabled", allow_duplicate=True), Output("cancel", "disabled", allow_duplicate=True),
                  Output("suggest-status", "children", allow_duplicate=True),
                  Input("suggest", "n_clicks"), State("spectra-table", "selected_rows"), State("workspace-id", "data"),
                  prevent_initial_call=True)
    def suggest(_clicks: int, selected: list[int], workspace_id: str) -> tuple[Any, Any, Any]:
        workspace = current(workspaces, workspace_id)
        indices = chosen(workspace, selected)
        if not indices:
            return no_update, no_update, "select a spectrum to rank circuits for"
        with workspace.lock:
            if workspace.job is not None and not workspace.job.finished:
                return no_update, no_update, "wait for the running job to end, or cancel it"
            workspace.job = rank_job(workspace, indices[-1])
            return False, False, workspace.job.label

    @app.callback(Output("ranking-table", "data"), Output("ranking-table", "columns"),
                  Input("revision", "data"), State("workspace-id", "data"))
    def show_ranking(_revision: int, workspace_id: str) -> tuple[Any, Any]:
        ranking = current(workspaces, workspace_id).ranking
        if ranking is None:
            return [], []
        return ranking_rows(ranking), _RANKING_FORMATS

    @app.callback(Output("circuit", "value", allow_duplicate=True), Input("ranking-table", "active_cell"),
                  State("ranking-table", "data"), prevent_initial_call=True)
    def take_ranked(cell: Any, rows: list[dict[str, Any]]) -> Any:
        if not cell or not rows or not 0 <= cell.get("row", -1) < len(rows):
            return no_update
        return rows[cell["row"]]["circuit"]
