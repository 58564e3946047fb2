"""Picture of a circuit discovery: every candidate's parameter count against its fit quality,
so the point where more parameters stop paying is seen, with the first-ranked circuit marked."""

from __future__ import annotations

from typing import Any

import numpy as np
from matplotlib.axes import Axes

from ._drawing import axes_or_new, closes_new_figures_on_error

_MEASURES = {"chi_square": "χ² (weighted)", "aicc": "AICc", "bic": "BIC"}


def _numbers(table: Any, name: str) -> np.ndarray:
    try:
        return np.array([np.nan if v is None else v for v in table[name]], dtype=float)
    except (TypeError, ValueError):
        raise TypeError(f"column {name!r} holds values that are not numbers; complexity() draws the table "
                        "corvex.analysis.discover returns") from None


@closes_new_figures_on_error
def complexity(table: Any, ax: Axes | None = None, *, y: str = "chi_square") -> Axes:
    """Draw each candidate of a `corvex.analysis.discover` table as its number of parameters
    (x) against `y`: "chi_square" (log scale, the default), "aicc" or "bic". Sound fits are
    filled, flagged ones hollow, and the first-ranked circuit is marked and named. Returns the Axes."""
    if y not in _MEASURES:
        raise ValueError(f"y must be one of {', '.join(map(repr, _MEASURES))}, got {y!r}")
    missing = [c for c in ("parameters", y, "rank", "circuit") if c not in list(getattr(table, "columns", ()))]
    if missing:
        raise TypeError(f"complexity() draws the table corvex.analysis.discover returns; it lacks {missing}")
    x = _numbers(table, "parameters")
    values = _numbers(table, y)
    flagged = np.array([bool(v) for v in table["flagged"]]) if "flagged" in table.columns else np.zeros(len(x), bool)
    ax = axes_or_new(ax)
    # Candidates with the same parameter count spread a little sideways, in table order.
    spread = x.copy()
    for count in np.unique(x[np.isfinite(x)]):
        same = np.flatnonzero(x == count)
        spread[same] += np.linspace(-0.2, 0.2, same.size) if same.size > 1 else 0.0
    sound = ~flagged & np.isfinite(values)
    ax.scatter(spread[sound], values[sound], s=18, color="C0", label="sound fit")
    hollow = flagged & np.isfinite(values)
    ax.scatter(spread[hollow], values[hollow], s=18, facecolors="none", edgecolors="C7", label="flagged fit")
    ranks = _numbers(table, "rank")
    first = np.flatnonzero(np.isfinite(ranks) & (ranks == np.nanmin(ranks, initial=np.inf)) & np.isfinite(values))
    if first.size:
        i = first[0]
        ax.scatter([spread[i]], [values[i]], s=120, marker="*", color="C3", zorder=3,
                   label=f"first: {table['circuit'].iloc[i]}")
    if y == "chi_square" and (values[np.isfinite(values)] > 0).any():
        ax.set_yscale("log")
    ax.set_xlabel("parameters")
    ax.set_ylabel(_MEASURES[y])
    ax.legend(loc="best", fontsize="small")
    return ax
