"""Circuit.guess() with weights files written here, checked against a NumPy re-implementation
of the whole guess pipeline: scales, features, forward pass, decoding, permutation, K/Zarc."""
import math
import re
import struct
from dataclasses import dataclass

import numpy as np
import pytest

import corvex

TWO_PI = 6.283185307179586
HALF_PI = 1.5707963267948966
REL = 1e-12


# ---------------------------------------------------------------------------------------------
# Writing "EISNN001" files
# ---------------------------------------------------------------------------------------------

def _text(value):
    data = value.encode("utf-8")
    return struct.pack("<I", len(data)) + data


def encode_tensor(name, values, encoding):
    """One tensor record, and the 64-bit values a reader must decode from it."""
    values = np.asarray(values, dtype=np.float64)
    dims = values.shape
    record = _text(name) + struct.pack("<BB", encoding, len(dims)) + struct.pack(f"<{len(dims)}I", *dims)
    flat = values.reshape(-1) if values.size else np.zeros(1)
    if encoding == 0:
        stored = flat.astype("<f4")
        data, decoded = stored.tobytes(), stored.astype(np.float64)
    elif encoding == 1:
        stored = flat.astype("<f2")
        data, decoded = stored.tobytes(), stored.astype(np.float64)
    elif encoding == 2:
        peak = float(np.max(np.abs(flat)))
        scale = np.float32(peak / 127.0 if peak > 0 else 1.0)
        q = np.clip(np.rint(flat / np.float64(scale)), -128, 127).astype(np.int8)
        data = struct.pack("<f", scale) + q.tobytes()
        decoded = np.float64(scale) * q.astype(np.float64)
    else:
        raise AssertionError(encoding)
    return record + data, decoded.reshape(dims) if values.size else decoded


def write_weights(path, header, tensors):
    """Writes header entries (in the given order, repeats allowed) and tensor records
    (name, values, encoding); returns the decoded tensors, later records winning."""
    out = bytearray(b"EISNN001")
    out += struct.pack("<I", len(header))
    for key, value in header:
        out += _text(key) + _text(value)
    out += struct.pack("<I", len(tensors))
    decoded = {}
    for name, values, encoding in tensors:
        record, decoded[name] = encode_tensor(name, values, encoding)
        out += record
    path.write_bytes(bytes(out))
    return decoded


# ---------------------------------------------------------------------------------------------
# Files under test: small random networks
# ---------------------------------------------------------------------------------------------

# Scaling rows (impedance exponent, frequency exponent, alpha coefficient, alpha index).
R_RULE = (1.0, 0.0, 0.0, -1.0)
C_RULE = (-1.0, -1.0, 0.0, -1.0)
W_RULE = (1.0, 0.5, 0.0, -1.0)
ALPHA_RULE = (0.0, 0.0, 0.0, -1.0)


def q_rule(alpha_index):
    return (-1.0, 0.0, -1.0, alpha_index)


@dataclass(frozen=True)
class Config:
    name: str
    circuit: str
    names: tuple
    n_grid: int
    channels: int
    kernel: int
    groups: int
    dilations: tuple
    hidden: int
    encoding: int
    log_params: tuple
    target_mean: tuple
    target_std: tuple
    scaling: tuple
    alpha_min: float = 0.05
    alpha_max: float = 1.0
    header: tuple = ()
    extra_outputs: int = 0
    magnitude_blind: bool = False
    subnormals: bool = False
    padding_records: bool = False


