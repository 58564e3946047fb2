"""Fingerprint of many fits as exact hex floats, to check that a change to the fitting core moves
only the results it means to move: run before and after, then compare the two JSON files.

    python benchmarks/fingerprint_fits.py before.json
    python benchmarks/fingerprint_fits.py after.json --compare before.json
"""

import argparse
import json
import math
import pathlib
import sys

import numpy as np
import pandas

import corvex
import corvex.batch
import corvex.io
from corvex.fitting import fit as controlled_fit

ROOT = pathlib.Path(__file__).resolve().parent.parent
MEASURED = sorted((ROOT.parent.parent / "shared" / "data" / "instruments").glob("exampleData*"))
if not MEASURED:
    MEASURED = sorted((ROOT / "tests" / "data" / "instruments").glob("exampleData*"))

SYNTHETIC = {
    "R0-(R1,C1)": [20.0, 100.0, 1e-5],
    "R0-(R1,CPE1)": [20.0, 100.0, 2e-5, 0.85],
    "R0-(R1-W1,CPE1)": [15.0, 80.0, 30.0, 1e-5, 0.88],
    "R0-(R1,CPE1)-(R2,CPE2)": [10.0, 40.0, 1e-6, 0.9, 120.0, 5e-4, 0.75],
    "L0-R0-(R1,C1)-(R2,C2)": [1e-7, 5.0, 30.0, 1e-6, 80.0, 1e-3],
    "R0-(R1,C1)-R2-(R3,C3)": [10.0, 40.0, 1e-4, 10.0, 50.0, 3e-4],
    "R0-(R1,CPE1)-Wo1": [5.0, 50.0, 1e-4, 0.8, 30.0, 2.0],
}
STARTS = [1.0, 2.5, 0.3]
METHODS = ["levenberg_marquardt", "nelder_mead"]
WEIGHTS = ["modulus", "unit"]


def hexed(value):
    if value is None:
        return None
    return float(value).hex()


def summary(result):
    stderr = result.stderr
    return {
        "values": [hexed(v) for v in result.circuit.param_values()],
        "cost": hexed(result.cost),
        "success": bool(result.success),
        "iterations": int(result.iterations),
        "stderr": None if stderr is None else {k: hexed(v) for k, v in stderr.items()},
    }


def guarded(run):
    try:
        return run()
    except Exception as error:  # a failure is part of the fingerprint too
        return {"error": f"{type(error).__name__}: {error}"}


def fingerprint():
    out = {}
    rng = np.random.default_rng(7)
    f = np.logspace(-2, 5, 50)
    for notation, truth in SYNTHETIC.items():
        circuit = corvex.Circuit(notation)
        z = circuit.with_values(truth).impedance(f)
        z = z * (1 + 0.01 * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size)))
        for scale in STARTS:
            start = [v if name.endswith(("alpha", "phi", "gamma")) else v * scale
                     for v, name in zip(truth, circuit.param_names())]
            for method in METHODS:
                for weight in WEIGHTS:
                    key = f"{notation}|{scale}|{method}|{weight}"
                    out[key] = guarded(lambda: summary(circuit.with_values(start).fit(
                        f, z, method=method, weight=weight, nelder_mead_iterations=400)))
            key = f"{notation}|{scale}|controlled"
            out[key] = guarded(lambda: controlled_summary(circuit.with_values(start), f, z))
    for path in MEASURED:
        frame = guarded(lambda: corvex.io.read(str(path)))
        if isinstance(frame, dict):
            out[path.name] = frame
            continue
        for model in corvex.Circuit.ml_circuits():
            out[f"{path.name}|{model}"] = guarded(lambda: summary(corvex.Circuit(model).fit(frame)))
            out[f"{path.name}|{model}|iter2"] = guarded(
                lambda: summary(corvex.Circuit(model).fit(frame, max_iterations=2)))
    cycles = pandas.read_csv(ROOT / "tests" / "data" / "coin-cell-cycling.csv")
    cycles = cycles[cycles["Cycle"] < 40]
    for model in ("rq", "two_rq_l", "randles", "sei_randles_wo"):
        table = corvex.batch.fit(corvex.Circuit(model), cycles, by="Cycle", n_jobs=1, progress=False)
        for _, row in table.iterrows():
            key = f"coin-cell|{model}|{row['Cycle']}|batch"
            out[key] = {"start": row["start"], **summary(row["result"])} if row["result"] is not None else {
                "error": row["error"]}
    return out


def controlled_summary(circuit, f, z):
    report = controlled_fit(circuit, f, z)
    row = summary(report.result)
    row["start"] = report.start
    row["report_stderr"] = {k: hexed(v) for k, v in report.stderr.items()}
    return row


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--compare")
    args = parser.parse_args()
    result = fingerprint()
    pathlib.Path(args.output).write_text(json.dumps(result, indent=1, sort_keys=True))
    print(f"{len(result)} fits fingerprinted into {args.output}")
    if args.compare:
        before = json.loads(pathlib.Path(args.compare).read_text())
        changed = [k for k in sorted(set(before) | set(result)) if before.get(k) != result.get(k)]
        print(f"{len(changed)} of {len(result)} differ")
        for key in changed:
            print(" ", key)
            print("    before:", json.dumps(before.get(key)))
            print("    after: ", json.dumps(result.get(key)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
