"""Which validation to trust: Kramers-Kronig and Z-HIT
====================================================

A valid spectrum and the same spectrum with its modulus drifting by 5 % over the sweep, at
0.3 % noise: the default Kramers-Kronig test (judged against the given noise level), the
original mu criterion and Z-HIT, drawn side by side."""

import pathlib

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import corvex  # noqa: E402
from corvex import analysis, plot  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "demo-figures"


def main() -> None:
    f = np.logspace(5, -2, 71)
    z = corvex.Circuit("R0-p(R1,CPE1)-p(R2-W2,CPE2)").with_values(
        [5.0, 20.0, 1e-5, 0.9, 50.0, 20.0, 1e-3, 0.85]).impedance(f)
    rng = np.random.default_rng(7)
    noise = 0.003 * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size))
    valid = z + np.abs(z) * noise
    drifted = z * (1.0 + 0.05 * np.linspace(0.0, 1.0, f.size)) + np.abs(z) * noise

    for name, data in (("valid", valid), ("drifted", drifted)):
        given = analysis.kramers_kronig(f, data, noise_level=0.003)
        estimated = analysis.kramers_kronig(f, data)
        mu = analysis.kramers_kronig(f, data, method="mu")
        check = analysis.zhit(f, data, window=(1e2, 1e5))
        print(f"{name:8s} default, noise given: {'passes' if given.passed else 'fails'} (M = {given.m}); "
              f"noise estimated {100 * estimated.noise_level:.2f} %: {'passes' if estimated.passed else 'fails'} "
              f"(runs test p = {estimated.whiteness_p:.2g}); mu: {'passes' if mu.passed else 'fails'} (M = {mu.m}); "
              f"Z-HIT largest residual {100 * check.largest_residual:.2f} % in its window")

    OUT.mkdir(exist_ok=True)
    figure, axes = plt.subplots(2, 2, figsize=(11, 7.5))
    for column, (name, data) in enumerate((("valid", valid), ("5 % drift", drifted))):
        ax = plot.kk(analysis.kramers_kronig(f, data, noise_level=0.003), ax=axes[0, column])
        ax.set_title(f"{name}: " + ax.get_title(), fontsize="small")
        ax = plot.zhit(analysis.zhit(f, data, window=(1e2, 1e5)), ax=axes[1, column])
        ax.set_title(f"{name}: " + ax.get_title(), fontsize="small")
    figure.tight_layout()
    path = OUT / "validation.png"
    figure.savefig(path, dpi=100)
    plt.close(figure)
    print(path)


if __name__ == "__main__":
    main()
