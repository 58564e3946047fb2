"""Writer and (pure-Python) reader of the "EISNN001" weights format.

Carried files: 10 header entries in key-table order, 44 tensors in the order
stem, blocks 0..3 (conv1 w/b, norm1 w/b, conv2 w/b, norm2 w/b), head.0,
head.2, head.4, then target_mean, target_std, scaling, log_params.  Network
tensors are binary16 (encoding 1), the four decoding tensors binary32
(encoding 0).
"""
import struct

import numpy as np

from .topologies import MODELS, HEADER_CONST, scaling_table

MAGIC = b"EISNN001"
HEADER_ORDER = ["circuit", "param_names", "estimator", "n_grid", "channels",
                "kernel", "groups", "dilations", "alpha_min", "alpha_max"]


def network_tensor_order(n_blocks=4):
    names = ["stem.weight", "stem.bias"]
    for i in range(n_blocks):
        for layer in ("conv1", "norm1", "conv2", "norm2"):
            names += [f"blocks.{i}.{layer}.weight", f"blocks.{i}.{layer}.bias"]
    for layer in ("head.0", "head.2", "head.4"):
        names += [f"{layer}.weight", f"{layer}.bias"]
    return names


def _str(b):
    return struct.pack("<I", len(b)) + b


def header_entries(key):
    circuit, names, channels, _ = MODELS[key]
    vals = dict(HEADER_CONST)
    vals["circuit"] = circuit
    vals["param_names"] = ",".join(names)
    vals["channels"] = str(channels)
    return [(k, vals[k]) for k in HEADER_ORDER]


def _tensor(name, arr, encoding):
    arr = np.asarray(arr)
    out = _str(name.encode()) + struct.pack("<BB", encoding, arr.ndim)
    out += b"".join(struct.pack("<I", d) for d in arr.shape)
    if encoding == 1:
        out += np.ascontiguousarray(arr, dtype="<f2").tobytes()
    elif encoding == 0:
        out += np.ascontiguousarray(arr, dtype="<f4").tobytes()
    else:
        raise ValueError(encoding)
    return out


def encode(key, state_dict, target_mean, target_std):
    """Serialises a model.  state_dict maps PyTorch names (stem.weight, ...)
    to numpy arrays (any float dtype; rounded to binary16 here)."""
    circuit, names, channels, expected = MODELS[key]
    rows, logs = scaling_table(names)
    hdr = header_entries(key)
    out = bytearray(MAGIC)
    out += struct.pack("<I", len(hdr))
    for k, v in hdr:
        out += _str(k.encode()) + _str(v.encode())
    order = network_tensor_order()
    out += struct.pack("<I", len(order) + 4)
    for nm in order:
        out += _tensor("w." + nm, np.asarray(state_dict[nm], dtype=np.float64), 1)
    out += _tensor("target_mean", np.asarray(target_mean, dtype=np.float64), 0)
    out += _tensor("target_std", np.asarray(target_std, dtype=np.float64), 0)
    out += _tensor("scaling", np.asarray(rows, dtype=np.float64), 0)
    out += _tensor("log_params", np.asarray(logs, dtype=np.float64), 0)
    data = bytes(out)
    if len(data) != expected:
        raise AssertionError(f"{key}: {len(data)} bytes, expected {expected}")
    return data


def write(path, key, state_dict, target_mean, target_std):
    import os
    data = encode(key, state_dict, target_mean, target_std)
    tmp = str(path) + ".tmp"
    with open(tmp, "wb") as fh:
        fh.write(data)
    os.replace(tmp, path)
    return len(data)


def read(data):
    """Parses a file: returns (header list of (key, value), list of
    (name, encoding, dims, float64 ndarray))."""
    if len(data) < 8 or data[:8] != MAGIC:
        raise ValueError("bad magic")
    pos = 8

    def u32():
        nonlocal pos
        (v,) = struct.unpack_from("<I", data, pos)
        pos += 4
        return v

    def s():
        nonlocal pos
        n = u32()
        b = data[pos:pos + n]
        if len(b) != n:
            raise ValueError("truncated")
        pos += n
        return b.decode()

    hdr = []
    for _ in range(u32()):
        k = s()
        hdr.append((k, s()))
    tensors = []
    for _ in range(u32()):
        name = s()
        enc, rank = struct.unpack_from("<BB", data, pos)
        pos += 2
        dims = [u32() for _ in range(rank)]
        n = max(int(np.prod(dims)) if dims else 1, 1)
        if enc == 0:
            vals = np.frombuffer(data, "<f4", n, pos).astype(np.float64)
            pos += 4 * n
        elif enc == 1:
            vals = np.frombuffer(data, "<f2", n, pos).astype(np.float64)
            pos += 2 * n
        else:
            raise ValueError(f"encoding {enc}")
        tensors.append((name, enc, dims, vals.reshape(dims) if dims else vals))
    return hdr, tensors, pos
