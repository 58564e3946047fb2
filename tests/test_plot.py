# corvex.plot: what each picture draws from every input form, equal Nyquist scales, batch
# colours, the report against a stored image, no leaked figures, and life without matplotlib.
import gc
import pathlib
import pickle
import subprocess
import sys
import types
import weakref

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import pandas as pd  # noqa: E402
import pytest  # noqa: E402
from matplotlib.testing.compare import compare_images  # noqa: E402

import corvex  # noqa: E402
from corvex import plot  # noqa: E402
from corvex.plot._inputs import FALLBACK_RANGE_HZ, MODEL_POINTS  # noqa: E402

BASELINE = pathlib.Path(__file__).parent / "data" / "plot" / "report_baseline.png"
CIRCUIT = corvex.Circuit("R0-(R1,C1)")
F = np.logspace(4, -1, 31)
NOISE = 1 + 0.01 * np.sin(np.arange(F.size) * 1.7)  # fixed, so the fits are reproducible
Z = CIRCUIT.with_values([20.0, 80.0, 1e-4]).impedance(F) * NOISE
FIT = CIRCUIT.with_values([10.0, 50.0, 1e-3]).fit(F, Z)


@pytest.fixture(autouse=True)
def close_figures():
    yield
    plt.close("all")


def data_forms():
    columns = {"Frequency / Hz": F, "Real Impedance / ohm": Z.real, "Imaginary Impedance / ohm": Z.imag}
    return {
        "two lists": ((list(F), list(Z)), {"result": FIT}),
        "dict frame": ((columns,), {"result": FIT}),
        "pandas frame": ((pd.DataFrame(columns),), {"result": FIT}),
        "result alone": ((FIT,), {}),
        "unpickled result": ((pickle.loads(pickle.dumps(FIT)),), {}),
    }


def batch_table():
    """A table shaped as corvex.batch.fit returns it; the middle row's fit failed."""
    rows = []
    for cycle, scale in [(3, 1.0), (5, 1.3), (7, None), (9, 1.6)]:
        row = {"cycle": cycle, "start": "guess"}
        if scale is None:
            rows.append(row | {"success": False, "error": "no measured points", "result": None})
            continue
        result = CIRCUIT.with_values([10.0, 50.0, 1e-3]).fit(F, Z * scale)
        row |= {"success": result.success, "cost": result.cost, "error": None, "result": result}
        row |= result.params | {f"{k}_stderr": v for k, v in result.stderr.items()}
        rows.append(row)
    return pd.DataFrame(rows)


def model_grid(f):
    grid = np.geomspace(f.min(), f.max(), MODEL_POINTS)
    return CIRCUIT.with_values(list(FIT.params[n] for n in CIRCUIT.param_names())).impedance(grid)


@pytest.mark.parametrize("form", data_forms().values(), ids=data_forms().keys())
def test_nyquist_draws_measured_points_and_dense_model(form):
    args, kwargs = form
    ax = plot.nyquist(*args, **kwargs)
    measured, model = ax.lines
    np.testing.assert_array_equal(measured.get_xdata(), Z.real)
    np.testing.assert_array_equal(measured.get_ydata(), -Z.imag)
    assert measured.get_linestyle() == "None" and measured.get_marker() == "o"
    expected = model_grid(F)
    np.testing.assert_allclose(model.get_xdata(), expected.real, rtol=1e-12)
    np.testing.assert_allclose(model.get_ydata(), -expected.imag, rtol=1e-12)
    assert "\u03a9" in ax.get_xlabel() and ax.get_ylabel().startswith("\u2212Im")
    assert ax.get_aspect() == 1.0 and ax.get_adjustable() == "datalim"


