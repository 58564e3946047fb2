"""The relaxation-time distribution's posterior: credible bands against known gamma and against
the spread of repeated noisy draws, peaks by significance (a small process is not hidden, a
tail is not split), the lambda rules, the plot's band and frequency axis, and the command line."""
import subprocess
import sys

import matplotlib
import numpy as np
import pandas as pd
import pytest

import corvex
from corvex import plot
from corvex.analysis import drt

matplotlib.use("Agg")
F = np.logspace(5, -2, 71)
WINDOW = (1 / (2 * np.pi * F.max()), 1 / (2 * np.pi * F.min()))


def zarcs(taus, sizes, alpha=0.9, f=F):
    values = [0.1]
    for tau, size in zip(taus, sizes):
        values += [size, tau, alpha]
    notation = "R0-" + "-".join(f"Zarc{k + 1}" for k in range(len(taus)))
    return corvex.Circuit(notation).with_values(values).impedance(f)


def zarc_gamma(tau_grid, r, tau, alpha):
    x = alpha * np.log(tau_grid / tau)
    return r / (2 * np.pi) * np.sin((1 - alpha) * np.pi) / (np.cosh(x) - np.cos((1 - alpha) * np.pi))


def noisy(z, sigma, seed=0):
    rng = np.random.default_rng(seed)
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


def inside(tau):
    return (tau >= WINDOW[0]) & (tau <= WINDOW[1])


@pytest.mark.parametrize("seed", [1, 2])
def test_a_process_ten_times_smaller_is_found_by_significance(seed):
    taus = [1e-3, 1e-1]
    z = noisy(zarcs(taus, [1.0, 0.1]), 0.005, seed)
    result = drt(F, z, peak_prominence=None)
    assert np.log10(result.peak_tau) == pytest.approx(np.log10(taus), abs=0.2)
    assert (result.peak_probability >= 0.7).all()
    # The share-of-the-highest rule hides it.
    assert len(drt(F, z).peak_tau) == 1


def test_the_band_holds_the_known_gamma():
    sizes, taus, alpha = [1.0, 0.5], [1e-3, 1e-1], 0.8
    result = drt(F, noisy(zarcs(taus, sizes, alpha), 0.005, seed=4))
    truth = sum(zarc_gamma(result.tau, r, t, alpha) for r, t in zip(sizes, taus))
    held = (result.gamma_lower <= truth) & (truth <= result.gamma_upper)
    assert held[inside(result.tau)].mean() >= 0.7
    assert (result.gamma_lower <= result.gamma_mean).all() and (result.gamma_mean <= result.gamma_upper).all()


def test_the_band_is_not_narrower_than_the_spread_of_repeated_draws():
    clean = zarcs([1e-3, 1e-1], [1.0, 0.5], 0.8)
    repeated = np.array([drt(F, noisy(clean, 0.01, seed), bands=False).gamma for seed in range(20)])
    result = drt(F, noisy(clean, 0.01, seed=99))
    spread = repeated.std(axis=0)
    half_width = (result.gamma_upper - result.gamma_lower) / 2
    # A 98 % band of a Gaussian spans +-2.3 standard deviations; ask for at least +-1.5 of the
    # spread between noisy draws over most of the measured window.
    window = inside(result.tau)
    assert np.median(half_width[window] / np.maximum(spread[window], 1e-12)) >= 1.5


def test_draws_repeat_with_the_seed_and_differ_without_it():
    z = noisy(zarcs([1e-3, 1e-1], [1.0, 0.5]), 0.005)
    first, again, other = drt(F, z), drt(F, z), drt(F, z, seed=1)
    np.testing.assert_array_equal(first.gamma_upper, again.gamma_upper)
    assert not np.array_equal(first.gamma_upper, other.gamma_upper)
    np.testing.assert_array_equal(first.gamma, other.gamma)  # the most probable gamma needs no draws


@pytest.mark.parametrize("rule", ["mgcv", "gcv", "rgcv", "lcurve", "re-im", "kfold"])
def test_every_lambda_rule_resolves_two_arcs_and_says_it_chose(rule):
    z = noisy(zarcs([1e-4, 1e-1], [0.5, 1.0]), 0.005, seed=2)
    result = drt(F, z, lambda_rule=rule)
    assert result.lambda_rule == rule and result.lambda_ > 0
    assert np.log10(result.peak_tau[~result.peak_extrapolated]) == pytest.approx([-4, -1], abs=0.2)


