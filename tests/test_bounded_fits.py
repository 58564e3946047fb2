# Fits whose unconstrained optimum lies beyond a bounded parameter (a CPE or ZARC exponent):
# the parameter is held on its bound and the others must still reach their own optimum.
import csv
import pathlib

import numpy as np
import pytest

import corvex

DATA = pathlib.Path(__file__).resolve().parent / "data"


def measured(name):
    with open(DATA / name, newline="") as handle:
        rows = list(csv.DictReader(handle))
    frequencies = [float(row["Frequency / Hz"]) for row in rows]
    impedances = [complex(float(row["Real Impedance / ohm"]), float(row["Imaginary Impedance / ohm"]))
                  for row in rows]
    return frequencies, impedances


def test_exponent_on_its_bound_keeps_the_converged_fit_of_the_rest():
    f = np.logspace(-2, 5, 60)
    z = corvex.Circuit("R0-Zarc1").with_values([10.0, 100.0, 1e-3, -0.1]).impedance(f)
    result = corvex.Circuit("R0-Zarc1").with_values([12.0, 80.0, 2e-3, 0.3]).fit(f, z)
    assert result.params["Zarc1.gamma"] == 0.0
    assert result.success and result.cost == pytest.approx(1.4306559087, rel=1e-6)


def test_measured_cell_fitted_with_a_cpe_reaches_the_capacitor_optimum():
    f, z = measured("dummy-circuit-2.csv")
    with_cpe = corvex.Circuit("rq").fit(f, z)
    with_capacitor = corvex.Circuit("rc").fit(f, z)
    assert with_cpe.params["CPE1.alpha"] == 1.0
    assert with_cpe.success and with_cpe.cost == pytest.approx(with_capacitor.cost, rel=1e-6)


def scipy_chi_square(circuit, f, z, start, lower, upper):
    """The chi-square scipy's bounded trust-region solver reaches from `start` on the modulus weighting."""
    from scipy.optimize import least_squares

    f, z = np.asarray(f), np.asarray(z)

    def residuals(x):
        difference = (circuit.with_values(list(x)).impedance(f) - z) / np.abs(z)
        return np.concatenate([difference.real, difference.imag])

    solution = least_squares(residuals, start, bounds=(lower, upper), x_scale="jac", xtol=1e-12, ftol=1e-12)
    return float(np.sum(solution.fun ** 2))


# The unbounded optimum of this cell lies at alpha 0.15 with a runaway R1; with alpha held in
# [0.7, 1] runs that crossed the limit were clamped and re-solved from there into R1 = 1e-12,
# a flat line reported as converged.
@pytest.mark.parametrize("start", [[0.0164, 0.0203, 3.81, 0.70], [0.015, 0.05, 2.0, 0.75]])
@pytest.mark.parametrize("robust", [False, True])
def test_a_bounded_exponent_never_collapses_the_arc(start, robust):
    from corvex import fitting

    f, z = measured("li-ion-example.csv")
    circuit = corvex.Circuit("R0-(R1,CPE1)")
    report = fitting.fit(circuit.with_values(start), f, z, bounds={"CPE1.alpha": (0.7, 1)}, robust=robust)
    reference = scipy_chi_square(circuit, f, z, start, [1e-12, 1e-12, 1e-12, 0.7], [np.inf, np.inf, np.inf, 1.0])
    assert report.result.success and report.runaway == ()
    assert report.params["R1.r"] > 1e-3 and 0.7 <= report.params["CPE1.alpha"] <= 1.0
    assert report.result.chi_square <= reference * (1 + 1e-4)


def test_a_fit_whose_every_free_value_ran_away_is_not_called_converged():
    from corvex import fitting

    f, z = measured("li-ion-example.csv")
    # Only R1 is free, beside a held capacitance of 1 nF: whatever R1 the data ask for (tens of
    # milliohms), the arc's time constant lies decades below the measured window.
    report = fitting.fit(corvex.Circuit("R0-(R1,CPE1)").with_values([0.0164, 0.02, 1e-9, 1.0]), f, z,
                         fixed={"R0.r": 0.0164, "CPE1.q": 1e-9, "CPE1.alpha": 1.0}, robust=False)
    assert "R1.r" in report.runaway and not report.result.success
