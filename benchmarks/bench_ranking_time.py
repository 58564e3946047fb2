"""Processor time of corvex.analysis.rank_circuits over the eleven carried topologies on one core,
per 60-point spectrum drawn from their priors at 1 % noise. Arguments: spectra per topology
(default 5), repeats (default 3; the best repeat is reported, as other work shares the cores)."""

import sys
import time
import warnings

import numpy as np

import corvex
from corvex import analysis
from timing import machine_description

sys.path.insert(0, str(__import__("pathlib").Path(__file__).resolve().parents[1] / "training"))
from corvex_train.data import draw_params  # noqa: E402
from corvex_train.topologies import MODELS  # noqa: E402

POINTS = 60


def spectra_of_priors(per_topology, seed=24):
    rng = np.random.default_rng(seed)
    spectra = []
    for key in corvex.Circuit.ml_circuits():
        lo, hi = rng.uniform(-2.0, 0.0, per_topology), rng.uniform(4.0, 6.0, per_topology)
        params = draw_params(key, rng, lo, hi)
        for i in range(per_topology):
            f = np.logspace(hi[i], lo[i], POINTS)
            z = corvex.Circuit(MODELS[key][0]).with_values(list(params[i])).impedance(f)
            spectra.append((f, z + 0.01 * np.abs(z) * (rng.standard_normal(POINTS) + 1j * rng.standard_normal(POINTS))))
    return spectra


def main():
    per_topology = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    spectra = spectra_of_priors(per_topology)
    print(machine_description())
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        analysis.rank_circuits(*spectra[0], n_jobs=1)  # loads the networks before the measured part
        best = np.inf
        for _ in range(repeats):
            start = time.process_time()
            for f, z in spectra:
                analysis.rank_circuits(f, z, n_jobs=1)
            best = min(best, (time.process_time() - start) / len(spectra))
    print(f"rank_circuits, 11 topologies, {len(spectra)} spectra of {POINTS} points, n_jobs=1: "
          f"{1e3 * best:.1f} ms processor time per spectrum (best of {repeats})")


if __name__ == "__main__":
    main()
