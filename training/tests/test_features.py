"""Checks the batched NumPy features/decoding against a plain scalar
version of the same rules (math module, explicit loops), edge cases of
the features, the exporter layout, and the torch network against a scalar
loop version of the network.  Run: make -C training test
"""
import math
import os
import sys

import numpy as np
import pytest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from corvex_train import features as F  # noqa: E402
from corvex_train import data as D  # noqa: E402
from corvex_train.topologies import MODELS, scaling_table  # noqa: E402

TWO_PI = 6.283185307179586


def total_key(x):
    b = np.array([x], dtype=np.float64).view(np.int64)[0]
    return int(b ^ ((b >> 63) & 0x7FFFFFFFFFFFFFFF))


def ref_scales(f, z):
    n = min(len(f), len(z))
    S = A = B = 0.0
    for i in range(n):
        m = math.hypot(z[i].real, z[i].imag)
        if f[i] <= 0 or m <= 0:
            continue
        w = -z[i].imag / m
        w = w if w > 0 else 0.0
        S += w
        A += w * math.log(m)
        B += w * math.log(TWO_PI * f[i])
    if S >= 1e-9:
        return math.exp(A / S), math.exp(B / S)
    s = 0.0
    for x in f:
        s += math.log(TWO_PI * x)
    mags = sorted((math.hypot(v.real, v.imag) for v in z), key=total_key)
    return mags[len(z) // 2], math.exp(s / len(f))


def ref_interp(xs, ys, x):
    if x <= xs[0]:
        return ys[0]
    if x >= xs[-1]:
        return ys[-1]
    i = max(k for k in range(len(xs)) if xs[k] <= x)
    return ys[i] + (x - xs[i]) * (ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i])


def ref_features(f, z, zs, ws, L=64):
    order = sorted(range(len(f)), key=lambda i: total_key(f[i]))
    lf = [math.log10(f[p]) for p in order]
    lm = [math.log10(math.hypot(z[p].real, z[p].imag)) for p in order]
    th = [math.atan2(z[p].imag, z[p].real) for p in order]
    phi = [th[0]]
    for k in range(1, len(th)):
        r = th[k] - phi[-1]
        d = r - TWO_PI * math.floor((r + math.pi) / TWO_PI)
        if d == -math.pi and th[k] > phi[-1]:
            d = math.pi
        phi.append(phi[-1] + d)
    lo, hi = lf[0], lf[-1]
    step = (hi - lo) / (L - 1) if L >= 2 else 0.0
    rows = [[], [], []]
    for g in range(L):
        x = lo + step * g
        rows[0].append(ref_interp(lf, lm, x) - math.log10(zs))
        rows[1].append(ref_interp(lf, phi, x) / 1.5707963267948966)
        rows[2].append((x - math.log10(ws / TWO_PI)) * 0.25)
    return np.array(rows), np.array([(hi - lo) * 0.125, math.log10(len(f)) * 0.5])


@pytest.mark.parametrize("key", ["rc", "two_rq_l", "sei_randles_wo"])
def test_batched_matches_scalar(key):
    rng = np.random.default_rng(5)
    freqs, zs, params = D.draw_spectra(key, rng, 40)
    for f, z in zip(freqs, zs):
        feats, extras, a, b = F.features_one(f, z)
        ra, rb = ref_scales(list(f), list(z))
        assert a == pytest.approx(ra, rel=1e-13) and b == pytest.approx(rb, rel=1e-13)
        rf, re = ref_features(list(f), list(z), a, b)
        np.testing.assert_allclose(feats, rf, rtol=1e-12, atol=1e-12)
        np.testing.assert_allclose(extras, re, rtol=1e-15)


def test_edge_cases():
    # unwrap 3.0, -3.0 -> 3.0, 2pi - 3.0
    z = np.exp(1j * np.array([3.0, -3.0]))
    fe, _ = F.build_features(np.array([[1.0, 10.0]]), z.real[None], z.imag[None],
                             np.array([1.0]), np.array([1.0]), L=2)
    assert fe[0, 1, 1] * F.HALF_PI == pytest.approx(2 * math.pi - 3.0, rel=1e-15)
    # resistive spectrum: fallback scales, upper median
    zs, ws = F.estimate_scales(np.array([[1.0, 2, 3, 4]]), np.array([[4.0, 1, 3, 2]]), np.zeros((1, 4)))
    assert zs[0] == 3.0
    assert ws[0] == pytest.approx(math.exp(sum(math.log(TWO_PI * x) for x in (1, 2, 3, 4)) / 4))
    # order independence
    f = np.logspace(-2, 5, 50)
    z = 1 + 10 / (1 + 1j * f * 0.01)
    a = F.features_one(f, z)
    b = F.features_one(f[::-1], z[::-1])
    np.testing.assert_allclose(a[0], b[0], rtol=1e-13)
    # L = 1: the single grid point is lo
    fe, _ = F.build_features(f[None], z.real[None], z.imag[None], np.array([1.0]), np.array([1.0]), L=1)
    assert fe[0, 2, 0] == (math.log10(f[0]) - math.log10(1.0 / TWO_PI)) * 0.25


