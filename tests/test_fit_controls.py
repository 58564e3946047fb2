# Fits under held parameters, narrowed bounds and error models, their uncertainty figures,
# and the robust starts of corvex.fitting.fit.
import math
import pathlib
import warnings

import numpy as np
import pandas as pd
import pytest
import scipy.stats

import corvex
import corvex.batch
from corvex.fitting import fit

F = np.logspace(-2, 5, 40)
TRUE = [10.0, 50.0, 1e-4, 0.85]
RQ = corvex.Circuit("R0-(R1,CPE1)")
_noise = np.random.default_rng(1)
Z = RQ.with_values(TRUE).impedance(F) * (1 + 0.01 * (_noise.standard_normal(40) + 1j * _noise.standard_normal(40)))
LI_ION = pathlib.Path(__file__).parent / "data" / "li-ion-example.csv"


def test_without_controls_the_guess_start_is_circuit_fit_exactly():
    plain = RQ.fit(F, Z)
    for robust in (False, True):
        report = fit(RQ, F, Z, robust=robust)
        assert report.start == "guess"
        assert repr(report.result) == repr(plain) and report.result.cost == plain.cost
    assert fit(RQ.with_values(TRUE), F, Z, robust=False).start == "initial"


@pytest.mark.parametrize("fixed", [{"R0.r": 9.5}, {"R0.r": 9.5, "CPE1.alpha": 0.9}, {"R1.r": 48.0, "CPE1.q": 1.2e-4}])
def test_held_parameters_never_move_and_leave_the_degrees_of_freedom(fixed):
    report = fit(RQ, F, Z, fixed=fixed)
    for name, value in fixed.items():
        assert report.params[name] == value and report.stderr[name] is None
        assert report.identifiable[name] is None and report.intervals[name] is None
        i = report.names.index(name)
        assert not report.covariance[i].any()
    assert report.degrees_of_freedom == 2 * len(F) - (4 - len(fixed))
    # The result keeps the spectrum it was fitted to, so it can be drawn and saved on its own.
    measured = corvex._fit_spectrum(report.result)
    np.testing.assert_array_equal(measured[0], F)
    np.testing.assert_array_equal(measured[1], Z)
    free = [n for n in report.names if n not in fixed]
    assert all(report.stderr[n] > 0 for n in free)
    assert report.result.cost <= RQ.with_named_values({**dict(zip(report.names, TRUE)), **fixed}).fit(
        F, Z, guess_init=False).cost * (1 + 1e-6) or report.result.cost < 1


@pytest.mark.parametrize("bounds, name, expected", [
    ({"CPE1.alpha": (0.6, 0.8)}, "CPE1.alpha", 0.8),     # optimum above the limit
    ({"R1.r": (0, 10)}, "R1.r", 10.0),                 # open-bound parameter given an upper limit
    ({"R0.r": (12, None)}, "R0.r", 12.0),              # a raised lower limit
])
def test_bounds_always_hold_and_bind_where_the_optimum_lies_outside(bounds, name, expected):
    for robust in (False, True):
        report = fit(RQ, F, Z, bounds=bounds, robust=robust)
        lo, hi = bounds[name]
        value = report.params[name]
        assert (lo is None or value >= lo) and (hi is None or value <= hi)
        assert value == pytest.approx(expected, rel=1e-9)
        assert all(lo_c <= v <= hi_c for v, (lo_c, hi_c) in zip(report.values, RQ.param_bounds()))


@pytest.mark.parametrize("kwargs, message", [
    ({"fixed": {"R0.rr": 1.0}}, 'unknown parameter "R0.rr" (did you mean "R0.r"?)\n\nvalid parameters'),
    ({"bounds": {"CPE.alpha": (0.5, 1)}}, 'unknown parameter "CPE.alpha" (did you mean "CPE1.alpha"?)'),
    ({"bounds": {"CPE1.alpha": (2, 3)}}, 'leave nothing of the parameter\'s range (0, 1)'),
    ({"bounds": {"R1.r": (5, 1)}}, 'low <= high'),
    ({"fixed": {"R1.r": math.nan}}, 'must be finite'),
    ({"fixed": {"CPE1.alpha": 1.5}}, 'fixed value of "CPE1.alpha" must lie within the parameter\'s range (0, 1), got 1.5'),
    ({"fixed": {"R1.r": -5}}, 'fixed value of "R1.r" must lie within the parameter\'s range (1e-12, inf), got -5'),
    ({"weight": np.ones(3)}, 'one standard deviation per point (40), got 3'),
    ({"weight": -np.ones(40)}, 'finite and positive'),
    ({"weight": "Modulus"}, 'unknown weight scheme "Modulus"'),
    ({"fixed": {"R0.r": 10.0}, "method": "nelder_mead"}, 'need method "levenberg_marquardt"'),
])
def test_unusable_controls_raise_value_errors_naming_the_problem(kwargs, message):
    with pytest.raises(ValueError) as info:
        fit(RQ, F, Z, **kwargs)
    assert message in str(info.value)


