"""The network guess on its vector (AVX-512 or AVX2) and scalar paths, side by side: guess() per carried
model, default fits of "randles" and "rq", and the ranking of all eleven topologies on one core.

Each path runs in a worker process of its own (the path is chosen once per process; where
the widest is AVX-512, an AVX2 worker runs too, as column "avx2"); the
workers take turns, round after round, so a load that comes and goes on the shared machine
falls on both. With --before PYTHON (an interpreter whose corvex is an earlier build, with
--before-path added to its PYTHONPATH) that build runs as a third worker.

    python benchmarks/bench_guess_paths.py [--rounds 7] [--before PY [--before-path DIR]]
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import time

import numpy as np

from timing import machine_description

FREQUENCIES = np.logspace(-2, 5, 60)
CHANNELS = {"rc": 16, "sei_randles": 64, "sei_randles_wo": 64}
FIT_KEYS = ("randles", "rq")


# ---------------------------------------------------------------------------------------------
# Worker side: runs one command at a time and answers with seconds per call
# ---------------------------------------------------------------------------------------------

def _spectra(corvex, key, count=16, seed=7):
    rng = np.random.default_rng(seed)
    circuit = corvex.Circuit(key)
    z = np.asarray(circuit.impedance(FREQUENCIES))
    return [z * (1 + 0.01 * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))) for _ in range(count)]


def _seconds_per_call(fn, calls):
    """Processor time of the whole worker per call: on a shared machine the wall clock also
    counts the time other processes held the core."""
    start = time.process_time()
    for _ in range(calls):
        fn()
    return (time.process_time() - start) / calls


def worker():
    import corvex
    from corvex.analysis import rank_circuits

    path = corvex._guess_path() if hasattr(corvex, "_guess_path") else "scalar (before)"
    print(json.dumps({"path": path}), flush=True)
    cache = {}
    for line in sys.stdin:
        kind, key, calls = line.split()
        calls = int(calls)
        if key not in cache:
            cache[key] = (corvex.Circuit(key if key != "-" else "randles"), _spectra(corvex, key if key != "-" else "randles"))
        circuit, spectra = cache[key]
        turn = iter(range(1 << 30))

        def next_z():
            return spectra[next(turn) % len(spectra)]

        if kind == "guess":
            seconds = _seconds_per_call(lambda: circuit.guess(FREQUENCIES, next_z()), calls)
        elif kind == "fit":
            seconds = _seconds_per_call(lambda: circuit.fit(FREQUENCIES, next_z()), calls)
        else:  # rank
            seconds = _seconds_per_call(lambda: rank_circuits(FREQUENCIES, next_z(), n_jobs=1), calls)
        print(json.dumps({"seconds": seconds}), flush=True)


# ---------------------------------------------------------------------------------------------
# Driver side
# ---------------------------------------------------------------------------------------------

def processor_details():
    """Family, model and the vector features that matter here, from /proc/cpuinfo."""
    fields = {}
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                key, _, value = line.partition(":")
                fields.setdefault(key.strip(), value.strip())
    except OSError:
        return "no /proc/cpuinfo"
    flags = set(fields.get("flags", "").split())
    present = [flag for flag in ("avx2", "fma", "avx512f") if flag in flags]
    return (f"{fields.get('model name', '?')}, family {fields.get('cpu family', '?')} model {fields.get('model', '?')}, "
            f"flags {' '.join(present) or 'none of avx2/fma/avx512f'}")


class Worker:
    def __init__(self, name, python, env):
        self.name = name
        self.process = subprocess.Popen([python, os.path.abspath(__file__), "--worker"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, env=env,
                                        cwd=os.path.dirname(os.path.abspath(__file__)))
        self.path = json.loads(self.process.stdout.readline())["path"]

    def run(self, kind, key, calls):
        self.process.stdin.write(f"{kind} {key} {calls}\n")
        self.process.stdin.flush()
        return json.loads(self.process.stdout.readline())["seconds"]

    def close(self):
        self.process.stdin.close()
        self.process.wait()


def alternate(workers, kind, key, calls, rounds):
    """Median seconds per call of each worker, taking turns round after round."""
    for w in workers:
        w.run(kind, key, max(1, calls // 4))  # warm-up: models loaded, caches filled
    times = {w.name: [] for w in workers}
    for r in range(rounds):
        order = workers if r % 2 == 0 else workers[::-1]
        for w in order:
            times[w.name].append(w.run(kind, key, calls))
    return {name: statistics.median(values) for name, values in times.items()}


def line(label, medians, names):
    cells = "  ".join(f"{medians[n] * 1e3:9.3f}" for n in names)
    ratio = medians[names[0]] / medians["vector"]
    extra = ""
    if "before" in medians:
        extra = f"  {medians['before'] / medians['vector']:7.2f}x"
    return f"{label:18} {cells}  {ratio:7.2f}x{extra}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--worker", action="store_true", help=argparse.SUPPRESS)
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--before", help="interpreter whose corvex is the earlier build")
    parser.add_argument("--before-path", help="added to that interpreter's PYTHONPATH")
    args, _ = parser.parse_known_args()  # run_all.py passes its own selection through
    if args.worker:
        worker()
        return

    base_env = {k: v for k, v in os.environ.items() if k not in ("CORVEX_GUESS_SCALAR", "CORVEX_GUESS_PATH")}
    base_env["OMP_NUM_THREADS"] = "1"
    base_env["OPENBLAS_NUM_THREADS"] = "1"
    workers = [Worker("scalar", sys.executable, dict(base_env, CORVEX_GUESS_SCALAR="1")),
               Worker("vector", sys.executable, base_env)]
    if workers[1].path == "avx512":
        workers.insert(1, Worker("avx2", sys.executable, dict(base_env, CORVEX_GUESS_PATH="avx2")))
    if args.before:
        env = dict(base_env)
        if args.before_path:
            env["PYTHONPATH"] = args.before_path
        workers.append(Worker("before", os.path.abspath(shutil.which(args.before) or args.before), env))
    names = [w.name for w in workers]
    import corvex

    print(f"Machine: {machine_description()}; {processor_details()}; load average {os.getloadavg()[0]:.1f}")
    print("Paths: " + ", ".join(f"{w.name} = {w.path}" for w in workers))
    print(f"Median of {args.rounds} alternating rounds, milliseconds of processor time per call; ratios are "
          "scalar / vector" + (" and before / vector" if args.before else "") + ".")
    print()
    header = f"{'':18} " + "  ".join(f"{n:>9}" for n in names) + "    ratio" + ("   before" if args.before else "")
    print("guess(), 60 points:")
    print(header)
    for channels in (16, 32, 64):
        for key in corvex.Circuit.ml_circuits():
            if CHANNELS.get(key, 32) == channels:
                medians = alternate(workers, "guess", key, 200 if channels < 64 else 80, args.rounds)
                print(line(f"{key} ({channels})", medians, names), flush=True)
    print()
    print("default fit(), 60 points, noisy:")
    print(header)
    for key in FIT_KEYS:
        print(line(key, alternate(workers, "fit", key, 100, args.rounds), names), flush=True)
    print()
    print("rank_circuits() of the eleven carried topologies, one 60-point spectrum, n_jobs=1:")
    print(header)
    print(line("rank", alternate(workers, "rank", "-", 4, args.rounds), names), flush=True)
    for w in workers:
        w.close()


if __name__ == "__main__":
    main()
