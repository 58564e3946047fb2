"""One figure that tells how well a fit went: the Nyquist plot with the fit, the Bode plot,
and the relative residuals, side by side."""

from __future__ import annotations

from typing import Any

import matplotlib.pyplot as plt
import numpy as np
from matplotlib.figure import Figure
from matplotlib.typing import HashableList

from corvex import _fit_flags, _name_lists

from ._drawing import closes_new_figures_on_error, notation
from ._inputs import collect, is_batch_table, key_columns
from .spectra import bode, nyquist, residuals

LAYOUT: list[HashableList[str]] = [["nyquist", "magnitude"], ["nyquist", "phase"], ["nyquist", "residuals"]]


@closes_new_figures_on_error
def report(data: Any = None, impedances: Any = None, *, result: Any = None, key: Any = None, by: Any = None,
           cmap: str = "viridis", figsize: tuple[float, float] = (10.0, 6.0), figure: Figure | None = None,
           runaway: Any = None) -> Figure:
    """A Figure with the Nyquist plot (left) and |Z|, phase and the fit's relative residuals
    against frequency (right, on one frequency axis).

    Inputs as for ``nyquist``. The residual panel stays empty when there is no fit. ``figure``
    draws into an existing (empty) Figure instead of a new pyplot one. For a batch table whose
    ``runaway`` column flags values, a note under the panels names the rows whose fits hold
    values that mean nothing (see ``corvex.batch.fit``). The title of a single fit says
    "converged" only for a fit whose values are all sound; otherwise it names the flagged
    ones: ``runaway`` (the names a fit judged runaway: ``FitReport.runaway`` or a batch
    row's ``runaway`` cell), values on a bound, and values the data cannot resolve
    (standard error above the value). Returns the Figure.
    """
    collection = collect(data, impedances, result, key, by)
    if figure is None:
        figure = plt.figure(figsize=figsize, layout="constrained")
    panels = figure.subplot_mosaic(LAYOUT, width_ratios=[1.1, 1.0])
    for name in ("phase", "residuals"):
        panels[name].sharex(panels["magnitude"])
    arguments = dict(result=result, key=key, by=by, cmap=cmap)
    nyquist(data, impedances, ax=panels["nyquist"], **arguments)
    bode(data, impedances, ax=(panels["magnitude"], panels["phase"]), colorbar=False, **arguments)
    if any(s.result is not None and s.has_measured for s in collection.spectra):
        residuals(data, impedances, ax=panels["residuals"], colorbar=False, result=result, key=key, cmap=cmap)
    else:
        panels["residuals"].set_axis_off()
    for name in ("magnitude", "phase"):
        panels[name].tick_params(labelbottom=False)
        panels[name].set_xlabel("")
        # The Nyquist legend already tells markers from lines; these small panels keep their data clear.
        legend = panels[name].get_legend()
        if legend is not None:
            legend.remove()
    note = _runaway_note(data)
    if note:
        figure.supxlabel(note, fontsize="small", color="C3")
    if not collection.is_batch and collection.spectra[0].result is not None:
        spectrum = collection.spectra[0]
        fit = spectrum.result
        flags = _fit_flags.of_result(fit, _name_lists.names_of(runaway) or ())
        status = "not converged" if not fit.success else flags or "converged"
        figure.suptitle(f"{notation(fit.circuit)}, {_weighting(spectrum)}: \u03c7\u00b2 = {fit.chi_square:.3g}, "
                        f"{fit.iterations} iterations, {status}", fontsize="medium", wrap=True)
    return figure


def _weighting(spectrum):
    """The weighting the fit's chi-square was computed with: a result does not record it, so the
    chi-square is recomputed under each built-in weighting of fit() and compared."""
    fit = spectrum.result
    if spectrum.has_measured and np.isfinite(fit.chi_square):
        values = fit.circuit.param_values()
        for weight in ("modulus", "unit"):
            residual = np.asarray(fit.circuit.residuals(values, spectrum.frequencies, spectrum.impedances,
                                                        weight=weight))
            if np.isclose(np.dot(residual, residual), fit.chi_square, rtol=1e-9, atol=0.0):
                return f"{weight} weighting"
    return "other weighting"


def _runaway_note(table: Any) -> str | None:
    """Which rows of a batch table hold runaway values, or None when none does."""
    if not is_batch_table(table) or "runaway" not in list(table.columns):
        return None
    flagged = [position for position, names in enumerate(table["runaway"]) if _name_lists.names_of(names)]
    if not flagged:
        return None
    key = key_columns(table)[0]
    keys = list(table[key])
    shown = ", ".join(str(keys[position]) for position in flagged[:8]) + (", ..." if len(flagged) > 8 else "")
    return (f"runaway values in {len(flagged)} of {len(keys)} fits ({key} {shown}): "
            "the data do not fix them, so those fits are no finding")
