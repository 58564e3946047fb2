# Starts read off the spectrum for circuits without a carried network: features go to the
# right elements, and fits from them reach the data.
import pathlib
import warnings

import numpy as np
import pandas as pd
import pytest

import corvex
import corvex.batch
from corvex.fitting import fit

F = np.logspace(-2, 6, 64)
DATA = pathlib.Path(__file__).parent / "data"
LI_ION = DATA / "li-ion-example.csv"


def _measured(path=LI_ION):
    data = pd.read_csv(path)
    f = data["Frequency / Hz"].to_numpy()
    return f, data["Real Impedance / ohm"].to_numpy() + 1j * data["Imaginary Impedance / ohm"].to_numpy()


def _start(notation, values, f=F, generating=None):
    circuit = corvex.Circuit(notation)
    z = corvex.Circuit(generating or notation).with_values(values).impedance(f)
    return dict(zip(circuit.param_names(), corvex._data_start(circuit, f, z)))


# Fast arc 20 ohm at 1e-5 s, slow arc 80 ohm at 1e-1 s: swapped, they would be off by 4 and 1e4.
@pytest.mark.parametrize("notation, truth", [
    ("R0-(R1,C1)-(R2,C2)", [5.0, 20.0, 5e-7, 80.0, 1.25e-3]),
    ("R0-(R1,CPE1)-(R2,CPE2)", [5.0, 20.0, (1e-5) ** 0.9 / 20.0, 0.9, 80.0, (1e-1) ** 0.9 / 80.0, 0.9]),
    ("R0-K1-K2", [5.0, 20.0, 1e-5, 80.0, 1e-1]),
])
def test_arcs_take_the_peaks_in_time_constant_order(notation, truth):
    start = _start(notation, truth)
    assert start["R0.r"] == pytest.approx(5.0, rel=0.5)
    resistances = [value for name, value in start.items() if name.endswith(".r") and name != "R0.r"]
    assert resistances == pytest.approx([20.0, 80.0], rel=0.5)
    if "C1.c" in start:
        tau = [start["R1.r"] * start["C1.c"], start["R2.r"] * start["C2.c"]]
    elif "CPE1.q" in start:
        tau = [(start["R1.r"] * start["CPE1.q"]) ** (1 / start["CPE1.alpha"]),
               (start["R2.r"] * start["CPE2.q"]) ** (1 / start["CPE2.alpha"])]
    else:
        tau = [start["K1.tau_k"], start["K2.tau_k"]]
    assert tau[0] == pytest.approx(1e-5, rel=1.0) and tau[1] == pytest.approx(1e-1, rel=1.0)


# The exponent read off the DRT peak's shape (Cole-Cole height over area), on exact Zarcs.
@pytest.mark.parametrize("alpha", [0.55, 0.7, 0.85, 1.0])
def test_cpe_exponent_comes_from_the_peak_width(alpha):
    start = _start("R0-(R1,CPE1)", [5.0, 20.0, (1e-3) ** alpha / 20.0, alpha])
    assert start["CPE1.alpha"] == pytest.approx(alpha, abs=0.05)
    assert (start["R1.r"] * start["CPE1.q"]) ** (1 / start["CPE1.alpha"]) == pytest.approx(1e-3, rel=0.3)


def test_missing_arc_lies_between_its_neighbours_and_extra_peaks_go_unused():
    two = [5.0, 20.0, 1e-5, 80.0, 1e-1]
    three = _start("R0-K1-K2-K3", two, generating="R0-K1-K2")
    taus = [three["K1.tau_k"], three["K2.tau_k"], three["K3.tau_k"]]
    assert taus == sorted(taus) and 1e-5 / 2 < taus[0] < 1e-5 * 2 and 1e-1 / 2 < taus[2] < 1e-1 * 2
    # The data show no third arc: the start that matches them best keeps it small.
    assert 0.0 < three["K2.r"] <= 80.0 * 1.5


def test_one_arc_for_two_peaks_ends_in_the_cheaper_assignment():
    # The slow peak is the nearer start, yet the fast one fits better: the start that
    # fit(start="data") uses must end in the cheaper basin of the two.
    circuit = corvex.Circuit("R0-K1")
    z = corvex.Circuit("R0-K1-K2").with_values([5.0, 20.0, 1e-5, 80.0, 1e-1]).impedance(F)
    by_peak = [circuit.with_values(values).fit(F, z).cost for values in ([5.0, 20.0, 1e-5], [5.0, 80.0, 1e-1])]
    assert fit(circuit, F, z, robust=False, start="data").result.cost <= min(by_peak) * (1 + 1e-6)


# A Randles arc faster than the plain arc, its Warburg bend beyond the window: time-constant
# order alone gives the plain arc's peak to R1 and the Warburg's tail to the second arc.
def test_randles_arc_out_of_time_constant_order_and_far_warburg_are_found():
    f = np.logspace(-2, 5, 60)
    truth = [1.0, 10.0, 1e-1 ** 0.9 / 10.0, 0.9, 5.0, 20.0, 100.0, 1e-4 ** 0.85 / 5.0, 0.85]
    circuit = corvex.Circuit("R0-(R1,CPE1)-(R2-Wo2,CPE2)")
    result = fit(circuit, f, circuit.with_values(truth).impedance(f), robust=False, start="data").result
    assert list(result.params.values()) == pytest.approx(truth, rel=1e-4)


