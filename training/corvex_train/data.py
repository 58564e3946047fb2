"""Synthetic training spectra per topology (priors are documented in
training/PRIORS.md; keep the two in step).

Everything is vectorised NumPy.  A dataset is a list of chunks of CHUNK
spectra; chunk i of model k with purpose `tag` is drawn from
np.random.default_rng([SEED_BASE, tag, model index, i]), so a dataset of n
chunks is a prefix of one of n + 1 chunks and every chunk is reproducible
on its own.  Chunks are cached under checkpoints/data/<key>/.
"""
import os

import numpy as np

from .features import TWO_PI, estimate_scales, build_features, dimensionless_targets
from .topologies import MODELS, KEYS, scaling_table

SEED_BASE = 20240607
TAG_TRAIN = 1
TAG_VAL = 2
TAG_TEST = 3          # held-out report set: a different seed stream
CHUNK = 25000
N_GRID = 64


# ---------------------------------------------------------------- elements
def z_cpe(w, q, a):
    # 1 / (q (j w)^a)
    return (w ** -a) / q * np.exp(-1j * (np.pi / 2) * a)


def z_w(w, aw):
    s = aw / np.sqrt(w)
    return s - 1j * s


def _tanh_limited(u):
    big = np.abs(u.real) > 20
    us = np.where(big, 0.0, u)
    with np.errstate(all="ignore"):
        t = np.tanh(us)
    return np.where(big, np.sign(u.real) + 0j, t)


def z_wo(w, z0, tau):
    u = np.sqrt(1j * w * tau)
    return z0 / (u * _tanh_limited(u))


def par(a, b):
    return a * b / (a + b)


# ------------------------------------------------------------- frequencies
def draw_frequencies(rng, n):
    """Returns a list of n frequency arrays (Hz) in sweep order."""
    lo = rng.uniform(-3.0, 1.0, n)             # 1 mHz .. 10 Hz
    hi = rng.uniform(3.0, 6.0, n)              # 1 kHz .. 1 MHz
    ppd = rng.uniform(5.0, 20.0, n)            # points per decade
    jitter = rng.random(n) < 0.3
    jit_amp = rng.uniform(0.05, 0.45, n)       # fraction of the log step
    reverse = rng.random(n) < 0.5              # high -> low sweeps
    out = []
    for i in range(n):
        npts = int(round((hi[i] - lo[i]) * ppd[i])) + 1
        x = np.linspace(hi[i], lo[i], npts) if reverse[i] else np.linspace(lo[i], hi[i], npts)
        if jitter[i]:
            step = (hi[i] - lo[i]) / (npts - 1)
            x = x + rng.uniform(-1, 1, npts) * jit_amp[i] * step
        out.append(10.0 ** x)
    return out, lo, hi


# ------------------------------------------------------------------ priors
def _logu(rng, a, b, n):
    return 10.0 ** rng.uniform(a, b, n)


def _alpha(rng, n):
    a = rng.uniform(0.5, 1.0, n)
    near1 = rng.random(n) < 0.15
    return np.where(near1, rng.uniform(0.93, 1.0, n), a)


def _fc(rng, lo, hi):
    """Characteristic frequency (Hz) of an arc: inside the window or up to
    one decade beyond either end."""
    return 10.0 ** rng.uniform(lo - 1.0, hi + 1.0)


