"""Choosing the points
===================

The Li-ion example: its inductive tail at high frequency and the slowest points below 0.01 Hz
are excluded, a spike is caught by its Kramers-Kronig residual, and the fit uses only the kept
points; the excluded ones are drawn hollow. Then a mock spectrum with known values, three
replicates averaged and fitted with their spread. An output path as argument writes the
picture there instead of into demo-figures/."""

import pathlib
import sys
import warnings

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import pandas as pd  # noqa: E402

import corvex  # noqa: E402
from corvex import plot, points  # noqa: E402
from corvex.fitting import fit  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "demo-figures"
NOTATION = "R0-p(R1,CPE1)-p(R2,CPE2)-W1"


def main() -> None:
    spectrum = pd.read_csv(HERE / "data" / "li-ion-example.csv")
    imaginary = spectrum["Imaginary Impedance / ohm"].to_numpy(copy=True)
    imaginary[30] *= 1.4  # a spike, as a loose contact gives
    spectrum["Imaginary Impedance / ohm"] = imaginary
    chosen = points.window(spectrum, fmin=0.01)
    chosen = points.drop_inductive(chosen)
    chosen = points.drop_outliers(chosen)
    print("excluded points and why:")
    print(chosen.loc[~chosen["kept"], ["Frequency / Hz", "excluded_by"]].to_string(float_format=lambda v: f"{v:.4g}"))
    circuit = corvex.Circuit(NOTATION)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # no network for this topology: the fit warns
        everything = fit(circuit, spectrum)
        kept = fit(circuit, chosen)
    print(f"{NOTATION} on every point: chi-square {everything.result.chi_square:.3g}; "
          f"on the kept points: {kept.result.chi_square:.3g}")

    figure, (before, after) = plt.subplots(1, 2, figsize=(10, 4.2))
    plot.nyquist(spectrum, result=everything.result, ax=before)
    before.set_title("every point")
    plot.nyquist(chosen, result=kept.result, ax=after)
    after.set_title("kept points (excluded ones hollow)")
    figure.tight_layout()
    path = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else OUT / "choosing-the-points.png"
    path.parent.mkdir(exist_ok=True)
    figure.savefig(path, dpi=110)
    print(f"wrote {path}")

    truth = corvex.Circuit("R0-p(R1,C1)").with_values([0.5, 2.0, 1e-3])
    f = np.geomspace(1e4, 0.01, 41)
    replicates = pd.concat([points.simulate(truth, f, noise=0.01, seed=seed).assign(replicate=seed)
                            for seed in range(3)], ignore_index=True)
    mean = points.average(replicates, by="replicate")
    report = fit(corvex.Circuit("R0-p(R1,C1)"), mean, weight=points.standard_deviations(mean))
    print("mean of three mock replicates fitted with their spread:",
          {name: f"{value:.4g}" for name, value in report.params.items()}, "(truth 0.5, 2, 0.001)")


if __name__ == "__main__":
    main()
