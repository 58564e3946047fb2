"""Pictures of spectra and fits
============================

Nyquist and Bode plots, residuals, a one-figure report and a
series over battery cycles, from spectra in examples/data, written as PNGs into demo-figures/."""

import pathlib

import matplotlib

matplotlib.use("Agg")

import matplotlib.pyplot as plt  # noqa: E402
import pandas as pd  # noqa: E402
from matplotlib.axes import Axes  # noqa: E402
from matplotlib.figure import Figure  # noqa: E402

import corvex  # noqa: E402
import corvex.batch  # noqa: E402
from corvex import analysis, plot  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
DATA = HERE / "data"
OUT = HERE.parent / "demo-figures"


def save(picture: Axes | Figure, name: str) -> None:
    """Writes the figure of ``picture`` (an Axes or a Figure) and closes it."""
    figure = picture if isinstance(picture, Figure) else picture.get_figure(root=True)
    assert isinstance(figure, Figure)
    path = OUT / name
    figure.savefig(path, dpi=110)
    plt.close(figure)
    print(path)


def main() -> None:
    OUT.mkdir(exist_ok=True)
    dummy = pd.read_csv(DATA / "dummy-circuit-1.csv")
    dummy_fit = corvex.Circuit("R0-(R1,C1)").with_values([10.0, 10.0, 1e-5]).fit(dummy)
    save(plot.nyquist(dummy, result=dummy_fit), "dummy-cell-nyquist.png")

    battery = pd.read_csv(DATA / "li-ion-example.csv")
    # The circuit corvex.analysis.discover ranks first on this spectrum (see tour 45): two arcs
    # and a CPE for the low-frequency tail, with half the chi-square of a Warburg tail. Its
    # report is the picture of the README and of the docs' front page (docs/fit-report.png).
    circuit = corvex.Circuit("R0-L0-p(R1,CPE1)-p(R2,CPE2)-CPE0")
    battery_fit = circuit.with_values([0.015, 1.7e-7, 0.012, 5.0, 0.77, 0.0056, 0.5, 0.8, 300.0, 0.55]).fit(battery)
    # A FitResult carries the spectrum it was fitted to, so it can be drawn on its own.
    save(plot.report(battery_fit), "li-ion-report.png")
    save(plot.bode(battery, result=battery_fit), "li-ion-bode.png")
    save(plot.residuals(battery_fit), "li-ion-residuals.png")
    # Before fitting: is the spectrum valid (Kramers-Kronig), and how many processes does it hold?
    save(plot.kk(battery), "li-ion-kramers-kronig.png")
    save(plot.drt(battery), "li-ion-relaxation-times.png")

    cycling = DATA / "coin-cell-cycling.csv"
    if cycling.exists():
        # A series: one colour per cycle along a colormap, and a fitted resistance over the cycles.
        # The model is the one that ranks first (lowest AICc) on most of every 16th cycle.
        cycles = pd.read_csv(cycling)
        ranking = analysis.rank_circuits(cycles[cycles["Cycle"] % 16 == 0], by="Cycle")
        model = str(ranking[ranking["rank"] == 1]["circuit"].mode()[0])
        print("ranked first on most cycles:", model)
        table = corvex.batch.fit(corvex.Circuit(model), cycles, by="Cycle")
        save(plot.nyquist(table[table["Cycle"] % 16 == 0]), "coin-cell-cycles-nyquist.png")
        save(plot.trend(table, ["R1.r", "R2.r"]), "coin-cell-resistance-trend.png")


if __name__ == "__main__":
    main()