CONFIGS = [
    # Alpha indices 2.5 and -0.5 round half away from zero, to 3 and to -1 (no alpha term
    # despite the coefficient).
    Config("rq_f32", "R0-(R1,CPE1)", ("R0.r", "R1.r", "CPE1.q", "CPE1.alpha"), 16, 8, 5, 4, (1, 2), 12, 0,
           (1, 1, 1, 0), (0.2, 0.5, -0.3, 0.75), (0.6, 0.4, 0.5, 0.1),
           (R_RULE, (1.0, 0.0, 0.7, -0.5), q_rule(2.5), ALPHA_RULE)),
    # The alpha mean sits above alpha_max so that its clamp is hit.
    Config("randles_f16", "R0-(R1-W1,CPE1)", ("R0.r", "R1.r", "W1.aw", "CPE1.q", "CPE1.alpha"),
           64, 8, 5, 4, (1, 2), 16, 1,
           (1, 1, 1, 1, 0), (0.1, -0.2, 0.3, 0.0, 1.3), (0.5, 0.5, 0.4, 0.3, 0.02),
           (R_RULE, R_RULE, W_RULE, q_rule(4.0), ALPHA_RULE), subnormals=True),
    # Int8 tensors, an odd count of outputs, header syntax variants, and a clamped resistance
    # and a capacitor whose rules read each other's unscaled values as their alpha: the
    # capacitor's rule runs after the resistance has been scaled.
    Config("rc_int8", "R0-(R1,C1)", ("R0.r", "R1.r", "C1.c"), 16, 8, 3, 2, (1, 3), 10, 2,
           (0, 1, 1), (0.6, 0.3, -0.1), (0.3, 0.5, 0.3),
           ((1.0, 0.25, 0.5, 2.0), R_RULE, (-1.0, -1.0, 0.3, 0.0)), alpha_min=0.05, alpha_max=2.5,
           header=(("n_grid", "+16"), ("dilations", " 1 ,3 "), ("alpha_min", "5E-2"), ("alpha_max", "+2.5")),
           extra_outputs=1, padding_records=True),
    # The stem ignores the log-magnitude row entirely: its weights there are exactly zero, so
    # a zero-magnitude point (infinite log) must not reach the output. Even kernel length.
    Config("rq_blind", "R0-(R1,CPE1)", ("R0.r", "R1.r", "CPE1.q", "CPE1.alpha"), 24, 8, 4, 8, (2,), 12, 1,
           (1, 1, 1, 0), (0.0, 0.0, 0.0, 0.6), (0.5, 0.5, 0.5, 0.1),
           (R_RULE, R_RULE, q_rule(3.0), ALPHA_RULE), magnitude_blind=True),
    # One grid point; dilation 4 leaves only the centre tap inside the map.
    Config("rc_single_point", "R0-(R1,C1)", ("R0.r", "R1.r", "C1.c"), 1, 4, 5, 1, (4, 1), 8, 0,
           (1, 1, 1), (0.0, 0.1, 0.2), (0.3, 0.3, 0.3), (R_RULE, R_RULE, C_RULE)),
]


def build_file(config, path, seed):
    """Writes the file for `config` and returns the model the reference runs."""
    rng = np.random.default_rng(seed)
    c, k, w = config.channels, config.kernel, config.hidden
    p = len(config.names)

    def weights(*shape, fan_in, gain=1.0, zeros=0.1):
        values = rng.standard_normal(shape) * (gain / math.sqrt(fan_in))
        values[rng.random(shape) < zeros] = 0.0
        return values

    network = {"stem.weight": weights(c, 3, k, fan_in=3 * k), "stem.bias": 0.1 * rng.standard_normal(c)}
    if config.magnitude_blind:
        network["stem.weight"][:, 0, :] = 0.0
    for i in range(len(config.dilations)):
        for layer in ("conv1", "conv2"):
            network[f"blocks.{i}.{layer}.weight"] = weights(c, c, k, fan_in=c * k)
            network[f"blocks.{i}.{layer}.bias"] = 0.1 * rng.standard_normal(c)
        for layer in ("norm1", "norm2"):
            network[f"blocks.{i}.{layer}.weight"] = 1.0 + 0.2 * rng.standard_normal(c)
            network[f"blocks.{i}.{layer}.bias"] = 0.2 * rng.standard_normal(c)
    n_out = 2 * p + config.extra_outputs
    network["head.0.weight"] = weights(w, 2 * c + 2, fan_in=2 * c + 2, zeros=0.0)
    network["head.0.bias"] = 0.1 * rng.standard_normal(w)
    network["head.2.weight"] = weights(w, w, fan_in=w, zeros=0.0)
    network["head.2.bias"] = 0.1 * rng.standard_normal(w)
    network["head.4.weight"] = weights(n_out, w, fan_in=w, gain=0.7, zeros=0.0)
    network["head.4.bias"] = 0.1 * rng.standard_normal(n_out)
    if config.subnormals:
        # Binary16 subnormals, large enough to move the outputs far beyond the tolerance.
        network["head.4.weight"][:p, 0] = [3e-6, -1.2e-5, 4.5e-5, -6e-8, 2e-5][:p]
        network["head.4.bias"][:p] = [-5e-5, 7e-7, 1e-5, -3e-5, 2.5e-5][:p]

    header = [("circuit", config.circuit), ("param_names", ",".join(config.names)),
              ("estimator", "reactive_centroid"), ("n_grid", str(config.n_grid)),
              ("channels", str(c)), ("kernel", str(k)), ("groups", str(config.groups)),
              ("dilations", ",".join(map(str, config.dilations))),
              ("alpha_min", repr(config.alpha_min)), ("alpha_max", repr(config.alpha_max))]
    if config.padding_records:
        header = [("n_grid", "999"), ("comment", "keys nobody reads")] + header
    header += list(config.header)

    tensors = [("target_mean", config.target_mean, 0), ("target_std", config.target_std, 0),
               ("log_params", config.log_params, 0), ("scaling", config.scaling, 0)]
    if config.padding_records:
        tensors += [("unused_scalar", 7.0, 0), ("unused_empty", np.zeros((2, 0)), 1),
                    ("w.head.4.bias", np.full(n_out, 9.0), 0)]
    tensors += [("w." + name, values, config.encoding) for name, values in network.items()]
    decoded = write_weights(path, header, tensors)

    rules = []
    for a, b, coefficient, index in decoded["scaling"]:
        rounded = math.floor(abs(index) + 0.5) * (1 if index >= 0 else -1)
        rules.append((a, b, coefficient, int(rounded)))
    return {
        "config": config,
        "tensors": {name[2:]: values for name, values in decoded.items() if name.startswith("w.")},
        "target_mean": decoded["target_mean"], "target_std": decoded["target_std"],
        "log_params": [value != 0.0 for value in decoded["log_params"]], "rules": rules,
    }


