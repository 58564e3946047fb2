"""Relaxation-time distribution: peaks found by significance against the older prominence rule on
two- and three-process spectra, coverage of the 99 % credible band on arcs with known gamma, and
the time of one 60-point spectrum with its band (and of pyDRTtools' Bayesian run, if given)."""

import argparse
import itertools
import subprocess
import sys
import time

import numpy as np

from corvex import analysis
from timing import machine_description

FREQUENCIES = np.logspace(5, -2, 71)
SEPARATIONS = (0.7, 1.0, 1.5, 2.0)
RATIOS = (1, 5, 10)
NOISES = (0.003, 0.01)
SEEDS = (0, 1, 2)
ALPHA = 0.9
R_INF = 0.1


def zarc(f, r, tau, alpha):
    return r / (1 + (2j * np.pi * f * tau) ** alpha)


def zarc_gamma(tau_grid, r, tau, alpha):
    """gamma(ln tau) of R/(1 + (j w tau0)^alpha), in ohm."""
    x = alpha * np.log(tau_grid / tau)
    return r / (2 * np.pi) * np.sin((1 - alpha) * np.pi) / (np.cosh(x) - np.cos((1 - alpha) * np.pi))


def noisy(z, sigma, rng):
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


def processes(count, separation, ratio):
    """Time constants centred on 1e-2 s and sizes: the second process `ratio` times smaller."""
    taus = 1e-2 * 10.0 ** (separation * (np.arange(count) - (count - 1) / 2))
    sizes = [1.0, 1.0 / ratio, 1.0][:count]
    return taus, sizes


def found(result, taus):
    """'right', 'too many' or 'wrong' for the peaks inside the data against the true time constants."""
    peak_tau = result.peak_tau[~result.peak_extrapolated]
    if len(peak_tau) > len(taus):
        return "too many"
    if len(peak_tau) < len(taus):
        return "wrong"
    ok = all(np.min(np.abs(np.log10(peak_tau) - np.log10(t))) <= 0.2 for t in taus)
    return "right" if ok else "wrong"


def peak_table(rules):
    outcomes = {name: [] for name in rules}
    for count, separation, ratio, noise, seed in itertools.product((2, 3), SEPARATIONS, RATIOS, NOISES, SEEDS):
        taus, sizes = processes(count, separation, ratio)
        z = R_INF + sum(zarc(FREQUENCIES, r, t, ALPHA) for r, t in zip(sizes, taus))
        z = noisy(z, noise, np.random.default_rng(1000 * count + 100 * seed + int(10 * separation) + ratio))
        for name, options in rules.items():
            outcomes[name].append(((count, separation, ratio, noise, seed),
                                   found(analysis.drt(FREQUENCIES, z, **options), taus)))
    return outcomes


def coverage(samples):
    """Share of the grid inside the window where the 99 % band holds the true gamma, per spectrum."""
    shares = []
    window = (1 / (2 * np.pi * FREQUENCIES.max()), 1 / (2 * np.pi * FREQUENCIES.min()))
    for alpha, separation, seed in itertools.product((0.7, 0.8, 0.9), (1.0, 2.0), range(4)):
        taus, sizes = processes(2, separation, 2)
        z = R_INF + sum(zarc(FREQUENCIES, r, t, alpha) for r, t in zip(sizes, taus))
        z = noisy(z, 0.005, np.random.default_rng(seed))
        result = analysis.drt(FREQUENCIES, z, samples=samples)
        truth = sum(zarc_gamma(result.tau, r, t, alpha) for r, t in zip(sizes, taus))
        inside = (result.tau >= window[0]) & (result.tau <= window[1])
        held = (result.gamma_lower <= truth) & (truth <= result.gamma_upper)
        shares.append(((alpha, separation, seed), held[inside].mean()))
    return shares


def seconds(fn, repeats=5):
    best = np.inf
    for _ in range(repeats):
        start = time.perf_counter()
        fn()
        best = min(best, time.perf_counter() - start)
    return best


