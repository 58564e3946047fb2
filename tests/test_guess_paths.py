# Every vector network path the processor runs gives the scalar path's bits: 2,000 varied
# spectra across every carried model, and awkward shapes from weights files, each path in a
# process of its own (or this one, for the path it chose).
import dataclasses
import os
import pathlib
import subprocess
import sys

import numpy as np
import pytest

import corvex

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_guess_numpy_reference import CONFIGS, build_file  # noqa: E402

SPECTRA = 2000

# Shapes the carried models do not have: channel counts and grids that leave partial vector
# blocks, dilations reaching past the grid, and the small files of the NumPy reference tests.
FILE_CONFIGS = CONFIGS + [
    dataclasses.replace(CONFIGS[1], name="odd_grid", n_grid=61, channels=6, groups=3, kernel=7, dilations=(1, 3, 40)),
    dataclasses.replace(CONFIGS[0], name="tiny_grid", n_grid=5, channels=9, groups=3, kernel=3, dilations=(2,),
                        hidden=13),
]


def drawn_spectra(count=SPECTRA, seed=2024):
    """(model key, frequencies, impedances) with varied lengths (odd ones too, so vector
    tails run), frequency ranges, orders, parameter values and noise."""
    rng = np.random.default_rng(seed)
    keys = corvex.Circuit.ml_circuits()
    for i in range(count):
        key = keys[i % len(keys)]
        circuit = corvex.Circuit(key)
        values = []
        for name, value in zip(circuit.param_names(), circuit.param_values()):
            if name.endswith(("alpha", "n")):
                values.append(rng.uniform(0.5, 1.0))
            else:
                values.append(value * 10.0 ** rng.uniform(-1.5, 1.5))
        n = int(rng.integers(5, 140))
        low = rng.uniform(-3.0, 2.0)
        f = np.logspace(low, low + rng.uniform(0.5, 8.0), n)
        if rng.random() < 0.3:
            f = f[::-1].copy()
        z = np.asarray(circuit.with_values(values).impedance(f))
        noise = rng.uniform(0.0, 0.05)
        z = z * (1 + noise * (rng.standard_normal(n) + 1j * rng.standard_normal(n)))
        yield key, f, z


def write_files(folder):
    for seed, config in enumerate(FILE_CONFIGS):
        build_file(config, pathlib.Path(folder) / f"{config.name}.eisnn", seed)


def all_guesses(folder):
    """Every guess of the drawn spectra, then of the weights files in `folder` on a few of
    them, concatenated in order."""
    out = []
    spectra = list(drawn_spectra())
    for key, f, z in spectra:
        out.extend(corvex.Circuit(key).guess(f, z))
    for config in FILE_CONFIGS:
        circuit = corvex.Circuit(config.circuit)
        for _, f, z in spectra[:40]:
            out.extend(circuit.guess(f, z, weights=str(pathlib.Path(folder) / f"{config.name}.eisnn")))
    return np.array(out, dtype=np.float64)


VECTOR_PATHS = ["avx2", "avx512"]
NO_SUCH_PATH = 3  # the child's exit status when this processor cannot run the path asked for


def guesses_on(path, folder):
    """The guesses of a child process running the network on `path`, or None when this
    processor cannot run it."""
    out = pathlib.Path(folder) / f"{path}.npy"
    env = {k: v for k, v in os.environ.items() if k != "CORVEX_GUESS_SCALAR"}
    env["CORVEX_GUESS_PATH"] = path
    child = subprocess.run([sys.executable, __file__, str(out), str(folder)], env=env, timeout=600)
    if child.returncode == NO_SUCH_PATH:
        return None
    assert child.returncode == 0
    return np.load(out)


@pytest.fixture(scope="module")
def scalar_guesses(tmp_path_factory):
    folder = tmp_path_factory.mktemp("weights")
    write_files(folder)
    return folder, guesses_on("scalar", folder)


@pytest.mark.parametrize("path", VECTOR_PATHS)
def test_vector_paths_match_the_scalar_path_bit_for_bit(path, scalar_guesses):
    folder, scalar = scalar_guesses
    vector = all_guesses(folder) if corvex._guess_path() == path else guesses_on(path, folder)
    if vector is None:
        pytest.skip(f"this processor cannot run the {path} path")
    assert vector.shape == scalar.shape
    different = np.flatnonzero(vector.view(np.uint64) != scalar.view(np.uint64))
    assert different.size == 0, f"{different.size} values differ on {path}, first at {different[:5]}"


if __name__ == "__main__":
    asked = os.environ.get("CORVEX_GUESS_PATH") or ("scalar" if os.environ.get("CORVEX_GUESS_SCALAR") == "1" else None)
    if asked is not None and corvex._guess_path() != asked:
        sys.exit(NO_SUCH_PATH)
    if len(sys.argv) < 3:  # a folder of its own, to compare one build with another
        sys.argv.append(os.path.dirname(os.path.abspath(sys.argv[1])))
        write_files(sys.argv[2])
    np.save(sys.argv[1], all_guesses(sys.argv[2]))
