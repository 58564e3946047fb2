"""Picture of fitted parameters over a series: each parameter of a batch table against the
table's group key, with standard-error bars, runaway values drawn hollow off the scale, and the
curve and band of a law fitted to the whole series."""

from __future__ import annotations

from collections.abc import Sequence
from typing import Any

import numpy as np
from matplotlib.axes import Axes

import corvex
from corvex import _grouping, _name_lists

from ._drawing import axes_or_new, closes_new_figures_on_error, unit_text
from ._inputs import key_columns


def _column(table, name):
    # None (a failed fit) becomes NaN, which matplotlib leaves out.
    try:
        return np.array(list(table[name]), dtype=float)
    except (TypeError, ValueError):
        raise TypeError(f"column {name!r} holds values that are not numbers; trend() draws the numeric columns of "
                        "a batch table") from None


def _units(table, names):
    """Axis-label units of ``names``, from the circuit of the table's first fit ("" when unknown)."""
    results = [r for r in table["result"] if isinstance(r, corvex.FitResult)] if "result" in table.columns else []
    if not results:
        return [""] * len(names)
    circuit = results[0].circuit
    unit_of = dict(zip(circuit.param_names(), circuit.param_units()))
    return [unit_text(unit_of.get(name, "")) for name in names]


def _positions(keys):
    """(x, categorical): numeric keys to scale, anything else (names, tuples) in table order."""
    try:
        x = np.array(keys, dtype=float)
    except (TypeError, ValueError):
        x = None
    if x is None or x.ndim != 1:
        return np.arange(len(keys), dtype=float), True
    return x, False


def _flagged(table, name):
    """Whether each row's fit flagged the parameter as a runaway value (the `runaway` column);
    all False for a table without that column."""
    if "runaway" not in list(table.columns):
        return np.zeros(len(table), dtype=bool)
    return np.array([name in (_name_lists.names_of(names) or ()) for names in table["runaway"]], dtype=bool)


def _range_of(low, high):
    """Axis limits spanning [low.min(), high.max()] of the finite entries with a 5 % margin,
    or None when there are none."""
    low, high = low[np.isfinite(low)], high[np.isfinite(high)]
    if low.size == 0 or high.size == 0:
        return None
    bottom, top = float(low.min()), float(high.max())
    margin = 0.05 * (top - bottom) if top > bottom else 0.05 * max(abs(top), 1e-300)
    return bottom - margin, top + margin


def _draw_laws(ax, fitted, names, keys, x, categorical):
    """Each law of ``fitted`` (a corvex.series result) among ``names`` as a line over the key's
    range with its 95 % band."""
    laws = getattr(fitted, "laws", None)
    if not isinstance(laws, dict) or not hasattr(fitted, "law_band"):
        raise TypeError(f"law= takes the result of corvex.series.fit, not {type(fitted).__name__}")
    drawn = [name for name in names if name in laws]
    if not drawn:
        raise KeyError(f"none of {names} follows a law in this fit; laws: {sorted(laws)}")
    for name in drawn:
        if categorical or laws[name].column != keys[0]:
            raise ValueError(f"the law of {name} is one of {laws[name].column!r}: draw it with key={laws[name].column!r}")
    finite = x[np.isfinite(x)]
    grid = np.linspace(finite.min(), finite.max(), 200)
    for name in drawn:
        value, low, high = fitted.law_band(name, grid)
        (line,) = ax.plot(grid, value, linewidth=1.5, label=f"{name}: {laws[name].kind} law")
        ax.fill_between(grid, low, high, color=line.get_color(), alpha=0.25, linewidth=0, label="95 % band")
    ax.legend(frameon=False)


