"""corvex.analysis: the Kramers-Kronig test against a NumPy lstsq version of the same method,
its verdict on valid and drifting data, relaxation-time peaks, batches and bad input."""
import signal
import threading
import time

import numpy as np
import pytest

import corvex
from corvex.analysis import drt, kramers_kronig, rank_circuits

TWO_PI = 6.283185307179586
F = np.logspace(5, -2, 60)


def two_zarc(tau1=1e-4, tau2=0.1, r1=0.5, r2=1.0, g1=0.85, g2=0.9):
    return corvex.Circuit("R0-Zarc1-Zarc2").with_values([0.1, r1, tau1, g1, r2, tau2, g2]).impedance(F)


def noisy(z, sigma, seed=0):
    rng = np.random.default_rng(seed)
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


def numpy_kramers_kronig(f, z, c=0.85, max_m=50):
    """M and residuals of the complex linear KK fit by np.linalg.lstsq, counting M up."""
    w = TWO_PI * f
    weight = 1 / np.abs(z)
    for m in range(1, max_m + 1):
        tau = np.logspace(np.log10(1 / (TWO_PI * f.max())), np.log10(1 / (TWO_PI * f.min())), m)
        rc = 1 / (1 + 1j * np.outer(w, tau))
        columns = np.column_stack([np.ones_like(w), rc, 1j * w]) * weight[:, None]
        a = np.vstack([columns.real, columns.imag])
        b = np.concatenate([z.real * weight, z.imag * weight])
        scale = np.linalg.norm(a, axis=0)
        x = np.linalg.lstsq(a / scale, b, rcond=None)[0] / scale
        r = x[1:m + 1]
        mu = 1 - np.abs(r[r < 0]).sum() / np.abs(r[r >= 0]).sum()
        if mu <= c:
            break
    fit = np.column_stack([np.ones_like(w), rc, 1j * w]) @ x
    return m, (z - fit) / np.abs(z)


@pytest.mark.parametrize("sigma", [1e-3, 1e-2])
def test_kramers_kronig_matches_numpy_lstsq(sigma):
    z = noisy(two_zarc(), sigma)
    result = kramers_kronig(F, z, method="mu")
    m, residuals = numpy_kramers_kronig(F, z)
    assert result.rc_count == m
    np.testing.assert_allclose(result.residuals_real, residuals.real, atol=1e-12)
    np.testing.assert_allclose(result.residuals_imag, residuals.imag, atol=1e-12)
    assert result.pseudo_chi_square == pytest.approx(np.sum(np.abs(residuals) ** 2), rel=1e-8)


@pytest.mark.parametrize("sigma", [2e-3, 1e-2])
@pytest.mark.parametrize("drift, passes", [(0.0, True), (0.1, False)])
def test_kramers_kronig_passes_valid_data_and_fails_low_frequency_drift(sigma, drift, passes):
    # The resistance of the slow arc grows while the low-frequency points are measured.
    grown = two_zarc(r2=1.0 + drift)
    z = noisy(np.where(F < 1.0, grown, two_zarc()), sigma, seed=3)
    result = kramers_kronig(F, z)
    assert result.passed or not passes
    assert kramers_kronig(F, z, noise_level=sigma).passed is passes
    assert kramers_kronig(F, z, method="mu", rc_count=20).passed is passes
    if passes:
        assert result.noise_level == pytest.approx(max(sigma, 2e-3), rel=0.3)
    assert kramers_kronig(F, z, method="mu").noise_level == pytest.approx(max(sigma, 5e-3), rel=0.3)


@pytest.mark.parametrize("tau1, tau2", [(1e-4, 0.1), (3e-3, 0.1), (1e-5, 1e-3)])
def test_drt_finds_both_arcs_where_they_are(tau1, tau2):
    result = drt(F, noisy(two_zarc(tau1, tau2), 0.01, seed=1))
    main = np.argsort(result.peak_area)[::-1][:2]
    found = np.sort(np.log10(result.peak_tau[main]))
    np.testing.assert_allclose(found, np.log10([tau1, tau2]), atol=0.1)
    np.testing.assert_allclose(result.peak_area[main].sum(), 1.5, rtol=0.15)
    assert result.series_resistance == pytest.approx(0.1, abs=0.03)


