"""One side of the side-by-side benchmark: run under a venv's python, it answers timing
requests for the corvex installed there, one JSON line in and one out, until stdin closes.

Every request times one figure on the shared inputs (an .npz file the driver wrote), so both
builds see the same spectra bit for bit, and reports a digest of what the calls returned, so
the driver can tell whether the two builds computed the same numbers."""

import hashlib
import json
import sys
import time

import numpy as np

import corvex
import corvex.batch
from corvex.analysis import rank_circuits


def digest(values):
    return hashlib.sha1(np.ascontiguousarray(np.asarray(values, dtype=float)).tobytes()).hexdigest()[:12]


def timed_calls(call, calls):
    """Wall and processor seconds per call over `calls` calls, the fastest single call's wall
    and processor seconds (the call a neighbour disturbed least), and the last call's result."""
    fastest = fastest_cpu = float("inf")
    wall, cpu = time.perf_counter(), time.process_time()
    for _ in range(calls):
        started, started_cpu = time.perf_counter(), time.process_time()
        result = call()
        fastest = min(fastest, time.perf_counter() - started)
        fastest_cpu = min(fastest_cpu, time.process_time() - started_cpu)
    return {"seconds": (time.perf_counter() - wall) / calls, "cpu": (time.process_time() - cpu) / calls,
            "fastest": fastest, "fastest_cpu": fastest_cpu}, result


class Worker:
    def __init__(self, inputs):
        data = np.load(inputs)
        self.spectra = {key[len("f_"):]: (data[key], data["z_" + key[len("f_"):]]) for key in data.files
                        if key.startswith("f_")}
        self.batch_z = data["batch_z"]
        self.batch_f = data["batch_f"]
        self.batch = [(self.batch_f, z) for z in self.batch_z]

    def about(self):
        return {"corvex": corvex.__file__, "models": corvex.Circuit.ml_circuits()}

    def guess(self, model, calls):
        circuit = corvex.Circuit(model)
        f, z = self.spectra[model]
        times, values = timed_calls(lambda: circuit.guess(f, z), calls)
        return {**times, "digest": digest(values)}

    def fit(self, model, calls):
        circuit = corvex.Circuit(model)
        f, z = self.spectra[model]
        times, result = timed_calls(lambda: circuit.fit(f, z), calls)
        return {**times, "digest": digest([*result.circuit.param_values(), result.cost])}

    def batch_fit(self, workers, count, start=0):
        circuit = corvex.Circuit("randles")
        spectra = self.batch[start:start + count]
        times, table = timed_calls(lambda: corvex.batch.fit(circuit, spectra, n_jobs=workers, robust=False,
                                                           intervals=False, progress=False), 1)
        return {**times, "digest": digest(table[circuit.param_names() + ["cost"]].to_numpy())}

    def fit_loop(self, count, start=0):
        circuit = corvex.Circuit("randles")
        spectra = self.batch[start:start + count]
        times, results = timed_calls(lambda: [circuit.fit(f, z) for f, z in spectra], 1)
        return {**times, "digest": digest([[*r.circuit.param_values(), r.cost] for r in results])}

    def rank(self, calls):
        f, z = self.batch[0]
        times, table = timed_calls(lambda: rank_circuits(f, z, n_jobs=1), calls)
        return {**times, "digest": digest(table["aicc"].to_numpy())}


def main():
    worker = Worker(sys.argv[1])
    for line in sys.stdin:
        request = json.loads(line)
        name = request.pop("measure")
        reply = getattr(worker, name)(**request)
        print(json.dumps(reply), flush=True)


if __name__ == "__main__":
    main()
