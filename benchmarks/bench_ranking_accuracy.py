"""How often corvex.analysis.rank_circuits puts the generating topology first, on spectra drawn
from the eleven carried topologies' priors, by criterion, with 11 x 11 confusion matrices.

"Distinguishable": removing any element other than R0 changes |Z| somewhere by more than 5 %;
"strictly": also each CPE, replaced by the capacitor of the same time constant, changes |Z| by
more than 5 % (a CPE of exponent near 1 is a capacitor to the data).
Two sets: the training priors at 1 % noise, and the same priors (another seed) with noise
drawn log-uniform between 0.1 % and 3 %. Arguments: spectra per topology (default 20), and
optionally `--save PATH` to store the first-ranked circuits (to compare two builds with
`--before PATH`)."""

import argparse
import json
import pathlib
import sys
import time
import warnings

import numpy as np

import corvex
from corvex import analysis
from timing import machine_description

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "training"))
from corvex_train.data import TWO_PI, draw_frequencies, draw_params  # noqa: E402
from corvex_train.topologies import MODELS  # noqa: E402

KEYS = corvex.Circuit.ml_circuits()
VISIBLE_CHANGE = 0.05


def _split(text, separator):
    """Top-level pieces of a notation string, split at `separator` outside parentheses."""
    pieces, depth, current = [], 0, ""
    for char in text:
        depth += char == "("
        depth -= char == ")"
        if char == separator and depth == 0:
            pieces.append(current)
            current = ""
        else:
            current += char
    return pieces + [current]


def without(text, name):
    """The notation (groups written "(...)" or "p(...)") with element `name` taken out: a lone
    branch of a parallel group goes with it, and a group left with one branch becomes that
    branch in series."""
    kept = []
    for block in _split(text, "-"):
        if block == name:
            continue
        if block.endswith(")"):
            opening = block[:block.index("(") + 1]
            branches = [b for b in (without(branch, name) for branch in _split(block[len(opening):-1], ",")) if b]
            block = branches[0] if len(branches) == 1 else opening + ",".join(branches) + ")"
        kept.append(block)
    return "-".join(kept)


def _changes(z, notation, by_name, f):
    circuit = corvex.Circuit(notation)
    z_other = circuit.with_values([by_name[p] for p in circuit.param_names()]).impedance(f)
    return np.max(np.abs(np.abs(z_other) / np.abs(z) - 1)) > VISIBLE_CHANGE


def distinguishable(key, values, f):
    """(every element visible, and also every CPE visible as no capacitor)"""
    notation = MODELS[key][0]
    full = corvex.Circuit(notation).with_values(list(values))
    by_name = dict(zip(full.param_names(), values))
    z = full.impedance(f)
    names = {name.split(".")[0] for name in full.param_names()} - {"R0"}
    if not all(_changes(z, without(notation, name), by_name, f) for name in names):
        return False, False
    for i in (1, 2):
        if f"CPE{i}.q" in by_name:
            r, q, alpha = by_name[f"R{i}.r"], by_name[f"CPE{i}.q"], by_name[f"CPE{i}.alpha"]
            capacitor = dict(by_name, **{f"C{i}.c": (r * q) ** (1 / alpha) / r})
            if not _changes(z, notation.replace(f"CPE{i}", f"C{i}"), capacitor, f):
                return True, False
    return True, True


def draw_set(per_topology, seed, noise):
    rng = np.random.default_rng(seed)
    spectra, truth, visible, strict = [], [], [], []
    for key in KEYS:
        freqs, lo, hi = draw_frequencies(rng, per_topology)
        params = draw_params(key, rng, lo, hi)
        sigma = noise(rng, per_topology)
        for i in range(per_topology):
            f = freqs[i]
            z = corvex.Circuit(MODELS[key][0]).with_values(list(params[i])).impedance(f)
            z = z + sigma[i] * np.abs(z) * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size))
            spectra.append((f, z))
            truth.append(key)
            seen, strictly = distinguishable(key, params[i], f)
            visible.append(seen)
            strict.append(strictly)
    return spectra, truth, visible, strict


def first_choices(table):
    """First circuit per spectrum by AICc, by BIC, and by AICc with the parsimony rule."""
    out = {"aicc": [], "bic": [], "aicc_parsimony": []}
    for _, group in table.groupby("spectrum", sort=True):
        fitted = group[group["success"].astype(bool) & np.isfinite(group["aicc"].astype(float))]
        if fitted.empty:
            for key in out:
                out[key].append(None)
            continue
        out["aicc"].append(fitted.loc[fitted["aicc"].idxmin(), "circuit"])
        out["bic"].append(fitted.loc[fitted["bic"].idxmin(), "circuit"])
        near = fitted[fitted["aicc"] <= fitted["aicc"].min() + 2.0]
        out["aicc_parsimony"].append(near.sort_values(["parameters", "aicc"]).iloc[0]["circuit"])
    if "rank" in table:
        out["ranked_first"] = table[table["rank"] == 1].sort_values("spectrum")["circuit"].tolist()
    return out


def report(label, truth, visible, strict, choices):
    print(f"  {label}")
    total = len(truth)

    def share(right, among):
        hits, count = sum(r for r, a in zip(right, among) if a), sum(among)
        return f"{hits}/{count} ({100 * hits / max(count, 1):.0f} %)"

    for rule, first in choices.items():
        right = [a == b for a, b in zip(first, truth)]
        print(f"    {rule:15} distinguishable {share(right, visible)}, strictly {share(right, strict)}, "
              f"all {share(right, [True] * total)}")


def confusion(label, truth, first, visible):
    print(f"    confusion, {label}, distinguishable spectra (rows: generating topology, columns: ranked first):")
    width = max(len(k) for k in KEYS)
    print("    " + " " * width + " " + " ".join(f"{i + 1:3d}" for i in range(len(KEYS))))
    for i, key in enumerate(KEYS):
        counts = [sum(1 for t, f, v in zip(truth, first, visible) if v and t == key and f == other) for other in KEYS]
        print(f"    {key:{width}} " + " ".join(f"{c:3d}" for c in counts) + f"   ({i + 1})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("per_topology", nargs="?", type=int, default=20)
    parser.add_argument("--save")
    parser.add_argument("--before")
    args = parser.parse_args()
    print(machine_description())
    sets = {
        "training priors, 1 % noise": (20261207, lambda rng, n: np.full(n, 0.01)),
        "training priors (other seed), noise 0.1-3 % log-uniform": (
            20261208, lambda rng, n: 10 ** rng.uniform(-3, np.log10(0.03), n)),
    }
    before = json.loads(pathlib.Path(args.before).read_text()) if args.before else {}
    saved = {}
    for label, (seed, noise) in sets.items():
        spectra, truth, visible, strict = draw_set(args.per_topology, seed, noise)
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            start = time.process_time()
            table = analysis.rank_circuits(spectra, n_jobs=1)
            seconds = (time.process_time() - start) / len(spectra)
        choices = first_choices(table)
        saved[label] = choices["ranked_first"]
        print(f"{label}: {len(spectra)} spectra, {sum(visible)} distinguishable ({sum(strict)} strictly), "
              f"{1e3 * seconds:.1f} ms processor time per spectrum")
        if label in before:
            report("before (main's ranking)", truth, visible, strict, {"ranked_first": before[label]})
        report("this build", truth, visible, strict, choices)
        if label in before:
            confusion("before", truth, before[label], visible)
        confusion("this build, ranked first", truth, choices["ranked_first"], visible)
    if args.save:
        pathlib.Path(args.save).write_text(json.dumps(saved))


if __name__ == "__main__":
    main()
