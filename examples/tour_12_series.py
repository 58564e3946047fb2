"""A series fitted together
=========================

Twelve spectra of a cell between -10 and 60 °C, fitted as one problem: the CPE exponent shared
by all, R1 following Arrhenius in temperature. Ea comes with its interval, the joint fit is tested
against independent fits, and the Arrhenius picture goes to demo-figures/."""

import pathlib

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import pandas as pd  # noqa: E402

import corvex  # noqa: E402
import corvex.batch  # noqa: E402
import corvex.series  # noqa: E402
from corvex import plot  # noqa: E402

OUT = pathlib.Path(__file__).resolve().parent.parent / "demo-figures"
BOLTZMANN_EV = 8.617333262e-5


def temperature_series() -> pd.DataFrame:
    """Spectra of R0-p(R1,CPE1)-p(R2,CPE2) with R1 activated by 0.45 eV and R2 by 0.30 eV, 3 % noise."""
    rng = np.random.default_rng(12)
    circuit = corvex.Circuit("R0-p(R1,CPE1)-p(R2,CPE2)")
    frequencies = np.logspace(5, -2, 50)
    parts = []
    for kelvin in np.linspace(263.15, 333.15, 12):
        values = [0.5, 2e-6 * np.exp(0.45 / (BOLTZMANN_EV * kelvin)), 2e-5, 0.85,
                  1e-4 * np.exp(0.30 / (BOLTZMANN_EV * kelvin)), 1e-2, 0.8]
        z = np.asarray(circuit.with_values(values).impedance(frequencies))
        z = z * (1 + 0.03 * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size)))
        parts.append(pd.DataFrame({"Temperature": kelvin, "Frequency / Hz": frequencies,
                                   "Real Impedance / ohm": z.real, "Imaginary Impedance / ohm": z.imag}))
    return pd.concat(parts, ignore_index=True)


def main() -> None:
    OUT.mkdir(exist_ok=True)
    frame = temperature_series()
    circuit = corvex.Circuit("R0-p(R1,CPE1)-p(R2,CPE2)")
    independent = corvex.batch.fit(circuit, frame, by="Temperature", progress=False)
    joint = corvex.series.fit(circuit, frame, by="Temperature", start=independent, shared=["CPE1.alpha"],
                              laws={"R1.r": corvex.series.arrhenius("Temperature")})
    print(joint.parameters.to_string(index=False, float_format=lambda v: f"{v:.4g}"))
    print(f"joint chi-square {joint.chi_square:.4g}, AIC {joint.aic:.1f}, BIC {joint.bic:.1f}, {joint.termination}")

    verdict = corvex.series.compare(independent, joint)
    print(f"F test of the constraints: F = {verdict.f_statistic:.3g}, p = {verdict.p_value:.3g}")
    print(verdict.criteria.to_string(float_format=lambda v: f"{v:.6g}"))

    ax = plot.trend(independent, "R1.r", key="Temperature", law=joint)
    ax.set_yscale("log")
    ax.set_title("R1 of independent fits, and the Arrhenius law of the joint fit")
    figure = ax.get_figure(root=True)
    assert figure is not None
    path = OUT / "series-arrhenius.png"
    figure.savefig(path, dpi=110)
    plt.close(figure)
    print(path)


if __name__ == "__main__":
    main()
