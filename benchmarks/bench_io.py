"""Reading a large EC-Lab .mpt file with corvex.io.read against pandas.read_csv of the same table:
wall time and peak memory, each measured in a fresh process. The file is generated at bench time
(CORVEX_BENCH_MPT_MB sets its size, 1024 MB by default) and deleted afterwards."""

import os
import pathlib
import subprocess
import sys
import tempfile
import time

import numpy as np

from timing import machine_description

HEADER_LINES = 61
COLUMNS = ["freq/Hz", "Re(Z)/Ohm", "-Im(Z)/Ohm", "|Z|/Ohm", "Phase(Z)/deg", "time/s", "<Ewe>/V",
           "<I>/mA", "Cs/\u00b5F", "Cp/\u00b5F", "cycle number", "I Range", "|Ewe|/V", "|I|/A",
           "Re(Y)/Ohm-1", "Im(Y)/Ohm-1", "|Y|/Ohm-1", "Phase(Y)/deg"]

# Each measurement runs in its own interpreter so that its peak resident memory is its own.
MEASURE = r"""
import resource, sys, time
path, which, skip = sys.argv[1], sys.argv[2], int(sys.argv[3])
import pandas as pd
import corvex.io
before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
start = time.perf_counter()
if which == "corvex":
    frame = corvex.io.read(path)
else:
    frame = pd.read_csv(path, sep="\t", skiprows=skip, encoding="latin-1")
elapsed = time.perf_counter() - start
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
print(elapsed, (peak - before) * 1024, len(frame), frame.shape[1])
"""


def header():
    lines = ["EC-Lab ASCII FILE", f"Nb header lines : {HEADER_LINES}", "",
             "Potentio Electrochemical Impedance Spectroscopy", ""]
    lines += [f"Setting {index} : {index}" for index in range(HEADER_LINES - len(lines) - 1)]
    lines.append("\t".join(COLUMNS) + "\t")
    return ("\n".join(lines) + "\n").encode("latin-1")


def spectrum_block(cycle, points=50, spectra=40, rng=np.random.default_rng(7)):
    """Rows of `spectra` noisy R-(R,C) sweeps with one cycle number, as EC-Lab formats them."""
    f = np.tile(np.logspace(5, -2, points), spectra)
    z = 20 + 100 / (1 + 2j * np.pi * f * 100 * 1e-5)
    z = z * (1 + 0.01 * rng.standard_normal(f.size))
    n = f.size
    table = np.column_stack([
        f, z.real, -z.imag, np.abs(z), np.angle(z, deg=True), np.arange(n) * 0.5,
        rng.normal(0, 1e-3, n), rng.normal(0, 1e-2, n), rng.normal(100, 10, n), rng.normal(50, 5, n),
        np.full(n, float(cycle)), np.full(n, 11.0), rng.normal(0.02, 1e-3, n), rng.normal(3e-4, 1e-5, n),
        1 / z.real, 1 / z.imag, 1 / np.abs(z), -np.angle(z, deg=True)])
    formats = ["%.7E"] * 5 + ["%.15E"] + ["%.7E"] * 4 + ["%.15E", "%d"] + ["%.7E"] * 6
    lines = ["\t".join(fmt % value for fmt, value in zip(formats, row)) for row in table]
    return ("\n".join(lines) + "\n").encode("latin-1")


def write_mpt(path, size):
    blocks = [spectrum_block(1), spectrum_block(2)]
    with open(path, "wb") as handle:
        written = handle.write(header())
        turn = 0
        while written < size:
            written += handle.write(blocks[turn % 2])
            turn += 1
    return written


def measure(path, which):
    out = subprocess.run([sys.executable, "-c", MEASURE, str(path), which, str(HEADER_LINES - 1)],
                         check=True, capture_output=True, text=True).stdout.split()
    return float(out[0]), float(out[1]), int(out[2]), int(out[3])


def main():
    size = int(float(os.environ.get("CORVEX_BENCH_MPT_MB", "1024")) * 2**20)
    print(f"Reading a large .mpt ({machine_description()})")
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder) / "large.mpt"
        start = time.perf_counter()
        written = write_mpt(path, size)
        print(f"generated {written / 2**20:.0f} MB in {time.perf_counter() - start:.1f} s")
        print(f"{'reader':<34} {'rows':>10} {'cols':>5} {'time':>9} {'peak memory':>12} {'MB/s':>7}")
        results = {}
        for which, label in (("pandas", "pandas.read_csv (all columns)"), ("corvex", "corvex.io.read")):
            # Best of two: the machine is shared, and the first read also warms the page cache.
            runs = [measure(path, which) for _ in range(2)]
            seconds = min(run[0] for run in runs)
            peak = max(run[1] for run in runs)
            rows, cols = runs[0][2:]
            results[which] = seconds
            print(f"{label:<34} {rows:>10} {cols:>5} {seconds:>7.2f} s {peak / 2**20:>9.0f} MB "
                  f"{written / 2**20 / seconds:>7.0f}")
        print(f"time ratio corvex / pandas: {results['corvex'] / results['pandas']:.2f}")


if __name__ == "__main__":
    main()
