"""Reference guesses the way the library's inference runs them, for the
report and for comparing with corvex's Circuit.guess():

  guess_from_file(path, f, z)       float64 network with the file's binary16
                                    weights and binary32 decoding tables
  guess_from_checkpoint(key, f, z)  float64 network with the float32 trained
                                    weights (before the binary16 export)

Both return the decoded values in the model's param_names order.
"""
import os

import numpy as np
import torch

from . import eisnn
from .features import features_one, estimate_scales, build_features, decode_outputs
from .model import GuessNet
from .paths import CKPT_DIR
from .topologies import MODELS


class Loaded:
    def __init__(self, key, net, mean, std, logs, scaling, alpha_min=0.05, alpha_max=1.0):
        self.key, self.net = key, net
        self.mean, self.std = np.asarray(mean, float), np.asarray(std, float)
        self.logs, self.scaling = np.asarray(logs, float), np.asarray(scaling, float)
        self.alpha_min, self.alpha_max = alpha_min, alpha_max

    @torch.no_grad()
    def raw(self, feats, extras):
        return self.net(torch.as_tensor(feats, dtype=torch.float64),
                        torch.as_tensor(extras, dtype=torch.float64)).numpy()

    def decode(self, out, zs, ws):
        return decode_outputs(out, self.mean, self.std, self.logs, self.scaling, zs, ws,
                              self.alpha_min, self.alpha_max)

    def guess(self, f, z):
        feats, extras, zs, ws = features_one(f, z)
        out = self.raw(feats[None], extras[None])
        return self.decode(out, np.array([zs]), np.array([ws]))[0]

    def guess_batch(self, F, Z):
        """F, Z: (B, N) arrays of spectra of equal length."""
        zs, ws = estimate_scales(F, Z.real, Z.imag)
        feats, extras = build_features(F, Z.real, Z.imag, zs, ws)
        return self.decode(self.raw(feats, extras), zs, ws)


def load_file(path):
    hdr, tensors, _ = eisnn.read(open(path, "rb").read())
    h = dict(hdr)
    key = os.path.basename(path).rsplit(".", 1)[0]
    names = h["param_names"].split(",")
    net = GuessNet(int(h["channels"]), len(names)).double()
    t = {n: v for n, _, _, v in tensors}
    sd = {n: torch.from_numpy(np.array(t["w." + n])) for n in net.state_dict()}
    net.load_state_dict(sd)
    net.eval()
    return Loaded(key, net, t["target_mean"], t["target_std"], t["log_params"],
                  t["scaling"], float(h["alpha_min"]), float(h["alpha_max"]))


def load_checkpoint(key, ckpt_dir, stage=None):
    from .topologies import scaling_table
    d = os.path.join(ckpt_dir, key)
    if stage is None:
        st = sorted(int(f[5:-3]) for f in os.listdir(d) if f.startswith("stage") and f.endswith(".pt"))
        if not st:
            return None
        stage = st[-1]
    res = torch.load(os.path.join(d, f"stage{stage}.pt"), weights_only=False)
    _, names, C, _ = MODELS[key]
    net = GuessNet(C, len(names))
    net.load_state_dict(res["model"])
    net = net.double().eval()
    rows, logs = scaling_table(names)
    # decoding tables rounded as the file stores them (binary32)
    f32 = lambda a: np.asarray(a, np.float32).astype(np.float64)
    return Loaded(key, net, f32(res["mean"]), f32(res["std"]), logs, rows)


def guess_from_file(path, f, z):
    return load_file(path).guess(f, z)


def guess_from_checkpoint(key, f, z, ckpt_dir=None):
    return load_checkpoint(key, ckpt_dir or CKPT_DIR).guess(f, z)