# A faint open Warburg beside an ideal arc, with an arc faster than the window taking the
# intercept: the brief runs drive the Warburg to nothing, and only reading it again finds it.
# Which basin a run ends in turns on the last digits here, so six copies perturbed far above
# an ulp stand in for other processors: without the second reading none finds it.
def test_faint_warburg_removed_by_the_brief_runs_is_found():
    f = np.logspace(np.log10(5e4), 0, 48)
    truth = [8.31e-6, 2.9e-4, 29.1, 6.27e-9, 1.0, 46.7, 0.03, 0.158, 1.06e-5, 0.9976]
    circuit = corvex.Circuit("L0-R0-(R1,CPE1)-(R2-Wo2,CPE2)")
    z = circuit.with_values(truth).impedance(f)
    found = 0
    for seed in range(6):
        copy = z * (1 + 1e-12 * np.random.default_rng(seed).standard_normal(f.size))
        params = fit(circuit, f, copy, robust=False, start="data").result.params
        found += [params["Wo2.z0"], params["Wo2.tau"]] == pytest.approx(truth[6:8], rel=1e-3)
    assert found >= 1


def test_series_inductor_and_warburg_take_the_tails():
    f = np.logspace(-3, 6, 64)
    start = _start("L0-R0-(R1,C1)-W1", [2e-6, 5.0, 20.0, 1e-6, 30.0], f)
    assert start["L0.l"] == pytest.approx(2e-6, rel=0.5)
    assert start["W1.aw"] == pytest.approx(30.0, rel=0.5)


def test_data_start_fits_a_circuit_no_network_knows():
    f, z = _measured()
    circuit = corvex.Circuit("R0-(R1,C1)-(R2,C2)-Wo1")
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        placeholders = fit(circuit, f, z, robust=False)
    report = fit(circuit, f, z, robust=False, start="data")
    assert report.start == "data" and report.result.success
    assert report.result.cost < 1 < placeholders.result.cost
    # Two at once: the brief runs of each start then run inline rather than on the pool.
    table = corvex.batch.fit(circuit, [(f, z), (f, z)], robust=False, start="data", n_jobs=2)
    assert list(table["start"]) == ["data", "data"]
    assert list(table["cost"]) == pytest.approx([report.result.cost] * 2, rel=1e-9)


def test_robust_starts_include_the_data_start():
    # Placeholders end four orders above the data start here, and no other robust start
    # (arcs swapped, resistances moved, a contained network's guess) reaches its basin.
    f, z = _measured()
    circuit = corvex.Circuit("R0-(R1,CPE1)-(R2,CPE2)-W1")
    from_data = fit(circuit, f, z, robust=False, start="data").result.cost
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        report = fit(circuit, f, z)
        table = corvex.batch.fit(circuit, [(f, z)], n_jobs=1)
    # The robust start is the family's nearest member, without the brief runs of start="data";
    # it ends with every value runaway (R2 near 1e9 ohm), so the tolerant run of the first
    # start, which now stays within the exponents' range and ends sound, wins.
    assert report.start in ("data", "tolerant") and report.result.cost < 2 * from_data and report.runaway == ()
    assert table["cost"][0] == pytest.approx(report.result.cost, rel=1e-9)


def test_unknown_start_is_refused():
    with pytest.raises(ValueError, match="start"):
        fit(corvex.Circuit("R0"), F, np.full(F.size, 1.0 + 0j), start="guesses")


# Held or bounded far from its free optimum, a resistor makes the free problem's best member
# a poor start (brief runs that ignore the controls end 5 times higher under each of these),
# and so does a weighting of the controlled fit's own (3 times higher on dummy-circuit-1):
# the brief runs must solve the controlled problem, so the fit ends at least as low as a fit
# under the same controls from any member the runs start from.
@pytest.mark.parametrize("notation, controls, path", [
    ("L0-R0-(R1,CPE1)-(R2-Wo2,CPE2)", {"fixed": {"R1.r": 0.047906}}, LI_ION),
    ("R0-(R1,CPE1)-(R2,CPE2)-(R3,CPE3)", {"bounds": {"R0.r": (0.002536, 0.003962)}}, LI_ION),
    ("L0-R0-(R1,CPE1)-(R2-Wo2,CPE2)", {"weight": "proportional"}, DATA / "dummy-circuit-1.csv"),
])
def test_brief_runs_solve_the_held_or_bounded_problem(notation, controls, path):
    f, z = _measured(path)
    circuit = corvex.Circuit(notation)
    result = fit(circuit, f, z, robust=False, start="data", **controls).result
    from_members = [fit(circuit.with_values(values), f, z, robust=False, guess_init=False, **controls).result.cost
                    for values in corvex._data_start_members(circuit, f, z)]
    assert result.cost <= min(from_members) * (1 + 1e-6)
    for name, value in controls.get("fixed", {}).items():
        assert result.params[name] == value
    for name, (low, high) in controls.get("bounds", {}).items():
        assert low <= result.params[name] <= high
    # In a batch, beside a spectrum that has no usable point, the same fit.
    table = corvex.batch.fit(circuit, [(f, z), (f, np.full(f.size, np.nan + 0j))], robust=False, start="data",
                             n_jobs=2, **controls)
    assert table["cost"][0] == pytest.approx(result.cost, rel=1e-9) and isinstance(table["error"][1], str)
