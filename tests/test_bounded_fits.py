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