def draw_params(key, rng, lo, hi):
    """Returns (P-column array of true values in param_names order)."""
    n = len(lo)
    R0 = _logu(rng, -3.0, 3.0, n)
    cols = {}
    cols["R0.r"] = R0
    has_l = key.endswith("_l")
    if has_l:
        # frequency where w L = R0: two and a half decades below the top of
        # the window up to one and a half above it
        fL = 10.0 ** rng.uniform(hi - 2.5, hi + 1.5)
        cols["L0.l"] = R0 / (TWO_PI * fL)

    def arc_r():
        return R0 * _logu(rng, -1.5, 3.0, n)

    if key in ("rc", "rc_l", "rq", "rq_l"):
        R1 = arc_r()
        tau = 1.0 / (TWO_PI * _fc(rng, lo, hi))
        cols["R1.r"] = R1
        if key.startswith("rc"):
            cols["C1.c"] = tau / R1
        else:
            a = _alpha(rng, n)
            cols["CPE1.q"] = tau ** a / R1
            cols["CPE1.alpha"] = a
    elif key in ("two_rc", "two_rc_l", "two_rq", "two_rq_l"):
        Ra, Rb = arc_r(), arc_r()
        ta = 1.0 / (TWO_PI * _fc(rng, lo, hi))
        tb = 1.0 / (TWO_PI * _fc(rng, lo, hi))
        swap = tb < ta                      # canonical: faster arc first
        R1, R2 = np.where(swap, Rb, Ra), np.where(swap, Ra, Rb)
        t1, t2 = np.where(swap, tb, ta), np.where(swap, ta, tb)
        cols["R1.r"], cols["R2.r"] = R1, R2
        if key.startswith("two_rc"):
            cols["C1.c"], cols["C2.c"] = t1 / R1, t2 / R2
        else:
            aa, ab = _alpha(rng, n), _alpha(rng, n)
            a1, a2 = np.where(swap, ab, aa), np.where(swap, aa, ab)
            cols["CPE1.q"], cols["CPE1.alpha"] = t1 ** a1 / R1, a1
            cols["CPE2.q"], cols["CPE2.alpha"] = t2 ** a2 / R2, a2
    elif key == "randles":
        R1 = arc_r()
        fc = _fc(rng, lo, hi)
        a = _alpha(rng, n)
        cols["R1.r"] = R1
        cols["CPE1.q"] = (1.0 / (TWO_PI * fc)) ** a / R1
        cols["CPE1.alpha"] = a
        # Warburg equals R1 in magnitude at f_w: from 1.5 decades below the
        # window up to one decade above the arc
        fw = 10.0 ** rng.uniform(lo - 1.5, np.log10(fc) + 1.0)
        cols["W1.aw"] = R1 * np.sqrt(TWO_PI * fw)
    elif key in ("sei_randles", "sei_randles_wo"):
        R1, R2 = arc_r(), arc_r()
        fa, fb = _fc(rng, lo, hi), _fc(rng, lo, hi)
        f1, f2 = np.maximum(fa, fb), np.minimum(fa, fb)   # SEI arc is the faster
        a1, a2 = _alpha(rng, n), _alpha(rng, n)
        cols["R1.r"], cols["R2.r"] = R1, R2
        cols["CPE1.q"] = (1.0 / (TWO_PI * f1)) ** a1 / R1
        cols["CPE1.alpha"] = a1
        cols["CPE2.q"] = (1.0 / (TWO_PI * f2)) ** a2 / R2
        cols["CPE2.alpha"] = a2
        if key == "sei_randles":
            fw = 10.0 ** rng.uniform(lo - 1.5, np.log10(f2) + 1.0)
            cols["W2.aw"] = R2 * np.sqrt(TWO_PI * fw)
        else:
            cols["Wo2.z0"] = R2 * _logu(rng, -1.5, 1.5, n)
            fd = 10.0 ** rng.uniform(lo - 1.0, np.minimum(np.log10(f2) + 0.5, hi))
            cols["Wo2.tau"] = 1.0 / (TWO_PI * fd)
    else:
        raise KeyError(key)
    names = MODELS[key][1]
    return np.stack([cols[nm] for nm in names], axis=1)


def impedance(key, p, w):
    """p: (B, P) in param_names order; w: (B, N) angular frequencies."""
    names = MODELS[key][1]
    v = {nm: p[:, i:i + 1] for i, nm in enumerate(names)}
    z = v["R0.r"] + 0j * w
    if "L0.l" in v:
        z = z + 1j * w * v["L0.l"]
    if key in ("rc", "rc_l", "two_rc", "two_rc_l"):
        z = z + par(v["R1.r"], 1.0 / (1j * w * v["C1.c"]))
        if "C2.c" in v:
            z = z + par(v["R2.r"], 1.0 / (1j * w * v["C2.c"]))
    elif key in ("rq", "rq_l", "two_rq", "two_rq_l"):
        z = z + par(v["R1.r"], z_cpe(w, v["CPE1.q"], v["CPE1.alpha"]))
        if "CPE2.q" in v:
            z = z + par(v["R2.r"], z_cpe(w, v["CPE2.q"], v["CPE2.alpha"]))
    elif key == "randles":
        z = z + par(v["R1.r"] + z_w(w, v["W1.aw"]), z_cpe(w, v["CPE1.q"], v["CPE1.alpha"]))
    elif key == "sei_randles":
        z = z + par(v["R1.r"], z_cpe(w, v["CPE1.q"], v["CPE1.alpha"]))
        z = z + par(v["R2.r"] + z_w(w, v["W2.aw"]), z_cpe(w, v["CPE2.q"], v["CPE2.alpha"]))
    elif key == "sei_randles_wo":
        z = z + par(v["R1.r"], z_cpe(w, v["CPE1.q"], v["CPE1.alpha"]))
        z = z + par(v["R2.r"] + z_wo(w, v["Wo2.z0"], v["Wo2.tau"]),
                    z_cpe(w, v["CPE2.q"], v["CPE2.alpha"]))
    return z