def test_a_result_without_its_spectrum_draws_the_model_over_the_usual_window():
    restore, state = FIT.__reduce__()
    bare = restore(*state[:9])  # as results rebuilt from older states come back
    (model,) = plot.nyquist(bare).lines
    expected = FIT.circuit.impedance(np.geomspace(*FALLBACK_RANGE_HZ, MODEL_POINTS))
    np.testing.assert_allclose(model.get_xdata(), expected.real, rtol=1e-12)
    with pytest.raises(ValueError, match="measured data and a fit"):
        plot.residuals(bare)


@pytest.mark.parametrize("figsize", [(8, 3), (3, 8)])
def test_nyquist_keeps_scales_equal_inside_an_unsquashed_box(figsize):
    fig, ax = plt.subplots(figsize=figsize)
    box_before = ax.get_position().bounds
    plot.nyquist(F, Z, ax=ax)
    fig.canvas.draw()
    assert ax.get_position().bounds == pytest.approx(box_before)
    (x0, x1), (y0, y1) = ax.get_xlim(), ax.get_ylim()
    width, height = ax.bbox.width, ax.bbox.height
    assert (x1 - x0) / width == pytest.approx((y1 - y0) / height, rel=1e-3)
    assert x0 <= Z.real.min() and Z.real.max() <= x1 and y0 <= (-Z.imag).min() and (-Z.imag).max() <= y1


def test_bode_and_residuals_draw_the_fit_at_the_measured_frequencies():
    fig, (magnitude_ax, phase_ax, residual_ax) = plt.subplots(3)
    plot.bode(F, Z, result=FIT, ax=(magnitude_ax, phase_ax))
    np.testing.assert_array_equal(magnitude_ax.lines[0].get_ydata(), np.abs(Z))
    np.testing.assert_allclose(phase_ax.lines[0].get_ydata(), -np.degrees(np.angle(Z)))
    assert magnitude_ax.get_xscale() == magnitude_ax.get_yscale() == phase_ax.get_xscale() == "log"
    assert len(magnitude_ax.lines[1].get_xdata()) == MODEL_POINTS

    plot.residuals(FIT, ax=residual_ax)
    model = FIT.circuit.impedance(F)
    real, imaginary = residual_ax.lines[:2]
    np.testing.assert_allclose(real.get_ydata(), 100 * (Z - model).real / np.abs(model), rtol=1e-12)
    np.testing.assert_allclose(imaginary.get_ydata(), 100 * (Z - model).imag / np.abs(model), rtol=1e-12)

    twin_owner = plot.bode(FIT)
    assert len(twin_owner.figure.axes) == 2  # magnitude and its phase twin


def test_a_batch_draws_one_colour_per_spectrum_with_a_colour_bar():
    table = batch_table()
    ax = plot.nyquist(table)
    assert len(ax.lines) == 2 * 3  # markers and fit line for each of the three successful rows
    colours = {tuple(line.get_color()) for line in ax.lines}
    assert len(colours) == 3
    bar_axes = [a for a in ax.figure.axes if a is not ax]
    assert len(bar_axes) == 1 and bar_axes[0].get_ylabel() == "cycle"

    trend_ax = plot.trend(table, "R1.r")
    drawn = trend_ax.containers[0]
    np.testing.assert_array_equal(drawn.lines[0].get_ydata(), table["R1.r"].to_numpy(dtype=float))
    assert trend_ax.get_xlabel() == "cycle"
    with pytest.raises(KeyError, match="R9.r"):
        plot.trend(table, "R9.r")


@pytest.mark.parametrize("library", ["pandas", "polars"])
def test_a_long_frame_split_by_its_key_draws_each_group(library):
    long = pd.DataFrame({"cell": np.repeat(["b", "a"], F.size), "Frequency / Hz": np.tile(F, 2),
                         "Real Impedance / ohm": np.r_[Z.real, 2 * Z.real],
                         "Imaginary Impedance / ohm": np.r_[Z.imag, 2 * Z.imag]})
    frame = long if library == "pandas" else pytest.importorskip("polars").from_pandas(long)
    ax = plot.nyquist(frame, by="cell")
    np.testing.assert_array_equal(ax.lines[1].get_xdata(), 2 * Z.real)  # groups in order of appearance
    colorbar_ax = ax.figure.axes[-1]
    assert colorbar_ax.get_ylabel() == "cell" and [t.get_text() for t in colorbar_ax.get_yticklabels()] == ["b", "a"]