def test_rules_choose_differently_and_a_given_lambda_is_reported_as_given():
    z = noisy(zarcs([1e-4, 1e-1], [0.5, 1.0]), 0.005, seed=2)
    chosen = {rule: drt(F, z, lambda_rule=rule, bands=False).lambda_ for rule in ("gcv", "mgcv", "lcurve")}
    assert chosen["gcv"] < chosen["mgcv"]  # counting the parameters twice smooths more
    assert len(set(chosen.values())) == 3
    assert drt(F, z, lambda_=1e-3).lambda_rule == "given"


@pytest.mark.parametrize("options, message", [
    ({"lambda_rule": "aic"}, "lambda_rule"),
    ({"lambda_rule": "re-im", "fit": "real"}, "re-im"),
    ({"samples": 0}, "samples"),
    ({"peak_probability": 1.5, "peak_prominence": None}, "peak_probability"),
    ({"peak_prominence": None, "bands": False}, "significance"),
])
def test_bad_posterior_options_are_refused(options, message):
    with pytest.raises(ValueError, match=message):
        drt(F, zarcs([1e-3], [1.0]), **options)


def test_batch_table_reports_the_rule_and_the_noise():
    spectra = [noisy(zarcs([1e-3], [1.0 + k]), 0.005, k) for k in range(3)]
    frame = pd.concat([pd.DataFrame({"cycle": k, "frequency_hertz": F, "real_impedance_ohm": z.real,
                                     "imaginary_impedance_ohm": z.imag}) for k, z in enumerate(spectra)])
    table = drt(frame, by="cycle", lambda_rule="kfold")
    assert list(table["lambda_rule"]) == ["kfold"] * 3
    assert np.asarray(table["noise"], dtype=float) == pytest.approx(0.005 * np.sqrt(2), rel=0.5)
    assert all(row.has_bands for row in table["result"])


def test_plot_shades_the_band_and_keeps_the_extrapolated_spike_out_of_range():
    f = np.logspace(5, 0, 50)  # the slow arc's time constant lies beyond the data
    result = drt(f, noisy(zarcs([1e-4, 3.0], [0.5, 1.0], f=f), 0.005))
    tops = []
    for show in (False, True):
        ax = plot.drt(result, show_extrapolated=show)
        assert len(ax.collections) >= 1  # the band
        tops.append(ax.get_ylim()[1])
    measured = (result.tau >= 1 / (2 * np.pi * f.max())) & (result.tau <= 1 / (2 * np.pi * f.min()))
    assert tops[0] == tops[1] <= 1.2 * result.gamma_upper[measured].max()


def test_plot_against_frequency_spans_the_measured_frequencies():
    result = drt(F, noisy(zarcs([1e-3, 1e-1], [1.0, 0.5]), 0.005))
    ax = plot.drt(result, against="frequency")
    assert np.log10(ax.get_xlim()) == pytest.approx(np.log10([F.min(), F.max()]), abs=1e-9)
    peak_x = ax.lines[1].get_xdata()
    assert np.sort(np.log10(peak_x)) == pytest.approx(np.sort(np.log10(1 / (2 * np.pi * result.peak_tau))))


def test_command_line_reports_probabilities_and_writes_the_band(tmp_path):
    data = tmp_path / "s.csv"
    z = noisy(zarcs([1e-3, 1e-1], [1.0, 0.1]), 0.005)
    z = noisy(zarcs([1e-3, 1e-1], [1.0, 0.5]), 0.005)
    columns = {"Frequency / Hz": F, "Real Impedance / ohm": z.real, "Imaginary Impedance / ohm": z.imag}
    pd.DataFrame(columns).to_csv(data, index=False)
    peaks, grid = tmp_path / "peaks.csv", tmp_path / "grid.csv"
    for extra, out in (([], peaks), (["--distribution", "--lambda-rule", "lcurve"], grid)):
        subprocess.run([sys.executable, "-m", "corvex.cli", "drt", str(data), "-o", str(out), *extra], check=True)
    peak_table = pd.read_csv(peaks)
    assert len(peak_table) == 2 and (peak_table["probability"] >= 0.95).all()
    assert set(peak_table["lambda_rule"]) == {"mgcv"}
    grid_table = pd.read_csv(grid)
    assert {"gamma_ohm", "gamma_lower_ohm", "gamma_upper_ohm", "measured"} <= set(grid_table.columns)
    assert (grid_table["gamma_lower_ohm"] <= grid_table["gamma_upper_ohm"]).all()
    usage = subprocess.run([sys.executable, "-m", "corvex.cli", "drt", str(data), "--peak-probability", "2"],
                           capture_output=True)
    assert usage.returncode == 2
