"""How far the validity checks can be trusted, on spectra whose truth is known and on measured
ones: pass rates of the default Kramers-Kronig verdict on every carried topology, rejection of
drift, agreement and speed against pyimpspec, and the accuracy of Z-HIT's modulus.

pyimpspec is run, when `--pyimpspec PYTHON` names an interpreter it is installed in (a throwaway
venv, never the project's), in that interpreter as a subprocess: its automatic test (the
default, num_procs=1) on the same measured spectra. Both tools' residuals are judged by the same
yardstick, the chi-square rule with the noise estimated from the point-to-point scatter."""

import argparse
import warnings
import json
import pathlib
import subprocess
import sys
import time

import numpy as np

import corvex
import corvex.io
from corvex import analysis
from timing import machine_description, per_call_seconds

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "training"))
from corvex_train.data import draw_params  # noqa: E402
from corvex_train.topologies import MODELS  # noqa: E402

MEASURED = {
    "li-ion": ROOT / "examples/data/li-ion-example.csv",
    "dummy-1": ROOT / "examples/data/dummy-circuit-1.csv",
    "dummy-2": ROOT.parent.parent / "shared/data/dummy-circuit-2.csv",
    "dummy-3": ROOT.parent.parent / "shared/data/dummy-circuit-3.csv",
    "coin-cell cycle 0": ROOT / "examples/data/coin-cell-cycling.csv",
    "autoeis": ROOT.parent.parent / "shared/data/autoeis-test-data.csv",
    "biologic": ROOT / "examples/data/exampleDataBioLogic.mpt",
    "gamry": ROOT.parent.parent / "shared/data/instruments/exampleDataGamry.DTA",
}

PYIMPSPEC_SCRIPT = """
import json, sys, time
import numpy as np, pyimpspec
out = []
for f, re, im in json.load(sys.stdin):
    data = pyimpspec.DataSet(frequencies=np.array(f), impedances=np.array(re) + 1j * np.array(im))
    start = time.perf_counter()
    result = pyimpspec.perform_kramers_kronig_test(data, num_procs=1)
    seconds = time.perf_counter() - start
    _, real, imag = result.get_residuals_data()
    out.append({"m": int(result.num_RC), "seconds": seconds, "noise_percent": float(result.get_estimated_percent_noise()),
                "real": list(np.asarray(real) / 100.0), "imag": list(np.asarray(imag) / 100.0)})
json.dump(out, sys.stdout)
"""


def noisy(z, sigma, rng):
    return z + sigma * np.abs(z) * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size))


def window(rng, per_decade):
    lo, hi = rng.uniform(-3.0, 1.0), rng.uniform(3.0, 6.0)
    f = 10.0 ** np.linspace(hi, lo, int(round((hi - lo) * per_decade)) + 1)
    return f, lo, hi


def carried_spectra(rng, draws):
    """(key, per_decade, f, z) of exact spectra of each carried topology."""
    for key, (notation, *_rest) in MODELS.items():
        for per_decade in (5, 10, 20, 30):
            for _ in range(draws):
                f, lo, hi = window(rng, per_decade)
                values = draw_params(key, rng, np.array([lo]), np.array([hi]))[0]
                yield key, per_decade, f, corvex.Circuit(notation).with_values(list(values)).impedance(f)


def pass_rates(draws):
    rng = np.random.default_rng(1)
    counts = {}
    for key, per_decade, f, z in carried_spectra(rng, draws):
        for sigma in (0.0, 0.001, 0.003, 0.01, 0.03):
            data = noisy(z, sigma, rng) if sigma else z
            for method in ("density", "mu"):
                estimated = analysis.kramers_kronig(f, data, method=method).passed
                counts.setdefault((method, "estimated", sigma), []).append(estimated)
                if sigma:
                    given = analysis.kramers_kronig(f, data, method=method, noise_level=sigma).passed
                    counts.setdefault((method, "given", sigma), []).append(given)
    print("Pass rate on the carried topologies (5-30 points per decade, windows of 2-9 decades):")
    for (method, noise, sigma), passed in sorted(counts.items()):
        print(f"  {method:8s} noise {noise:9s} {100 * sigma:4.1f} %: {100 * np.mean(passed):5.1f} % of {len(passed)}")


def drift_rejection(draws):
    rng = np.random.default_rng(2)
    rejected = {}
    for key, per_decade, f, z in carried_spectra(rng, draws):
        drifted = z * (1.0 + 0.05 * np.linspace(0.0, 1.0, z.size))
        for admittance in (False, True):
            data = noisy(drifted, 0.003, rng)
            given = analysis.kramers_kronig(f, data, noise_level=0.003, admittance=admittance)
            estimated = analysis.kramers_kronig(f, data, admittance=admittance)
            name = "admittance" if admittance else "impedance"
            rejected.setdefault((name, "given"), []).append(not given.passed)
            rejected.setdefault((name, "estimated"), []).append(not estimated.passed)
            rejected.setdefault((name, "whiteness p<0.01"), []).append(given.whiteness_p < 0.01)
        mu = analysis.kramers_kronig(f, noisy(drifted, 0.003, rng), method="mu", noise_level=0.003)
        rejected.setdefault(("mu", "given"), []).append(not mu.passed)
    print("5 % drift of |Z| over the sweep at 0.3 % noise, rejected:")
    for (name, how), values in sorted(rejected.items()):
        print(f"  {name:10s} {how:17s}: {100 * np.mean(values):5.1f} % of {len(values)}")


