"""Spectrum analyses: the Kramers-Kronig test against a NumPy lstsq version, relaxation-time
peaks of two-Zarc spectra, and the ranking of the eleven carried topologies on held-out
synthetic spectra from the training priors, with timings per spectrum and the confusion."""

import os
import pathlib
import subprocess
import sys
import time

import numpy as np

import corvex
from corvex import analysis
from numpy_kramers_kronig import kramers_kronig as numpy_kramers_kronig
from timing import format_time, machine_description, per_call_seconds

POINTS = 60
F = np.logspace(5, -2, POINTS)
ROOT = pathlib.Path(__file__).resolve().parents[1]


def noisy(z, sigma, rng):
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


def processor_seconds(fn, calls):
    """Processor time of this process per call: on a machine shared with other work it is the
    cost of the call itself, where wall time also counts the waits for a core."""
    start = time.process_time()
    for _ in range(calls):
        fn()
    return (time.process_time() - start) / calls


def two_zarc_spectra(count, rng, sigma=0.01):
    """Two Zarcs with gamma 0.8-1, time constants 1.5-3 decades apart, inside 10 uS .. 0.3 s."""
    cases = []
    for _ in range(count):
        tau1 = 10 ** rng.uniform(-5.0, -3.5)
        tau2 = tau1 * 10 ** rng.uniform(1.5, 3.0)
        g1, g2 = rng.uniform(0.8, 1.0, 2)
        r1, r2 = 10 ** rng.uniform(-0.5, 0.5, 2)
        z = corvex.Circuit("R0-Zarc1-Zarc2").with_values([0.1, r1, tau1, g1, r2, tau2, g2]).impedance(F)
        cases.append((noisy(z, sigma, rng), np.log10([tau1, tau2])))
    return cases


def bench_kramers_kronig(rng):
    spectra = [z for z, _ in two_zarc_spectra(40, rng, sigma=0.005)]
    same_m, worst = 0, 0.0
    for z in spectra:
        ours = analysis.kramers_kronig(F, z)
        m, _, residuals = numpy_kramers_kronig(F, z)
        same_m += ours.rc_count == m
        worst = max(worst, np.abs(ours.residuals_real - residuals.real).max(),
                    np.abs(ours.residuals_imag - residuals.imag).max())
    ms = [analysis.kramers_kronig(F, z).rc_count for z in spectra]
    ours_time = per_call_seconds(lambda: analysis.kramers_kronig(F, spectra[0]), min_time=0.3)
    numpy_time = per_call_seconds(lambda: numpy_kramers_kronig(F, spectra[0]), min_time=0.3)
    cpu_time = processor_seconds(lambda: analysis.kramers_kronig(F, spectra[0]), 500)
    pairs = [(F, z) for z in spectra]
    analysis.kramers_kronig(pairs, n_jobs=1)  # imports pandas before timing
    batch_time = processor_seconds(lambda: analysis.kramers_kronig(pairs, n_jobs=1), 10) / len(spectra)
    print(f"Kramers-Kronig test, {len(spectra)} two-Zarc spectra of {POINTS} points, 0.5 % noise, automatic M "
          f"(median {int(np.median(ms))}, range {min(ms)}-{max(ms)}):")
    print(f"  same M as NumPy lstsq: {same_m}/{len(spectra)}, largest residual difference {worst:.1e}")
    print(f"  one spectrum, wall time: corvex {format_time(ours_time)}, NumPy {format_time(numpy_time)}, "
          f"{numpy_time / ours_time:.1f}x faster (M = {ms[0]})")
    print(f"  processor time per spectrum: one call {format_time(cpu_time)}, "
          f"batch of {len(spectra)} on one lane {format_time(batch_time)}")


