"""The default Kramers-Kronig test and Z-HIT on spectra whose truth is known: ideal elements
pass at any point density, drift fails, the admittance form agrees, and the Hilbert relation
reconstructs a known modulus."""
import warnings

import numpy as np
import pytest

import corvex
from corvex.analysis import kramers_kronig, zhit


def spectrum(notation, values, decades=(-2, 5), per_decade=10):
    f = np.logspace(decades[1], decades[0], (decades[1] - decades[0]) * per_decade + 1)
    return f, corvex.Circuit(notation).with_values(values).impedance(f)


def noisy(z, sigma, seed):
    rng = np.random.default_rng(seed)
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


def drifted(z, share):
    """|Z| grows by `share` over the sweep (high to low frequency), the phase untouched."""
    return z * (1.0 + share * np.linspace(0.0, 1.0, z.size))


IDEAL = [
    ("R0-p(R1,C1)", [10.0, 100.0, 1e-5]),                       # tau = 1 ms, mid-window
    ("R0-p(R1,C1)", [10.0, 100.0, 2e-9]),                       # tau near the high-frequency edge
    ("R0-p(R1,C1)", [10.0, 100.0, 5e-1]),                       # tau near the low-frequency edge
    ("R0-p(R1,C1)-C2", [10.0, 100.0, 1e-5, 1e-2]),              # a blocking electrode
    ("R0-p(C1,R1-W1)", [10.0, 1e-5, 100.0, 30.0]),              # Randles
    ("L0-R0-p(R1,C1)", [1e-6, 5.0, 20.0, 5e-5]),                # cable inductance
]


@pytest.mark.parametrize("per_decade", [5, 10, 20])
@pytest.mark.parametrize("notation, values", IDEAL)
def test_default_passes_ideal_elements_at_any_point_density(notation, values, per_decade):
    f, z = spectrum(notation, values, per_decade=per_decade)
    test = kramers_kronig(f, z)
    assert test.passed and test.noise_estimated and not test.too_flexible
    # Far below any instrument's noise: the chain is long enough for an ideal element.
    assert max(np.abs(test.residuals_real).max(), np.abs(test.residuals_imag).max()) < 1e-3
    assert kramers_kronig(f, noisy(z, 0.003, seed=1), noise_level=0.003).passed


def test_mu_method_can_stop_short_of_an_ideal_element():
    # The reason the default changed: the mu criterion stops at a few elements here.
    f, z = spectrum("R0-p(R1,C1)", [10.0, 100.0, 1e-5], per_decade=5)
    short = kramers_kronig(f, z, method="mu")
    assert not short.passed and short.rc_count < kramers_kronig(f, z).rc_count


@pytest.mark.parametrize("admittance", [False, True])
@pytest.mark.parametrize("notation, values", [IDEAL[0], IDEAL[4]])
def test_a_five_percent_drift_fails_at_the_true_noise_level(notation, values, admittance):
    f, z = spectrum(notation, values)
    rejected = [not kramers_kronig(f, noisy(drifted(z, 0.05), 0.003, seed), noise_level=0.003,
                                   admittance=admittance).passed for seed in range(20)]
    accepted = [kramers_kronig(f, noisy(z, 0.003, seed), noise_level=0.003, admittance=admittance).passed
                for seed in range(20)]
    assert sum(rejected) >= 19 and sum(accepted) >= 19


def test_estimated_noise_does_not_hide_drift():
    f, z = spectrum(*IDEAL[4])
    # The estimate must allow for its own uncertainty, so it is a coarser judge than a given level.
    failed = [not kramers_kronig(f, noisy(drifted(z, 0.10), 0.003, seed)).passed for seed in range(10)]
    assert sum(failed) >= 9
    drift = kramers_kronig(f, drifted(z, 0.05))
    white = kramers_kronig(f, noisy(z, 0.003, seed=4))
    # Drift leaves runs of residuals of one sign; noise does not.
    assert drift.whiteness_p < 1e-3 < white.whiteness_p
    assert white.noise_estimated and white.noise_level == pytest.approx(0.003, rel=0.3)


def test_admittance_model_is_the_impedance_of_the_fitted_chain():
    # A parallel leak dominates: the admittance form needs only its constant terms.
    f, z = spectrum("p(R0,C0)", [1e4, 1e-9])
    test = kramers_kronig(f, noisy(z, 1e-3, seed=2), admittance=True, noise_level=1e-3)
    assert test.passed and test.representation == "admittance"
    np.testing.assert_allclose(test.model, z, rtol=1e-2)
    y = 1 / noisy(z, 1e-3, seed=2)
    np.testing.assert_allclose(test.residuals_real + 1j * test.residuals_imag, (y - 1 / test.model) / np.abs(y),
                               atol=1e-9)