@closes_new_figures_on_error
def trend(table: Any, parameter: str | Sequence[str], *, key: str | None = None, by: str | Sequence[str] | None = None,
          ax: Axes | None = None, law: Any = None) -> Axes:
    """Fitted values of ``parameter`` (a name such as ``"R1.r"``, or a list of names) against the
    batch's group key, with error bars from the ``<name>_stderr`` columns.

    ``table`` is the frame ``corvex.batch.fit`` returns; ``key`` names the column for the x axis
    (default: the table's first key column); ``by``, as given to the batch, names it (or several,
    drawn as tuples) in the same way. A numeric key is drawn to scale; names and tuples are drawn
    in table order. Rows whose fit failed are left out. Error bars that are not finite (a value
    the data cannot resolve) are not drawn. Values the table's ``runaway`` column flags are
    drawn as hollow markers without error bars, a note says how many there are, and the y axis
    spans only the unflagged values and their error bars, so one value of 1e24 does not flatten
    the rest (flagged values beyond that range fall off the axis).

    ``law``, the result of ``corvex.series.fit``, adds the fitted law of each drawn parameter
    that follows one, as a line over the key's range with its 95 % band from the joint
    covariance; the key must then be the law's column. ``table`` may also be that result, whose
    per-spectrum table is then drawn. Returns the Axes.
    """
    if hasattr(table, "spectra") and hasattr(table, "law_band"):
        law = table if law is None else law
        table = table.spectra
    if not hasattr(table, "columns"):
        raise TypeError(f"trend() needs a batch table, not {type(table).__name__}")
    if key is not None and by is not None:
        raise TypeError("trend() takes the key column as key= or as by=, not both")
    columns = list(table.columns)
    names = [parameter] if isinstance(parameter, str) else list(parameter)
    missing = [name for name in names if name not in columns]
    if missing:
        raise KeyError(f"no parameter column {missing[0]!r}; the table has {columns}")
    keys = key_columns(table)[:1] if key is None and by is None else _grouping.names(key if by is None else by)
    missing = [name for name in keys if name not in columns]
    if missing:
        raise KeyError(f"no key column {missing[0]!r}; the table has {columns}")
    raw_keys = list(table[keys[0]]) if len(keys) == 1 else list(zip(*(list(table[name]) for name in keys)))
    x, categorical = _positions(raw_keys)
    series = [(name, _column(table, name), _column(table, f"{name}_stderr") if f"{name}_stderr" in columns else None)
              for name in names]
    ax = axes_or_new(ax)
    units = _units(table, names)
    # Parameters of different units share the axis: each legend entry then names its own.
    labels = {name: f"{name} / {unit}" if unit and len(set(units)) > 1 else name for name, unit in zip(names, units)}
    lows, highs, flagged_count = [], [], 0
    for name, y, yerr in series:
        flagged = _flagged(table, name)
        sound = np.where(flagged, np.nan, y)
        if yerr is not None:
            yerr = np.where(np.isfinite(yerr) & ~flagged, yerr, np.nan)
        # Under a law's curve the spectra are points, not a line of their own.
        drawn = ax.errorbar(x, sound, yerr=yerr, marker="o", markersize=4, linewidth=1.0, capsize=2,
                            label=labels[name], linestyle="none" if law is not None else "-")
        if flagged.any():
            flagged_count += int(np.count_nonzero(flagged & np.isfinite(y)))
            ax.plot(x[flagged], y[flagged], linestyle="none", marker="o", markersize=4, markerfacecolor="none",
                    markeredgecolor=drawn.lines[0].get_color())
        spread = np.zeros_like(sound) if yerr is None else np.nan_to_num(yerr, nan=0.0)
        lows.append(sound - spread)
        highs.append(sound + spread)
    if law is not None:
        _draw_laws(ax, law, names, keys, x, categorical)
    if flagged_count:
        limits = _range_of(np.concatenate(lows), np.concatenate(highs))
        if limits is not None:
            ax.set_ylim(*limits)
        ax.text(0.01, 0.99, f"hollow: {flagged_count} runaway value{'s' if flagged_count != 1 else ''}, "
                "the axis spans the others", transform=ax.transAxes, ha="left", va="top", fontsize="small")
    if categorical:
        ax.set_xticks(x, [str(value) for value in raw_keys], rotation=45, ha="right")
    ax.set_xlabel(" / ".join(keys))
    if len(set(units)) == 1 and units[0]:
        ax.set_ylabel(f"{names[0] if len(names) == 1 else 'fitted value'} / {units[0]}")
    else:
        ax.set_ylabel(names[0] if len(names) == 1 else "fitted value")
    if len(names) > 1:
        ax.legend(frameon=False)
    return ax
