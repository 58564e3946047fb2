"""Features and decoding exactly as the library computes them, batched over spectra of
equal point count (arrays of shape (B, N)).  Every formula is evaluated
element by element in the stated order, sums are sequential (np.cumsum, not
pairwise np.sum), sorts are stable over the IEEE total order.  A single
spectrum is the batch B = 1 (see `features_one`).
"""
import numpy as np

TWO_PI = 6.283185307179586
PI = 3.141592653589793
HALF_PI = 1.5707963267948966


def total_order_key(x):
    """int64 keys whose signed order is the IEEE 754 totalOrder of x."""
    b = np.ascontiguousarray(x, dtype=np.float64).view(np.int64)
    return b ^ ((b >> 63) & np.int64(0x7FFFFFFFFFFFFFFF))


def _seqsum(x):
    """Sum along the last axis, in index order starting from zero."""
    if x.shape[-1] == 0:
        return np.zeros(x.shape[:-1])
    return np.cumsum(x, axis=-1)[..., -1]


def estimate_scales(f, re, im):
    """"reactive_centroid" scale estimate.  f, re, im: (B, N).  Returns
    (z_scale, w_scale), each (B,)."""
    f = np.asarray(f, dtype=np.float64)
    re = np.asarray(re, dtype=np.float64)
    im = np.asarray(im, dtype=np.float64)
    with np.errstate(all="ignore"):
        m = np.hypot(re, im)
        use = ~((f <= 0) | (m <= 0))
        w = (-im) / m
        w = np.where(w > 0, w, 0.0)          # max(w, 0), NaN -> 0
        w = np.where(use, w, 0.0)
        lnm = np.where(use, np.log(m), 0.0)
        lnw = np.where(use, np.log(TWO_PI * f), 0.0)
        S = _seqsum(np.where(use, w, 0.0))
        A = _seqsum(np.where(use, w * lnm, 0.0))
        B = _seqsum(np.where(use, w * lnw, 0.0))
        z_main = np.exp(A / S)
        w_main = np.exp(B / S)
        nf = f.shape[-1]
        w_fb = np.exp(_seqsum(np.log(TWO_PI * f)) / nf)
        order = np.argsort(total_order_key(m), axis=-1, kind="stable")
        msort = np.take_along_axis(m, order, axis=-1)
        z_fb = msort[..., m.shape[-1] // 2]
    ok = S >= 1e-9
    return np.where(ok, z_main, z_fb), np.where(ok, w_main, w_fb)


def _interp_clamped(xs, ys, x):
    """xs, ys: (B, N) ascending xs; x: (B, L)."""
    n = xs.shape[-1]
    # last index i with xs_i <= x
    cnt = (xs[:, None, :] <= x[:, :, None]).sum(axis=-1)
    i = np.clip(cnt - 1, 0, max(n - 2, 0))
    xi = np.take_along_axis(xs, i, axis=-1)
    yi = np.take_along_axis(ys, i, axis=-1)
    if n >= 2:
        xi1 = np.take_along_axis(xs, i + 1, axis=-1)
        yi1 = np.take_along_axis(ys, i + 1, axis=-1)
        with np.errstate(all="ignore"):
            mid = yi + ((x - xi) * (yi1 - yi)) / (xi1 - xi)
    else:
        mid = yi
    first = xs[:, :1]
    last = xs[:, -1:]
    out = np.where(x >= last, ys[:, -1:], mid)
    out = np.where(x <= first, ys[:, :1], out)
    return out


def build_features(f, re, im, z_scale, w_scale, L=64):
    """Returns (feats (B, 3, L), extras (B, 2)), float64."""
    f = np.asarray(f, dtype=np.float64)
    re = np.asarray(re, dtype=np.float64)
    im = np.asarray(im, dtype=np.float64)
    Bn, nf = f.shape
    order = np.argsort(total_order_key(f), axis=-1, kind="stable")
    fs = np.take_along_axis(f, order, axis=-1)
    rs = np.take_along_axis(re, order, axis=-1)
    ims = np.take_along_axis(im, order, axis=-1)
    with np.errstate(all="ignore"):
        lf = np.log10(fs)
        lm = np.log10(np.hypot(rs, ims))
        th = np.arctan2(ims, rs)
        phi = np.empty_like(th)
        phi[:, 0] = th[:, 0]
        for k in range(1, nf):
            prev = phi[:, k - 1]
            tk = th[:, k]
            r = tk - prev
            d = r - TWO_PI * np.floor((r + PI) / TWO_PI)
            d = np.where((d == -PI) & (tk > prev), PI, d)
            phi[:, k] = prev + d
        lo = lf[:, 0]
        hi = lf[:, -1]
        step = (hi - lo) / (L - 1) if L >= 2 else np.zeros_like(lo)
        g = np.arange(L, dtype=np.float64)
        x = lo[:, None] + step[:, None] * g[None, :]
        row0 = _interp_clamped(lf, lm, x) - np.log10(z_scale)[:, None]
        row1 = _interp_clamped(lf, phi, x) / HALF_PI
        row2 = (x - np.log10(w_scale / TWO_PI)[:, None]) * 0.25
        feats = np.stack([row0, row1, row2], axis=1)
        extras = np.stack([(hi - lo) * 0.125,
                           np.full(Bn, np.log10(float(nf)) * 0.5)], axis=1)
    return feats, extras


def features_one(f, z, L=64):
    """One spectrum (any order): f (N,), z complex (N,).  Returns
    (feats (3, L), extras (2,), z_scale, w_scale)."""
    f = np.asarray(f, dtype=np.float64)[None, :]
    z = np.asarray(z, dtype=np.complex128)[None, :]
    zs, ws = estimate_scales(f, z.real, z.imag)
    feats, extras = build_features(f, z.real, z.imag, zs, ws, L)
    return feats[0], extras[0], float(zs[0]), float(ws[0])


def dimensionless_targets(values, scaling, log_params, z_scale, w_scale):
    """Inverse of decode step 3 and the log of step 1 (before
    standardisation).  values: (B, P) true parameters; returns (B, P)."""
    values = np.asarray(values, dtype=np.float64)
    out = np.empty_like(values)
    for j, (a, b, c, k) in enumerate(scaling):
        k = int(np.floor(abs(k) + 0.5) * np.sign(k))
        t = c * values[:, k] if k >= 0 else 0.0
        u = values[:, j] / (w_scale ** (b + t) * z_scale ** a)
        out[:, j] = np.log10(u) if log_params[j] else u
    return out


def decode_outputs(out, target_mean, target_std, log_params, scaling,
                   z_scale, w_scale, alpha_min=0.05, alpha_max=1.0):
    """decode_outputs, batched: out (B, >=P), scales (B,)."""
    out = np.asarray(out, dtype=np.float64)
    P = len(target_mean)
    vals = np.empty((out.shape[0], P))
    for i in range(P):
        v = out[:, i] * target_std[i] + target_mean[i]
        vals[:, i] = 10.0 ** v if log_params[i] else v
    for i in range(P):
        if not log_params[i]:
            # min(max(v, lo), hi), NaN stays NaN
            v = vals[:, i]
            v = np.where(v < alpha_min, alpha_min, v)
            v = np.where(v > alpha_max, alpha_max, v)
            vals[:, i] = v
    u = vals.copy()
    res = vals.copy()
    for j, (a, b, c, k) in enumerate(scaling):
        k = int(np.floor(abs(k) + 0.5) * np.sign(k))
        t = c * u[:, k] if k >= 0 else 0.0
        res[:, j] = w_scale ** (b + t) * (u[:, j] * z_scale ** a)
    return res
