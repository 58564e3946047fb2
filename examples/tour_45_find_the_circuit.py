"""Find the circuit
================

Circuit discovery on the Li-ion example spectrum: candidate circuits from a small grammar,
pruned by the spectrum's features, fitted and ranked simplest adequate first, and the picture
of complexity against fit quality. An output path as argument writes the picture there instead
of into demo-figures/."""

import pathlib
import sys

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import pandas as pd  # noqa: E402

from corvex import analysis, plot  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "demo-figures"


def main() -> None:
    spectrum = pd.read_csv(HERE / "data" / "li-ion-example.csv")
    table = analysis.discover(spectrum)
    print(f"{table.attrs['candidates']} candidates fitted; the first ten:")
    columns = ["rank", "circuit", "parameters", "chi_square", "delta_bic", "aicc_weight", "runs_p", "flags"]
    print(table[columns].head(10).to_string(index=False, float_format=lambda v: f"{v:.3g}"))
    print(f"first: {table['circuit'][0]} -> {table['result'][0]}")

    figure, ax = plt.subplots(figsize=(7, 4.5))
    plot.complexity(table, ax=ax)
    ax.set_title("Li-ion example: candidates by parameters and fit quality")
    figure.tight_layout()
    path = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else OUT / "find-the-circuit.png"
    path.parent.mkdir(exist_ok=True)
    figure.savefig(path, dpi=110)
    print(f"wrote {path}")


if __name__ == "__main__":
    main()
