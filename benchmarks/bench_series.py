"""Joint fits of a whole series: the coin cell's 130 cycles with two shared exponents against
its independent batch, and a 1,000-spectrum temperature series with Arrhenius laws (time, peak
memory, coverage of Ea's interval, and its width against a two-step fit).

Run: .venv/bin/python benchmarks/bench_series.py [--draws N]
"""

import argparse
import os
import pathlib
import sys
import time

import numpy as np
import pandas as pd

import corvex
import corvex.batch
import corvex.series
from corvex.series.laws import BOLTZMANN_EV
from timing import machine_description

COIN_CELL = pathlib.Path(__file__).resolve().parents[1] / "examples" / "data" / "coin-cell-cycling.csv"
CIRCUIT = "R0-p(R1,CPE1)-p(R2,CPE2)"
EA1, EA2 = 0.45, 0.30
SPECTRA, POINTS, NOISE = 1000, 60, 0.005
FREQUENCIES = np.logspace(5, -2, POINTS)
TEMPERATURES = np.linspace(253.0, 333.0, SPECTRA)


def vm_kilobytes(field):
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith(field):
                return int(line.split()[1])
    return 0


def coin_cell():
    frame = pd.read_csv(COIN_CELL)
    circuit = corvex.Circuit("two_rq")
    shared = ["CPE1.alpha", "CPE2.alpha"]
    start = time.perf_counter()
    independent = corvex.batch.fit(circuit, frame, by="Cycle", progress=False)
    batch_time = time.perf_counter() - start
    start = time.perf_counter()
    joint = corvex.series.fit(circuit, frame, by="Cycle", shared=shared, start=independent)
    joint_time = time.perf_counter() - start
    verdict = corvex.series.compare(independent, joint)
    print(f"coin cell, {frame['Cycle'].nunique()} cycles, two_rq, shared {', '.join(shared)}:")
    print(f"  independent batch {batch_time:.2f} s; joint fit from it {joint_time:.2f} s "
          f"({joint_time / batch_time:.2f}x the batch; batch + joint {1 + joint_time / batch_time:.2f}x); "
          f"{joint.iterations} iterations, {joint.termination}")
    print(f"  F test of the shared exponents: F = {verdict.f_statistic:.3g}, p = {verdict.p_value:.3g}; "
          f"BIC independent {verdict.criteria.loc['independent', 'bic']:.1f}, joint {verdict.criteria.loc['joint', 'bic']:.1f}")


def temperature_series(rng):
    circuit = corvex.Circuit(CIRCUIT)
    values = np.column_stack([
        0.2 * (1 + 0.1 * rng.uniform(-1, 1, SPECTRA)), 2e-6 * np.exp(EA1 / (BOLTZMANN_EV * TEMPERATURES)),
        2e-5 * (1 + 0.2 * rng.uniform(-1, 1, SPECTRA)), np.full(SPECTRA, 0.85),
        1e-4 * np.exp(EA2 / (BOLTZMANN_EV * TEMPERATURES)), 1e-2 * (1 + 0.2 * rng.uniform(-1, 1, SPECTRA)),
        np.full(SPECTRA, 0.8)])
    spectra = []
    for row in values:
        z = np.asarray(circuit.with_values(list(row)).impedance(FREQUENCIES))
        z = z * (1 + NOISE * (rng.standard_normal(POINTS) + 1j * rng.standard_normal(POINTS)))
        spectra.append(pd.DataFrame({"Frequency / Hz": FREQUENCIES, "Real Impedance / ohm": z.real,
                                     "Imaginary Impedance / ohm": z.imag}))
    frame = pd.concat(spectra, keys=TEMPERATURES, names=["Temperature", "row"]).reset_index(level=0).reset_index(drop=True)
    return circuit, frame


LAWS = {"R1.r": corvex.series.arrhenius("Temperature"), "R2.r": corvex.series.arrhenius("Temperature")}


def two_step_interval(independent):
    """Ea of R1 and its 95 % half-width from a weighted Arrhenius line through independent fits."""
    ok = independent["success"].to_numpy(bool) & np.isfinite(independent["R1.r_stderr"].to_numpy(float))
    r = independent["R1.r"].to_numpy(float)[ok]
    relative = independent["R1.r_stderr"].to_numpy(float)[ok] / r
    x = np.column_stack([np.ones(ok.sum()), 1.0 / (BOLTZMANN_EV * TEMPERATURES[ok])])
    weights = 1.0 / relative**2
    normal = x.T @ (weights[:, None] * x)
    coefficients = np.linalg.solve(normal, x.T @ (weights * np.log(r)))
    residual = np.log(r) - x @ coefficients
    scale = float(weights @ residual**2) / (ok.sum() - 2)
    return coefficients[1], 1.96 * np.sqrt(scale * np.linalg.inv(normal)[1, 1])


def synthetic(draws):
    rng = np.random.default_rng(2026)
    circuit, frame = temperature_series(rng)
    start = time.perf_counter()
    independent = corvex.batch.fit(circuit, frame, by="Temperature", progress=False, robust=False, refine=False)
    batch_time = time.perf_counter() - start
    before = vm_kilobytes("VmRSS")
    start = time.perf_counter()
    joint = corvex.series.fit(circuit, frame, by="Temperature", shared=["CPE1.alpha"], laws=LAWS, start=independent)
    joint_time = time.perf_counter() - start
    peak = vm_kilobytes("VmHWM")
    cores = len(os.sched_getaffinity(0))
    print(f"temperature series, {SPECTRA} spectra x {POINTS} points, {CIRCUIT}, Arrhenius R1.r and R2.r, "
          f"shared CPE1.alpha, {cores} cores:")
    print(f"  joint fit {joint_time:.2f} s ({joint.iterations} iterations, {joint.termination}); "
          f"its independent start {batch_time:.2f} s")
    print(f"  memory: resident {before / 1024:.0f} MB before the joint fit, process peak {peak / 1024:.0f} MB "
          f"(the process's own peak, imports and the batch included)")
    hits, ratios = 0, []
    for draw in range(draws):
        circuit, frame = temperature_series(np.random.default_rng(draw))
        independent = corvex.batch.fit(circuit, frame, by="Temperature", progress=False, robust=False, refine=False)
        joint = corvex.series.fit(circuit, frame, by="Temperature", shared=["CPE1.alpha"], laws=LAWS,
                                  start=independent)
        row = joint.parameters.set_index("name").loc["R1.r:Ea"]
        hits += int(row["ci_low"] <= EA1 <= row["ci_high"])
        _, two_step = two_step_interval(independent)
        ratios.append(two_step / (0.5 * (row["ci_high"] - row["ci_low"])))
        print(f"  draw {draw + 1}: Ea {row['value']:.5f} [{row['ci_low']:.5f}, {row['ci_high']:.5f}] eV, "
              f"two-step interval {ratios[-1]:.1f}x wider", file=sys.stderr)
    if draws:
        print(f"  Ea of R1.r within its 95 % interval in {hits} of {draws} draws ({100 * hits / draws:.1f} %); "
              f"two-step interval wider by {np.median(ratios):.1f}x (median; min {np.min(ratios):.1f}x)")


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--draws", type=int, default=200)
    arguments = parser.parse_args()
    print(machine_description(), f"load average {os.getloadavg()[0]:.1f}")
    coin_cell()
    synthetic(arguments.draws)
