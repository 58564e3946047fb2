# The app's figures keep their legends clear of the vertical tool bar at the plot's right edge,
# which covered the ends of the names ("imaginar", "gamm").
import types

import numpy as np
import pytest

pytest.importorskip("plotly")
from corvex.app import figures  # noqa: E402

F = np.logspace(-2, 4, 20)
DRT = types.SimpleNamespace(tau=F, gamma=np.exp(-np.log10(F) ** 2), peak_tau=[1.0], peak_height=[1.0],
                            peak_area=[0.3])


@pytest.mark.parametrize("figure", [
    lambda: figures.residuals("residuals", F, 0.01 * np.sin(F), 0.01 * np.cos(F)),
    lambda: figures.drt(DRT, "cell"),
])
def test_legends_run_along_the_top_not_under_the_tool_bar(figure):
    layout = figure().layout
    assert layout.modebar.orientation == "v"
    assert layout.legend.orientation == "h" and layout.legend.y >= 1.0
