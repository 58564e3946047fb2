# Pictures of a batch fit for `corvex fit --report DIR`: one report figure per fitted spectrum
# and one figure of every parameter's trend over the spectra.
"""Report and trend pictures written to a folder."""

from __future__ import annotations

import importlib
import math
import os
import re
from collections.abc import Sequence
from typing import Any

from corvex.cli._inputs import STDIN
from corvex.cli._output import interactive


def write_reports(table: Any, circuit: Any, keys: Sequence[str], folder: str) -> None:
    """Write `<file stem>[_<key>...].png` into the existing `folder` for each row with a fit
    and, for more than one row, trend.png."""
    import matplotlib

    matplotlib.use("Agg")  # files only: no window, and no display needed on a cluster node
    import matplotlib.pyplot as plt

    import corvex.plot

    taken: set[str] = set()
    fitted = [(result, values) for result, values in zip(table["result"], zip(*(table[name] for name in keys)))
              if result is not None]
    for result, values in _shown_progress(fitted):
        figure = corvex.plot.report(result)
        path = os.path.join(folder, _unique(_picture_stem(values), taken) + ".png")
        figure.savefig(path, dpi=120)
        plt.close(figure)
    if len(table) > 1:
        figure = _trend_figure(table, circuit, keys[-1])
        figure.savefig(os.path.join(folder, "trend.png"), dpi=120)
        plt.close(figure)


def _shown_progress(items: list[Any]) -> Any:
    """`items`, counted by a tqdm bar when someone watches a terminal and tqdm is installed:
    matplotlib takes about a second a picture, minutes for a long series."""
    if not interactive():
        return items
    try:
        tqdm = importlib.import_module("tqdm.auto").tqdm
    except ImportError:
        return items
    return tqdm(items, desc="report pictures", unit="figure")


def _picture_stem(values: Sequence[Any]) -> str:
    """The file's name without folder and extension, then the other keys: "cell_12"."""
    file, *rest = values
    stem = "stdin" if file == STDIN else os.path.splitext(os.path.basename(str(file)))[0]
    return re.sub(r"[^A-Za-z0-9._-]+", "-", "_".join([stem, *(str(value) for value in rest)]))


def _unique(stem: str, taken: set[str]) -> str:
    # Files of the same name in different folders would overwrite each other's pictures.
    name, count = stem, 1
    while name in taken:
        count += 1
        name = f"{stem}-{count}"
    taken.add(name)
    return name


def _trend_figure(table: Any, circuit: Any, key: str) -> Any:
    """Each parameter in its own panel against `key`, labelled with its unit."""
    import matplotlib.pyplot as plt

    import corvex.plot

    names, units = circuit.param_names(), circuit.param_units()
    columns = min(3, len(names))
    rows = math.ceil(len(names) / columns)
    figure, axes = plt.subplots(rows, columns, figsize=(4.0 * columns, 2.8 * rows), layout="constrained",
                                squeeze=False)
    for ax, name, unit in zip(axes.flat, names, units):
        corvex.plot.trend(table, name, key=key, ax=ax)
        ax.set_ylabel(f"{name} / {unit}" if unit else name)
    for ax in axes.flat[len(names):]:
        ax.set_axis_off()
    return figure
