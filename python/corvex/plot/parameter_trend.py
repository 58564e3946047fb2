"""Picture of fitted parameters over a series: each parameter of a batch table against the
table's group key, with standard-error bars."""

from __future__ import annotations

from collections.abc import Sequence
from typing import Any

import numpy as np
from matplotlib.axes import Axes

import corvex

from ._drawing import axes_or_new, unit_text
from ._inputs import key_columns


def _column(table, name):
    # None (a failed fit) becomes NaN, which matplotlib leaves out.
    return np.array(list(table[name]), dtype=float)


def _units(table, names):
    """Axis-label units of ``names``, from the circuit of the table's first fit ("" when unknown)."""
    results = [r for r in table["result"] if isinstance(r, corvex.FitResult)] if "result" in table.columns else []
    if not results:
        return [""] * len(names)
    circuit = results[0].circuit
    unit_of = dict(zip(circuit.param_names(), circuit.param_units()))
    return [unit_text(unit_of.get(name, "")) for name in names]


def trend(table: Any, parameter: str | Sequence[str], *, key: str | None = None, ax: Axes | None = None) -> Axes:
    """Fitted values of ``parameter`` (a name such as ``"R1.r"``, or a list of names) against the
    batch's group key, with error bars from the ``<name>_stderr`` columns.

    ``table`` is the frame ``corvex.batch.fit`` returns; ``key`` names the column for the x axis
    (default: the table's first key column). A numeric key is drawn to scale; names are drawn
    in table order. Rows whose fit failed are left out. Returns the Axes.
    """
    if not hasattr(table, "columns"):
        raise TypeError(f"trend() needs a batch table, not {type(table).__name__}")
    columns = list(table.columns)
    names = [parameter] if isinstance(parameter, str) else list(parameter)
    missing = [name for name in names if name not in columns]
    if missing:
        raise KeyError(f"no parameter column {missing[0]!r}; the table has {columns}")
    if key is None:
        key = key_columns(table)[0]
    elif key not in columns:
        raise KeyError(f"no key column {key!r}; the table has {columns}")
    ax = axes_or_new(ax)
    raw_keys = list(table[key])
    try:
        x = np.array(raw_keys, dtype=float)
        categorical = False
    except (TypeError, ValueError):
        x = np.arange(len(raw_keys), dtype=float)
        categorical = True
    units = _units(table, names)
    # Parameters of different units share the axis: each legend entry then names its own.
    labels = {name: f"{name} / {unit}" if unit and len(set(units)) > 1 else name for name, unit in zip(names, units)}
    for name in names:
        stderr_name = f"{name}_stderr"
        yerr = _column(table, stderr_name) if stderr_name in columns else None
        ax.errorbar(x, _column(table, name), yerr=yerr, marker="o", markersize=4, linewidth=1.0, capsize=2,
                    label=labels[name])
    if categorical:
        ax.set_xticks(x, [str(value) for value in raw_keys], rotation=45, ha="right")
    ax.set_xlabel(key)
    if len(set(units)) == 1 and units[0]:
        ax.set_ylabel(f"{names[0] if len(names) == 1 else 'fitted value'} / {units[0]}")
    else:
        ax.set_ylabel(names[0] if len(names) == 1 else "fitted value")
    if len(names) > 1:
        ax.legend(frameon=False)
    return ax
