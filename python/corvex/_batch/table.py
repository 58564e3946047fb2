"""The batch table: one row per spectrum from the engine's columns, in pandas or polars, with
a failed spectrum's numbers missing rather than zero."""

from __future__ import annotations

from typing import Any


def batch_table(library: str, keys: dict[str, list[Any]], names: list[str], columns: dict[str, Any]) -> Any:
    failed = columns["failed"]
    values = columns["values"]
    stderrs = columns["stderr"]
    if library == "polars":
        return _polars_table(keys, names, columns)
    import pandas as pd

    table: dict[str, Any] = dict(keys)
    table["start"] = columns["start"]
    table["success"] = columns["success"]
    table["cost"] = columns["cost"]
    table["best_cost_any"] = columns["best_cost_any"]
    table["chi_square"] = columns["chi_square"]
    table["iterations"] = pd.arrays.IntegerArray(columns["iterations"], failed.copy())
    table["impedance_evals"] = pd.arrays.IntegerArray(columns["impedance_evals"], failed.copy())
    for j, name in enumerate(names):
        table[name] = values[:, j]
    for j, name in enumerate(names):
        table[f"{name}_stderr"] = stderrs[:, j]
    for j, name in enumerate(names):
        table[f"{name}_ci_low"] = columns["ci_low"][:, j]
    for j, name in enumerate(names):
        table[f"{name}_ci_high"] = columns["ci_high"][:, j]
    for j, name in enumerate(names):
        table[f"{name}_identifiable"] = pd.arrays.BooleanArray(columns["identifiable"][:, j].copy(),
                                                               columns["unjudged"][:, j].copy())
    table["runaway"] = pd.Series(columns["runaway"], dtype=object)
    table["error"] = pd.Series(columns["error"], dtype=object)
    table["result"] = pd.Series(columns["result"], dtype=object)
    frame = pd.DataFrame(table)
    frame.attrs.update(refine_passes=columns["refine_passes"], refits=columns["refits"])
    return frame


def _polars_table(keys: dict[str, list[Any]], names: list[str], columns: dict[str, Any]) -> Any:
    import polars as pl

    failed = pl.Series(columns["failed"])
    series: list[Any] = [pl.Series(name, values, strict=False) for name, values in keys.items()]
    series.append(pl.Series("start", columns["start"], dtype=pl.String))
    series.append(pl.Series("success", columns["success"]))
    numbers = {
        "cost": columns["cost"],
        "best_cost_any": columns["best_cost_any"],
        "chi_square": columns["chi_square"],
        "iterations": columns["iterations"],
        "impedance_evals": columns["impedance_evals"],
    }
    numbers.update({name: columns["values"][:, j] for j, name in enumerate(names)})
    numbers.update({f"{name}_stderr": columns["stderr"][:, j] for j, name in enumerate(names)})
    numbers.update({f"{name}_ci_low": columns["ci_low"][:, j] for j, name in enumerate(names)})
    numbers.update({f"{name}_ci_high": columns["ci_high"][:, j] for j, name in enumerate(names)})
    series.extend(pl.Series(name, values) for name, values in numbers.items())
    series.extend(
        pl.Series(f"{name}_identifiable", columns["identifiable"][:, j]).set(pl.Series(columns["unjudged"][:, j]), None)
        for j, name in enumerate(names)
    )
    series.append(pl.Series("runaway", columns["runaway"], dtype=pl.List(pl.String)))
    series.append(pl.Series("error", columns["error"], dtype=pl.String))
    series.append(pl.Series("result", columns["result"], dtype=pl.Object))
    table = pl.DataFrame(series)
    # A spectrum that was not fitted has no numbers at all: null, not NaN or zero.
    return table.with_columns(
        pl.when(failed).then(None).otherwise(pl.col(name)).alias(name)
        for name in ("cost", "best_cost_any", "chi_square", "iterations", "impedance_evals", *names)
    )
