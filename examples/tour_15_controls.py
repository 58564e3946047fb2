"""Held parameters, bounds, intervals and robust starts
====================================================

Holding a parameter, narrowing a range and reading how far each fitted value can be
trusted, then robust starts rescuing a circuit that no network was trained for."""

import pathlib
import warnings

import numpy as np
import pandas as pd

import corvex
from corvex.fitting import fit

DATA = pathlib.Path(__file__).resolve().parent / "data"


def spectrum(name: str) -> tuple[np.ndarray, np.ndarray]:
    frame = pd.read_csv(DATA / name)
    f = frame["Frequency / Hz"].to_numpy()
    z = frame["Real Impedance / ohm"].to_numpy() + 1j * frame["Imaginary Impedance / ohm"].to_numpy()
    return f, z


def main() -> None:
    f, z = spectrum("dummy-circuit-1.csv")
    report = fit(corvex.Circuit("rq"), f, z, fixed={"R0.r": 29.0}, bounds={"CPE1.alpha": (0.9, 1.0)})
    print(f"dummy cell as rq, R0.r held at 29 ohm, alpha in (0.9, 1): start {report.start!r}, "
          f"{report.degrees_of_freedom:.0f} degrees of freedom")
    for name in report.names:
        interval = report.intervals[name]
        shown = "held" if interval is None else f"95 % interval [{interval[0]:.4g}, {interval[1]:.4g}]"
        print(f"  {name:11} {report.params[name]:<12.5g} {shown}  identifiable: {report.identifiable[name]}")

    f, z = spectrum("li-ion-example.csv")
    notation = "R0-(R1,C1)-(R2,C2)-Wo1"
    circuit = corvex.Circuit(notation)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # no network for this topology: fit() warns
        plain = circuit.fit(f, z)
        robust = fit(circuit, f, z)
    print(f"li-ion as {notation}: fit() cost {plain.cost:.3g} "
          f"(success {plain.success}), robust starts {robust.result.cost:.3g} from {robust.start!r}")


if __name__ == "__main__":
    main()
