"""Fit-success evaluation (needs corvex with fit() and guess(); NumPy only,
no torch, so it runs under the library's Python 3.12):

    cd training && python3 -m corvex_train.fit_eval [N] [KEY ...]

For each topology it draws the first N spectra of the held-out set (same
stream as report.py) and runs three fits on each spectrum:
  - from the true parameters: Circuit(key).with_values(true).fit(f, z)
  - the default fit:          Circuit(key).fit(f, z)  (starts from the guess)
  - placeholder start:        Circuit(key).fit(f, z, guess_init=False)
A fit reaches the optimum when its cost <= cost_true * (1 + 1e-6) + 1e-20 (the
absolute term only matters for noise-free spectra fitted to round-off), or the
true-start fit failed to produce a finite cost and this one did.  Results go
to training/logs/fit_success.json; report.py turns them into a table.
"""
import json
import os
import sys
import time
import warnings

import numpy as np

from . import data as D
from .topologies import KEYS, MODELS

HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


# Below this cost a fit has matched the data to round-off (noise-free spectra): two such fits
# differ only in the last bits of their residuals, so the relative test alone would call one
# of them a miss.
ROUND_OFF_COST = 1e-20


def reached(cost, ref):
    if not np.isfinite(cost):
        return False
    if not np.isfinite(ref):
        return True
    return cost <= ref * (1 + 1e-6) + ROUND_OFF_COST


def main(argv):
    import corvex
    n = int(argv[0]) if argv else 500
    keys = argv[1:] or KEYS
    path = os.path.join(HERE, "logs", "fit_success.json")
    res = json.load(open(path)) if os.path.exists(path) else {"results": {}}
    for key in keys:
        t0 = time.time()
        rng = D.chunk_rng(key, D.TAG_TEST, 0)
        freqs, zs, params = D.draw_spectra(key, rng, n)
        ok_g = ok_d = 0
        for f, z, p in zip(freqs, zs, params):
            c = corvex.Circuit(key)
            with warnings.catch_warnings():
                warnings.simplefilter("ignore")
                ref = c.with_values([float(v) for v in p]).fit(f, z).cost
                g = c.fit(f, z).cost
                d = c.fit(f, z, guess_init=False).cost
            ok_g += reached(g, ref)
            ok_d += reached(d, ref)
        res["results"][key] = dict(n=n, guess=ok_g / n, default=ok_d / n,
                                   seconds=round(time.time() - t0, 1))
        print(key, res["results"][key], flush=True)
    res["note"] = ("Fits by corvex on the first spectra of the held-out set, default settings "
                   "(method levenberg_marquardt, weight modulus).")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as fh:
        json.dump(res, fh, indent=1, sort_keys=True)


if __name__ == "__main__":
    main(sys.argv[1:])
