"""The global methods of fit() with their default settings against levenberg_marquardt, all
started from the placeholder values: time per fit, model evaluations and how often each
reaches the least-squares optimum on noisy synthetic spectra of two circuits."""

import argparse
import os
import statistics
import sys
import time

import numpy as np

import corvex
from numpy_models import randles, two_rq
from timing import format_time, machine_description

METHODS = ["levenberg_marquardt", "nelder_mead", "particle_swarm", "simulated_annealing",
           "differential_evolution", "basin_hopping"]
FREQUENCIES = np.logspace(-2, 5, 60)
NOISE = 0.01
# A fit reaches the optimum when its cost is no more than this factor above the cost of a
# Levenberg-Marquardt fit started from the true values.
OPTIMUM_FACTOR = 1 + 1e-6
DEFAULT_SPECTRA = 50


def log_uniform(rng, low, high):
    return float(10 ** rng.uniform(np.log10(low), np.log10(high)))


def cpe_for_peak(rng, r, low_hz, high_hz):
    """A CPE (q, alpha) whose arc with resistance r peaks at a frequency drawn in [low_hz, high_hz]."""
    alpha = float(rng.uniform(0.7, 0.95))
    tau = 1 / (2 * np.pi * log_uniform(rng, low_hz, high_hz))
    return tau ** alpha / r, alpha


def randles_values(rng):
    r0, r1 = log_uniform(rng, 1, 100), log_uniform(rng, 10, 1000)
    aw = log_uniform(rng, 0.05, 0.5) * r1
    q, alpha = cpe_for_peak(rng, r1, 1.0, 1e4)
    return [r0, r1, aw, q, alpha]


def two_rq_values(rng):
    r0, r1, r2 = log_uniform(rng, 1, 50), log_uniform(rng, 5, 500), log_uniform(rng, 5, 500)
    q1, alpha1 = cpe_for_peak(rng, r1, 100.0, 1e4)
    q2, alpha2 = cpe_for_peak(rng, r2, 0.05, 10.0)
    return [r0, r1, q1, alpha1, r2, q2, alpha2]


# Ohmic resistance, arcs spanning two decades, Warburg coefficients a fraction of the
# charge-transfer resistance, arc peaks inside the measured window with the faster arc first.
CASES = [
    ("R0-(R1-W1,CPE1)", randles, randles_values),
    ("R0-(R1,CPE1)-(R2,CPE2)", two_rq, two_rq_values),
]


def spectra(notation, model, draw, count, rng):
    circuit = corvex.Circuit(notation)
    for _ in range(count):
        values = draw(rng)
        clean = model(values, FREQUENCIES)
        relative = np.max(np.abs(circuit.with_values(values).impedance(FREQUENCIES) - clean) / np.abs(clean))
        assert relative < 1e-12, f"{notation} disagrees with NumPy by {relative:.2e}"
        noise = rng.standard_normal(len(clean)) + 1j * rng.standard_normal(len(clean))
        yield values, clean * (1 + NOISE * noise)


def measure(notation, model, draw, count, rng):
    """Per method: fit times, evaluation counts, optimum hits and errors over `count` spectra."""
    circuit = corvex.Circuit(notation)
    rows = {method: {"times": [], "evals": [], "reached": 0, "errors": 0} for method in METHODS}
    for index, (values, z) in enumerate(spectra(notation, model, draw, count, rng), start=1):
        reference = circuit.with_values(values).fit(FREQUENCIES, z).cost
        for method in METHODS:
            row = rows[method]
            start = time.perf_counter()
            try:
                result = circuit.fit(FREQUENCIES, z, guess_init=False, method=method)
            except ValueError:
                row["errors"] += 1
                continue
            finally:
                row["times"].append(time.perf_counter() - start)
            row["evals"].append(result.impedance_evals)
            row["reached"] += result.cost <= OPTIMUM_FACTOR * reference
        if index % 10 == 0:
            print(f"  {notation}: {index}/{count} spectra", file=sys.stderr, flush=True)
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--spectra", type=int, default=DEFAULT_SPECTRA,
                        help=f"noisy spectra per circuit (default {DEFAULT_SPECTRA})")
    parser.add_argument("--seed", type=int, default=20240607, help="seed of the true values and the noise")
    # The runner of all benchmarks passes its own selection arguments through.
    args, _ = parser.parse_known_args()

    print(f"fit() methods with default settings from placeholder values  [{machine_description()}]")
    print(f"{args.spectra} spectra per circuit, {len(FREQUENCIES)} points 10 mHz-100 kHz, "
          f"{NOISE:.0%} proportional complex noise; optimum: cost <= (1 + 1e-6) x cost of "
          f"levenberg_marquardt from the true values; load average at start "
          f"{os.getloadavg()[0]:.1f}")
    header = (f"{'circuit':24} {'method':24} {'time/fit median':>15} {'time/fit mean':>14} "
              f"{'evals median':>13} {'evals mean':>11} {'optimum':>8} {'errors':>7}")
    print(header)
    for case, (notation, model, draw) in enumerate(CASES):
        # One generator per circuit, so a shorter run measures the first spectra of a longer one.
        rows = measure(notation, model, draw, args.spectra, np.random.default_rng([args.seed, case]))
        for method in METHODS:
            row = rows[method]
            evals = row["evals"] or [0]
            print(f"{notation:24} {method:24} {format_time(statistics.median(row['times'])):>15} "
                  f"{format_time(statistics.fmean(row['times'])):>14} {statistics.median(evals):13.0f} "
                  f"{statistics.fmean(evals):11.0f} {row['reached'] / args.spectra:8.1%} {row['errors']:7d}")


if __name__ == "__main__":
    main()
