"""Reference guesses for corvex's Circuit.guess(), written next to the main
test suite (tests/data/guess_reference/<key>.json) so that a Python 3.12 test
without torch can compare the library's inference with this pipeline's:

- for every weights/<key>.eisnn: a few held-out spectra and the guess that
  the float64 network with the file's binary16 weights gives (infer.py); the
  library must agree to a relative 1e-9 (same weights, same arithmetic);
- for rc also a user weights file rc_f32.eisnn holding the float32 training
  checkpoint with binary32 network tensors (encoding 0) and the checkpoint's
  guesses, so Circuit.guess(weights=...) can be checked against the PyTorch
  model before the float16 export.

Each JSON records the sha256 of the weights file it was computed from.
Usage: python -m corvex_train.guess_fixtures [KEY ...]
"""
import hashlib
import json
import os
import struct
import sys

import numpy as np

from . import data as D
from . import eisnn
from .infer import load_file, load_checkpoint
from .topologies import KEYS, MODELS
from .paths import WEIGHTS_DIR, CKPT_DIR

OUT_DIR = os.path.join(os.path.dirname(WEIGHTS_DIR), "tests", "data", "guess_reference")
N_SPECTRA = 4


def _spectra(key):
    rng = D.chunk_rng(key, D.TAG_TEST, 99)
    freqs, zs, params = D.draw_spectra(key, rng, N_SPECTRA)
    return freqs, zs, params


def _f32_file(key, model, path):
    """Like eisnn.encode but with every tensor binary32 (a user file)."""
    sd = {k: v.detach().float().numpy() for k, v in model.net.state_dict().items()}
    data = bytearray(eisnn.MAGIC)
    hdr = eisnn.header_entries(key)
    data += struct.pack("<I", len(hdr))
    for k, v in hdr:
        data += eisnn._str(k.encode()) + eisnn._str(v.encode())
    order = eisnn.network_tensor_order()
    data += struct.pack("<I", len(order) + 4)
    for nm in order:
        data += eisnn._tensor("w." + nm, sd[nm], 0)
    data += eisnn._tensor("target_mean", model.mean, 0)
    data += eisnn._tensor("target_std", model.std, 0)
    data += eisnn._tensor("scaling", model.scaling, 0)
    data += eisnn._tensor("log_params", model.logs, 0)
    with open(path, "wb") as fh:
        fh.write(bytes(data))


def _entry(f, z, g):
    return {"frequencies": [float(x) for x in f], "re": [float(x) for x in z.real],
            "im": [float(x) for x in z.imag], "guess": [float(x) for x in g]}


def write(key):
    path = os.path.join(WEIGHTS_DIR, key + ".eisnn")
    if not os.path.exists(path):
        return None
    os.makedirs(OUT_DIR, exist_ok=True)
    m = load_file(path)
    freqs, zs, _ = _spectra(key)
    doc = {"key": key, "circuit": MODELS[key][0], "param_names": MODELS[key][1],
           "weights": f"weights/{key}.eisnn",
           "sha256": hashlib.sha256(open(path, "rb").read()).hexdigest(),
           "rtol": 1e-9,
           "cases": [_entry(f, z, m.guess(f, z)) for f, z in zip(freqs, zs)]}
    if key == "rc" and os.path.isdir(os.path.join(CKPT_DIR, key)):
        ck = load_checkpoint(key, CKPT_DIR)
        if ck is not None:
            fpath = os.path.join(OUT_DIR, "rc_f32.eisnn")
            _f32_file(key, ck, fpath)
            # the f32 file's weights are exactly the checkpoint's float32 values
            doc["f32_file"] = "tests/data/guess_reference/rc_f32.eisnn"
            doc["f32_sha256"] = hashlib.sha256(open(fpath, "rb").read()).hexdigest()
            doc["f32_cases"] = [_entry(f, z, ck.guess(f, z)) for f, z in zip(freqs, zs)]
    with open(os.path.join(OUT_DIR, key + ".json"), "w") as fh:
        json.dump(doc, fh, separators=(",", ":"))
    return doc


def main(argv):
    for key in argv or KEYS:
        if write(key) is not None:
            print("wrote reference guesses for", key)


if __name__ == "__main__":
    main(sys.argv[1:])