def bench_drt(rng):
    cases = two_zarc_spectra(50, rng)
    within, decades = 0, []
    times = []
    for z, true in cases:
        start = time.process_time()
        result = analysis.drt(F, z)
        times.append(time.process_time() - start)
        found = np.log10(result.peak_tau)
        nearest = np.array([found[np.argmin(np.abs(found - t))] if found.size else np.nan for t in true])
        error = np.abs(nearest - true)
        decades.append(error.max())
        within += bool(np.all(error <= 0.05 * np.abs(true)))
    decades = np.array(decades)
    print(f"Relaxation times, {len(cases)} two-Zarc spectra (gamma 0.8-1, 1.5-3 decades apart, 1 % noise), "
          f"lambda by modified GCV:")
    print(f"  both peaks within 5 % of the true log10 tau: {within}/{len(cases)}; peak error in decades: "
          f"median {np.median(decades):.3f}, 90th percentile {np.quantile(decades, 0.9):.3f}, "
          f"worst {decades.max():.3f}")
    print(f"  processor time per spectrum: median {format_time(np.median(times))}")


RANKING_CHILD = r"""
import os, sys, time, json
os.sched_setaffinity(0, {min(os.sched_getaffinity(0))})
sys.path.insert(0, sys.argv[1])
import numpy as np
import corvex
from corvex import analysis
from corvex_train.data import draw_frequencies, draw_params, impedance, _logu, TWO_PI
from corvex_train.topologies import MODELS

PER_TOPOLOGY = int(sys.argv[2])
keys = corvex.Circuit.ml_circuits()


def visible(key, p, names, lo, hi):
    # Every arc (and L, Warburg, finite diffusion) shows inside the window.
    v = dict(zip(names, p))
    f_lo, f_hi = 10 ** lo, 10 ** hi
    inside = lambda f: f_lo * 10 ** 0.5 <= f <= f_hi / 10 ** 0.5
    arcs = []
    for i in (1, 2):
        if f"R{i}.r" not in v:
            continue
        r = v[f"R{i}.r"]
        if f"C{i}.c" in v:
            tau = r * v[f"C{i}.c"]
        else:
            tau = (r * v[f"CPE{i}.q"]) ** (1 / v[f"CPE{i}.alpha"])
        arcs.append((r, 1 / (TWO_PI * tau)))
    if any(not inside(fc) or r < 0.1 * v["R0.r"] for r, fc in arcs):
        return False
    if len(arcs) == 2:
        if abs(np.log10(arcs[0][1] / arcs[1][1])) < 1.0:
            return False
        if min(arcs[0][0], arcs[1][0]) < 0.1 * max(arcs[0][0], arcs[1][0]):
            return False
    if "L0.l" in v and v["R0.r"] / (TWO_PI * v["L0.l"]) > f_hi / 10:
        return False
    for w in ("W1.aw", "W2.aw"):
        if w in v:
            r = v["R1.r"] if w == "W1.aw" else v["R2.r"]
            f_w = (v[w] / r) ** 2 / TWO_PI
            if not inside(f_w):
                return False
    if "Wo2.tau" in v and not inside(1 / (TWO_PI * v["Wo2.tau"])):
        return False
    return True


rng = np.random.default_rng([20240607, 7])
spectra, truth = [], []
for k, key in enumerate(keys):
    names = MODELS[key][1]
    kept = 0
    while kept < PER_TOPOLOGY:
        freqs, lo, hi = draw_frequencies(rng, 64)
        params = draw_params(key, rng, lo, hi)
        sigma = _logu(rng, -4.0, np.log10(0.03), 64)
        for i in range(64):
            if kept == PER_TOPOLOGY or not visible(key, params[i], names, lo[i], hi[i]):
                continue
            f = freqs[i]
            z = impedance(key, params[i:i + 1], TWO_PI * f[None, :])[0]
            z = z + sigma[i] * np.abs(z) * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size))
            spectra.append((f, z))
            truth.append(key)
            kept += 1

analysis.rank_circuits(spectra[0][0], spectra[0][1])  # loads every network before timing
out = {}
# The thorough mode costs about fifty single runs: it ranks the first few of each topology.
THOROUGH_PER_TOPOLOGY = 4
subsets = {False: list(range(len(spectra))),
           True: [i for i in range(len(spectra)) if i % PER_TOPOLOGY < THOROUGH_PER_TOPOLOGY]}
for thorough, chosen in subsets.items():
    start = time.process_time()
    table = analysis.rank_circuits([spectra[i] for i in chosen], n_jobs=1, thorough=thorough)
    elapsed = time.process_time() - start
    first = table[table["rank"] == 1].sort_values("spectrum")["circuit"].tolist()
    points = float(np.mean([spectra[i][0].size for i in chosen]))
    out[str(thorough)] = dict(seconds=elapsed / len(chosen), first=first, points=points,
                              truth=[truth[i] for i in chosen])
# Per 60-point spectrum, processor time of this process pinned to one core (what the call
# costs) and wall time (what it takes on a machine shared with other work).
f = np.logspace(5, -2, 60)
z = corvex.Circuit("two_rq").with_values([0.1, 0.2, 1e-4, 0.85, 0.5, 0.5, 0.9]).impedance(f)
candidates = [corvex.Circuit(key) for key in keys]
for thorough, calls in ((False, 10), (True, 2)):
    cpu, wall = time.process_time(), time.perf_counter()
    for _ in range(calls):
        analysis.rank_circuits(f, z, n_jobs=1, thorough=thorough)
    out[f"sixty_{thorough}"] = [(time.process_time() - cpu) / calls, (time.perf_counter() - wall) / calls]
cpu = time.process_time()
for _ in range(10):
    for circuit in candidates:
        circuit.guess(f, z)
out["guesses"] = (time.process_time() - cpu) / 10
print(json.dumps(out))
"""


