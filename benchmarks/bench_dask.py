"""Fitting on a Dask LocalCluster next to the batch in one process: spectra per second, the
fixed cost of one partition, and the bytes each spectrum moves to and from the workers."""

import logging
import os
import pickle
import time

import numpy as np
import pandas as pd

import corvex
import corvex.batch
import corvex.dask
from timing import machine_description

SPECTRA = 1000
POINTS = 60
TYPICAL = [0.1, 0.5, 0.2, 1e-3, 0.85]  # randles


def long_frame(rng):
    circuit = corvex.Circuit("randles")
    f = np.logspace(5, -2, POINTS)
    names = circuit.param_names()
    spectra = []
    for spectrum in range(SPECTRA):
        values = [v if n.endswith("alpha") else v * 3.0 ** rng.uniform(-1, 1) for v, n in zip(TYPICAL, names)]
        z = np.asarray(circuit.with_values(values).impedance(f))
        z = z * (1 + 0.01 * (rng.standard_normal(POINTS) + 1j * rng.standard_normal(POINTS)))
        spectra.append(pd.DataFrame({"spectrum": spectrum, "Frequency / Hz": f, "Real Impedance / ohm": z.real,
                                     "Imaginary Impedance / ohm": z.imag}))
    return pd.concat(spectra, ignore_index=True)


def seconds(run):
    start = time.perf_counter()
    run()
    return time.perf_counter() - start


def main():
    import dask.dataframe as dd
    import distributed

    print(machine_description())
    cores = len(os.sched_getaffinity(0))
    frame = long_frame(np.random.default_rng(11))
    circuit = corvex.Circuit("randles")
    corvex.batch.fit(circuit, frame.head(POINTS), by="spectrum")  # loads the network before timing
    local = min(seconds(lambda: corvex.batch.fit(circuit, frame, by="spectrum", refine=False)) for _ in range(2))

    def partitioned(count):
        return dd.from_pandas(frame.set_index("spectrum"), npartitions=count, sort=True).reset_index()

    with distributed.LocalCluster(n_workers=cores, threads_per_worker=1, processes=True, dashboard_address=None,
                                  silence_logs=logging.ERROR) as cluster, distributed.Client(cluster):
        corvex.dask.fit(circuit, partitioned(cores), by="spectrum", whole_groups=True).compute()  # warm workers
        timings = {}
        for count in (cores * 4, 200):
            data = partitioned(count).persist()
            timings[count] = min(
                seconds(lambda: corvex.dask.fit(circuit, data, by="spectrum", whole_groups=True).compute())
                for _ in range(2))
        shuffled = dd.from_pandas(frame, npartitions=cores * 4).persist()
        shuffle_time = seconds(lambda: corvex.dask.fit(circuit, shuffled, by="spectrum").compute())

    few, many = sorted(timings)
    table = corvex.batch.fit(circuit, frame.head(10 * POINTS), by="spectrum", refine=False)
    bytes_in = len(pickle.dumps(frame.head(10 * POINTS), 5)) / 10
    bytes_out = len(pickle.dumps(table, 5)) / 10
    print(f"{SPECTRA} randles spectra of {POINTS} points, network guesses, no refinement; spectra per second:")
    print(f"  batch in one process, {cores} cores        {SPECTRA / local:8.0f}")
    print(f"  LocalCluster {cores}x1 thread, {few:3d} partitions {SPECTRA / timings[few]:8.0f}  "
          f"({local / timings[few]:.2f} of the batch)")
    print(f"  LocalCluster {cores}x1 thread, {many:3d} partitions {SPECTRA / timings[many]:8.0f}")
    print(f"  LocalCluster, shuffled into {cores * 4} partitions {SPECTRA / shuffle_time:8.0f}")
    per_partition = (timings[many] - timings[few]) / (many - few) * cores
    print(f"fixed cost of one partition on a worker: {per_partition * 1e3:.1f} ms")
    print(f"bytes per spectrum: {bytes_in:.0f} to the workers (long frame rows), "
          f"{bytes_out:.0f} back (table row with its FitResult)")


if __name__ == "__main__":
    main()
