"""Starts read off the data: on measured spectra fitted with circuits no carried network knows,
the share of fits from placeholders and from start="data" that reach the best cost of 200 random starts.

Arguments: random starts per spectrum and circuit (default 200); optionally a JSON file that
keeps the random starts' results, so that a later run with the same count fits only the starts
read off the data."""

import json
import pathlib
import sys
import time
import warnings

import numpy as np
import pandas as pd

import corvex
from corvex.fitting import fit
from timing import machine_description

# The shared data sit next to the main checkout; a worktree sits one folder deeper.
DATA = next(p / "shared" / "data" for p in pathlib.Path(__file__).resolve().parents[2:4] if (p / "shared" / "data").is_dir())
CIRCUITS = ["R0-(R1,C1)-(R2,C2)-Wo1", "R0-(R1,CPE1)-(R2,CPE2)-(R3,CPE3)", "L0-R0-(R1,CPE1)-(R2-Wo2,CPE2)"]
COIN_CELL_CYCLES = (0, 32, 64, 96, 129)
REACHED = 1e-4  # relative distance above the best cost that still counts as reaching it


def degenerate(result, z):
    """A fit that uses an element as no element: a magnitude collapsed to its lower bound, a
    resistance far above the spectrum's scale, or a CPE exponent near zero (a resistor)."""
    scale = np.abs(z).max()
    for name, value in result.params.items():
        kind = name.split(".")[1]
        if kind in ("r", "q", "l", "z0", "c", "aw") and value <= 1e-9:
            return True
        if kind in ("r", "z0") and value > 100 * scale:
            return True
        if kind == "alpha" and value < 0.2:
            return True
    return False


def spectra():
    def pair(frame):
        f = frame["Frequency / Hz"].to_numpy()
        z = frame["Real Impedance / ohm"].to_numpy() + 1j * frame["Imaginary Impedance / ohm"].to_numpy()
        return f, z
    for name in ("li-ion-example", "dummy-circuit-1", "dummy-circuit-2", "dummy-circuit-3", "autoeis-test-data"):
        yield name, pair(pd.read_csv(DATA / f"{name}.csv"))
    cycling = pd.read_csv(DATA / "coin-cell-cycling.csv")
    for cycle in COIN_CELL_CYCLES:
        yield f"coin-cell cycle {cycle}", pair(cycling[cycling["Cycle"] == cycle])


def random_values(circuit, f, z, rng):
    """Log-uniform values on the spectrum's scales: resistances over four decades below max|Z|,
    time constants across the measured window, exponents between 0.5 and 1."""
    scale = np.abs(z).max()
    omega = 2 * np.pi * f
    values = []
    for name in circuit.param_names():
        kind = name.split(".")[1]
        tau = 10 ** rng.uniform(np.log10(1 / omega.max()), np.log10(1 / omega.min()))
        resistance = scale * 10 ** rng.uniform(-4, 0)
        if kind == "alpha":
            values.append(rng.uniform(0.5, 1.0))
        elif kind in ("r", "z0"):
            values.append(resistance)
        elif kind == "tau":
            values.append(tau)
        elif kind == "c":
            values.append(tau / resistance)
        elif kind == "q":
            values.append(tau ** 0.8 / resistance)
        elif kind == "l":
            values.append(resistance / omega.max() * 10 ** rng.uniform(-3, 0))
        else:
            raise ValueError(name)
    return values


def random_references(circuit, f, z, count, rng):
    """The best cost of `count` random starts, the best of those that are sound, and the values
    of the best, with the placeholders' cost."""
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        best, best_sound, best_values = np.inf, np.inf, None
        for _ in range(count):
            try:
                result = circuit.with_values(random_values(circuit, f, z, rng)).fit(f, z)
            except ValueError:
                continue
            if result.cost < best:
                best, best_values = result.cost, dict(result.params)
            if not degenerate(result, z):
                best_sound = min(best_sound, result.cost)
        placeholders = fit(circuit, f, z, robust=False).result.cost
    return {"best": best, "best_sound": best_sound, "best_values": best_values, "placeholders": placeholders}


def main(count, cache_path=None):
    print(machine_description())
    rng = np.random.default_rng(20261207)
    cache = {}
    if cache_path and pathlib.Path(cache_path).is_file():
        cache = json.loads(pathlib.Path(cache_path).read_text())
        if cache.get("count") != count:
            cache = {}
    cache["count"] = count
    print(f"Share of fits reaching the best cost of {count} random starts (within {REACHED:g} relative),")
    print("corvex.fitting.fit(robust=False) from placeholders and from start='data'; robust fits from the data start "
          "and from fit()'s own start (whose robust starts include the data start).")
    reached = {"placeholders": 0, "data": 0, "data robust": 0, "robust": 0, "data (best sound)": 0}
    total = 0
    data_seconds = []
    for circuit_text in CIRCUITS:
        circuit = corvex.Circuit(circuit_text)
        for name, (f, z) in spectra():
            key = f"{circuit_text} | {name}"
            if key not in cache:
                cache[key] = random_references(circuit, f, z, count, rng)
            reference = cache[key]
            best, best_sound, placeholders = reference["best"], reference["best_sound"], reference["placeholders"]
            started = time.perf_counter()
            from_data = fit(circuit, f, z, robust=False, start="data").result
            data_seconds.append(time.perf_counter() - started)
            data = from_data.cost
            if not degenerate(from_data, z):
                best_sound = min(best_sound, data)
            data_robust = fit(circuit, f, z, start="data").result.cost
            with warnings.catch_warnings():
                warnings.simplefilter("ignore")
                robust = fit(circuit, f, z).result.cost
            best = min(best, placeholders, data, data_robust, robust)
            marks = {"placeholders": placeholders <= best * (1 + REACHED), "data": data <= best * (1 + REACHED),
                     "data robust": data_robust <= best * (1 + REACHED), "robust": robust <= best * (1 + REACHED),
                     "data (best sound)": data <= best_sound * (1 + REACHED)}
            for mark, hit in marks.items():
                reached[mark] += hit
            total += 1
            print(f"{circuit_text:34} {name:22} best {best:10.4g} placeholders {placeholders:10.4g} "
                  f"best sound {best_sound:10.4g} data {data:10.4g} data robust {data_robust:10.4g} robust {robust:10.4g} {'' if marks['data'] else 'MISSED'}")
    if cache_path:
        pathlib.Path(cache_path).write_text(json.dumps(cache))
    for mark, hits in reached.items():
        print(f"{mark:17}: {hits}/{total} = {100 * hits / total:.0f} %")
    print("best sound: the lowest cost of a fit (random or from the data) that collapses no magnitude to its bound,")
    print("sends no resistance above 100 max|Z| and no CPE exponent below 0.2.")
    print(f"fit(start='data', robust=False): median {1e3 * np.median(data_seconds):.2f} ms, "
          f"largest {1e3 * np.max(data_seconds):.2f} ms per spectrum (start and fit)")


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 200, sys.argv[2] if len(sys.argv) > 2 else None)
