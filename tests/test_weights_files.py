"""Checks the carried weights files weights/<key>.eisnn against the format
and the model registry: exact byte size, the ten header
entries in key-table order with their values, the 44 tensors in the stated
order with their shapes and encodings, circuit and param_names, and the
decoding tables (scaling rules, log_params).  Pure Python (struct); skips
files that have not been produced yet.
"""
import math
import os
import struct

import pytest

WEIGHTS = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "weights")

# key -> (circuit, param_names, channels, bytes) of every carried model
REGISTRY = [
    ("rc", "R0-(R1,C1)", "R0.r,R1.r,C1.c", 16, 37039),
    ("rc_l", "L0-R0-(R1,C1)", "L0.l,R0.r,R1.r,C1.c", 32, 138455),
    ("rq", "R0-(R1,CPE1)", "R0.r,R1.r,CPE1.q,CPE1.alpha", 32, 138462),
    ("rq_l", "L0-R0-(R1,CPE1)", "L0.l,R0.r,R1.r,CPE1.q,CPE1.alpha", 32, 139014),
    ("two_rc", "R0-(R1,C1)-(R2,C2)", "R0.r,R1.r,C1.c,R2.r,C2.c", 32, 139009),
    ("two_rc_l", "L0-R0-(R1,C1)-(R2,C2)", "L0.l,R0.r,R1.r,C1.c,R2.r,C2.c", 32, 139561),
    ("two_rq", "R0-(R1,CPE1)-(R2,CPE2)",
     "R0.r,R1.r,CPE1.q,CPE1.alpha,R2.r,CPE2.q,CPE2.alpha", 32, 140127),
    ("two_rq_l", "L0-R0-(R1,CPE1)-(R2,CPE2)",
     "L0.l,R0.r,R1.r,CPE1.q,CPE1.alpha,R2.r,CPE2.q,CPE2.alpha", 32, 140679),
    ("randles", "R0-(R1-W1,CPE1)", "R0.r,R1.r,W1.aw,CPE1.q,CPE1.alpha", 32, 139015),
    ("sei_randles", "R0-(R1,CPE1)-(R2-W2,CPE2)",
     "R0.r,R1.r,CPE1.q,CPE1.alpha,R2.r,W2.aw,CPE2.q,CPE2.alpha", 64, 541576),
    ("sei_randles_wo", "R0-(R1,CPE1)-(R2-Wo2,CPE2)",
     "R0.r,R1.r,CPE1.q,CPE1.alpha,R2.r,Wo2.z0,Wo2.tau,CPE2.q,CPE2.alpha", 64, 542642),
]

HEADER_KEYS = ["circuit", "param_names", "estimator", "n_grid", "channels",
               "kernel", "groups", "dilations", "alpha_min", "alpha_max"]

# Scaling rules by parameter kind: (element kind, field) -> (a, b, c, uses alpha index, log_params)
RULES = {
    ("R", "r"): (1.0, 0.0, 0.0, False, 1.0),
    ("Wo", "z0"): (1.0, 0.0, 0.0, False, 1.0),
    ("C", "c"): (-1.0, -1.0, 0.0, False, 1.0),
    ("L", "l"): (1.0, -1.0, 0.0, False, 1.0),
    ("W", "aw"): (1.0, 0.5, 0.0, False, 1.0),
    ("Wo", "tau"): (0.0, -1.0, 0.0, False, 1.0),
    ("CPE", "q"): (-1.0, 0.0, -1.0, True, 1.0),
    ("CPE", "alpha"): (0.0, 0.0, 0.0, False, 0.0),
}


