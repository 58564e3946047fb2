"""Fit controls: how often robust starts reach the optimum next to Circuit.fit(), how often the
95 % intervals cover the true values, and what held parameters and bounds cost in time.

Spectra come from the held-out stream of training/'s priors (training/PRIORS.md). Arguments:
spectra per topology for robustness (default 100), spectra per circuit for coverage (default
1000), then topology keys to restrict the robustness table to."""

import pathlib
import sys
import time
import warnings

import numpy as np

import corvex
import corvex.batch
from corvex.fitting import fit as fit_with_controls
from timing import machine_description

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "training"))
from corvex_train import data as priors  # noqa: E402
from corvex_train.fit_eval import reached  # noqa: E402
from corvex_train.topologies import KEYS  # noqa: E402

COVERAGE_NOISE = 0.01  # each part's noise standard deviation, relative to |Z|
COVERAGE_SEED = 20261207


def robustness(count, keys):
    print(f"Robustness: {count} held-out spectra per topology; share of fits reaching the optimum")
    print("(cost within 1e-6 of a fit from the true values, or lower), Circuit.fit() against")
    print("corvex.batch.fit(robust=True, refine=False, n_jobs=1); time is processor seconds.")
    print(f"{'model':15} {'fit()':>7} {'robust':>7} {'fit() s':>8} {'robust s':>9} {'ratio':>6}  winning starts")
    for key in keys:
        freqs, zs, params = priors.draw_spectra(key, priors.chunk_rng(key, priors.TAG_TEST, 0), count)
        circuit = corvex.Circuit(key)
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            reference = [circuit.with_values([float(v) for v in p]).fit(f, z).cost
                         for f, z, p in zip(freqs, zs, params)]
            start = time.process_time()
            plain = [circuit.fit(f, z).cost for f, z in zip(freqs, zs)]
            plain_time = time.process_time() - start
            start = time.process_time()
            table = corvex.batch.fit(circuit, list(zip(freqs, zs)), n_jobs=1, refine=False, progress=False)
            robust_time = time.process_time() - start
        plain_share = np.mean([reached(c, r) for c, r in zip(plain, reference)])
        robust_share = np.mean([reached(c, r) for c, r in zip(table["cost"], reference)])
        winners = table["start"].value_counts()
        summary = ", ".join(f"{label} {n}" for label, n in winners.items() if label != "guess")
        print(f"{key:15} {plain_share:7.1%} {robust_share:7.1%} {plain_time:8.2f} {robust_time:9.2f} "
              f"{robust_time / plain_time:5.1f}x  {summary or '-'}")


def coverage(count):
    print(f"Interval coverage: {count} spectra per circuit, true values from the priors, noise")
    print(f"{COVERAGE_NOISE:.0%} of |Z| on each part (the error model the intervals assume);")
    print("share of true values inside their 95 % interval.")
    rng = np.random.default_rng(COVERAGE_SEED)
    for key in ("rq", "randles"):
        freqs, lo, hi = priors.draw_frequencies(rng, count)
        params = priors.draw_params(key, rng, lo, hi)
        circuit = corvex.Circuit(key)
        inside = np.zeros(len(circuit.param_names()))
        judged = np.zeros(len(circuit.param_names()))
        for f, p in zip(freqs, params):
            z = priors.impedance(key, p[None, :], priors.TWO_PI * f[None, :])[0]
            z = z + COVERAGE_NOISE * np.abs(z) * (rng.standard_normal(len(f)) + 1j * rng.standard_normal(len(f)))
            report = fit_with_controls(circuit.with_values([float(v) for v in p]), f, z, robust=False)
            for j, name in enumerate(report.names):
                interval = report.intervals[name]
                if interval is not None and np.isfinite(interval).all():
                    judged[j] += 1
                    inside[j] += interval[0] <= p[j] <= interval[1]
        shares = ", ".join(f"{name} {i / max(n, 1):.1%}" for name, i, n in zip(circuit.param_names(), inside, judged))
        print(f"  {key:8} all {inside.sum() / judged.sum():.1%} of {int(judged.sum())} ({shares})")


def cost_of_controls(count):
    print(f"Cost of the controls: processor ms per fit over {count} held-out spectra, from the guess")
    print(f"{'model':10} {'fit()':>7} {'plain':>7} {'fixed R0':>9} {'bounded':>8} {'robust':>7}")
    for key, bounds in (("rq", {"CPE1.alpha": (0.6, 0.95)}), ("randles", {"CPE1.alpha": (0.6, 0.95)})):
        freqs, zs, params = priors.draw_spectra(key, priors.chunk_rng(key, priors.TAG_TEST, 0), count)
        circuit = corvex.Circuit(key)
        runs = {
            "fit()": lambda f, z, p: circuit.fit(f, z),
            "plain": lambda f, z, p: fit_with_controls(circuit, f, z, robust=False),
            "fixed R0": lambda f, z, p: fit_with_controls(circuit, f, z, fixed={"R0.r": float(p[0])}, robust=False),
            "bounded": lambda f, z, p: fit_with_controls(circuit, f, z, bounds=bounds, robust=False),
            "robust": lambda f, z, p: fit_with_controls(circuit, f, z),
        }
        times = []
        for run in runs.values():
            start = time.process_time()
            for f, z, p in zip(freqs, zs, params):
                run(f, z, p)
            times.append((time.process_time() - start) / count * 1e3)
        print(f"{key:10} " + " ".join(f"{t:{len(name) if len(name) > 7 else 7}.2f}" for name, t in zip(runs, times)))


def main(argv):
    robust_count = int(argv[0]) if argv else 100
    coverage_count = int(argv[1]) if len(argv) > 1 else 1000
    keys = argv[2:] or KEYS
    print(machine_description())
    robustness(robust_count, keys)
    print()
    coverage(coverage_count)
    print()
    cost_of_controls(min(robust_count, 200))


if __name__ == "__main__":
    main(sys.argv[1:] if __name__ == "__main__" and sys.argv[0].endswith("bench_fit_controls.py") else [])