def test_analysis_results_are_drawn_from_their_attributes():
    test = types.SimpleNamespace(frequencies=F, residuals_real=np.full(F.size, 0.002),
                                 residuals_imag=np.full(F.size, -0.001), noise=0.005, passed=True, m=7, mu=0.8)
    ax = plot.kk(test)
    np.testing.assert_allclose(ax.lines[0].get_ydata(), 0.2)
    assert "M = 7" in ax.get_title() and "passed" in ax.get_title()

    tau = np.logspace(-6, 1, 50)
    distribution = types.SimpleNamespace(tau=tau, gamma=np.exp(-np.log10(tau / 1e-3) ** 2),
                                         peaks=[(1e-3, 1.0, 2.3)])
    ax = plot.drt(distribution)
    np.testing.assert_array_equal(ax.lines[0].get_xdata(), tau)
    assert list(ax.lines[1].get_xdata()) == [1e-3] and ax.get_xscale() == "log"

    # Peaks beyond the measured time constants are left out, and the axes keep to those.
    from corvex.analysis import DrtPeak

    distribution.frequencies = np.array([1e3, 1.0])
    distribution.peaks = [DrtPeak(1e-3, 1.0, 2.3), DrtPeak(5.0, 3.0, 4.0, extrapolated=True)]
    ax = plot.drt(distribution)
    assert [t.get_text() for t in ax.texts] == ["0.001 s"]
    np.testing.assert_allclose(ax.get_xlim(), [1 / (2 * np.pi * 1e3), 1 / (2 * np.pi)])
    assert len(plot.drt(distribution, show_extrapolated=True).texts) == 2

    from corvex.analysis import kramers_kronig

    tests = kramers_kronig({"a": (F, Z), "b": (F, Z * 1.2)})
    ax = plot.kk(tests)
    assert len(ax.lines) == 2 * 2 + 1  # real and imaginary per spectrum, and the zero line
    assert [a.get_ylabel() for a in ax.figure.axes if a is not ax] == ["name"]


def test_report_matches_the_stored_image(tmp_path):
    figure = plot.report(FIT, figsize=(7, 4.5))
    figure.suptitle("")  # the title quotes iteration counts, which belong to the fit, not the picture
    actual = tmp_path / "report.png"
    figure.savefig(actual, dpi=60)
    assert compare_images(str(BASELINE), str(actual), tol=8) is None


def test_figures_close_and_are_freed_over_many_calls():
    figures = []
    for _ in range(25):
        figure = plot.report(batch_table() if not figures else FIT)
        figures.append(weakref.ref(figure))
        plt.close(figure)
        del figure
        png = FIT._repr_png_()
        assert png.startswith(b"\x89PNG")
    gc.collect()
    assert plt.get_fignums() == []
    assert all(ref() is None for ref in figures)


def test_without_matplotlib_core_still_works_and_the_message_says_how_to_install():
    script = (
        "import sys; sys.modules['matplotlib'] = None\n"
        "import corvex\n"
        "r = corvex.Circuit('R0-(R1,C1)').with_values([1.0, 2.0, 1e-3]).fit([1.0, 10.0, 100.0, 1e3], [3, 2.5, 1.5, 1])\n"
        "assert r._repr_png_() is None\n"
        "try:\n    import corvex.plot\nexcept ImportError as e:\n    print(e)\n"
    )
    out = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, check=True).stdout
    assert 'pip install "corvex[plot]"' in out
    clean = subprocess.run([sys.executable, "-c", "import sys, corvex; print('matplotlib' in sys.modules)"],
                           capture_output=True, text=True, check=True).stdout
    assert clean.strip() == "False"
