# Pictures of a batch fit for `corvex fit --report DIR`: one report figure per fitted spectrum
# and one figure of every parameter's trend over the spectra.
"""Report and trend pictures written to a folder."""

from __future__ import annotations

import importlib
import math
import multiprocessing
import os
import re
import signal
from collections.abc import Iterable, Sequence
from typing import Any

from corvex.cli._inputs import STDIN
from corvex.cli._output import interactive

_TREND = "trend"
_REPORT_SIZE = (10.0, 6.0)  # corvex.plot.report's own size
# A drawing process's one report figure, cleared for each picture: about a sixth of a picture's
# time goes to making a figure and its canvas.
_process_figure: Any = None


def write_reports(table: Any, circuit: Any, keys: Sequence[str], folder: str, jobs: int | None = None) -> None:
    """Write `<file stem>[_<key>...].png` into the existing `folder` for each row with a fit
    and, for more than one row, trend.png; `jobs` pictures are drawn at once (None: one per
    processor), each in a process of its own, since matplotlib draws under the interpreter lock."""
    import matplotlib

    matplotlib.use("Agg")  # files only: no window, and no display needed on a cluster node
    import matplotlib.pyplot as plt

    from corvex._batch.workers import workers_for  # the one reading of -j/n_jobs in the package

    # trend.png is the trend picture's: a spectrum from a file named trend.* gets trend-2.png.
    taken: set[str] = {_TREND}
    pictures: list[tuple[Any, str, str, tuple[str, ...]]] = []
    for result, runaway, values in zip(table["result"], table["runaway"], zip(*(table[name] for name in keys))):
        if result is None:
            continue
        # A picture passed on without its file name still says which spectrum it shows.
        file = "standard input" if values[0] == STDIN else os.path.basename(str(values[0]))
        shown = [file, *(f"{name} = {value}" for name, value in zip(keys[1:], values[1:]))]
        pictures.append((result, ", ".join(shown), os.path.join(folder, _unique(_picture_stem(values), taken) + ".png"),
                         tuple(runaway or ())))
    workers = min(workers_for(jobs), len(pictures))
    if workers > 1:
        _draw_in_processes(pictures, workers)
    else:
        figure = plt.figure(figsize=_REPORT_SIZE, layout="constrained")
        try:
            for result, label, path, runaway in _shown_progress(pictures, len(pictures)):
                draw_report(result, label, path, runaway, figure=figure)
        finally:
            plt.close(figure)
    if len(table) > 1:
        trend = _trend_figure(table, circuit, keys[-1])
        trend.savefig(os.path.join(folder, f"{_TREND}.png"), dpi=120)
        plt.close(trend)


def draw_report(result: Any, label: str, path: str, runaway: Sequence[str] = (), figure: Any = None) -> None:
    """The report figure of `result`, its title led by `label` and naming the `runaway` values
    with the other flagged ones, saved to `path`; drawn into `figure`, cleared first, when given
    (a long series then does not build a figure and its canvas per picture), else into a new one."""
    import matplotlib.pyplot as plt

    import corvex.plot

    if figure is not None:
        figure.clear()
    drawn = corvex.plot.report(result, runaway=runaway, figure=figure)
    drawn.suptitle(" \u2014 ".join(filter(None, [label, drawn.get_suptitle()])), fontsize="medium")
    drawn.savefig(path, dpi=120)
    if figure is None:
        plt.close(drawn)


def _draw_in_processes(pictures: list[tuple[Any, str, str, tuple[str, ...]]], workers: int) -> None:
    context = multiprocessing.get_context("spawn")  # forking would copy the native worker pool's threads
    pool = context.Pool(workers, initializer=_drawing_process)
    try:
        for _ in _shown_progress(pool.imap_unordered(_draw_picture, pictures), len(pictures)):
            pass
    except BaseException:
        # Ctrl-C or a failed picture: the processes stop now, mid-picture, instead of finishing the queue.
        pool.terminate()
        raise
    else:
        pool.close()
    finally:
        pool.join()


def _draw_picture(picture: tuple[Any, str, str, tuple[str, ...]]) -> None:
    draw_report(*picture, figure=_process_figure)


def _drawing_process() -> None:
    # Ctrl-C reaches the whole process group: the command itself stops the pool and reports it once.
    signal.signal(signal.SIGINT, signal.SIG_IGN)
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    global _process_figure
    _process_figure = plt.figure(figsize=_REPORT_SIZE, layout="constrained")


def _shown_progress(items: Iterable[Any], total: int) -> Any:
    """`items`, counted by a tqdm bar when someone watches a terminal and tqdm is installed:
    matplotlib takes about a second a picture, minutes for a long series."""
    if not interactive():
        return items
    try:
        tqdm = importlib.import_module("tqdm.auto").tqdm
    except ImportError:
        return items
    return tqdm(items, total=total, desc="report pictures", unit="figure")


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