def scatter_verdict(f, real, imag, unknowns):
    """The chi-square verdict with the noise from the neighbours' differences (at least 0.2 %,
    the default's floor)."""
    order = np.argsort(f)
    differences = np.abs(np.r_[np.diff(real[order]), np.diff(imag[order])])
    sigma = max(np.median(differences) / (0.6744897501960817 * np.sqrt(2)), 2e-3)
    dof = max(2 * f.size - unknowns, 1)
    c = 2 / (9 * dof)
    limit = sigma**2 * dof * (1 - c + 3.090232306167813 * np.sqrt(c)) ** 3
    return float(np.sum(real**2 + imag**2)) <= limit


def measured(pyimpspec_python, cache):
    spectra = {}
    for name, path in MEASURED.items():
        frame = corvex.io.read(path)
        if name.startswith("coin-cell"):
            cycle = next(column for column in frame.columns if column.startswith("Cycle"))
            frame = frame[frame[cycle] == 0]
        f, z = _arrays(frame)
        spectra[name] = (np.asarray(f, float), np.asarray(z, complex))
    peer = None
    if cache and pathlib.Path(cache).exists():
        peer = json.loads(pathlib.Path(cache).read_text())
    elif pyimpspec_python:
        payload = json.dumps([(list(f), list(z.real), list(z.imag)) for f, z in spectra.values()])
        run = subprocess.run([pyimpspec_python, "-c", PYIMPSPEC_SCRIPT], input=payload, capture_output=True,
                             text=True, check=True)
        peer = json.loads(run.stdout)
        if cache:
            pathlib.Path(cache).write_text(run.stdout)
    print("Measured spectra (verdict; M):")
    agree = 0
    for i, (name, (f, z)) in enumerate(spectra.items()):
        ours = analysis.kramers_kronig(f, z)
        mu = analysis.kramers_kronig(f, z, method="mu")
        line = (f"  {name:18s} {f.size:3d} points  density {'pass' if ours.passed else 'FAIL'} M={ours.rc_count:2d} "
                f"noise {100 * ours.noise_level:.2f} %   mu {'pass' if mu.passed else 'FAIL'} M={mu.rc_count:2d}")
        if peer:
            p = peer[i]
            verdict = scatter_verdict(f, np.array(p["real"]), np.array(p["imag"]), p["m"] + 4)
            agree += verdict == ours.passed
            line += f"   pyimpspec {'pass' if verdict else 'FAIL'} M={p['m']:2d} noise {p['noise_percent']:.2f} %"
        print(line)
    if peer:
        print(f"  agreement with pyimpspec: {agree}/{len(spectra)}")
        f, z = spectra["li-ion"]
        ours = per_call_seconds(lambda: analysis.kramers_kronig(f, z), min_time=0.3)
        print(f"  time on li-ion ({f.size} points): corvex {1e3 * ours:.2f} ms, pyimpspec automatic "
              f"{peer[0]['seconds']:.2f} s (one run), ratio {peer[0]['seconds'] / ours:.0f}x")


def _arrays(frame):
    columns = list(frame.columns)
    f = frame[next(c for c in columns if c.startswith("Frequency"))].to_numpy(float)
    real = frame[next(c for c in columns if c.startswith("Real"))].to_numpy(float)
    imag = frame[next(c for c in columns if c.startswith("Imag"))].to_numpy(float)
    return f, real + 1j * imag


def zhit_accuracy(draws):
    rng = np.random.default_rng(3)
    errors = {}
    for key, per_decade, f, z in carried_spectra(rng, draws):
        low, high = f.min() * 10**0.5, f.max() / 10**0.5
        check = analysis.zhit(f, z, window=(low, high))
        inside = check.in_window
        errors.setdefault(key, []).append(np.max(np.abs(check.modulus[inside] / np.abs(z[inside]) - 1)))
    print("Z-HIT: largest |Z| error inside the window (half a decade in from each end) on exact spectra:")
    every = np.concatenate(list(errors.values()))
    for key, values in errors.items():
        print(f"  {key:15s} median {100 * np.median(values):.2f} %, max {100 * np.max(values):.2f} %, "
              f"within 0.5 %: {100 * np.mean(np.array(values) <= 5e-3):.0f} %")
    print(f"  all: within 0.5 % in {100 * np.mean(every <= 5e-3):.0f} %, within 2 % in {100 * np.mean(every <= 0.02):.0f} %")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--draws", type=int, default=5, help="spectra per topology and point density")
    parser.add_argument("--pyimpspec", metavar="PYTHON", help="an interpreter with pyimpspec installed")
    parser.add_argument("--peer-cache", metavar="JSON", help="pyimpspec's results: read if the file exists, else "
                        "written after the run (its automatic test takes minutes)")
    arguments = parser.parse_args()
    # Long chains of the mu method on few points warn; the counts here say what they need to.
    warnings.simplefilter("ignore", UserWarning)
    print(machine_description())
    start = time.perf_counter()
    pass_rates(arguments.draws)
    drift_rejection(arguments.draws)
    zhit_accuracy(arguments.draws)
    measured(arguments.pyimpspec, arguments.peer_cache)
    print(f"({time.perf_counter() - start:.0f} s)")


if __name__ == "__main__":
    main()
