# Fits that run off the request thread: a batch goes to its own thread, reports (done, total)
# through corvex.batch.fit's progress hook, and stops when that hook raises on cancel.
"""Background fits with progress and cancellation."""

from __future__ import annotations

import threading
from collections.abc import Callable
from typing import TYPE_CHECKING, Any

import numpy as np

from corvex.app.uploads import Spectrum

if TYPE_CHECKING:
    import pandas as pd

SPECTRUM_KEY = "Spectrum"


class BatchCancelled(Exception):
    """Raised from the progress hook so that the native batch stops at its next poll."""


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


class BatchJob:
    """One batch fit on its own thread; poll `state()`, stop it with `cancel()`."""

    def __init__(self, circuit: Any, spectra: list[Spectrum], indices: list[int], *, fixed: dict[str, float],
                 bounds: dict[str, tuple[float | None, float | None]],
                 on_done: Callable[[pd.DataFrame], None]) -> None:
        self.spectra_count = len(indices)
        # Counted in fits, refits along the series included, as corvex.batch.fit reports them.
        self.done, self.total = 0, len(indices)
        self.error: str | None = None
        self.finished = False
        self.cancelled = threading.Event()
        self._on_done = on_done
        self._thread = threading.Thread(target=self._run, args=(circuit, spectra, indices, fixed, bounds),
                                        name="corvex-app-batch", daemon=True)
        self._thread.start()

    def _progress(self, done: int, total: int) -> None:
        self.done, self.total = done, total
        if self.cancelled.is_set():
            raise BatchCancelled

    def _run(self, circuit: Any, spectra: list[Spectrum], indices: list[int], fixed: dict[str, float],
             bounds: dict[str, tuple[float | None, float | None]]) -> None:
        try:
            table = run_fit(circuit, spectra, indices, fixed=fixed, bounds=bounds, progress=self._progress)
            self.done = self.total
            self._on_done(table)
        except BatchCancelled:
            self.error = "cancelled"
        except Exception as error:  # shown in the page: a failed batch must not end the server
            self.error = str(error)
        finally:
            self.finished = True

    def cancel(self) -> None:
        self.cancelled.set()

    def wait(self, timeout: float | None = None) -> None:
        self._thread.join(timeout)

    def state(self) -> dict[str, Any]:
        """done and total fits, spectra, finished and error (None, "cancelled" or the batch's message)."""
        return {"done": self.done, "total": self.total, "spectra": self.spectra_count, "finished": self.finished,
                "error": self.error}


def merge_results(previous: pd.DataFrame | None, fresh: pd.DataFrame) -> pd.DataFrame:
    """The results table with `fresh` rows replacing earlier fits of the same spectra (a new
    circuit replaces the whole table: its parameter columns differ)."""
    import pandas as pd

    if previous is None or list(previous.columns) != list(fresh.columns):
        return fresh.reset_index(drop=True)
    kept = previous[~np.isin(previous[SPECTRUM_KEY].to_numpy(), fresh[SPECTRUM_KEY].to_numpy())]
    return pd.concat([kept, fresh], ignore_index=True).sort_values(SPECTRUM_KEY, kind="stable").reset_index(drop=True)
