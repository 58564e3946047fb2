"""Drawing helpers shared by the pictures: a new figure when no Axes is given, one colour per
spectrum of a batch along a colormap, and the colour bar that names the batch's group key."""

import functools
from dataclasses import dataclass

import matplotlib.pyplot as plt
import numpy as np
from matplotlib import cm, colors

OHM = "\u03a9"
MINUS = "\u2212"
# A single spectrum: measured points in the first colour of the cycle, the fit in the second.
MEASURED_COLOUR = "C0"
MODEL_COLOUR = "C1"
# Up to this many rows, a categorical colour bar names each row; beyond that it only counts.
MAX_NAMED_TICKS = 12


def unit_text(unit):
    """A parameter unit as the catalogue writes it ("ohm^-1*s^alpha") in axis-label form
    ("Ω$^{-1}$·s$^{\\alpha}$"); "" for a dimensionless one ("-")."""
    if unit in ("", "-"):
        return ""
    factors = []
    for factor in unit.split("*"):
        base, _, exponent = factor.partition("^")
        base = OHM if base == "ohm" else base
        if exponent:
            exponent = exponent.strip("()").replace("alpha", r"\alpha").replace("gamma", r"\gamma")
            base += f"$^{{{exponent}}}$"
        factors.append(base)
    return "·".join(factors)


def notation(circuit):
    """A circuit as the notation it was written in, or "circuit" when it has none (an empty group)."""
    from corvex.io import circuit_to_dict

    try:
        return circuit_to_dict(circuit)["notation"]
    except ValueError:
        return "circuit"


def closes_new_figures_on_error(draw):
    """``draw`` leaves no half-drawn figure open in pyplot when it fails; a figure the caller
    handed in (through ``ax=`` or ``figure=``) stays theirs."""

    @functools.wraps(draw)
    def drawing(*args, **kwargs):
        before = set(plt.get_fignums())
        try:
            return draw(*args, **kwargs)
        except BaseException:
            for number in set(plt.get_fignums()) - before:
                plt.close(number)
            raise

    return drawing


def axes_or_new(ax, figsize=None):
    if ax is not None:
        return ax
    _, ax = plt.subplots(figsize=figsize, layout="constrained")
    return ax


@dataclass(frozen=True)
class Palette:
    """Colours of measured points and model lines, one pair per spectrum, and for a batch the
    mappable its colour bar shows."""

    measured: list
    model: list
    mappable: object = None
    tick_labels: list | None = None


def _numeric(keys):
    try:
        values = np.asarray(keys, dtype=float)
    except (TypeError, ValueError):
        return None
    return values if values.ndim == 1 and np.all(np.isfinite(values)) else None


def key_palette(keys, cmap="viridis"):
    """One colour per row of a batch along ``cmap``: numeric keys to scale, others in order."""
    count = len(keys)
    colormap = plt.get_cmap(cmap)
    values = _numeric(keys)
    if values is not None:
        low, high = (values.min(), values.max()) if values.max() > values.min() else (values[0] - 0.5, values[0] + 0.5)
        norm = colors.Normalize(low, high)
        tick_labels = None
    else:
        # Names or tuples of keys: rows in table order, one band of the colormap each.
        values = np.arange(count, dtype=float)
        norm = colors.BoundaryNorm(np.arange(count + 1) - 0.5, colormap.N)
        tick_labels = [str(key) for key in keys]
    rgba = list(colormap(norm(values)))
    return Palette(rgba, rgba, cm.ScalarMappable(norm=norm, cmap=colormap), tick_labels)


def palette(collection, cmap="viridis"):
    if collection.is_batch:
        return key_palette([spectrum.key for spectrum in collection.spectra], cmap)
    count = len(collection.spectra)
    return Palette([MEASURED_COLOUR] * count, [MODEL_COLOUR] * count)


def finish_series(ax, key_name, colours, legend=True, colorbar=True):
    """A colour bar named ``key_name`` for a batch, else a legend of what was drawn."""
    if colours.mappable is not None:
        if not colorbar:
            return
        bar = ax.figure.colorbar(colours.mappable, ax=ax, label=key_name)
        if colours.tick_labels is not None:
            count = len(colours.tick_labels)
            positions = np.arange(count) if count <= MAX_NAMED_TICKS else np.linspace(0, count - 1, MAX_NAMED_TICKS).round()
            bar.set_ticks(positions, labels=[colours.tick_labels[int(p)] for p in positions])
    elif legend and ax.get_legend_handles_labels()[1]:
        ax.legend(frameon=False)