@pytest.mark.parametrize("power", [-6, -3, 3, 6])
def test_drt_does_not_depend_on_the_impedance_unit(power):
    z = noisy(two_zarc(), 0.005, seed=1)
    reference, scaled = drt(F, z), drt(F, z * 10.0**power)
    np.testing.assert_allclose(scaled.peak_tau, reference.peak_tau, rtol=1e-6)
    np.testing.assert_allclose(scaled.peak_area / 10.0**power, reference.peak_area, rtol=1e-6)
    assert scaled.lambda_ * 100.0**power == pytest.approx(reference.lambda_, rel=1e-6)


@pytest.mark.parametrize("seed", [0, 1, 2])
@pytest.mark.parametrize("sigma", [0.005, 0.02])
@pytest.mark.parametrize("circuit, values, processes", [
    ("R0-Zarc1-Zarc2", [0.1, 0.5, 1e-4, 0.85, 1.0, 0.1, 0.9], 2),
    ("R0-Ws1", [0.1, 1.0, 1.0], 1),  # a monotonic tail of ever smaller modes
])
def test_drt_counts_processes_not_ripples(circuit, values, processes, sigma, seed):
    z = noisy(corvex.Circuit(circuit).with_values(values).impedance(F), sigma, seed)
    assert len(drt(F, z).peak_tau) == processes


def test_drt_flags_peaks_beyond_the_measured_time_constants():
    f = np.logspace(5, 0, 50)  # time constants up to 0.16 s measured
    z = corvex.Circuit("R0-Zarc1-Zarc2").with_values([0.1, 0.5, 1e-4, 0.85, 1.0, 1.0, 0.9]).impedance(f)
    result = drt(f, noisy(z, 0.005))
    assert [(round(np.log10(p.tau)), p.extrapolated) for p in result.peaks] == [(-4, False), (0, True)]


@pytest.mark.parametrize("power", [-160, 200, 300])
def test_kramers_kronig_works_at_any_impedance_scale(power):
    z = noisy(two_zarc(), 0.005)
    reference, scaled = kramers_kronig(F, z), kramers_kronig(F, z * 10.0**power)
    assert (scaled.m, scaled.passed) == (reference.m, reference.passed)
    assert scaled.pseudo_chi_square == pytest.approx(reference.pseudo_chi_square, rel=1e-6)


def test_drt_with_very_wide_basis_functions_stays_finite():
    result = drt(F, noisy(two_zarc(), 0.005), shape_factor=1e-3)
    assert np.isfinite(result.model).all() and np.isfinite(result.gamma).all()


def test_ranking_of_impedances_no_circuit_can_reach_gives_errors_not_nan():
    table = rank_circuits(F, two_zarc() * 1e-300)
    assert np.isfinite(table["aicc"][table["error"].isna()]).all()


def test_exact_fits_compare_by_their_parameter_count_alone():
    table = rank_circuits(F, np.full(F.size, 10 + 0j))
    n = 2 * F.size
    # Well inside what rounding of the data leaves: these fits are all exact.
    exact = table[table["error"].isna() & (table["chi_square"] < 0.5 * n * np.finfo(float).eps ** 2)]
    k = exact["parameters"].to_numpy(float)
    fit_term = exact["aicc"].to_numpy(float) - 2 * k - 2 * k * (k + 1) / (n - k - 1)
    assert len(exact) >= 2 and np.ptp(fit_term) <= 1e-9 * np.abs(fit_term).max()
    assert (table["aicc_weight"][~table["success"]].fillna(0) == 0).all()


def test_batches_keep_order_and_isolate_a_bad_spectrum():
    good = noisy(two_zarc(), 1e-3)
    spectra = [(F, good), (F[:2], good[:2]), (F, good * 2)]
    for analyse in (kramers_kronig, drt):
        table = analyse(spectra)
        assert list(table["spectrum"]) == [0, 1, 2]
        assert table["error"][0] is None and "needs at least" in table["error"][1]
        single = analyse(F, good)
        np.testing.assert_array_equal(table["result"][0].residuals_real, single.residuals_real)
        one_lane = analyse(spectra, n_jobs=1)
        np.testing.assert_array_equal(one_lane["result"][2].residuals_imag, table["result"][2].residuals_imag)


