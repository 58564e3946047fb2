# Mutation campaign for corvex.io.read over the instrument sample files: each file cut after
# every line and inside the next, with other line endings, and with single bytes changed at random.
"""Every mutated file must read in full, raise a ValueError or TypeError naming the file, or warn.

A failure is any other exception, an error message that does not name the file, or a read that
returns fewer rows than the mutated file holds (without a warning) or values other than the
original file's; failing mutants are kept in fuzz/artifacts/readers/.
Run: python fuzz/reader_mutations.py [--flips N] [--seed S] [--seconds T]
"""

from __future__ import annotations

import argparse
import collections
import pathlib
import random
import re
import sys
import tempfile
import time
import warnings

import numpy as np

import corvex.io

ROOT = pathlib.Path(__file__).resolve().parent.parent
ARTIFACTS = ROOT / "fuzz" / "artifacts" / "readers"
COLUMNS = ["Frequency / Hz", "Real Impedance / ohm", "Imaginary Impedance / ohm"]
_TOKEN = re.compile(r"[\t,; ]+")


def row_lines(lines: list[bytes], frequencies: np.ndarray) -> list[int]:
    """The line (0-based) holding each row of the original frame, found by its frequency."""
    found, line = [], 0
    for frequency in frequencies:
        while True:
            numbers = []
            for token in _TOKEN.split(lines[line].decode("latin-1")):
                try:
                    numbers.append(float(token))
                except ValueError:
                    pass
            if frequency in numbers:
                break
            line += 1
        found.append(line)
        line += 1
    return found


def read(path: pathlib.Path):
    """(outcome, frame or message): outcome is "read", "warned" or "error"; other exceptions propagate."""
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        try:
            frame = corvex.io.read(path)
        except (ValueError, TypeError) as error:
            return "error", str(error)
    return ("warned" if caught else "read"), frame


def judge(path, kind, expected, original, outcome, result):
    """None when the outcome is acceptable, else a description of the failure."""
    if outcome == "error":
        return None if path.name in result else f"error without the file name: {result}"
    got = result[COLUMNS].to_numpy()
    if outcome == "read" and len(got) < expected:
        return f"{len(got)} rows of {expected}, without a warning"
    # A row cut inside may still be read when the cut spared its used columns: it must then
    # carry the original values, which the comparison below checks. A changed byte may turn a
    # row that is dropped by design (PARSTAT's 0 Hz) into a point.
    if len(got) > expected + (kind in ("cut in a line", "flip")):
        return f"{len(got)} rows, more than the file holds"
    if kind != "flip" and not np.array_equal(got, original[: len(got)], equal_nan=True):
        return "values differ from the original file's"
    return None


def mutants(data: bytes, rng: random.Random, flips: int):
    """(kind, content, line cut at, or None when the mutant holds every row of the original).
    A cut file holds the rows before the cut: it ends after a line, or inside one (the last
    digits of its last number gone, or at a random place); a file with other line endings holds
    every row; a changed byte leaves as many rows, with any values."""
    lines = data.split(b"\n")
    for k in range(1, len(lines)):
        yield "cut", b"\n".join(lines[:k]) + b"\n", k
        length = len(lines[k].rstrip(b"\r"))
        for end in sorted({length - 1, length - 3, rng.randrange(length)} if length > 3 else set()):
            yield "cut in a line", b"\n".join(lines[:k] + [lines[k][:end]]), k
    for ending in (b"\r", b"\r\n", b"\n\r"):
        yield "line endings", data.replace(b"\r\n", b"\n").replace(b"\n", ending), None
    for _ in range(flips):
        position = rng.randrange(len(data))
        value = rng.choice([byte for byte in range(256) if byte != data[position]])
        yield "flip", data[:position] + bytes([value]) + data[position + 1:], None


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--data", type=pathlib.Path, default=ROOT / "tests" / "data" / "instruments")
    parser.add_argument("--flips", type=int, default=300, help="random byte changes per file")
    parser.add_argument("--seed", type=int, default=20261207)
    parser.add_argument("--seconds", type=float, default=900.0, help="stop starting new files after this")
    arguments = parser.parse_args()
    rng = random.Random(arguments.seed)
    counts: collections.Counter[str] = collections.Counter()
    failures: list[str] = []
    started = time.monotonic()
    with tempfile.TemporaryDirectory() as folder:
        for sample in sorted(arguments.data.iterdir()):
            if sample.suffix == ".md":
                continue
            if time.monotonic() - started > arguments.seconds:
                print(f"time budget spent; skipped {sample.name} and later files")
                break
            data = sample.read_bytes()
            with warnings.catch_warnings():
                warnings.simplefilter("ignore")
                original = corvex.io.read(sample)[COLUMNS].to_numpy()
            at = row_lines(data.split(b"\n"), original[:, 0])
            path = pathlib.Path(folder) / f"mutant{sample.suffix}"
            print(f"{sample.name}: {len(original)} rows", flush=True)
            for kind, content, cut in mutants(data, rng, arguments.flips):
                path.write_bytes(content)
                expected = len(original) if cut is None else sum(line < cut for line in at)
                try:
                    outcome, result = read(path)
                    failure = judge(path, kind, expected, original, outcome, result)
                except Exception as error:  # noqa: BLE001  (any other exception is what we look for)
                    outcome, failure = "failure", f"{type(error).__name__}: {error}"
                counts["mutated files"] += 1
                counts[kind] += 1
                if failure is None:
                    counts[{"read": "full reads", "warned": "warnings", "error": "clear errors"}[outcome]] += 1
                else:
                    counts["failures"] += 1
                    failures.append(f"{sample.name} ({kind}{'' if cut is None else f' at line {cut + 1}'}): {failure}")
                    ARTIFACTS.mkdir(parents=True, exist_ok=True)
                    kept = ARTIFACTS / f"failure-{counts['failures']}{sample.suffix}"
                    kept.write_bytes(content)
                    failures[-1] += f" (kept as {kept})"
    print(f"seed {arguments.seed}, {arguments.flips} byte changes per file, {time.monotonic() - started:.0f} s")
    for key in ("mutated files", "cut", "cut in a line", "line endings", "flip", "full reads", "clear errors", "warnings", "failures"):
        print(f"{key:>14}: {counts[key]}")
    for failure in failures[:40]:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
