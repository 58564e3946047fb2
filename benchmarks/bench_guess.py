"""Cost of the network guess: one guess() per carried model, grouped by channel count, and a
default fit() split into its guess and the rest, to show whether the guess ever dominates."""

import struct
import tempfile
from pathlib import Path

import numpy as np

import corvex
from timing import format_time, machine_description, per_call_seconds

# Channel count of each carried model; the rest have 32.
CHANNELS = {"rc": 16, "sei_randles": 64, "sei_randles_wo": 64}
GOALS = {32: 1e-3, 64: 3e-3}

# Plausible cells for the fit split: the guess has real work to do and the fit converges.
FIT_CELLS = {
    "rc": [10.0, 100.0, 1e-5],
    "randles": [15.0, 80.0, 30.0, 1e-5, 0.88],
    "two_rq": [10.0, 40.0, 1e-6, 0.9, 120.0, 5e-4, 0.75],
}

FREQUENCIES = np.logspace(-2, 5, 60)

# Stand-ins with the carried shapes for each channel count, so the cost per size is known
# before every model has been trained: (channels, circuit, parameter names).
STAND_INS = [
    (16, "R0-(R1,C1)", "R0.r,R1.r,C1.c"),
    (32, "R0-(R1-W1,CPE1)", "R0.r,R1.r,W1.aw,CPE1.q,CPE1.alpha"),
    (64, "R0-(R1,CPE1)-(R2-W2,CPE2)", "R0.r,R1.r,CPE1.q,CPE1.alpha,R2.r,W2.aw,CPE2.q,CPE2.alpha"),
]


def noisy_spectrum(key, values, rng, noise=0.01):
    z = np.asarray(corvex.Circuit(key).with_values(values).impedance(FREQUENCIES))
    return FREQUENCIES, z * (1 + noise * (rng.standard_normal(z.size) + 1j * rng.standard_normal(z.size)))


def quietest(fn, rounds=3):
    """Best of a few separated measurements: the machine is shared, so the least disturbed
    one is the closest to the cost of the call itself."""
    return min(per_call_seconds(fn, min_time=0.1) for _ in range(rounds))


def built(circuit, f, z):
    try:
        circuit.guess(f, z)
    except ValueError:
        return False
    return True


def goal_text(channels, seconds):
    goal = GOALS.get(channels)
    if goal is None:
        return "-"
    verdict = "met" if seconds < goal else "MISSED"
    return f"< {format_time(goal).strip()} {verdict}"


def guess_times():
    print("One guess() per carried model (60 points, 10 mHz-100 kHz, NumPy arrays in):")
    print(f"{'channels':>8}  {'model':16} {'guess()':>11}  goal")
    rng = np.random.default_rng(5)
    keys = corvex.Circuit.ml_circuits()
    for channels in (16, 32, 64):
        for key in keys:
            if CHANNELS.get(key, 32) != channels:
                continue
            circuit = corvex.Circuit(key)
            f, z = noisy_spectrum(key, circuit.param_values(), rng)
            if not built(circuit, f, z):
                print(f"{channels:8d}  {key:16} {'not built':>11}")
                continue
            seconds = quietest(lambda: circuit.guess(f, z))
            print(f"{channels:8d}  {key:16} {format_time(seconds):>11}  {goal_text(channels, seconds)}")
    print()


