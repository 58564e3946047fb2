# corvex.plot: what each picture draws from every input form, equal Nyquist scales, batch
# colours, titles, labels and units, the report against a stored image, no leaked figures, and
# life without matplotlib.
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
from corvex.fitting import fit as fit_with_controls  # noqa: E402
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


def test_trend_draws_runaway_values_hollow_off_the_scale_and_no_infinite_bars():
    table = pd.DataFrame({"cycle": [1, 2, 3, 4], "start": "guess", "R1.r": [50.0, 7e24, 52.0, 51.0],
                          "R1.r_stderr": [1.0, 1e21, np.inf, 2.0],
                          "runaway": [[], ["R1.r"], ["C1.c"], None]})
    ax = plot.trend(table, "R1.r")
    sound, hollow = ax.containers[0].lines[0], ax.lines[-1]
    np.testing.assert_array_equal(sound.get_ydata(), [50.0, np.nan, 52.0, 51.0])
    assert list(hollow.get_ydata()) == [7e24] and hollow.get_markerfacecolor() == "none"
    assert 45.0 < ax.get_ylim()[0] and ax.get_ylim()[1] < 60.0
    bars = [bar for bar in ax.containers[0].lines[2][0].get_segments() if len(bar)]
    assert len(bars) == 2  # the infinite error bar and the flagged value's are left out
    assert "1 runaway value" in ax.texts[0].get_text()


def test_the_report_of_a_batch_names_the_rows_with_runaway_values():
    table = batch_table()
    assert plot.report(table)._supxlabel is None
    table["runaway"] = [[], ["R1.r"], None, []]
    assert "in 1 of 4 fits (cycle 5)" in plot.report(table)._supxlabel.get_text()


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
    assert [t.get_text() for t in ax.texts] == ["1 ms"]
    np.testing.assert_allclose(ax.get_xlim(), [1 / (2 * np.pi * 1e3), 1 / (2 * np.pi)])
    assert len(plot.drt(distribution, show_extrapolated=True).texts) == 2

    from corvex.analysis import kramers_kronig

    tests = kramers_kronig({"a": (F, Z), "b": (F, Z * 1.2)})
    ax = plot.kk(tests)
    assert len(ax.lines) == 2 * 2 + 1  # real and imaginary per spectrum, and the zero line
    assert [a.get_ylabel() for a in ax.figure.axes if a is not ax] == ["name"]


def discovery_table():
    return pd.DataFrame({"rank": [1, 2, 3, 4], "circuit": ["R0-p(R1,C1)", "R0-p(R1,CPE1)", "R0", "R0-C1"],
                         "parameters": [3, 4, 1, 2], "chi_square": [1e-3, 9e-4, 5.0, None],
                         "aicc": [-500.0, -495.0, 80.0, None], "flagged": [False, True, False, False]})


def test_complexity_marks_the_first_circuit_and_draws_flagged_fits_hollow():
    ax = plot.complexity(discovery_table())
    assert ax.get_yscale() == "log" and ax.get_xlabel() == "parameters"
    sound, flagged, first = ax.collections
    assert len(sound.get_offsets()) == 2 and len(flagged.get_offsets()) == 1  # the failed fit is left out
    assert first.get_offsets()[0][1] == 1e-3 and "R0-p(R1,C1)" in ax.get_legend().get_texts()[-1].get_text()
    assert plot.complexity(discovery_table(), y="aicc").get_yscale() == "linear"


@pytest.mark.parametrize("make, weighting", [
    (lambda: CIRCUIT.with_values([10.0, 50.0, 1e-3]).fit(F, Z, weight="modulus"), "modulus weighting"),
    (lambda: CIRCUIT.with_values([10.0, 50.0, 1e-3]).fit(F, Z, weight="unit"), "unit weighting"),
    (lambda: fit_with_controls(CIRCUIT, F, Z, weight="proportional").result, "other weighting"),
])
def test_report_title_names_circuit_and_weighting_and_phase_markers_differ_from_residuals(make, weighting):
    figure = plot.report(make())
    assert figure.get_suptitle().startswith(f"R0-(R1,C1), {weighting}: ")
    markers = {ax.get_ylabel(): {line.get_marker() for line in ax.lines} - {"None", ""} for ax in figure.axes}
    phase = next(m for label, m in markers.items() if "\u03c6" in label)
    residual = next(m for label, m in markers.items() if label.startswith("(Z"))
    assert phase and residual and not phase & residual


def test_close_drt_peaks_get_labels_that_do_not_overlap():
    tau = np.logspace(-6, 2, 300)
    peaks = [2.45e-4, 1.19e-3, 1.6e-3, 4e-3, 9e-3, 3.0]
    distribution = types.SimpleNamespace(tau=tau, gamma=np.ones_like(tau),
                                         peaks=[(t, 1.0 + 0.1 * i, 1.0) for i, t in enumerate(peaks)])
    ax = plot.drt(distribution)
    ax.figure.canvas.draw()
    boxes = [text.get_window_extent() for text in ax.texts]
    assert len(boxes) == len(peaks)
    assert not any(a.overlaps(b) for i, a in enumerate(boxes) for b in boxes[i + 1:])
    assert all(box.y1 <= ax.get_window_extent().y1 for box in boxes)