def test_decode_rules():
    rows, logs = scaling_table(MODELS["rq"][1])
    out = np.array([[-2.0, 0.0, 0.0, 1.3, 0, 0, 0, 0]])
    v = F.decode_outputs(out, np.zeros(4), np.ones(4), logs, rows, np.array([2.0]), np.array([3.0]))
    assert v[0, 0] == pytest.approx(0.01 * 2.0)
    assert v[0, 3] == 1.0                              # alpha clamp
    assert v[0, 2] == pytest.approx(3.0 ** -1.0 * (1.0 / 2.0))   # q uses w^-alpha(clamped)


@pytest.mark.parametrize("key", list(MODELS))
def test_targets_roundtrip(key):
    rng = np.random.default_rng(1)
    freqs, zs, params = D.draw_spectra(key, rng, 200)
    _, _, t, zsc, wsc = D.featurise(key, freqs, zs, params)
    rows, logs = scaling_table(MODELS[key][1])
    back = F.decode_outputs(t, np.zeros(len(rows)), np.ones(len(rows)), logs, rows, zsc, wsc)
    np.testing.assert_allclose(back, params, rtol=1e-9)


def test_canonical_order():
    rng = np.random.default_rng(2)
    for key in ("two_rc", "two_rq"):
        _, _, p = D.draw_spectra(key, rng, 500)
        n = MODELS[key][1]
        if key == "two_rc":
            t1, t2 = p[:, 1] * p[:, 2], p[:, 3] * p[:, 4]
        else:
            t1 = (p[:, 1] * p[:, 2]) ** (1 / p[:, 3])
            t2 = (p[:, 4] * p[:, 5]) ** (1 / p[:, 6])
        assert np.all(t1 <= t2 * (1 + 1e-9)), n


def test_network_matches_scalar_inference():
    torch = pytest.importorskip("torch")
    from corvex_train.model import GuessNet
    torch.manual_seed(3)
    net = GuessNet(16, 3).double().eval()
    for p in net.parameters():
        p.data += 0.1 * torch.randn_like(p)
    x = np.random.default_rng(0).normal(size=(3, 64))
    ex = np.array([0.5, 0.9])
    with torch.no_grad():
        got = net(torch.from_numpy(x[None]), torch.from_numpy(ex[None]))[0].numpy()
    sd = {k: v.numpy() for k, v in net.state_dict().items()}

    def gelu(v):
        t = v + (v * (v * (0.044715 * v)))
        return (0.5 * v) * (1 + np.tanh(0.7978845608028654 * t))

    def conv(inp, name, d):
        W, b = sd[name + ".weight"], sd[name + ".bias"]
        Co, Ci, K = W.shape
        L = inp.shape[1]
        pad = d * (K - 1) // 2
        out = np.empty((Co, L))
        for o in range(Co):
            for l in range(L):
                s = b[o]
                for j in range(Ci):
                    for k in range(K):
                        q = l + k * d - pad
                        if 0 <= q < L:
                            s += W[o, j, k] * inp[j, q]
                out[o, l] = s
        return out

    def gn(h, name, G=8):
        g, be = sd[name + ".weight"], sd[name + ".bias"]
        C, L = h.shape
        gc = C // G
        out = h.copy()
        for n in range(G):
            blk = h[n * gc:(n + 1) * gc]
            m = blk.mean()
            var = ((blk - m) ** 2).mean()
            s = 1 / math.sqrt(var + 1e-5)
            out[n * gc:(n + 1) * gc] = (s * (blk - m)) * g[n * gc:(n + 1) * gc, None] + be[n * gc:(n + 1) * gc, None]
        return out

    h = conv(x, "stem", 1)
    for i, d in enumerate((1, 2, 4, 8)):
        t = gelu(gn(conv(h, f"blocks.{i}.conv1", d), f"blocks.{i}.norm1"))
        t = gn(conv(t, f"blocks.{i}.conv2", d), f"blocks.{i}.norm2")
        h = gelu(h + t)
    v = np.concatenate([h.mean(axis=1), h.max(axis=1), ex])
    for name, act in (("head.0", True), ("head.2", True), ("head.4", False)):
        v = sd[name + ".weight"] @ v + sd[name + ".bias"]
        v = gelu(v) if act else v
    np.testing.assert_allclose(got, v, rtol=1e-10, atol=1e-12)
