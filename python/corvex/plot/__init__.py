"""Pictures of impedance spectra and fits on matplotlib: Nyquist, Bode, residuals, validation
(Kramers-Kronig and Z-HIT), relaxation times, parameter trends over a series, a one-figure report of a fit, and the
complexity against fit quality of a circuit discovery.

Every function takes measured data in any form ``Circuit.fit()`` accepts (frequencies and
impedances, or one frame in the battery data format), a ``FitResult``, or the table
``corvex.batch.fit`` returns, and an optional ``ax=``; it returns the Axes it drew on (the
Figure for ``report``). matplotlib is an optional dependency: ``pip install "corvex[plot]"``.
"""

import importlib.util

if importlib.util.find_spec("matplotlib") is None:
    raise ImportError(
        'corvex.plot draws with matplotlib, which is not installed: pip install "corvex[plot]" '
        "(or pip install matplotlib)"
    )

from .complexity import complexity
from .fit_report import report
from .kramers_kronig import kk
from .parameter_trend import trend
from .relaxation_times import drt
from .spectra import bode, nyquist, residuals
from .zhit import zhit

__all__ = ["nyquist", "bode", "residuals", "kk", "zhit", "drt", "trend", "report", "complexity"]