def bench_ranking(per_topology=20):
    child = subprocess.run([sys.executable, "-c", RANKING_CHILD, str(ROOT / "training"), str(per_topology)],
                           capture_output=True, text=True, check=True)
    import json

    out = json.loads(child.stdout.strip().splitlines()[-1])
    keys = corvex.Circuit.ml_circuits()
    print(f"Circuit ranking, all eleven carried topologies, {per_topology} held-out synthetic spectra per "
          f"generating topology from the training priors (every arc visible), one core:")
    (cpu_single, wall_single), (cpu_full, wall_full) = out["sixty_False"], out["sixty_True"]
    print(f"  per 60-point spectrum, processor time (wall time on this shared machine): single run "
          f"{format_time(cpu_single)} ({format_time(wall_single).strip()}), full stage with robust starts {format_time(cpu_full)} "
          f"({format_time(wall_full).strip()}); the eleven network guesses alone {format_time(out['guesses'])}")
    for mode, label in (("False", "single Levenberg-Marquardt run"), ("True", "full stage with robust starts")):
        first, truth = out[mode]["first"], out[mode]["truth"]
        right = sum(a == b for a, b in zip(first, truth))
        print(f"  {label}: {format_time(out[mode]['seconds'])} processor time per spectrum "
              f"(mean {out[mode]['points']:.0f} points), generating topology first in {right}/{len(truth)} "
              f"({100 * right / len(truth):.0f} %)")
    first, truth = out["False"]["first"], out["False"]["truth"]
    print("  confusion, single run (rows: generating topology, columns: ranked first, in ml_circuits() order):")
    width = max(len(k) for k in keys)
    for key in keys:
        counts = [sum(1 for t, f in zip(truth, first) if t == key and f == other) for other in keys]
        print(f"    {key:{width}} " + " ".join(f"{c:3d}" for c in counts))


def main():
    print(machine_description())
    rng = np.random.default_rng(11)
    bench_kramers_kronig(rng)
    bench_drt(rng)
    bench_ranking()


if __name__ == "__main__":
    main()