def test_kk_noise_band_is_a_visible_band_even_when_residuals_are_inside_it():
    test = types.SimpleNamespace(frequencies=F, residuals_real=np.full(F.size, 0.002),
                                 residuals_imag=np.full(F.size, -0.001), noise=0.005, passed=True, m=7, mu=0.8)
    ax = plot.kk(test)
    low, high = ax.get_ylim()
    assert low < -1.0 and high > 1.0  # the band is +-0.5 %
    swatch = next(h for h, label in zip(*ax.get_legend_handles_labels()) if label.startswith("noise"))
    assert matplotlib.colors.to_rgba(swatch.get_edgecolor())[:3] != (1.0, 1.0, 1.0)


def test_trend_axis_carries_the_units_of_the_circuit():
    assert plot.trend(batch_table(), "R1.r").get_ylabel() == "R1.r / \u03a9"
    ax = plot.trend(batch_table(), ["R1.r", "C1.c"])
    assert ax.get_ylabel() == "fitted value"
    assert [text.get_text() for text in ax.get_legend().get_texts()] == ["R1.r / \u03a9", "C1.c / F"]


HOSTILE = {
    **{f"{name} with an unknown cmap": (lambda name=name: getattr(plot, name)(batch_table(), cmap="no-such-map"))
       for name in ("report", "nyquist", "bode", "residuals")},
    "trend of a text stderr column": lambda: plot.trend(batch_table().assign(**{"R1.r_stderr": "n/a"}), "R1.r"),
    "kk of arrays of different lengths": lambda: plot.kk(
        types.SimpleNamespace(frequencies=F, residuals_real=np.zeros(3), residuals_imag=np.zeros(F.size))),
    "drt of arrays of different lengths": lambda: plot.drt(types.SimpleNamespace(tau=F, gamma=np.zeros(3))),
    "complexity of another table": lambda: plot.complexity(batch_table()),
    "complexity of an unknown measure": lambda: plot.complexity(discovery_table(), y="r2"),
}


@pytest.mark.parametrize("draw", HOSTILE.values(), ids=HOSTILE.keys())
def test_a_picture_that_fails_leaves_no_figure_open(draw):
    with pytest.raises((ValueError, TypeError)):
        draw()
    assert plt.get_fignums() == []


@pytest.mark.parametrize("picture", ["nyquist", "bode", "kk", "drt", "report"])
def test_every_picture_splits_a_long_frame_by_its_key_missing_keys_included(picture):
    long = pd.DataFrame({"cell": np.repeat([1.0, np.nan], F.size), "Frequency / Hz": np.tile(F, 2),
                         "Real Impedance / ohm": np.tile(Z.real, 2), "Imaginary Impedance / ohm": np.tile(Z.imag, 2)})
    drawn = getattr(plot, picture)(long, by="cell")
    figure = drawn if picture == "report" else drawn.figure
    (bar,) = [axes for axes in figure.axes if axes.get_ylabel() == "cell"]
    assert [tick.get_text() for tick in bar.get_yticklabels()] == ["1.0", "nan"]


def test_trend_takes_by_and_draws_tuple_keys_in_table_order():
    table = batch_table()
    assert plot.trend(table, "R1.r", by="cycle").get_xlabel() == "cycle"
    paired = table.assign(cycle=[(cycle, "a") for cycle in table["cycle"]])
    ax = plot.trend(paired, "R1.r")
    assert [tick.get_text() for tick in ax.get_xticklabels()] == [str(key) for key in paired["cycle"]]
    with pytest.raises(ValueError, match="need measured data and a fit"):
        plot.residuals(pd.DataFrame({"cell": [1] * F.size, "Frequency / Hz": F, "Real Impedance / ohm": Z.real,
                                     "Imaginary Impedance / ohm": Z.imag}), by="cell")


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


@pytest.mark.parametrize("make, runaway, status", [
    (lambda: CIRCUIT.fit(F, Z), None, "converged"),
    # A second arc the one-arc data cannot fix: its values are named, and the fit is not "converged".
    (lambda: fit_with_controls(corvex.Circuit("R0-(R1,C1)-(R2,C2)"), F, Z).result, None, "not identifiable: "),
    (lambda: corvex.Circuit("R0-(R1,C1)-(R2,C2)").fit(F, Z), ["R2.r"], "runaway: R2.r; no standard errors"),
])
def test_the_report_title_names_flagged_values_instead_of_converged(make, runaway, status):
    result = make()
    assert result.success
    title = plot.report(result, runaway=runaway).get_suptitle()
    assert f" iterations, {status}" in title and (status == "converged") == title.endswith("converged")


def test_zhit_draws_the_measured_and_reconstructed_modulus_and_its_window():
    from corvex.analysis import zhit

    check = zhit(F, Z, window=(1.0, 1e3))
    ax = plot.zhit(check)
    measured, reconstructed = ax.lines[0], ax.lines[1]
    order = np.argsort(F)
    np.testing.assert_allclose(measured.get_ydata(), np.abs(Z)[order], rtol=1e-12)
    np.testing.assert_allclose(reconstructed.get_ydata(), check.modulus[order])
    residual_axis = next(a for a in ax.figure.axes if a is not ax)
    np.testing.assert_allclose(residual_axis.lines[0].get_ydata(), 100 * check.residuals_modulus[order])
    assert ax.get_yscale() == "log" and "Z-HIT" in ax.get_title()
    # Measured data are checked first, with the window given.
    again = plot.zhit(F, Z, window=(1.0, 1e3))
    np.testing.assert_allclose(again.lines[1].get_ydata(), check.modulus[order])
