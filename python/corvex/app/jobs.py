# Work that runs off the request thread: fits (one spectrum, a subset or all, one batch per
# file), and Suggest's ranking. Cancel reaches inside a native fit, as Ctrl-C does.
"""Background fits and rankings with progress and cancellation."""

from __future__ import annotations

import functools
import threading
from collections.abc import Callable
from typing import TYPE_CHECKING, Any

import numpy as np

import corvex
from corvex.app.uploads import Spectrum

if TYPE_CHECKING:
    import pandas as pd

    from corvex.app.workspace import Workspace

SPECTRUM_KEY = "Spectrum"


class JobCancelled(Exception):
    """Raised from a progress hook once the job was cancelled."""


def spectra_frame(spectra: list[Spectrum], indices: list[int]) -> pd.DataFrame:
    """A long battery-format frame of the chosen spectra, keyed by their index in the list."""
    import pandas as pd

    parts = [pd.DataFrame({SPECTRUM_KEY: index,
                           "Frequency / Hz": spectra[index].frequencies,
                           "Real Impedance / ohm": spectra[index].impedances.real,
                           "Imaginary Impedance / ohm": spectra[index].impedances.imag})
             for index in indices]
    return pd.concat(parts, ignore_index=True)


def run_fit(circuit: Any, spectra: list[Spectrum], indices: list[int], *, fixed: dict[str, float],
            bounds: dict[str, tuple[float | None, float | None]],
            progress: Callable[[int, int], Any] | bool = False) -> pd.DataFrame:
    """corvex.batch.fit of `circuit` to the chosen spectra, refined along their order when there
    are several; the table's "Spectrum" column holds their indices."""
    import corvex.batch

    return corvex.batch.fit(circuit, spectra_frame(spectra, indices), by=SPECTRUM_KEY, refine=len(indices) > 1,
                            fixed=fixed or None, bounds=bounds or None, progress=progress)


def by_file(spectra: list[Spectrum], indices: list[int]) -> list[list[int]]:
    """The chosen spectra grouped by the file they came from, files and spectra in list order:
    a series is refined along one file only, never across unrelated files."""
    groups: dict[str, list[int]] = {}
    for index in sorted(indices):
        groups.setdefault(spectra[index].source, []).append(index)
    return list(groups.values())


class Job:
    """One piece of work on its own thread; poll `state()`, stop it with `cancel()`.

    `work(job)` does the work, reporting through `job.progress(fraction, text)` and keeping
    what it finishes through `job.keep(store)`: `store()` runs under the workspace's lock and
    only while the workspace is still of the generation the job started in, so a job that a
    restore or a removal overtook writes nothing.
    """

    def __init__(self, workspace: Workspace, label: str, work: Callable[[Job], None]) -> None:
        self.workspace = workspace
        self.generation = workspace.generation
        self.label = label
        self.fraction = 0.0  # of the whole job, never decreasing
        self.text = label
        self.error: str | None = None
        self.finished = False
        self.kept = 0  # pieces of work whose results were stored
        self.cancelled = threading.Event()
        self._guard = threading.Lock()  # orders cancel() against the thread's end (thread ids are reused)
        self._ended = False
        self._thread = threading.Thread(target=self._run, args=(work,), name="corvex-app-job", daemon=True)
        self._thread.start()

    def progress(self, fraction: float, text: str) -> None:
        """Report how far the work is; raises JobCancelled once the job was cancelled."""
        self.fraction = min(max(self.fraction, fraction), 1.0)
        self.text = text
        if self.cancelled.is_set():
            raise JobCancelled

    def keep(self, store: Callable[[Workspace], None]) -> bool:
        """Run `store(workspace)` under its lock unless the workspace moved on; whether it ran."""
        with self.workspace.lock:
            if self.workspace.generation != self.generation:
                return False
            store(self.workspace)
            self.workspace.revision += 1
            self.kept += 1
            return True

    def _run(self, work: Callable[[Job], None]) -> None:
        try:
            work(self)
            self.fraction = 1.0
        except (JobCancelled, KeyboardInterrupt):
            # KeyboardInterrupt is how native work stops for _request_stop; signals never reach
            # this thread, so it is always our own cancel.
            self.error = "cancelled"
        except Exception as error:  # shown in the page: a failed job must not end the server
            self.error = str(error)
        finally:
            with self._guard:
                self._ended = True
                corvex._withdraw_stop(threading.get_ident())
            self.finished = True

    def cancel(self) -> None:
        """Stop the work, inside a native fit too (it polls every few tens of milliseconds)."""
        self.cancelled.set()
        with self._guard:
            if not self._ended and self._thread.ident is not None:
                corvex._request_stop(self._thread.ident)

    def wait(self, timeout: float | None = None) -> None:
        self._thread.join(timeout)

    def state(self) -> dict[str, Any]:
        """fraction done, text, finished, error (None, "cancelled" or the message) and the
        number of results kept."""
        return {"fraction": self.fraction, "text": self.text, "finished": self.finished, "error": self.error,
                "kept": self.kept, "label": self.label}