@pytest.mark.parametrize("analyse", [kramers_kronig, drt])
@pytest.mark.parametrize("f, z, message", [
    ([], [], "must not be empty"),
    (F[:3], F[:4] + 0j, "same length"),
    (F, np.where(F > 10, 1 + 1j, np.nan), "not finite"),
    (np.r_[F[:-1], -1.0], np.ones(60) + 1j, "finite positive"),
    (F[:2], np.ones(2) - 1j, "needs at least"),
])
def test_bad_input_raises_value_error(analyse, f, z, message):
    with pytest.raises(ValueError, match=message):
        analyse(f, z)


def test_kramers_kronig_refuses_an_rc_count_the_data_cannot_determine():
    with pytest.raises(ValueError, match="rc_count=30"):
        kramers_kronig(F[:10], two_zarc()[:10], rc_count=30)


@pytest.mark.parametrize("key, values", [
    ("rc", [0.2, 1.0, 1e-3]),
    ("rq_l", [2e-6, 0.2, 1.0, 1e-2, 0.8]),
    ("two_rq", [0.1, 0.5, 1e-3, 0.85, 1.0, 5.0, 0.9]),
    ("randles", [0.1, 1.0, 0.3, 1e-3, 0.85]),
    ("sei_randles", [0.05, 0.3, 1e-4, 0.9, 1.0, 0.5, 1e-2, 0.85]),
])
def test_ranking_puts_the_generating_topology_first(key, values):
    z = noisy(corvex.Circuit(key).with_values(values).impedance(F), 2e-3, seed=5)
    table = rank_circuits(F, z)
    assert len(table) == 11 and list(table["rank"]) == list(range(1, 12))
    assert table["circuit"][0] == key
    assert (table["bic"].diff().dropna() >= 0).all() and list(table["bic_rank"]) == list(table["rank"])
    assert table["result"][0].params.keys() == set(corvex.Circuit(key).param_names())


# Noise draws where the richer model's lower AICc is noise: plain AICc picked it; BIC and the
# AICc parsimony rule (within 2, fewer parameters wins) keep the generating topology.
@pytest.mark.parametrize("key, values, seed", [("rc", [0.2, 1.0, 1e-3], 10),
                                               ("two_rc", [0.1, 0.5, 1e-4, 1.0, 0.1], 22)])
def test_ranking_does_not_over_select_on_noise(key, values, seed):
    z = noisy(corvex.Circuit(key).with_values(values).impedance(F), 1e-2, seed=seed)
    by_bic = rank_circuits(F, z)
    richer = by_bic.loc[by_bic["aicc"].idxmin()]
    assert richer["circuit"] != key and richer["parameters"] > len(values)
    assert by_bic["circuit"][0] == key and by_bic["bic"][1] - by_bic["bic"][0] > 2
    by_aicc = rank_circuits(F, z, criterion="aicc")
    assert by_aicc["circuit"][0] == key and by_aicc["circuit"][1] == richer["circuit"]


def test_ranking_of_a_batch_and_of_circuits_without_a_model():
    z = two_zarc()
    table = rank_circuits({"good": (F, z), "short": (F[:3], z[:3])}, circuits=["R0-(R1,C1)-(R2,CPE2)", "rq"])
    good = table[table["name"] == "good"]
    assert list(good.set_index("circuit")["guessed"][["R0-(R1,C1)-(R2,CPE2)", "rq"]]) == [False, True]
    one_lane = rank_circuits({"good": (F, z)}, circuits=["R0-(R1,C1)-(R2,CPE2)", "rq"], n_jobs=1)
    assert list(one_lane["chi_square"]) == list(good["chi_square"])
    short = table[table["name"] == "short"]
    assert len(short) == 1 and "needs at least 4 points" in short["error"].iloc[0]


def test_ctrl_c_stops_a_long_ranking_batch():
    spectra = [(F, noisy(two_zarc(), 1e-2, seed=k)) for k in range(400)]
    timer = threading.Timer(0.3, signal.pthread_kill, (threading.main_thread().ident, signal.SIGINT))
    start = time.perf_counter()
    with pytest.raises(KeyboardInterrupt):
        timer.start()
        try:
            rank_circuits(spectra, thorough=True)
        finally:
            timer.join()
    assert time.perf_counter() - start < 2.0