def draw_spectra(key, rng, n):
    """Returns (list of f arrays, list of noisy z arrays, true params (n, P))."""
    freqs, lo, hi = draw_frequencies(rng, n)
    params = draw_params(key, rng, lo, hi)
    sigma = _logu(rng, -4.0, np.log10(0.03), n)   # proportional noise level
    noiseless = rng.random(n) < 0.05
    sigma = np.where(noiseless, 0.0, sigma)
    lens = np.array([len(f) for f in freqs])
    zs = [None] * n
    for m in np.unique(lens):
        idx = np.nonzero(lens == m)[0]
        F = np.stack([freqs[i] for i in idx])
        Z = impedance(key, params[idx], TWO_PI * F)
        eps = rng.standard_normal((len(idx), m)) + 1j * rng.standard_normal((len(idx), m))
        Z = Z + sigma[idx, None] * np.abs(Z) * eps
        for j, i in enumerate(idx):
            zs[i] = Z[j]
    return freqs, zs, params


def featurise(key, freqs, zs, params):
    """Features, extras, dimensionless targets (unstandardised) and scales."""
    n = len(freqs)
    names = MODELS[key][1]
    rows, logs = scaling_table(names)
    feats = np.empty((n, 3, N_GRID), dtype=np.float64)
    extras = np.empty((n, 2))
    zsc = np.empty(n)
    wsc = np.empty(n)
    lens = np.array([len(f) for f in freqs])
    for m in np.unique(lens):
        idx = np.nonzero(lens == m)[0]
        F = np.stack([freqs[i] for i in idx])
        Z = np.stack([zs[i] for i in idx])
        a, b = estimate_scales(F, Z.real, Z.imag)
        fe, ex = build_features(F, Z.real, Z.imag, a, b, N_GRID)
        feats[idx], extras[idx], zsc[idx], wsc[idx] = fe, ex, a, b
    targets = dimensionless_targets(params, rows, logs, zsc, wsc)
    return feats, extras, targets, zsc, wsc


def chunk_rng(key, tag, i):
    return np.random.default_rng([SEED_BASE, tag, KEYS.index(key), i])


def make_chunk(key, tag, i, n=CHUNK):
    rng = chunk_rng(key, tag, i)
    freqs, zs, params = draw_spectra(key, rng, n)
    feats, extras, targets, zsc, wsc = featurise(key, freqs, zs, params)
    ok = np.isfinite(feats).all(axis=(1, 2)) & np.isfinite(targets).all(axis=1)
    return dict(feats=feats.astype(np.float32), extras=extras.astype(np.float32),
                targets=targets, params=params, z_scale=zsc, w_scale=wsc, ok=ok)


def load_chunk(key, tag, i, cache_dir, n=None):
    n = CHUNK if n is None else n
    d = os.path.join(cache_dir, "data", key)
    os.makedirs(d, exist_ok=True)
    path = os.path.join(d, f"t{tag}_c{i:04d}_n{n}.npz")
    if os.path.exists(path):
        with np.load(path) as z:
            return {k: z[k] for k in z.files}
    c = make_chunk(key, tag, i, n)
    tmp = path + ".tmp.npz"
    np.savez(tmp, **c)
    os.replace(tmp, path)
    return c


def load_set(key, tag, n_chunks, cache_dir, n=None):
    cs = [load_chunk(key, tag, i, cache_dir, n) for i in range(n_chunks)]
    return {k: np.concatenate([c[k] for c in cs]) for k in cs[0]}
