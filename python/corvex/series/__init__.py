"""Fitting a whole series at once: parameters shared by every spectrum, parameters that
follow a law of a column (Arrhenius in temperature, linear, polynomial, a formula), and the
test of those constraints against independent fits."""

from corvex.series.comparison import Comparison, compare
from corvex.series.joint_fit import SeriesResult, fit
from corvex.series.laws import Law, arrhenius, formula, linear, polynomial

__all__ = ["fit", "compare", "arrhenius", "linear", "polynomial", "formula", "Law", "SeriesResult", "Comparison"]
