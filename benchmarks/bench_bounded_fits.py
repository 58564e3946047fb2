"""Fit quality on measured spectra whose fits put a bounded exponent on its bound: the dummy
cells fitted as "rq" and "rc", and every cycle of the coin cell fitted as "sei_randles". Prints
costs; `--save FILE` keeps them and `--against FILE` prints the ratio of those saved costs to
these, e.g. to compare two builds."""

import argparse
import json
import pathlib

import numpy as np
import pandas as pd

import corvex

DATA = pathlib.Path(__file__).resolve().parents[1] / "tests" / "data"
COLUMNS = ["Frequency / Hz", "Real Impedance / ohm", "Imaginary Impedance / ohm"]


def spectrum(frame):
    f, re, im = (frame[c].to_numpy() for c in COLUMNS)
    return f, re + 1j * im


def on_bound(result):
    return sum(value in (0.0, 1.0) for name, value in result.params.items() if name.endswith(("alpha", "gamma")))


def dummy_cells():
    rows = []
    for number in (1, 2, 3):
        f, z = spectrum(pd.read_csv(DATA / f"dummy-circuit-{number}.csv"))
        for model in ("rq", "rc"):
            result = corvex.Circuit(model).fit(f, z)
            rows.append({"case": f"dummy-circuit-{number} {model}", "cost": result.cost,
                         "success": result.success, "on_bound": on_bound(result)})
    return rows


def coin_cell():
    frame = pd.read_csv(DATA / "coin-cell-cycling.csv")
    rows = []
    for cycle, group in frame.groupby("Cycle", sort=True):
        result = corvex.Circuit("sei_randles").fit(*spectrum(group))
        rows.append({"case": f"coin-cell cycle {cycle} sei_randles", "cost": result.cost,
                     "success": result.success, "on_bound": on_bound(result)})
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--save", type=pathlib.Path)
    parser.add_argument("--against", type=pathlib.Path)
    args = parser.parse_args()

    dummies, cycles = dummy_cells(), coin_cell()
    print(f"{'case':<28} {'cost':>12} {'success':>8} {'exponents on a bound':>21}")
    for row in dummies:
        print(f"{row['case']:<28} {row['cost']:>12.5e} {row['success']!s:>8} {row['on_bound']:>21}")
    costs = np.array([row["cost"] for row in cycles])
    print(f"coin cell, {len(cycles)} cycles as sei_randles: median cost {np.median(costs):.4e}, "
          f"successes {sum(row['success'] for row in cycles)}, "
          f"cycles with an exponent on a bound {sum(row['on_bound'] > 0 for row in cycles)}")

    rows = dummies + cycles
    if args.save:
        args.save.write_text(json.dumps(rows))
    if args.against:
        saved = {row["case"]: row["cost"] for row in json.loads(args.against.read_text())}
        ratios = np.array([saved[row["case"]] / row["cost"] for row in rows if row["case"] in saved])
        cycle_ratios = np.array([saved[row["case"]] / row["cost"] for row in cycles if row["case"] in saved])
        for row in dummies:
            if row["case"] in saved:
                print(f"{row['case']:<28} saved/now {saved[row['case']] / row['cost']:.4f}")
        print(f"coin cell saved/now: min {cycle_ratios.min():.4f}, median {np.median(cycle_ratios):.4f}, "
              f"max {cycle_ratios.max():.4f}; lower now in {(cycle_ratios > 1).sum()}, "
              f"higher now in {(cycle_ratios < 1).sum()} of {len(cycle_ratios)}")
        print(f"all cases: lower now in {(ratios > 1).sum()}, higher now in {(ratios < 1).sum()} of {len(ratios)}")


if __name__ == "__main__":
    main()
