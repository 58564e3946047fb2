"""The picture notebooks show for a FitResult: a small Nyquist plot, rendered off-screen so that
no figure is left open in pyplot."""

import io

from matplotlib.backends.backend_agg import FigureCanvasAgg
from matplotlib.figure import Figure

from .spectra import nyquist

SIZE_INCHES = (3.6, 3.0)
DPI = 80


def fit_result_png(result):
    """PNG bytes of the fitted model over the spectrum the result was fitted to."""
    figure = Figure(figsize=SIZE_INCHES, dpi=DPI, layout="constrained")
    FigureCanvasAgg(figure)
    nyquist(result, ax=figure.add_subplot())
    buffer = io.BytesIO()
    figure.savefig(buffer, format="png")
    return buffer.getvalue()