def test_weightings_agree_with_the_standard_deviations_they_stand_for():
    proportional = fit(RQ, F, Z, weight="proportional", robust=False)
    as_sigma = fit(RQ, F, Z, weight=np.abs(Z.real) + 1j * np.abs(Z.imag), robust=False)
    assert proportional.result.cost == as_sigma.result.cost
    modulus = fit(RQ.with_values(TRUE), F, Z, robust=False, fixed={"R0.r": 10.0})
    by_modulus = fit(RQ.with_values(TRUE), F, Z, weight=np.abs(Z), robust=False, fixed={"R0.r": 10.0})
    assert modulus.result.cost == pytest.approx(by_modulus.result.cost, rel=1e-12)


def test_uncertainty_matches_the_classical_formula_with_t_intervals():
    report = fit(RQ, F, Z)
    classical = report.result.stderr
    for name in report.names:
        assert report.stderr[name] == pytest.approx(classical[name], rel=1e-6)
        lo, hi = report.intervals[name]
        t = scipy.stats.t.ppf(0.975, 2 * len(F) - 4)
        assert report.t_quantile == pytest.approx(t, rel=1e-12)
        assert (hi - lo) / 2 == pytest.approx(t * report.stderr[name], rel=1e-12)
    assert report.identifiable == dict.fromkeys(report.names, True)
    assert np.allclose(np.diag(report.correlation), 1) and np.allclose(report.correlation, report.correlation.T)


# A series resistance below the noise and an exponent next to 1: value -/+ t * stderr would
# reach a negative resistance and an exponent above 1; the interval ends at the range instead.
@pytest.mark.parametrize("bounds", [{}, {"CPE1.alpha": (0.9, 1.0)}])
def test_intervals_end_at_the_parameter_range(bounds):
    z = RQ.with_values([0.01, 50.0, 1e-4, 0.995]).impedance(F)
    rng = np.random.default_rng(2)
    z = z + 0.5 * (rng.standard_normal(40) + 1j * rng.standard_normal(40))
    report = fit(RQ.with_values([0.01, 50.0, 1e-4, 0.99]), F, z, bounds=bounds, robust=False)
    for name, (lo, hi) in zip(report.names, RQ.param_bounds()):
        low, high = report.intervals[name]
        lo, hi = max(lo, bounds.get(name, (lo, hi))[0]), min(hi, bounds.get(name, (lo, hi))[1])
        half = report.t_quantile * report.stderr[name]
        value = report.params[name]
        assert (low, high) == (max(value - half, lo), min(value + half, hi))
    assert report.intervals["R0.r"][0] == 1e-12 and report.intervals["CPE1.alpha"][1] == 1.0


def test_interchangeable_resistors_are_flagged_not_given_zero_errors():
    f = np.logspace(-2, 5, 40)
    noise = np.random.default_rng(3)
    z = corvex.Circuit("R0-(R1,C1)").with_values([10, 100, 1e-5]).impedance(f)
    z = z * (1 + 0.01 * noise.standard_normal(40))
    report = fit(corvex.Circuit("R0-(R1,C1)-R2").with_values([4, 90, 2e-5, 5]), f, z, robust=False)
    assert report.stderr["R0.r"] == math.inf and report.stderr["R2.r"] == math.inf
    assert report.identifiable == {"R0.r": False, "R1.r": True, "C1.c": True, "R2.r": False}
    assert 0 < report.stderr["R1.r"] < math.inf and 0 < report.stderr["C1.c"] < math.inf


