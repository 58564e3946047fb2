"""Progress of a batch: a tqdm bar fed the engine's (done, total) counts, shown at once when
asked for and otherwise only once a batch has run for a second on a terminal."""

from __future__ import annotations

import importlib
import sys
import time
from typing import Any


class ProgressBar:
    """A tqdm bar fed (done, total); unless `always`, shown only once the batch has run for
    about a second with a terminal on stderr."""

    def __init__(self, always: bool):
        self.always = always
        self.started = time.monotonic()
        self.bar: Any = None
        if always:
            _tqdm()  # a missing tqdm is reported before the work starts

    def __call__(self, done: int, total: int) -> None:
        if self.bar is None:
            if not self.always and (time.monotonic() - self.started < 1.0 or not _on_terminal()):
                return
            tqdm = _tqdm() if self.always else _tqdm_if_installed()
            if tqdm is None:
                self.always, self.started = False, float("inf")
                return
            self.bar = tqdm(total=total, unit="spectra", desc="corvex.batch.fit")
        self.bar.total = total
        self.bar.update(done - self.bar.n)

    def close(self) -> None:
        if self.bar is not None:
            self.bar.close()


def _on_terminal() -> bool:
    return sys.stderr is not None and hasattr(sys.stderr, "isatty") and sys.stderr.isatty()


def _tqdm() -> Any:
    try:
        return importlib.import_module("tqdm.auto").tqdm
    except ImportError as error:
        raise ImportError("progress=True needs tqdm: pip install 'corvex[progress]'") from error


def _tqdm_if_installed() -> Any:
    try:
        return _tqdm()
    except ImportError:
        return None
