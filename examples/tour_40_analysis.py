"""Kramers-Kronig test, relaxation times and ranking
=================================================

Checking and reading a spectrum before fitting it: the Kramers-Kronig test, the distribution
of relaxation times and the ranking of the carried circuits on the Li-ion example spectrum."""

import pathlib

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import pandas as pd  # noqa: E402

from corvex import analysis, plot  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "demo-figures"


def main() -> None:
    spectrum = pd.read_csv(HERE / "data" / "li-ion-example.csv")

    # The diffusion tail keeps rising below the lowest frequency, beyond what RC elements with
    # time constants inside the window can follow; a series capacitance takes it up.
    for capacitance in (False, True):
        test = analysis.kramers_kronig(spectrum, series_capacitance=capacitance)
        worst = max(abs(test.residuals_real).max(), abs(test.residuals_imag).max())
        print(f"Kramers-Kronig{' with series C' if capacitance else ''}: M = {test.m}, mu = {test.mu:.3f}, "
              f"pseudo chi-square = {test.pseudo_chi_square:.3g}, largest residual {100 * worst:.2f} %, "
              f"noise {100 * test.noise_level:.2f} % -> {'passes' if test.passed else 'fails'}")

    distribution = analysis.drt(spectrum, series_inductance=True)
    print(f"relaxation times (lambda {distribution.lambda_:.2g}, R_inf {distribution.series_resistance:.4g} ohm):")
    for peak in distribution.peaks:
        where = " (beyond the measured frequencies)" if peak.extrapolated else ""
        print(f"  tau {peak.tau:.3g} s, height {peak.height:.3g} ohm, area {peak.area:.3g} ohm{where}")

    ranking = analysis.rank_circuits(spectrum)
    columns = ["rank", "circuit", "parameters", "chi_square", "delta_aicc", "aicc_weight", "bic_rank", "flagged"]
    print(ranking[columns].to_string(index=False, float_format=lambda v: f"{v:.4g}"))
    best = ranking["result"][0]
    print(f"best: {ranking['circuit'][0]} -> {best}")

    OUT.mkdir(exist_ok=True)
    figure, (left, right) = plt.subplots(1, 2, figsize=(11, 4))
    plot.kk(test, ax=left)
    plot.drt(distribution, ax=right)
    figure.tight_layout()
    path = OUT / "analysis-li-ion.png"
    figure.savefig(path, dpi=110)
    plt.close(figure)
    print(path)


if __name__ == "__main__":
    main()