@pytest.mark.parametrize("fit", ["real", "imaginary"])
def test_single_part_fits_still_describe_the_whole_spectrum(fit):
    z = noisy(two_zarc(), 1e-3, seed=2)
    test = kramers_kronig(F, z, fit=fit, rc_count=20, method="mu")
    assert np.abs(test.residuals_real).max() < 0.02 and np.abs(test.residuals_imag).max() < 0.02
    assert test.series_resistance == pytest.approx(0.1, rel=0.1)
    dist = drt(F, z, fit=fit)
    assert dist.series_resistance == pytest.approx(0.1, abs=0.03)
    np.testing.assert_allclose(dist.peak_area.sum(), 1.5, rtol=0.1)


def test_series_elements_are_recovered():
    # A blocking electrode (series C) and cable inductance around one arc.
    circuit = corvex.Circuit("L0-R0-(R1,CPE1)-C2").with_values([2e-6, 0.1, 1.0, 1e-3, 0.9, 5.0])
    z = circuit.impedance(F)
    assert not kramers_kronig(F, z, rc_count=25, series_capacitance=False).passed
    # Without widening: time constants beyond the data would share the series terms' shapes.
    test = kramers_kronig(F, z, rc_count=25, series_capacitance=True, method="mu")
    assert test.passed
    assert test.series_capacitance == pytest.approx(5.0, rel=1e-3)
    assert test.series_inductance == pytest.approx(2e-6, rel=1e-3)
    rc = corvex.Circuit("L0-R0-(R1,C1)").with_values([2e-6, 0.1, 1.0, 1e-3]).impedance(F)
    dist = drt(F, rc, series_inductance=True)
    assert dist.series_inductance == pytest.approx(2e-6, rel=0.05)
    assert np.log10(dist.peak_tau[np.argmax(dist.peak_area)]) == pytest.approx(-3, abs=0.05)


def test_automatic_m_stops_at_the_cap():
    test = kramers_kronig(F, two_zarc(), method="mu", max_rc_count=4)
    assert test.m == 4 and test.rc_count_capped and test.mu > 0.85


def test_ranking_flags_parameters_the_data_cannot_fix():
    z = noisy(corvex.Circuit("rc").with_values([0.2, 1.0, 1e-3]).impedance(F), 2e-3, seed=5)
    table = rank_circuits(F, z, circuits=["two_rc", "rq", "rc"])
    assert table["circuit"][0] == "rc" and not table["flagged"][0] and table["aicc_weight"][0] > 0.5
    table = table.set_index("circuit")
    assert table.loc["two_rc", "not_identifiable"] == ("C2.c",)
    assert table.loc["rq", "at_bounds"] == ("CPE1.alpha",)
    # The exponent at 1 makes the CPE the capacitor that generated the data: no doubt in that.
    assert table.loc["rq", "result"].params["CPE1.alpha"] == 1.0
    assert table.loc["rq", "flagged"] == bool(table.loc["rq", "not_identifiable"])


@pytest.mark.parametrize("library", ["pandas", "polars"])
def test_batch_forms_give_the_same_results(library):
    frames = pytest.importorskip(library)
    z = noisy(two_zarc(), 1e-3)
    long = {"cell": np.repeat(["a", "b"], F.size), "Frequency / Hz": np.tile(F, 2),
            "Real Impedance / ohm": np.r_[z.real, 2 * z.real], "Imaginary Impedance / ohm": np.r_[z.imag, 2 * z.imag]}
    by_column = kramers_kronig(frames.DataFrame(long), by="cell")
    rows = kramers_kronig(F, np.vstack([z, 2 * z]))
    assert list(by_column["cell"]) == ["a", "b"] and list(rows["spectrum"]) == [0, 1]
    for a, b in zip(by_column["result"], rows["result"]):
        np.testing.assert_array_equal(a.residuals_real, b.residuals_real)


@pytest.mark.parametrize("analyse, options, message", [
    (kramers_kronig, {"mu_threshold": 0.0}, "mu_threshold"),
    (kramers_kronig, {"fit": "both"}, "fit must be"),
    (kramers_kronig, {"noise_level": -1.0}, "noise_level"),
    (drt, {"derivative_order": 3}, "derivative_order"),
    (drt, {"lambda_": 0.0}, "lambda"),
    (drt, {"gcv_factor": 0.5}, "gcv_factor"),
    (drt, {"points_per_decade": 1e9}, "points_per_decade"),
    (rank_circuits, {"weight": "square"}, "weight scheme"),
])
def test_bad_options_raise_value_error(analyse, options, message):
    with pytest.raises(ValueError, match=message):
        analyse(F, two_zarc(), **options)