def write_stand_in(path, channels, circuit, names, rng):
    """A weights file with the carried layout (kernel 5, 8 groups, dilations 1,2,4,8, 64 grid
    points, hidden width 4C, binary16 network tensors) and random weights."""
    def text(value):
        data = value.encode()
        return struct.pack("<I", len(data)) + data

    def tensor(name, values, encoding):
        values = np.asarray(values, dtype=np.float64)
        dtype = "<f2" if encoding == 1 else "<f4"
        return (text(name) + struct.pack("<BB", encoding, values.ndim)
                + struct.pack(f"<{values.ndim}I", *values.shape) + values.astype(dtype).tobytes())

    p = len(names.split(","))
    c, width = channels, 4 * channels
    header = {"circuit": circuit, "param_names": names, "estimator": "reactive_centroid", "n_grid": "64",
              "channels": str(c), "kernel": "5", "groups": "8", "dilations": "1,2,4,8",
              "alpha_min": "0.05", "alpha_max": "1.0"}
    shapes = {"stem.weight": (c, 3, 5), "stem.bias": (c,)}
    for i in range(4):
        for layer in ("conv1", "conv2"):
            shapes[f"blocks.{i}.{layer}.weight"] = (c, c, 5)
            shapes[f"blocks.{i}.{layer}.bias"] = (c,)
        for layer in ("norm1", "norm2"):
            shapes[f"blocks.{i}.{layer}.weight"] = (c,)
            shapes[f"blocks.{i}.{layer}.bias"] = (c,)
    shapes.update({"head.0.weight": (width, 2 * c + 2), "head.0.bias": (width,), "head.2.weight": (width, width),
                   "head.2.bias": (width,), "head.4.weight": (2 * p, width), "head.4.bias": (2 * p,)})
    records = [tensor("w." + name, rng.standard_normal(shape) / np.sqrt(np.prod(shape[1:] or (1,))), 1)
               for name, shape in shapes.items()]
    alpha = [name.endswith(".alpha") for name in names.split(",")]
    records += [tensor("target_mean", [0.7 if a else 0.0 for a in alpha], 0),
                tensor("target_std", [0.1 if a else 0.5 for a in alpha], 0),
                tensor("log_params", [0.0 if a else 1.0 for a in alpha], 0),
                tensor("scaling", [[0.0, 0.0, 0.0, -1.0] if a else [1.0, 0.0, 0.0, -1.0] for a in alpha], 0)]
    data = b"EISNN001" + struct.pack("<I", len(header))
    data += b"".join(text(key) + text(value) for key, value in header.items())
    data += struct.pack("<I", len(records)) + b"".join(records)
    path.write_bytes(data)


def stand_in_times():
    print("Random-weight stand-ins with the carried shapes, read through weights= (cached after the first call):")
    print(f"{'channels':>8}  {'circuit':28} {'guess()':>11}  goal")
    rng = np.random.default_rng(7)
    f = FREQUENCIES
    with tempfile.TemporaryDirectory() as directory:
        for channels, notation, names in STAND_INS:
            path = str(Path(directory) / f"stand_in_{channels}.eisnn")
            write_stand_in(Path(path), channels, notation, names, rng)
            circuit = corvex.Circuit(notation)
            z = np.asarray(circuit.impedance(f))
            circuit.guess(f, z, weights=path)
            seconds = quietest(lambda: circuit.guess(f, z, weights=path))
            print(f"{channels:8d}  {notation:28} {format_time(seconds):>11}  {goal_text(channels, seconds)}")
    print()


def fit_split():
    print("Default fit() (guess_init=None: guess, then Levenberg-Marquardt), 60 points, 1 % noise;")
    print("'rest' is the same fit started from the guessed values with guess_init=False:")
    print(f"{'model':10} {'whole fit':>11} {'guess':>11} {'rest':>11} {'whole-guess':>12} {'guess share':>12}")
    rng = np.random.default_rng(6)
    for key, values in FIT_CELLS.items():
        circuit = corvex.Circuit(key)
        f, z = noisy_spectrum(key, values, rng)
        if not built(circuit, f, z):
            print(f"{key:10} {'not built':>11}")
            continue
        started = circuit.with_values(circuit.guess(f, z))
        whole = quietest(lambda: circuit.fit(f, z))
        guess = quietest(lambda: circuit.guess(f, z))
        rest = quietest(lambda: started.fit(f, z, guess_init=False))
        print(f"{key:10} {format_time(whole):>11} {format_time(guess):>11} {format_time(rest):>11} "
              f"{format_time(whole - guess):>12} {100 * guess / whole:11.1f}%")
    print()


def main():
    print(f"Guess benchmarks [{machine_description()}]")
    print("Goals: a guess under 1 ms for 32-channel models and under 3 ms for 64-channel ones.")
    guess_times()
    stand_in_times()
    fit_split()


if __name__ == "__main__":
    main()
