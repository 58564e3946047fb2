"""Quickstart: circuits, impedance and two fits
============================================

A first look at corvex: circuits from notation and from elements, their impedance, and
fits of two measured spectra shipped in examples/data."""

import csv
import pathlib

import numpy as np

import corvex

DATA = pathlib.Path(__file__).resolve().parent / "data"


def read_spectrum(name: str) -> dict[str, list[float]]:
    """A battery-data-format CSV as a dict of columns, which fit() accepts as a data frame."""
    with open(DATA / name, newline="") as handle:
        rows = list(csv.DictReader(handle))
    return {key: [float(row[key]) for row in rows] for key in rows[0]}


def show_impedance() -> None:
    parsed = corvex.Circuit("R0-(R1,CPE1)")
    print("From notation:")
    print(parsed)
    print()

    composed = corvex.Series([corvex.R(20.0), corvex.Parallel([corvex.R(100.0), corvex.Cpe(2e-5, 0.85)])])
    print("From elements:", [corvex.R(20.0), corvex.Cpe(2e-5, 0.85)])
    print(composed)
    print()

    frequencies = np.logspace(5, -1, 7)
    print(f"{'f / Hz':>12} {'Re Z / ohm':>14} {'-Im Z / ohm':>14}")
    for f, z in zip(frequencies, composed.impedance(frequencies)):
        print(f"{f:12.4g} {z.real:14.6g} {-z.imag:14.6g}")
    print()


def show_fit(title: str, notation: str, start: list[float], data_file: str, rows: int = 6) -> None:
    frame = read_spectrum(data_file)
    circuit = corvex.Circuit(notation).with_values(start)
    result = circuit.fit(frame)
    print(f"{title}: {notation} fitted to {data_file}")
    print(result)
    print(result.circuit)
    frequencies = np.array(frame["Frequency / Hz"])
    measured = np.array(frame["Real Impedance / ohm"]) + 1j * np.array(frame["Imaginary Impedance / ohm"])
    fitted = result.circuit.impedance(frequencies)
    print(f"{'f / Hz':>12} {'measured Z / ohm':>28} {'fitted Z / ohm':>28}")
    for i in np.linspace(0, len(frequencies) - 1, rows).astype(int):
        print(f"{frequencies[i]:12.4g} {measured[i].real:13.5g} {measured[i].imag:+13.5g}j "
              f"{fitted[i].real:13.5g} {fitted[i].imag:+13.5g}j")
    print()


def show_guessed_fit(notation: str, data_file: str) -> None:
    """A circuit straight from notation: the network guesses where the fit starts."""
    frame = read_spectrum(data_file)
    circuit = corvex.Circuit(notation)
    start = circuit.guess(frame)
    result = circuit.fit(frame)
    print(f"No starting values: {notation} fitted to {data_file}")
    print(f"{'parameter':12} {'guess':>14} {'fitted':>14}")
    for name, guessed in zip(circuit.param_names(), start):
        print(f"{name:12} {guessed:14.6g} {result.params[name]:14.6g}")
    print(f"success={result.success}, cost={result.cost:.6g}, impedance_evals={result.impedance_evals}")
    print()


def main() -> None:
    show_impedance()
    show_fit("Dummy cell", "R0-(R1,C1)", [10.0, 10.0, 1e-5], "dummy-circuit-1.csv")
    show_fit("Lithium-ion battery", "L0-R0-(R1,CPE1)-(R2,CPE2)-W3",
             [1e-7, 0.01, 0.01, 1.0, 0.8, 0.01, 10.0, 0.8, 0.01], "li-ion-example.csv")
    show_guessed_fit("R0-(R1,C1)", "dummy-circuit-1.csv")
    show_guessed_fit("L0-R0-(R1,CPE1)-(R2,CPE2)", "li-ion-example.csv")


if __name__ == "__main__":
    main()
