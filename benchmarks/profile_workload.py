"""A steady workload for a sampling profiler: network guesses, default fits or a batch of
Randles spectra, repeated for a given number of seconds (run under perf record or callgrind)."""

import sys
import time

import numpy as np

import corvex
import corvex.batch

POINTS = 60
TYPICAL = [0.1, 0.5, 0.2, 1e-3, 0.85]


def randles_spectra(count, seed=5, spread=3.0, noise=0.01):
    rng = np.random.default_rng(seed)
    circuit = corvex.Circuit("randles")
    f = np.logspace(5, -2, POINTS)
    names = circuit.param_names()
    spectra = []
    for _ in range(count):
        values = [v if n.endswith("alpha") else v * spread ** rng.uniform(-1, 1) for v, n in zip(TYPICAL, names)]
        z = np.asarray(circuit.with_values(values).impedance(f))
        spectra.append((f, z * (1 + noise * (rng.standard_normal(POINTS) + 1j * rng.standard_normal(POINTS)))))
    return spectra


def main():
    workload, seconds = sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    workers = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    circuit = corvex.Circuit("randles")
    spectra = randles_spectra(200)
    circuit.guess(*spectra[0])  # loads the network before the measured part
    calls, end = 0, time.perf_counter() + seconds
    while time.perf_counter() < end:
        if workload == "guess":
            for f, z in spectra:
                circuit.guess(f, z)
        elif workload == "fit":
            for f, z in spectra:
                circuit.fit(f, z)
        elif workload == "batch":
            corvex.batch.fit(circuit, spectra, n_jobs=workers, robust=False, progress=False)
        else:
            raise SystemExit(f"unknown workload {workload!r}: guess, fit or batch")
        calls += len(spectra)
    print(f"{workload}: {calls} spectra in {seconds:.0f} s")


if __name__ == "__main__":
    main()