@pytest.mark.parametrize("options, message", [
    ({"rc_count": -3}, "rc_count must be a whole number"),
    ({"rc_count": 0}, "rc_count must be a whole number"),
    ({"rc_count": 2.5}, "rc_count must be a whole number"),
    ({"max_rc_count": -1}, "max_rc_count"),
    ({"method": "lin-kk"}, "method must be"),
    ({"rc_per_decade": 0.0}, "rc_per_decade"),
    ({"tau_extension": -1.0}, "tau_extension"),
])
def test_bad_kramers_kronig_options_raise_value_error(options, message):
    f, z = spectrum(*IDEAL[0])
    with pytest.raises(ValueError, match=message):
        kramers_kronig(f, z, **options)


def test_a_chain_longer_than_the_data_is_flagged_and_warned_about():
    f, z = spectrum(*IDEAL[0], decades=(-1, 3), per_decade=10)
    with pytest.warns(UserWarning, match="exceeds the 41 frequencies"):
        test = kramers_kronig(f, drifted(z, 0.05), rc_count=60, method="mu")
    assert test.too_flexible
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert not kramers_kronig(f, z).too_flexible
    table = kramers_kronig(f, np.vstack([z, z]), rc_count=60)
    assert list(table["too_flexible"]) == [True, True]


def zarc_modulus(f, alpha, r0=1.0, r=10.0, tau=1e-3):
    return np.abs(r0 + r / (1 + (2j * np.pi * f * tau) ** alpha))


# The second-order relation is exact for a constant phase and deviates most at an ideal RC
# element; a wrong sign of the integral or of the slope term misses by ten per cent and more.
@pytest.mark.parametrize("per_decade", [5, 10, 20])
@pytest.mark.parametrize("alpha, bound", [(0.6, 5e-3), (0.75, 1e-2), (1.0, 3.5e-2)])
def test_zhit_reconstructs_a_known_modulus(per_decade, alpha, bound):
    f, z = spectrum("R0-Zarc1", [1.0, 10.0, 1e-3, alpha], per_decade=per_decade)
    check = zhit(f, z, window=(1e-1, 1e4))
    inside = check.in_window
    np.testing.assert_allclose(check.modulus[inside], zarc_modulus(f, alpha)[inside], rtol=bound)
    assert np.abs(check.residuals_modulus).max() < 1.5 * bound


def test_zhit_finds_drift_of_the_modulus_outside_its_window():
    f, z = spectrum("R0-Zarc1", [1.0, 10.0, 1e-3, 0.85])
    check = zhit(f, drifted(z, 0.1), window=(1e2, 1e5))
    assert not check.passed
    low = f < 1e-1
    assert np.all(check.residuals_modulus[low] > 0.05)
    table = check.table()
    np.testing.assert_allclose(table["modulus"], np.abs(drifted(z, 0.1)), rtol=1e-12)
    assert table["in_window"].sum() == np.count_nonzero((f >= 1e2) & (f <= 1e5))


@pytest.mark.parametrize("options, message", [
    ({"smoothing_points": 4}, "smoothing_points"),
    ({"smoothing_points": 1}, "smoothing_points"),
    ({"window": (1e6, 1e7)}, "window holds no"),
    ({"window": (1.0,)}, "window must be"),
    ({"tolerance": 0.0}, "tolerance"),
])
def test_bad_zhit_options_raise_value_error(options, message):
    f, z = spectrum(*IDEAL[0])
    with pytest.raises(ValueError, match=message):
        zhit(f, z, **options)


def test_zhit_batch_by_column_matches_single_checks():
    pd = pytest.importorskip("pandas")
    f, z = spectrum(*IDEAL[4])
    long = pd.DataFrame({"cycle": np.repeat([1, 2], f.size), "Frequency / Hz": np.tile(f, 2),
                         "Real Impedance / ohm": np.r_[z.real, 2 * z.real],
                         "Imaginary Impedance / ohm": np.r_[z.imag, 2 * z.imag]})
    table = zhit(long, by="cycle")
    assert list(table["cycle"]) == [1, 2]
    single = zhit(f, z)
    np.testing.assert_allclose(table["result"][1].modulus, 2 * single.modulus, rtol=1e-12)
    assert table["largest_residual"][0] == pytest.approx(single.largest_residual, rel=1e-9)
