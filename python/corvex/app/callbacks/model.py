# The model panel: the circuit box (notation or a carried model's name) with the parser's
# message under it, the parameter table where values are held or bounded, and the ranking.
"""Callbacks of the model panel."""

from __future__ import annotations

import math
from typing import Any

from dash import Input, Output, State, no_update

from corvex.app.callbacks.look import chosen
from corvex.app.workspace import Controls

_RANKING_COLUMNS = ("rank", "circuit", "parameters", "chi_square", "aicc", "delta_aicc", "aicc_weight", "flagged")


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
        workspace = workspaces.get(workspace_id)
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
        workspaces.get(workspace_id).controls = controls_from_rows(rows)
        return no_update

    @app.callback(Output("ranking-table", "data"), Output("ranking-table", "columns"),
                  Output("circuit-error", "children", allow_duplicate=True),
                  Input("suggest", "n_clicks"), State("spectra-table", "selected_rows"), State("workspace-id", "data"),
                  prevent_initial_call=True)
    def suggest(_clicks: int, selected: list[int], workspace_id: str) -> tuple[Any, Any, Any]:
        from corvex.analysis import rank_circuits

        workspace = workspaces.get(workspace_id)
        indices = chosen(workspace, selected)
        if not indices:
            return no_update, no_update, "select a spectrum to rank circuits for"
        spectrum = workspace.spectra[indices[-1]]
        try:
            ranking = rank_circuits(spectrum.frequencies, spectrum.impedances)
        except ValueError as error:
            return no_update, no_update, str(error)
        table = ranking[list(_RANKING_COLUMNS)].copy()
        table["flagged"] = table["flagged"].map({True: "yes", False: ""})
        columns = [{"name": name, "id": name, "type": "numeric", "format": {"specifier": ".4g"}}
                   if name in ("chi_square", "aicc", "delta_aicc", "aicc_weight") else {"name": name, "id": name}
                   for name in _RANKING_COLUMNS]
        return table.to_dict("records"), columns, ""

    @app.callback(Output("circuit", "value", allow_duplicate=True), Input("ranking-table", "active_cell"),
                  State("ranking-table", "data"), prevent_initial_call=True)
    def take_ranked(cell: Any, rows: list[dict[str, Any]]) -> Any:
        if not cell or not rows or not 0 <= cell.get("row", -1) < len(rows):
            return no_update
        return rows[cell["row"]]["circuit"]
