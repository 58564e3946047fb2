# Pictures of a batch fit for `corvex fit --report DIR`: one report figure per fitted spectrum
# and one figure of every parameter's trend over the spectra.
"""Report and trend pictures written to a folder."""

from __future__ import annotations

import math
import os
import re
from collections.abc import Sequence
from typing import Any

from corvex.cli._inputs import STDIN


def write_reports(table: Any, circuit: Any, keys: Sequence[str], folder: str) -> list[str]:
    """Write `<file stem>[_<key>...].png` for each row with a fit and, for more than one row,
    trend.png; return the paths written."""
    import matplotlib

    matplotlib.use("Agg")  # files only: no window, and no display needed on a cluster node
    import matplotlib.pyplot as plt

    import corvex.plot

    os.makedirs(folder, exist_ok=True)
    written: list[str] = []
    taken: set[str] = set()
    results = list(table["result"])
    key_values = list(zip(*(list(table[name]) for name in keys)))
    for result, values in zip(results, key_values):
        if result is None:
            continue
        figure = corvex.plot.report(result)
        path = os.path.join(folder, _unique(_picture_stem(values), taken) + ".png")
        figure.savefig(path, dpi=120)
        plt.close(figure)
        written.append(path)
    if len(table) > 1:
        figure = _trend_figure(table, circuit, keys[-1])
        path = os.path.join(folder, "trend.png")
        figure.savefig(path, dpi=120)
        plt.close(figure)
        written.append(path)
    return written


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
