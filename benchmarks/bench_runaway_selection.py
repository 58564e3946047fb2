"""Which batch rows change when fits with runaway values lose to sound ones: the coin cell and
every shared measurement, fitted robustly, fingerprinted before and after a change of the engine.

    python bench_runaway_selection.py --save before.json     # with the old build
    python bench_runaway_selection.py --compare before.json  # with the new one: the table
"""

import argparse
import hashlib
import json
import math
import pathlib

import pandas as pd

import corvex
import corvex.batch
import corvex.io

ROOT = pathlib.Path(__file__).resolve().parents[1]
SHARED = ROOT.parent.parent / "shared" / "data"
CIRCUITS = ("two_rq", "sei_randles")


def cases():
    """(label, circuit name, data, by) for every fit of the measurement."""
    coin = pd.read_csv(ROOT / "examples" / "data" / "coin-cell-cycling.csv")
    for name in CIRCUITS:
        yield f"coin-cell {name}", name, coin, "Cycle"
    files = sorted(SHARED.glob("*.csv")) + sorted((SHARED / "instruments").iterdir())
    for path in files:
        if path.name == "coin-cell-cycling.csv":
            continue
        frame = corvex.io.read(path)
        for name in CIRCUITS:
            yield f"{path.relative_to(SHARED)} {name}", name, frame, None


def row_prints(table, names):
    """Per row: what the selection decided (start, success, cost, values), exactly."""
    prints = []
    for _, row in table.iterrows():
        prints.append({
            "start": row["start"],
            "success": bool(row["success"]),
            "cost": float(row["cost"]).hex(),
            "values": [float(row[name]).hex() for name in names],
            "runaway": list(row["runaway"]) if "runaway" in table.columns and isinstance(row["runaway"], list) else [],
            "best_cost_any": float(row["best_cost_any"]) if "best_cost_any" in table.columns else math.nan,
        })
    return prints


def measure():
    out = {}
    for label, name, data, by in cases():
        table = corvex.batch.fit(corvex.Circuit(name), data, by=by, progress=False)
        out[label] = row_prints(table, corvex.Circuit(name).param_names())
    return out


def digest(rows):
    text = json.dumps([(r["start"], r["success"], r["cost"], r["values"]) for r in rows])
    return hashlib.sha256(text.encode()).hexdigest()[:12]


def largest_change(names, a, b):
    """(name, before, after) of the value that moved furthest in decades."""
    pairs = [(float.fromhex(x), float.fromhex(y)) for x, y in zip(a["values"], b["values"])]
    moves = [abs(math.log10(abs(y) / abs(x))) if x and y else math.inf for x, y in pairs]
    j = max(range(len(pairs)), key=moves.__getitem__)
    return names[j], *pairs[j]


def compare(before, after):
    names = {label: corvex.Circuit(name).param_names() for label, name, _, _ in cases()}
    lines = [f"{'data and circuit':44s} {'rows':>4s} {'changed':>7s} {'flagged':>7s}  "
             "changed rows: cost before -> after (start before -> after)"]
    for label, rows in after.items():
        old = before[label]
        changed = [i for i, (a, b) in enumerate(zip(old, rows)) if digest([a]) != digest([b])]
        flagged = sum(bool(r["runaway"]) for r in rows)
        unchanged = [i for i in range(len(rows)) if i not in changed]
        same = digest([old[i] for i in unchanged]) == digest([rows[i] for i in unchanged])
        lines.append(f"{label:44s} {len(rows):4d} {len(changed):7d} {flagged:7d}  "
                     f"unchanged rows bit-identical: {same}")
        for i in changed:
            a, b = old[i], rows[i]
            name, was, now = largest_change(names[label], a, b)
            lines.append(f"    row {i:3d}: cost {float.fromhex(a['cost']):.6g} -> {float.fromhex(b['cost']):.6g} "
                         f"({a['start']} -> {b['start']}), best any start {b['best_cost_any']:.6g}; "
                         f"{name} {was:.3g} -> {now:.3g}; runaway now {', '.join(b['runaway']) or '-'}")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    group = parser.add_mutually_exclusive_group(required=True)
    group.add_argument("--save", type=pathlib.Path, help="write this build's row fingerprints here")
    group.add_argument("--compare", type=pathlib.Path, help="compare this build with saved fingerprints")
    arguments = parser.parse_args()
    rows = measure()
    if arguments.save:
        arguments.save.write_text(json.dumps(rows))
    else:
        print(compare(json.loads(arguments.compare.read_text()), rows))


if __name__ == "__main__":
    main()
