"""How many fits run at once: the one reading of `n_jobs` in the package, shared by the batch,
its Dask partitions and the analyses."""

from __future__ import annotations

import os
import sys
from typing import Any

import numpy as np


def workers_for(n_jobs: Any) -> int:
    processors = len(os.sched_getaffinity(0)) if hasattr(os, "sched_getaffinity") else (os.cpu_count() or 1)
    if n_jobs is None:
        return processors
    if isinstance(n_jobs, bool) or not isinstance(n_jobs, int | np.integer):
        raise TypeError(f"argument 'n_jobs': expected an int or None, got {type(n_jobs).__name__!r}")
    if n_jobs == 0:
        raise ValueError("argument 'n_jobs': expected a positive number of workers, or a negative one counted back from all processors")
    # More fits at once than there are spectra never run, so a huge count means "all at once"
    # and is cut to what the engine's integer holds.
    return min(int(n_jobs), sys.maxsize) if n_jobs > 0 else max(1, processors + 1 + int(n_jobs))
