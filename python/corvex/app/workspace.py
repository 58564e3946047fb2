# What one browser page works on, kept in the server: the spectra, the circuit and its controls,
# the fit results and the running job, under an id the server issued and forgets when idle.
"""Per-page state of the app."""

from __future__ import annotations

import secrets
import threading
import time
from collections import OrderedDict
from collections.abc import Callable
from dataclasses import dataclass, field
from typing import Any

from corvex.app.uploads import Spectrum

DEFAULT_IDLE_TIMEOUT = 30 * 60.0
"""Seconds after a page last spoke to the server before its workspace and job end. An open page
speaks every minute, so only closed pages (and ids issued to pages never used) expire."""


@dataclass
class Controls:
    """Held values and bounds the user typed into the parameter table, by parameter name."""

    fixed: dict[str, float] = field(default_factory=dict)
    bounds: dict[str, tuple[float | None, float | None]] = field(default_factory=dict)


@dataclass
class Workspace:
    """Everything one page has loaded, chosen and fitted."""

    spectra: list[Spectrum] = field(default_factory=list)
    load_errors: list[dict[str, str]] = field(default_factory=list)
    circuit: str = "randles"
    controls: Controls = field(default_factory=Controls)
    selected: list[int] = field(default_factory=list)
    revision: int = 0  # counts changes, so that the page redraws what depends on them
    results: Any = None  # the corvex.batch.fit table, its key column "Spectrum" indexing `spectra`
    results_circuit: str | None = None  # the circuit the results were fitted with
    ranking: Any = None  # the last Suggest's corvex.analysis.rank_circuits table
    # Counts replacements of `spectra` (a restore, a removed file): work started under an older
    # generation indexes spectra that are gone, so its results are dropped, never stored.
    generation: int = 0
    job: Any = None  # the running or last job (corvex.app.jobs.Job)
    lock: threading.Lock = field(default_factory=threading.Lock, repr=False)

    def result_for(self, index: int) -> Any:
        """The results table's row of spectrum `index`, or None when it has not been fitted."""
        if self.results is None:
            return None
        rows = self.results[self.results["Spectrum"] == index]
        return None if rows.empty else rows.iloc[0]

    def stop_job(self, timeout: float = 5.0) -> None:
        """Cancel the running job and wait for its thread (cancellation reaches inside a fit)."""
        job = self.job
        if job is not None:
            job.cancel()
            job.wait(timeout)


class Workspaces:
    """The workspaces of the pages served, by id. Only the server makes ids (`new_id`, one per
    page served); an id it did not issue, or has forgotten, reaches nothing and creates nothing.
    Workspaces idle for longer than `idle_timeout` seconds end, their jobs cancelled."""

    def __init__(self, idle_timeout: float = DEFAULT_IDLE_TIMEOUT,
                 clock: Callable[[], float] = time.monotonic) -> None:
        self.idle_timeout = idle_timeout
        self._clock = clock
        # id -> [workspace or None until first used, last time the page spoke], least recent first
        self._items: OrderedDict[str, list[Any]] = OrderedDict()
        self._lock = threading.Lock()

    def new_id(self) -> str:
        """A fresh id for a page being served; its workspace is made on first use."""
        identifier = secrets.token_urlsafe(16)
        with self._lock:
            self._expire()
            self._items[identifier] = [None, self._clock()]
        return identifier

    def known(self, workspace_id: Any) -> bool:
        """Whether `workspace_id` was issued and has not expired."""
        with self._lock:
            self._expire()
            return isinstance(workspace_id, str) and workspace_id in self._items

    def get(self, workspace_id: Any) -> Workspace:
        """The workspace of `workspace_id`, made empty on first use; ValueError for an id the
        server did not issue or has forgotten."""
        with self._lock:
            self._expire()
            entry = self._items.get(workspace_id) if isinstance(workspace_id, str) else None
            if entry is None:
                raise ValueError("this page's workspace has ended (idle too long, or the server restarted): "
                                 "reload the page")
            if entry[0] is None:
                entry[0] = Workspace()
            entry[1] = self._clock()
            self._items.move_to_end(workspace_id)
            return entry[0]

    def forget_unused(self, workspace_id: Any) -> None:
        """Drop an issued id whose page took back an older workspace instead."""
        with self._lock:
            entry = self._items.get(workspace_id) if isinstance(workspace_id, str) else None
            if entry is not None and entry[0] is None:
                del self._items[workspace_id]

    def __len__(self) -> int:
        with self._lock:
            return len(self._items)

    def _expire(self) -> None:
        """Forget idle workspaces and cancel their jobs (called with the lock held)."""
        oldest = self._clock() - self.idle_timeout
        while self._items and next(iter(self._items.values()))[1] < oldest:
            workspace = self._items.popitem(last=False)[1][0]
            if workspace is not None and workspace.job is not None:
                workspace.job.cancel()
