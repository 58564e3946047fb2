# What one browser page works on, kept in the server: the spectra, the circuit and its controls,
# the fit results and the running batch. The page holds only the workspace's random id.
"""Per-page state of the app."""

from __future__ import annotations

import secrets
import threading
from dataclasses import dataclass, field
from typing import Any

from corvex.app.uploads import Spectrum


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
    job: Any = None  # the running or last batch (corvex.app.jobs.BatchJob)
    lock: threading.Lock = field(default_factory=threading.Lock, repr=False)

    def result_for(self, index: int) -> Any:
        """The results table's row of spectrum `index`, or None when it has not been fitted."""
        if self.results is None:
            return None
        rows = self.results[self.results["Spectrum"] == index]
        return None if rows.empty else rows.iloc[0]


class Workspaces:
    """The workspaces of the pages served, by id; ids are unguessable so pages cannot reach
    each other's data."""

    def __init__(self) -> None:
        self._items: dict[str, Workspace] = {}
        self._lock = threading.Lock()

    def new_id(self) -> str:
        return secrets.token_urlsafe(16)

    def get(self, workspace_id: Any) -> Workspace:
        """The workspace of `workspace_id`, made empty on first use."""
        if not isinstance(workspace_id, str) or not 8 <= len(workspace_id) <= 64:
            raise ValueError("the page has no valid workspace id: reload the page")
        with self._lock:
            return self._items.setdefault(workspace_id, Workspace())
