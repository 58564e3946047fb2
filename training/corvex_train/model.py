"""The guessing network exactly as the library's inference runs it.

stem Conv1d(3->C, K, padding K//2) -> 4 residual blocks
(conv1 -> GroupNorm -> tanh-GELU -> conv2 -> GroupNorm; x = GELU(x + h)),
"same" zero padding = dilation*(K-1)//2, then per-channel mean and max pooling
plus the two extras, then head Linear(2C+2 -> 4C) - GELU - Linear(4C -> 4C) -
GELU - Linear(4C -> 2P).  Module names match the tensor names of the weights format
(stem, blocks.i.conv1/norm1/conv2/norm2, head.0, head.2, head.4).
"""
import torch
from torch import nn
import torch.nn.functional as F

N_GRID = 64
KERNEL = 5
GROUPS = 8
DILATIONS = (1, 2, 4, 8)


def gelu(x):
    return F.gelu(x, approximate="tanh")


class Block(nn.Module):
    def __init__(self, c, k, d, groups):
        super().__init__()
        pad = d * (k - 1) // 2
        self.conv1 = nn.Conv1d(c, c, k, padding=pad, dilation=d)
        self.norm1 = nn.GroupNorm(groups, c, eps=1e-5)
        self.conv2 = nn.Conv1d(c, c, k, padding=pad, dilation=d)
        self.norm2 = nn.GroupNorm(groups, c, eps=1e-5)

    def forward(self, x):
        h = self.norm1(self.conv1(x))
        h = gelu(h)
        h = self.norm2(self.conv2(h))
        return gelu(x + h)


class GuessNet(nn.Module):
    def __init__(self, channels, n_params, kernel=KERNEL, groups=GROUPS,
                 dilations=DILATIONS):
        super().__init__()
        c = channels
        self.channels = c
        self.n_params = n_params
        self.stem = nn.Conv1d(3, c, kernel, padding=(kernel - 1) // 2)
        self.blocks = nn.ModuleList(Block(c, kernel, d, groups) for d in dilations)
        w = 4 * c
        self.head = nn.Sequential(
            nn.Linear(2 * c + 2, w), nn.GELU(approximate="tanh"),
            nn.Linear(w, w), nn.GELU(approximate="tanh"),
            nn.Linear(w, 2 * n_params),
        )

    def forward(self, feats, extras):
        """feats: (B, 3, L); extras: (B, 2).  Returns (B, 2P)."""
        x = self.stem(feats)
        for b in self.blocks:
            x = b(x)
        pooled = torch.cat([x.mean(dim=2), x.amax(dim=2), extras], dim=1)
        return self.head(pooled)
