"""Exporter check with random weights: every file must have exactly the
carried-model byte count, 10 header entries in key-table order, 44 tensors
in the stated order with the stated shapes and encodings."""
import numpy as np
import torch

from . import eisnn
from .model import GuessNet
from .topologies import MODELS


def main():
    torch.manual_seed(0)
    for key, (circuit, names, C, expected) in MODELS.items():
        P = len(names)
        net = GuessNet(C, P)
        sd = {n: t.detach().numpy() for n, t in net.state_dict().items()}
        assert list(sd) == eisnn.network_tensor_order()
        data = eisnn.encode(key, sd, np.zeros(P), np.ones(P))
        hdr, ts, end = eisnn.read(data)
        assert len(data) == expected == end, (key, len(data), expected)
        assert [k for k, _ in hdr] == eisnn.HEADER_ORDER
        assert dict(hdr)["circuit"] == circuit
        assert dict(hdr)["param_names"] == ",".join(names)
        assert len(ts) == 44
        assert [t[0] for t in ts] == ["w." + n for n in eisnn.network_tensor_order()] + \
            ["target_mean", "target_std", "scaling", "log_params"]
        assert all(t[1] == 1 for t in ts[:40]) and all(t[1] == 0 for t in ts[40:])
        assert ts[0][2] == [C, 3, 5] and ts[-6][2] == [2 * P, 4 * C] and ts[-2][2] == [P, 4]
        print(f"{key:15s} {len(data):7d} bytes OK")


if __name__ == "__main__":
    main()