@pytest.mark.parametrize("points", [1, 2, 4, 16, 500])
def test_t_quantiles_match_scipy(points):
    f = np.logspace(0, 3, points)
    z = 5.0 + np.random.default_rng(points).standard_normal(points) * (1 + 1j) * 0.1
    report = fit(corvex.Circuit("R0").with_values([4.0]), f, z, robust=False)
    assert report.degrees_of_freedom == 2 * points - 1
    assert report.t_quantile == pytest.approx(scipy.stats.t.ppf(0.975, 2 * points - 1), rel=1e-10)


def test_robust_starts_rescue_a_fit_from_placeholders():
    data = pd.read_csv(LI_ION)
    f = data["Frequency / Hz"].to_numpy()
    z = data["Real Impedance / ohm"].to_numpy() + 1j * data["Imaginary Impedance / ohm"].to_numpy()
    circuit = corvex.Circuit("R0-(R1,C1)-(R2,C2)-Wo1")
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        plain = circuit.fit(f, z)
        report = fit(circuit, f, z)
        again = fit(circuit, f, z)
    assert plain.cost > 1e3 and report.result.cost < 1 and report.result.success
    assert report.start != "initial"
    assert repr(report.result) == repr(again.result) and report.start == again.start


def test_batch_rows_under_controls_are_the_single_fits():
    spectra = [(F, Z), (F, Z * 1.1), (F[:1], Z[:1])]
    controls = {"fixed": {"R0.r": 9.5}, "bounds": {"CPE1.alpha": (0.6, 0.8)}}
    table = corvex.batch.fit(RQ, spectra, n_jobs=2, **controls)
    for (_, row), (f, z) in zip(table.iloc[:2].iterrows(), spectra):
        single = fit(RQ, f, z, **controls)
        assert row["cost"] == single.result.cost and row["start"] == single.start
        assert row["R0.r"] == 9.5 and row["CPE1.alpha"] <= 0.8
        assert (row["R1.r_ci_low"], row["R1.r_ci_high"]) == single.intervals["R1.r"]
        assert row["R1.r_identifiable"] and row["R0.r_identifiable"] is pd.NA
    assert isinstance(table["error"][2], str) and table["R1.r_identifiable"].isna()[2]
    with pytest.raises(ValueError, match='did you mean "CPE1.alpha"'):
        corvex.batch.fit(RQ, spectra, bounds={"CPE1.alfa": (0, 1)})


def test_batch_takes_one_array_of_standard_deviations_per_spectrum():
    spectra = [(F, Z), (F, Z * 1.1)]
    sigmas = [0.01 * np.abs(Z), 0.02 * np.abs(Z.real) + 0.03j * np.abs(Z.imag)]
    table = corvex.batch.fit(RQ, spectra, weight=sigmas, robust=False)
    for (_, row), (f, z), sigma in zip(table.iterrows(), spectra, sigmas):
        assert row["cost"] == fit(RQ, f, z, weight=sigma, robust=False).result.cost
    short = corvex.batch.fit(RQ, spectra, weight=[sigmas[0], sigmas[1][:5]], robust=False)
    assert short["error"][0] is None and "one standard deviation per point (40), got 5" in short["error"][1]
    with pytest.raises(ValueError, match="one array of standard deviations per spectrum"):
        corvex.batch.fit(RQ, spectra, weight=sigmas[:1])


@pytest.mark.parametrize("controls", [
    {"fixed": {"R0.r": 9.0, "R1.r": 45.0, "CPE1.q": 1e-4, "CPE1.alpha": 0.8}},
    {"bounds": {"R0.r": (9.0, 9.0), "R1.r": (45.0, 45.0), "CPE1.q": (1e-4, 1e-4), "CPE1.alpha": (0.8, 0.8)}},
])
def test_with_nothing_free_the_circuit_comes_back_as_given(controls):
    # A solver handed no free column crashed the process; there is simply nothing to solve.
    given = [9.0, 45.0, 1e-4, 0.8]
    expected_cost = 0.5 * np.sum(np.square(RQ.residuals(given, F, Z)))
    report = fit(RQ.with_values([1.0, 1.0, 1e-6, 0.5]), F, Z, **controls)
    table = corvex.batch.fit(RQ.with_values([1.0, 1.0, 1e-6, 0.5]), [(F, Z), (F, 2 * Z)], n_jobs=1, **controls)
    for result in (report.result, table["result"][0]):
        assert result.circuit.param_values() == given
        assert result.success and result.iterations == 0 and result.stderr is None
        assert result.cost == pytest.approx(expected_cost, rel=1e-12)
    assert all(e is None for e in report.stderr.values()) and table["success"].all()