# ---------------------------------------------------------------------------------------------
# Reference pipeline
# ---------------------------------------------------------------------------------------------

def sequential_sum(values):
    total = 0.0
    for value in values:
        total += value
    return total


def total_order_keys(values):
    bits = np.asarray(values, dtype=np.float64).view(np.int64)
    return np.where(bits < 0, bits ^ np.int64(0x7FFFFFFFFFFFFFFF), bits)


def estimate_scales(f, z):
    n = min(len(f), len(z))
    s = a = b = 0.0
    for i in range(n):
        m = math.hypot(z[i].real, z[i].imag)
        if not (f[i] <= 0.0) and not (m <= 0.0):
            share = -z[i].imag / m
            w = share if share > 0.0 else 0.0
            s += w
            a += w * math.log(m)
            b += w * math.log(TWO_PI * f[i])
    if s >= 1e-9:
        return math.exp(a / s), math.exp(b / s)
    w_scale = math.exp(sequential_sum(math.log(TWO_PI * fi) for fi in f) / len(f))
    magnitudes = np.array([math.hypot(v.real, v.imag) for v in z])
    ordered = magnitudes[np.argsort(total_order_keys(magnitudes), kind="stable")]
    return float(ordered[len(z) // 2]), w_scale


def interp_clamped(xs, ys, x):
    if x <= xs[0]:
        return ys[0]
    if x >= xs[-1]:
        return ys[-1]
    i = int(np.searchsorted(xs, x, side="right")) - 1
    return ys[i] + (x - xs[i]) * (ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i])


def build_features(f, z, z_scale, w_scale, n_grid):
    order = np.argsort(total_order_keys(f), kind="stable")
    fs = [float(f[i]) for i in order]
    zs = [complex(z[i]) for i in order]
    lf = [math.log10(v) if v > 0 else (-math.inf if v == 0 else math.nan) for v in fs]
    lm = [math.log10(math.hypot(v.real, v.imag)) if v != 0 else -math.inf for v in zs]
    phases = []
    for v in zs:
        theta = math.atan2(v.imag, v.real)
        if not phases:
            phases.append(theta)
            continue
        previous = phases[-1]
        r = theta - previous
        delta = r - TWO_PI * math.floor((r + math.pi) / TWO_PI)
        if delta == -math.pi and theta > previous:
            delta = math.pi
        phases.append(previous + delta)
    lo, hi = lf[0], lf[-1]
    step = (hi - lo) / (n_grid - 1) if n_grid >= 2 else 0.0
    features = np.empty((3, n_grid))
    log_z = math.log10(z_scale)
    log_f = math.log10(w_scale / TWO_PI)
    for g in range(n_grid):
        x = lo + step * g
        features[0, g] = interp_clamped(lf, lm, x) - log_z
        features[1, g] = interp_clamped(lf, phases, x) / HALF_PI
        features[2, g] = (x - log_f) * 0.25
    return features, [(hi - lo) * 0.125, math.log10(len(f)) * 0.5]


def conv1d(x, weight, bias, kernel, dilation):
    c_out, (c_in, length) = weight.shape[0], x.shape
    taps = weight.reshape(c_out, c_in, kernel)
    pad = dilation * (kernel - 1) // 2
    out = np.repeat(bias[:, None], length, axis=1)
    # Every output position gets its terms in the order input channel, then tap; the
    # positions of one (channel, tap) pair are independent and added together.
    for j in range(c_in):
        for k in range(kernel):
            shift = k * dilation - pad
            first, last = max(0, -shift), min(length, length - shift)
            live = taps[:, j, k] != 0.0
            if first < last and live.any():
                out[live, first:last] += taps[live, j, k][:, None] * x[j, first + shift:last + shift][None, :]
    return out


def group_norm(x, gamma, beta, groups):
    channels, length = x.shape
    per = channels // groups
    out = np.empty_like(x)
    for n in range(groups):
        rows = slice(n * per, (n + 1) * per)
        values = x[rows].reshape(-1)
        mean = sequential_sum(values.tolist()) / (per * length)
        deviations = values - mean
        variance = sequential_sum((deviations * deviations).tolist()) / (per * length)
        s = 1.0 / math.sqrt(variance + 1e-5)
        out[rows] = (s * deviations).reshape(per, length) * gamma[rows, None] + beta[rows, None]
    return out


def gelu(x):
    t = x + (x * (x * (0.044715 * x)))
    return (0.5 * x) * (1.0 + np.tanh(0.7978845608028654 * t))


def linear(v, weight, bias):
    acc = np.zeros(weight.shape[0])
    for i in range(weight.shape[1]):
        acc += weight[:, i] * v[i]
    return acc + bias


def run_network(model, features, extras):
    config, t = model["config"], model["tensors"]
    k, groups = config.kernel, config.groups
    x = conv1d(features, t["stem.weight"], t["stem.bias"], k, 1)
    for i, d in enumerate(config.dilations):
        block = f"blocks.{i}."
        h = conv1d(x, t[block + "conv1.weight"], t[block + "conv1.bias"], k, d)
        h = gelu(group_norm(h, t[block + "norm1.weight"], t[block + "norm1.bias"], groups))
        h = conv1d(h, t[block + "conv2.weight"], t[block + "conv2.bias"], k, d)
        h = group_norm(h, t[block + "norm2.weight"], t[block + "norm2.bias"], groups)
        x = gelu(x + h)
    means, maxima = [], []
    for row in x:
        means.append(sequential_sum(row.tolist()) / x.shape[1])
        peak = -math.inf
        for value in row.tolist():
            if value > peak:
                peak = value
        maxima.append(peak)
    v = np.array(means + maxima + list(extras))
    v = gelu(linear(v, t["head.0.weight"], t["head.0.bias"]))
    v = gelu(linear(v, t["head.2.weight"], t["head.2.bias"]))
    return linear(v, t["head.4.weight"], t["head.4.bias"])


def decode_outputs(model, out, z_scale, w_scale):
    config = model["config"]
    values = []
    for i in range(len(config.names)):
        v = out[i] * model["target_std"][i] + model["target_mean"][i]
        if model["log_params"][i]:
            values.append(math.pow(10.0, v))
        else:
            values.append(min(max(v, config.alpha_min), config.alpha_max) if v == v else v)
    unscaled = list(values)
    for j, (a, b, coefficient, index) in enumerate(model["rules"]):
        t = coefficient * unscaled[index] if index >= 0 else 0.0
        values[j] = math.pow(w_scale, b + t) * (unscaled[j] * math.pow(z_scale, a))
    return values


# ---------------------------------------------------------------------------------------------
# Topology: canonical form, permutation, abbreviations
# ---------------------------------------------------------------------------------------------

PARAMETER_COUNTS = {"R": 1, "C": 1, "L": 1, "Cpe": 2, "W": 1, "Wo": 2, "K": 2, "Zarc": 3}


def parse(notation):
    """Series list of ("E", code) and ("P", [branches]) for the plain notation used here."""
    position = 0

    def series():
        nonlocal position
        nodes = [node()]
        while position < len(notation) and notation[position] == "-":
            position += 1
            nodes.append(node())
        return nodes

    def node():
        nonlocal position
        if notation[position] == "(":
            position += 1
            branches = [series()]
            while notation[position] == ",":
                position += 1
                branches.append(series())
            assert notation[position] == ")"
            position += 1
            return ("P", branches)
        code = re.match(r"[A-Za-z]+", notation[position:]).group(0)
        position += len(code) + len(re.match(r"\d*", notation[position + len(code):]).group(0))
        return ("E", "Cpe" if code.upper() == "CPE" else code)

    tree = series()
    assert position == len(notation)
    return tree


def expand(tree):
    replaced = False

    def walk(nodes):
        nonlocal replaced
        out = []
        for kind, body in nodes:
            if kind == "P":
                out.append(("P", [walk(branch) for branch in body]))
            elif body in ("K", "Zarc"):
                replaced = True
                out.append(("P", [[("E", "R")], [("E", "C" if body == "K" else "Cpe")]]))
            else:
                out.append((kind, body))
        return out

    return walk(tree), replaced


def canonical_form(tree):
    """Canonical text and the (first parameter, count) spans in canonical order."""
    counter = [0]

    def index(nodes):
        spanned = []
        for kind, body in nodes:
            if kind == "E":
                spanned.append(("E", body, (counter[0], PARAMETER_COUNTS[body])))
                counter[0] += PARAMETER_COUNTS[body]
            else:
                spanned.append(("P", [index(branch) for branch in body], None))
        return spanned

    def series(nodes):
        parts = sorted((node(n) for n in nodes), key=lambda part: part[0].encode())
        return "[" + ",".join(text for text, _ in parts) + "]", [s for _, spans in parts for s in spans]

    def node(n):
        kind, body, span = n
        if kind == "E":
            return body, [span]
        branches = sorted((series(branch) for branch in body), key=lambda part: part[0].encode())
        return "(" + ",".join(text for text, _ in branches) + ")", [s for _, spans in branches for s in spans]

    return series(index(tree))


def match_topology(model_notation, user_notation):
    model_text, model_spans = canonical_form(parse(model_notation))
    user_tree = parse(user_notation)
    text, spans = canonical_form(user_tree)
    expanded = False
    if text != model_text:
        user_tree, expanded = expand(user_tree)
        text, spans = canonical_form(user_tree)
        assert expanded and text == model_text, (model_notation, user_notation)
    perm = [0] * sum(count for _, count in spans)
    for (m, n), (u, _) in zip(model_spans, spans):
        for k in range(n):
            perm[u + k] = m + k
    return perm, expanded


def elements_in_order(nodes):
    for kind, body in nodes:
        if kind == "E":
            yield body
        else:
            for branch in body:
                yield from elements_in_order(branch)


def convert_back(user_notation, expanded_values):
    values, position = [], 0
    for code in elements_in_order(parse(user_notation)):
        if code == "K":
            r, c = expanded_values[position:position + 2]
            values += [r, r * c]
            position += 2
        elif code == "Zarc":
            r, q, alpha = expanded_values[position:position + 3]
            values += [r, math.pow(r * q, 1.0 / max(alpha, 1e-6)), alpha]
            position += 3
        else:
            n = PARAMETER_COUNTS[code]
            values += expanded_values[position:position + n]
            position += n
    return values


def reference_guess(model, user_notation, f, z):
    z_scale, w_scale = estimate_scales(f, z)
    features, extras = build_features(f, z, z_scale, w_scale, model["config"].n_grid)
    decoded = decode_outputs(model, run_network(model, features, extras), z_scale, w_scale)
    perm, expanded = match_topology(model["config"].circuit, user_notation)
    values = [decoded[p] for p in perm]
    return convert_back(user_notation, values) if expanded else values


# ---------------------------------------------------------------------------------------------
# Spectra
# ---------------------------------------------------------------------------------------------

def _arc(f, r0, r1, q, alpha):
    return r0 + r1 / (1.0 + r1 * q * (1j * TWO_PI * f) ** alpha)


def _noisy(z, rng, level=0.02):
    return z * (1.0 + level * (rng.standard_normal(len(z)) + 1j * rng.standard_normal(len(z))))


def spectrum(name):
    rng = np.random.default_rng(sum(map(ord, name)))
    if name == "ascending":
        f = np.logspace(-1, 5, 40)
        return f, _noisy(_arc(f, 12.0, 150.0, 3e-5, 0.85), rng)
    if name == "descending":
        f = np.logspace(6, -2, 33)
        warburg = 40.0 / np.sqrt(1j * TWO_PI * f)
        return f, _noisy(4.0 + 1.0 / (1.0 / (60.0 + warburg) + 2e-6 * (1j * TWO_PI * f) ** 0.9), rng)
    if name == "shuffled_with_repeats":
        f = 10.0 ** rng.uniform(-2, 4, 23)
        f = np.concatenate([f, [f.min(), np.median(f)]])
        z = _noisy(_arc(f, 3.0, 800.0, 1e-4, 0.7), rng, 0.1)
        order = rng.permutation(len(f))
        return f[order], z[order]
    if name == "resistive":
        f = np.logspace(0, 4, 10)
        return f, (50.0 + 10.0 * rng.random(10)).astype(complex)
    if name == "inductive":
        f = np.logspace(2, 6, 11)
        return f, 0.5 + 1j * TWO_PI * f * 2e-7 * (1 + 0.1 * rng.random(11))
    if name == "half_turn":
        # The second point lies exactly half a turn from the first, ahead of it.
        return np.array([1.0, 10.0, 100.0, 1000.0]), np.array([2.0, -3.0, -2.0 - 1.0j, 1.0 - 2.0j])
    if name == "repeat_on_grid":
        # With 16 grid points over three decades, grid point 5 is exactly log10(10) = 1, where
        # the later of the two 10 Hz points (in input order) must be taken.
        return (np.array([1000.0, 10.0, 1.0, 10.0, 100.0]),
                np.array([2.0 - 0.1j, 9.0 - 6.0j, 30.0 - 2.0j, 14.0 - 9.0j, 3.0 - 1.0j]))
    if name == "two_points":
        return np.array([5e3, 2.0]), np.array([7.0 - 1.0j, 30.0 - 25.0j])
    if name == "zero_magnitude":
        f = np.logspace(-1, 4, 12)
        z = _noisy(_arc(f, 5.0, 90.0, 2e-4, 0.8), rng)
        z[4] = 0.0
        return f, z
    raise AssertionError(name)


COMMON_SPECTRA = ["ascending", "descending", "shuffled_with_repeats", "repeat_on_grid", "resistive",
                  "inductive", "half_turn", "two_points"]

USER_CIRCUITS = {
    "rq_f32": ["R0-(R1,CPE1)", "(CPE3,R2)-R9", "R0-Zarc1", "Zarc4-R2"],
    "randles_f16": ["R0-(R1-W1,CPE1)", "(CPE1,W1-R1)-R0"],
    "rc_int8": ["R0-(R1,C1)", "(C2,R2)-R1", "K1-R0"],
    "rq_blind": ["R0-(R1,CPE1)", "R0-Zarc1"],
    "rc_single_point": ["R0-(R1,C1)", "R0-K1"],
}

CASES = [(config, notation, name)
         for config in CONFIGS
         for notation in USER_CIRCUITS[config.name]
         for name in COMMON_SPECTRA + (["zero_magnitude"] if config.magnitude_blind else [])]


@pytest.fixture(scope="module")
def models(tmp_path_factory):
    directory = tmp_path_factory.mktemp("eisnn")
    built = {}
    for seed, config in enumerate(CONFIGS):
        path = directory / f"{config.name}.eisnn"
        built[config.name] = (str(path), build_file(config, path, seed))
    return built


def assert_matches(actual, expected):
    assert len(actual) == len(expected)
    for got, want in zip(actual, expected):
        assert math.isfinite(want), expected
        assert abs(got - want) <= REL * abs(want), (actual, expected)


@pytest.mark.parametrize("config, notation, spectrum_name", CASES,
                         ids=[f"{c.name}-{n}-{s}" for c, n, s in CASES])
def test_guess_matches_the_reference(models, config, notation, spectrum_name):
    path, model = models[config.name]
    f, z = spectrum(spectrum_name)
    assert_matches(corvex.Circuit(notation).guess(f, z, weights=path), reference_guess(model, notation, f, z))

