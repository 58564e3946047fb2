"""Prints every number of a fixed set of fits, guesses, global searches and analyses as hex
floats, so that two builds of corvex (system or vendored libraries) can be compared bit for bit."""

import hashlib
import pathlib
import sys

import numpy as np
import pandas as pd

import corvex
import corvex.analysis
import corvex.batch

DATA = pathlib.Path(__file__).resolve().parent.parent / "tests" / "data"
# Differential evolution is left out: its generators are seeded by the operating system
# whatever seed= says, so two runs of one build already differ.
GLOBAL_METHODS = ["nelder_mead", "particle_swarm", "simulated_annealing", "basin_hopping"]


def hex_floats(values) -> str:
    if values is None:
        return "none"
    if isinstance(values, dict):
        values = values.values()
    return " ".join("none" if v is None else float(v).hex() for v in values)


def hex_of(value) -> str:
    """Any float, complex or array of them in hex; anything else as its repr."""
    array = np.asarray(value) if not isinstance(value, (str, bytes)) else None
    if array is not None and array.dtype.kind in "fc":
        flat = array.astype(complex).ravel()
        return " ".join(f"{z.real.hex()},{z.imag.hex()}" for z in flat)
    return repr(value)


def lines() -> list[str]:
    out = []
    li_ion = pd.read_csv(DATA / "li-ion-example.csv")
    for name in ["dummy-circuit-1.csv", "dummy-circuit-2.csv", "dummy-circuit-3.csv", "li-ion-example.csv"]:
        frame = pd.read_csv(DATA / name)
        for notation in ["rc", "two_rq", "randles", "sei_randles_wo"]:
            circuit = corvex.Circuit(notation)
            out.append(f"guess {name} {notation}: {hex_floats(circuit.guess(frame))}")
            result = circuit.fit(frame)
            out.append(f"fit {name} {notation}: {hex_floats(result.params)} {hex_floats(result.stderr)}")
    for method in GLOBAL_METHODS:
        result = corvex.Circuit("two_rq").fit(li_ion, method=method, seed=7)
        out.append(f"{method}: {hex_floats(result.params)}")
    cycles = pd.read_csv(DATA / "coin-cell-cycling.csv").query("Cycle < 8")
    table = corvex.batch.fit(corvex.Circuit("two_rq"), cycles, by="Cycle")
    for result in table["result"]:
        out.append(f"batch: {hex_floats(result.params)}")
    kk = corvex.analysis.kramers_kronig(li_ion)
    drt = corvex.analysis.drt(li_ion)
    for label, analysis in [("kramers_kronig", kk), ("drt", drt)]:
        for field, value in sorted(vars(analysis).items()) if hasattr(analysis, "__dict__") else analysis._asdict().items():
            out.append(f"{label}.{field}: {hex_of(value)}")
    return out


if __name__ == "__main__":
    text = "\n".join(lines()) + "\n"
    if len(sys.argv) > 1:
        pathlib.Path(sys.argv[1]).write_text(text)
    print(hashlib.sha256(text.encode()).hexdigest(), f"({text.count(chr(10))} lines)")
