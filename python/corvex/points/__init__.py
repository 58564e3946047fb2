"""Choosing the points of a spectrum and working on spectra: windows, exclusions, the
inductive tail, Kramers-Kronig outliers, replicate averages, subtraction, parallel impedances,
interpolation, admittance and mock data::

    from corvex import points
    chosen = points.drop_inductive(points.window(frame, fmin=0.05), by="Cycle Count / 1")
    corvex.batch.fit(circuit, chosen, by="Cycle Count / 1")   # fits the kept points only

Every step takes one spectrum (two arrays, or a frame) or a long frame of several with
``by=`` and returns a new pandas frame (polars in, polars out) with every input row: ``kept``
says whether the fits, tests and pictures of corvex use a point, ``excluded_by`` why not.
Steps chain, each adding its reasons. Needs the frames extra (pandas).
"""

from .admittance import IMAGINARY_ADMITTANCE, REAL_ADMITTANCE, reciprocal, to_admittance, to_impedance  # noqa: F401
from .arithmetic import add_parallel, remove_parallel, subtract
from .interpolation import interpolate
from .replicates import average, standard_deviations
from .selection import drop_inductive, drop_outliers, exclude, window
from .simulation import simulate
from ._table import EXCLUDED_BY, KEPT, kept_rows  # noqa: F401  the column names, for callers

__all__ = [
    "window", "exclude", "drop_inductive", "drop_outliers", "average", "standard_deviations",
    "subtract", "add_parallel", "remove_parallel", "interpolate", "to_admittance", "to_impedance",
    "reciprocal", "simulate", "kept_rows",
]
