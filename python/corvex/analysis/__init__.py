"""Analyses of measured spectra before and beside fitting: the linear Kramers-Kronig test,
Z-HIT, the distribution of relaxation times, the ranking of the carried circuit topologies and the
discovery of circuits beyond them."""

from .discovery import discover
from .drt import DrtPeak, DrtResult, drt
from .kramers_kronig import KramersKronigResult, kramers_kronig
from .ranking import rank_circuits
from .zhit import ZhitResult, zhit

__all__ = ["DrtPeak", "DrtResult", "KramersKronigResult", "discover", "drt", "kramers_kronig", "rank_circuits",
           "ZhitResult", "zhit"]