PYDRTTOOLS_RUN = """
import matplotlib
matplotlib.use = lambda *args, **kwargs: None  # its GUI module asks for Qt on import, even headless
import sys, time, numpy as np
from pyDRTtools.runs import Bayesian_run
from pyDRTtools.runs import EIS_object
f = np.logspace(5, -1, 61)
z = 0.1 + 1 / (1 + (2j * np.pi * f * 1e-3) ** 0.9) + 0.5 / (1 + (2j * np.pi * f * 1e-1) ** 0.9)
rng = np.random.default_rng(0)
z = z + 0.005 * np.abs(z) * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size))
data = EIS_object(f, z.real, z.imag)
best = np.inf
for _ in range(3):
    start = time.perf_counter()
    Bayesian_run(data, rbf_type="Gaussian", data_used="Combined Re-Im Data", induct_used=1, der_used="2nd order",
                 cv_type="GCV", reg_param=1e-3, shape_control="FWHM Coefficient", coeff=0.5, NMC_sample=2000)
    best = min(best, time.perf_counter() - start)
print(best)
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--pydrttools-python", help="a Python that has pyDRTtools installed, to time its Bayesian run")
    parser.add_argument("--samples", type=int, default=1000, help="posterior draws of corvex's band")
    arguments = parser.parse_args()
    print(f"machine: {machine_description()}")
    rules = {"prominence 0.15 (default)": {}, "significance p >= 0.7": {"peak_prominence": None},
             "prominence 0.05": {"peak_prominence": 0.05}}
    outcomes = peak_table(rules)
    print(f"\npeaks on {len(next(iter(outcomes.values())))} spectra (2 and 3 Zarcs, alpha {ALPHA}, separations "
          f"{SEPARATIONS} decades, ratios {RATIOS}, noise {NOISES}, seeds {SEEDS}):")
    for name, rows in outcomes.items():
        right = sum(verdict == "right" for _, verdict in rows)
        many = sum(verdict == "too many" for _, verdict in rows)
        per_ratio = {ratio: sum(v == "right" for key, v in rows if key[2] == ratio) for ratio in RATIOS}
        far_small = [v for key, v in rows if key[2] == 10 and key[1] == 2.0]
        print(f"  {name:<24} right {right}/{len(rows)} ({right / len(rows):.0%}), too many {many} "
              f"({many / len(rows):.0%}); right by ratio {per_ratio}; 1:10 two decades apart "
              f"{sum(v == 'right' for v in far_small)}/{len(far_small)}")
    shares = coverage(arguments.samples)
    values = np.array([share for _, share in shares])
    print(f"\n99 % band holds the true gamma (2 Zarcs 1:2, alpha 0.7-0.9, 0.5 % noise, {len(shares)} spectra): "
          f"mean {values.mean():.1%} of the grid inside the window, lowest {values.min():.1%}, "
          f"spectra at >= 95 %: {(values >= 0.95).sum()}/{len(values)}")
    f = np.logspace(5, -1, 61)
    z = R_INF + zarc(f, 1.0, 1e-3, 0.9) + zarc(f, 0.5, 1e-1, 0.9)
    z = noisy(z, 0.005, np.random.default_rng(0))
    with_band = seconds(lambda: analysis.drt(f, z, samples=arguments.samples))
    without = seconds(lambda: analysis.drt(f, z, bands=False))
    print(f"\n61-point spectrum: {with_band * 1e3:.1f} ms with the band ({arguments.samples} draws), "
          f"{without * 1e3:.1f} ms without (best of 5)")
    if arguments.pydrttools_python:
        result = subprocess.run([arguments.pydrttools_python, "-c", PYDRTTOOLS_RUN], capture_output=True, text=True)
        if result.returncode == 0:
            theirs = float(result.stdout.strip().splitlines()[-1])
            print(f"pyDRTtools Bayesian run (2000 draws) on the same spectrum: {theirs * 1e3:.0f} ms, "
                  f"{theirs / with_band:.0f}x corvex's")
        else:
            print(f"pyDRTtools failed: {result.stderr.strip().splitlines()[-1:]}", file=sys.stderr)


if __name__ == "__main__":
    main()
