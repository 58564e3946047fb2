# Circuit discovery: a clear-cut spectrum ranks its generating circuit first, the spectrum's
# features prune candidates before any fit, and the table never lists one circuit twice.
import numpy as np
import pytest

import corvex
from corvex import analysis

F = np.logspace(5, -2, 60)
TWO_ARCS = corvex.Circuit("R0-(R1,C1)-(R2,C2)").with_values([10.0, 40.0, 2.5e-6, 60.0, 1.67e-2])  # tau 1e-4, 1 s


def noisy(z, sigma, seed=3):
    rng = np.random.default_rng(seed)
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


@pytest.fixture(scope="module")
def two_arc_tables():
    z = TWO_ARCS.impedance(F)
    return {sigma: analysis.discover(F, noisy(z, sigma), max_parameters=7) for sigma in (0.0, 0.01)}


@pytest.mark.parametrize("sigma", [0.0, 0.01])
def test_a_clear_two_arc_spectrum_ranks_its_circuit_first(two_arc_tables, sigma):
    table = two_arc_tables[sigma]
    assert table["circuit"].iloc[0] == "R0-p(R1,C1)-p(R2,C2)"
    assert not table["flagged"].iloc[0]
    assert sigma == 0 or table["runs_p"].iloc[0] > 1e-3  # exact data leave only rounding in the residuals
    # Richer circuits that fit no better than it are flagged or rank below it by BIC.
    assert table["delta_bic"].iloc[0] <= 10
    assert table["circuit"].is_unique


# 5e-7 H leaves every point capacitive but bends omega (-Im Z) down at the top, which no arc can.
# Without one, only the carried rc_l has an inductor, and its fit (L at 0) is rc's duplicate.
@pytest.mark.parametrize("inductance, expect_inductor", [(0.0, False), (5e-7, True), (2e-5, True)])
def test_an_inductor_shows_only_where_the_high_frequency_end_shows_one(inductance, expect_inductor):
    z = corvex.Circuit("R0-(R1,C1)").with_values([10.0, 40.0, 2.5e-6]).impedance(F) + 2j * np.pi * F * inductance
    assert (z.imag < 0).all() or inductance > 1e-6
    table = analysis.discover(F, z, max_parameters=4, elements=("R", "C", "L"))
    assert table["circuit"].str.contains("L").any() == expect_inductor
    assert table["circuit"].str.count("p\\(").max() <= 2  # one DRT peak: at most two arcs


# A real part at the top frequency near zero shows no series resistor: chains without one are
# tried as well, and the one that generated the data ranks first; with R0 every chain has one.
@pytest.mark.parametrize("r0, first", [(0.0, "p(R1,C1)-p(R2,C2)"), (10.0, "R0-p(R1,C1)-p(R2,C2)")])
def test_a_series_resistor_is_left_out_only_where_the_data_show_none(r0, first):
    z = TWO_ARCS.impedance(F) - 10.0 + r0
    table = analysis.discover(F, z, max_parameters=7, elements=("R", "C"))
    assert table["circuit"].iloc[0] == first
    assert table["circuit"].str.startswith("R0").all() == (r0 > 0)


@pytest.mark.parametrize("kwargs, message", [
    ({"elements": ("R", "K")}, "not one of"),
    ({"elements": ()}, "^elements: expected at least one of"),
    ({"top": 0}, "top must be"),
    ({"max_parameters": -1}, "^argument 'max_parameters': expected a whole number from 0"),
    ({"max_depth": 2**40}, "^argument 'max_depth': expected a whole number from 0"),
])
def test_bad_options_name_what_is_wrong(kwargs, message):
    with pytest.raises(ValueError, match=message):
        analysis.discover(F, TWO_ARCS.impedance(F), **kwargs)


def test_negative_counts_of_the_other_analyses_are_value_errors():
    z = TWO_ARCS.impedance(F)
    with pytest.raises(ValueError, match="^argument 'patience': expected a whole number"):
        analysis.rank_circuits(F, z, patience=-1)


def test_one_frequency_repeated_is_refused_as_too_few_distinct_frequencies():
    f = np.full(60, 10.0)
    with pytest.raises(ValueError, match="needs at least 4 distinct frequencies, got 1"):
        analysis.discover(f, TWO_ARCS.impedance(f), max_parameters=4)


def test_a_batch_keeps_a_bad_spectrum_to_its_own_row():
    good = (F, TWO_ARCS.impedance(F))
    table = analysis.discover([good, (F[:2], good[1][:2])], max_parameters=5, top=3)
    assert table[table["spectrum"] == 0]["error"].isna().all() and len(table[table["spectrum"] == 0]) == 3
    assert "at least" in table[table["spectrum"] == 1]["error"].iloc[0]


# A finite diffusion whose knee lies inside the window, a decade after the slowest arc: its start
# reads the tail as the diffusion's, so its fit must come from a nested or swapped circuit's.
@pytest.mark.parametrize("generating, values, within, nested", [
    ("R0-p(R1,C1)-Wo0", [1.0, 1.7, 0.045, 3.0, 0.75], 1, ["R0-p(R1,C1)", "R0-Wo0"]),
    ("R0-p(R1,CPE1)-Wo0", [0.55, 1.6, 2.1e-3, 0.9, 1.65, 0.019], 1, ["R0-p(R1,CPE1)", "R0-Wo0"]),
    ("R0-p(R1,C1)-p(R2,C2)-Wo0", [7.5, 100.0, 1e-7, 50.0, 8e-6, 20.0, 4e-3], 3,
     ["R0-p(R1,C1)-p(R2,C2)", "R0-p(R1,C1)-Wo0"]),
])
def test_a_diffusion_knee_inside_the_window_is_found(generating, values, within, nested):
    z = corvex.Circuit(generating).with_values(values).impedance(F)
    table = analysis.discover(F, noisy(z, 0.01))
    assert generating in table["circuit"].iloc[:within].tolist()
    # A richer circuit starts where each one nested in it ended, so it never ends costlier.
    chi_square = table.set_index("circuit")["chi_square"]
    for name in nested:
        if name in chi_square.index:
            assert chi_square[generating] <= chi_square[name] * (1 + 1e-9)


# Impedances of any magnitude are fitted at a unit scale: the same spectrum at 1e-310 (subnormal),
# 1e-300 or 1e300 ohms gives the same circuits, resistances and capacitances scaled by the
# factor and its inverse, time constants and scale-free costs unchanged.
@pytest.mark.parametrize("scale", [1e-310, 1e-300, 1e300])
def test_discovery_does_not_depend_on_the_impedance_scale(two_arc_tables, scale):
    reference = two_arc_tables[0.01]
    z = noisy(TWO_ARCS.impedance(F), 0.01) * scale
    table = analysis.discover(F, z, max_parameters=7)
    assert table["circuit"].iloc[0] == reference["circuit"].iloc[0]
    assert np.isfinite(table["chi_square"].iloc[0])
    np.testing.assert_allclose(table["chi_square"].iloc[0], reference["chi_square"].iloc[0], rtol=1e-6)
    result, expected = table["result"].iloc[0], reference["result"].iloc[0]
    for name, value in expected.params.items():
        scaled = (lambda v: v * scale) if name.endswith(".r") else (lambda v: v / scale)
        np.testing.assert_allclose(result.params[name], scaled(value), rtol=1e-6)
        np.testing.assert_allclose(result.stderr[name], scaled(expected.stderr[name]), rtol=1e-4)
    np.testing.assert_allclose(result.cost, expected.cost, rtol=1e-6)