def parse(data):
    """Minimal EISNN001 reader: returns (header list, tensor list, end offset)."""
    pos = 0

    def take(n):
        nonlocal pos
        assert pos + n <= len(data), "truncated"
        b = data[pos:pos + n]
        pos += n
        return b

    def u32():
        return struct.unpack("<I", take(4))[0]

    def text():
        return take(u32()).decode("utf-8")

    assert take(8) == b"EISNN001"
    header = [(text(), text()) for _ in range(u32())]
    tensors = []
    for _ in range(u32()):
        name = text()
        enc, rank = struct.unpack("<BB", take(2))
        dims = [u32() for _ in range(rank)]
        n = max(math.prod(dims), 1)
        if enc == 0:
            vals = struct.unpack(f"<{n}f", take(4 * n))
        elif enc == 1:
            vals = struct.unpack(f"<{n}e", take(2 * n))
        else:
            raise AssertionError(f"unexpected encoding {enc} for {name}")
        tensors.append((name, enc, dims, vals))
    return header, tensors, pos


def expected_tensors(C, P):
    W = 4 * C
    out = [("w.stem.weight", [C, 3, 5]), ("w.stem.bias", [C])]
    for i in range(4):
        for layer in ("conv1", "norm1", "conv2", "norm2"):
            wshape = [C, C, 5] if layer.startswith("conv") else [C]
            out += [(f"w.blocks.{i}.{layer}.weight", wshape), (f"w.blocks.{i}.{layer}.bias", [C])]
    out += [("w.head.0.weight", [W, 2 * C + 2]), ("w.head.0.bias", [W]),
            ("w.head.2.weight", [W, W]), ("w.head.2.bias", [W]),
            ("w.head.4.weight", [2 * P, W]), ("w.head.4.bias", [2 * P])]
    out += [("target_mean", [P]), ("target_std", [P]), ("scaling", [P, 4]), ("log_params", [P])]
    return out


def present():
    return os.path.isdir(WEIGHTS) and any(f.endswith(".eisnn") for f in os.listdir(WEIGHTS))


def test_only_registry_files():
    if not present():
        pytest.skip("weights/ has no .eisnn files yet")
    keys = {k for k, *_ in REGISTRY}
    extra = [f for f in os.listdir(WEIGHTS) if f.endswith(".eisnn") and f[:-6] not in keys]
    assert extra == []


@pytest.mark.parametrize("key,circuit,names,C,nbytes", REGISTRY, ids=[r[0] for r in REGISTRY])
def test_weights_file(key, circuit, names, C, nbytes):
    path = os.path.join(WEIGHTS, key + ".eisnn")
    if not os.path.exists(path):
        pytest.skip(f"weights/{key}.eisnn not produced yet")
    data = open(path, "rb").read()
    assert len(data) == nbytes
    assert data[:9] == b"EISNN001\x0a"
    header, tensors, end = parse(data)
    assert end == len(data)
    P = len(names.split(","))
    assert header == [
        ("circuit", circuit), ("param_names", names), ("estimator", "reactive_centroid"),
        ("n_grid", "64"), ("channels", str(C)), ("kernel", "5"), ("groups", "8"),
        ("dilations", "1,2,4,8"), ("alpha_min", "0.05"), ("alpha_max", "1.0")]
    assert [k for k, _ in header] == HEADER_KEYS
    exp = expected_tensors(C, P)
    assert len(tensors) == 44
    assert [(n, d) for n, _, d, _ in tensors] == exp
    assert [e for _, e, _, _ in tensors] == [1] * 40 + [0] * 4
    for name, _, _, vals in tensors:
        assert all(math.isfinite(v) for v in vals), name
    t = {n: v for n, _, _, v in tensors}
    assert all(s > 0 for s in t["target_std"])
    # decoding tables follow the scaling rules by parameter kind
    plist = names.split(",")
    for j, nm in enumerate(plist):
        elem, field = nm.split(".")
        a, b, c, uses_alpha, lg = RULES[(elem.rstrip("0123456789"), field)]
        idx = float(plist.index(elem + ".alpha")) if uses_alpha else -1.0
        assert tuple(t["scaling"][4 * j:4 * j + 4]) == (a, b, c, idx), nm
        assert t["log_params"][j] == lg, nm
    # standardisation comes from a training set, not the exporter's placeholders
    assert not (all(v == 0.0 for v in t["target_mean"]) and all(v == 1.0 for v in t["target_std"]))
