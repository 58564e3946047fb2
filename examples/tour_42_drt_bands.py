"""Relaxation times with credible bands
=====================================

The distribution of relaxation times with its 1 %-99 % posterior band: a synthetic spectrum of
two processes 1:10 apart, drawn against the known gamma, and the Li-ion example against frequency."""

import pathlib

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import pandas as pd  # noqa: E402

import corvex  # noqa: E402
from corvex import analysis, plot  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "demo-figures"


def zarc_gamma(tau_grid: np.ndarray, r: float, tau: float, alpha: float) -> np.ndarray:
    """gamma(ln tau) of R / (1 + (j w tau0)^alpha), known in closed form."""
    x = alpha * np.log(tau_grid / tau)
    gamma: np.ndarray = r / (2 * np.pi) * np.sin((1 - alpha) * np.pi) / (np.cosh(x) - np.cos((1 - alpha) * np.pi))
    return gamma


def main() -> None:
    f = np.logspace(5, -2, 71)
    values = [0.1, 1.0, 1e-3, 0.9, 0.1, 0.1, 0.9]
    z = corvex.Circuit("R0-Zarc1-Zarc2").with_values(values).impedance(f)
    rng = np.random.default_rng(1)
    z = z + 0.005 * np.abs(z) * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size))
    synthetic = analysis.drt(f, z, peak_prominence=None)  # peaks by significance
    truth = zarc_gamma(synthetic.tau, 1.0, 1e-3, 0.9) + zarc_gamma(synthetic.tau, 0.1, 0.1, 0.9)
    print(f"lambda {synthetic.lambda_:.3g} by {synthetic.lambda_rule}, residual noise {100 * synthetic.noise:.2f} %")
    for peak in synthetic.peaks:
        print(f"  tau {peak.tau:.3g} s, area {peak.area:.3g} ohm, probability {peak.probability:.2f}")
    # The default rule, a share of the highest peak, hides the small process.
    print(f"peaks by prominence 0.15: {len(analysis.drt(f, z).peaks)}")

    spectrum = pd.read_csv(HERE / "data" / "li-ion-example.csv")
    measured = analysis.drt(spectrum, series_inductance=True)

    OUT.mkdir(exist_ok=True)
    figure, (left, right) = plt.subplots(1, 2, figsize=(11, 4))
    plot.drt(synthetic, ax=left)
    left.plot(synthetic.tau, truth, color="black", linestyle=":", label="true \u03b3")
    left.legend(frameon=False, fontsize="small")
    left.set_title("two Zarcs 1:10, 0.5 % noise")
    plot.drt(measured, ax=right, against="frequency")
    right.set_title("Li-ion example against frequency")
    figure.tight_layout()
    path = OUT / "drt-bands.png"
    figure.savefig(path, dpi=100)
    plt.close(figure)
    print(path)


if __name__ == "__main__":
    main()