def fit_job(workspace: Workspace, circuit: Any, notation: str, indices: list[int]) -> Job:
    """Fit `circuit` to the chosen spectra, one batch per file; each file's fits are stored as
    soon as its batch ends, so a cancel keeps them."""
    spectra = list(workspace.spectra)
    fixed, bounds = dict(workspace.controls.fixed), dict(workspace.controls.bounds)
    files = by_file(spectra, indices)
    count = sum(len(group) for group in files)

    def work(job: Job) -> None:
        finished = 0
        for number, group in enumerate(files, 1):
            where = f"file {number} of {len(files)}, " if len(files) > 1 else ""

            def report(done: int, total: int) -> None:
                # Refits along the series raise the total as they are found: the fraction of
                # this file's spectra is done/total of its fits, never more than done so far.
                job.progress((finished + len(group) * done / max(total, 1)) / count,
                             f"fitting {count} spectra: {where}{done} of {total} fits")

            table = run_fit(circuit, spectra, group, fixed=fixed, bounds=bounds, progress=report)
            finished += len(group)
            job.keep(functools.partial(store_results, table=table, notation=notation))
            job.progress(finished / count, f"fitting {count} spectra: {finished} done")

    return Job(workspace, f"fitting {count} spectr{'um' if count == 1 else 'a'}", work)


def rank_job(workspace: Workspace, index: int) -> Job:
    """Suggest: rank the carried circuits on one spectrum."""
    spectrum = workspace.spectra[index]

    def work(job: Job) -> None:
        from corvex.analysis import rank_circuits

        ranking = rank_circuits(spectrum.frequencies, spectrum.impedances)

        def store(workspace: Workspace) -> None:
            workspace.ranking = ranking

        job.keep(store)

    return Job(workspace, f"ranking circuits for {spectrum.name}", work)


def store_results(workspace: Workspace, table: pd.DataFrame, notation: str) -> None:
    """Keep the fits of `notation`; fits of another circuit are replaced, not mixed in."""
    previous = workspace.results if workspace.results_circuit == notation else None
    workspace.results = merge_results(previous, table)
    workspace.results_circuit = notation


def merge_results(previous: pd.DataFrame | None, fresh: pd.DataFrame) -> pd.DataFrame:
    """The results table with `fresh` rows replacing earlier fits of the same spectra (a new
    circuit replaces the whole table: its parameter columns differ)."""
    import pandas as pd

    if previous is None or list(previous.columns) != list(fresh.columns):
        return fresh.reset_index(drop=True)
    kept = previous[~np.isin(previous[SPECTRUM_KEY].to_numpy(), fresh[SPECTRUM_KEY].to_numpy())]
    return pd.concat([kept, fresh], ignore_index=True).sort_values(SPECTRUM_KEY, kind="stable").reset_index(drop=True)
