"""Where the reciprocal condition of J^T J lands for fits whose parameters are exactly dependent
(two resistors in series, two capacitors in parallel, ...) and for real fits, to place the
threshold below which standard errors are withheld.

The estimate is recomputed here from Circuit.jacobian() with the same operations, in the same
order, as the standard errors of Circuit.fit(): J^T J by sequential sums, the closed-form inverse
up to 4 x 4 and LU beyond, the 1-norm condition of both scaled to the unit diagonal of J^T J.
The squared singular-value ratio of the column-scaled Jacobian (what fitting.fit looks at) is
recorded beside it, and both are compared with the threshold the fits apply at the point: the
fixed floor, raised to twice the square of the largest relative rounding noise of a column.

    python benchmarks/measure_condition_threshold.py --seeds 60 > benchmarks/results/condition_threshold.txt
"""

import argparse
import math
import pathlib
import sys
import warnings

import numpy as np
import pandas

import corvex
import corvex.io

MIN_RECIPROCAL_CONDITION = 1e-12
STEP_FACTOR = 6.0554544523933395e-06
NOISE_SHARE = 2.0
ROOT = pathlib.Path(__file__).resolve().parent.parent
MEASURED = sorted((ROOT / "tests" / "data" / "instruments").glob("exampleData*"))

# (circuit with an exactly dependent pair, its values, circuit and values that make the data, the pair)
DEPENDENT = [
    ("R0-(R1,C1)-R2", [14.5, 47.0, 2e-4, 14.5], "R0-(R1,C1)", [29.0, 47.0, 2e-4], (0, 3)),
    ("R0-(R1,C1)-R2-(R3,C3)", [14.5, 47.0, 2e-4, 14.5, 60.0, 3e-2], "R0-(R1,C1)-(R3,C3)",
     [29.0, 47.0, 2e-4, 60.0, 3e-2], (0, 3)),
    ("R0-R1-(R2,C2)", [6.0, 6.0, 80.0, 1e-5], "R0-(R2,C2)", [12.0, 80.0, 1e-5], (0, 1)),
    ("R0-(R1,C1,C2)", [5.0, 100.0, 5e-6, 5e-6], "R0-(R1,C1)", [5.0, 100.0, 1e-5], (2, 3)),
    ("R0-(R1,C1)-L2-L3", [5.0, 100.0, 1e-5, 1e-6, 1e-6], "R0-(R1,C1)-L2", [5.0, 100.0, 1e-5, 2e-6], (3, 4)),
    ("R0-(R1,CPE1)-C2-C3", [5.0, 100.0, 1e-5, 0.85, 2e-3, 2e-3], "R0-(R1,CPE1)-C2",
     [5.0, 100.0, 1e-5, 0.85, 1e-3], (4, 5)),
    ("R0-(R1,C1)-R2-(R3,CPE3)-W4", [4.0, 30.0, 1e-6, 4.0, 90.0, 1e-4, 0.8, 20.0], "R0-(R1,C1)-(R3,CPE3)-W4",
     [8.0, 30.0, 1e-6, 90.0, 1e-4, 0.8, 20.0], (0, 3)),
]
REAL = ["R0-(R1,C1)", "R0-(R1,CPE1)", "R0-(R1-W1,CPE1)", "R0-(R1,CPE1)-(R2,CPE2)", "L0-R0-(R1,C1)-(R2,C2)",
        "R0-(R1,CPE1)-Wo1"]
REAL_VALUES = [[20.0, 100.0, 1e-5], [20.0, 100.0, 2e-5, 0.85], [15.0, 80.0, 30.0, 1e-5, 0.88],
               [10.0, 40.0, 1e-6, 0.9, 120.0, 5e-4, 0.75], [1e-7, 5.0, 30.0, 1e-6, 80.0, 1e-3],
               [5.0, 50.0, 1e-4, 0.8, 30.0, 2.0]]


def cofactor_inverse(a, n):
    if n == 1:
        return None if a[0] == 0.0 else [1.0 / a[0]]
    if n == 2:
        det = a[0] * a[3] - a[1] * a[2]
        return None if det == 0.0 else [a[3] / det, -a[1] / det, -a[2] / det, a[0] / det]
    if n == 3:
        a00, a01, a02, a10, a11, a12, a20, a21, a22 = a
        det = a[0] * (a[4] * a[8] - a[5] * a[7]) + a[1] * (a[5] * a[6] - a[3] * a[8]) + a[2] * (
            a[3] * a[7] - a[4] * a[6])
        if det == 0.0:
            return None
        return [(a11 * a22 - a12 * a21) / det, (a02 * a21 - a01 * a22) / det, (a01 * a12 - a02 * a11) / det,
                (a12 * a20 - a10 * a22) / det, (a00 * a22 - a02 * a20) / det, (a02 * a10 - a00 * a12) / det,
                (a10 * a21 - a11 * a20) / det, (a01 * a20 - a00 * a21) / det, (a00 * a11 - a01 * a10) / det]
    s0 = a[0] * a[5] - a[4] * a[1]
    s1 = a[0] * a[6] - a[4] * a[2]
    s2 = a[0] * a[7] - a[4] * a[3]
    s3 = a[1] * a[6] - a[5] * a[2]
    s4 = a[1] * a[7] - a[5] * a[3]
    s5 = a[2] * a[7] - a[6] * a[3]
    c5 = a[10] * a[15] - a[14] * a[11]
    c4 = a[9] * a[15] - a[13] * a[11]
    c3 = a[9] * a[14] - a[13] * a[10]
    c2 = a[8] * a[15] - a[12] * a[11]
    c1 = a[8] * a[14] - a[12] * a[10]
    c0 = a[8] * a[13] - a[12] * a[9]
    det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0
    if det == 0.0:
        return None
    return [(a[5] * c5 - a[6] * c4 + a[7] * c3) / det, (-a[1] * c5 + a[2] * c4 - a[3] * c3) / det,
            (a[13] * s5 - a[14] * s4 + a[15] * s3) / det, (-a[9] * s5 + a[10] * s4 - a[11] * s3) / det,
            (-a[4] * c5 + a[6] * c2 - a[7] * c1) / det, (a[0] * c5 - a[2] * c2 + a[3] * c1) / det,
            (-a[12] * s5 + a[14] * s2 - a[15] * s1) / det, (a[8] * s5 - a[10] * s2 + a[11] * s1) / det,
            (a[4] * c4 - a[5] * c2 + a[7] * c0) / det, (-a[0] * c4 + a[1] * c2 - a[3] * c0) / det,
            (a[12] * s4 - a[13] * s2 + a[15] * s0) / det, (-a[8] * s4 + a[9] * s2 - a[11] * s0) / det,
            (-a[4] * c3 + a[5] * c1 - a[6] * c0) / det, (a[0] * c3 - a[1] * c1 + a[2] * c0) / det,
            (-a[12] * s3 + a[13] * s1 - a[14] * s0) / det, (a[8] * s3 - a[9] * s1 + a[10] * s0) / det]


def lu_inverse(a, n):
    lu = list(a)
    row_of = list(range(n))
    for k in range(n):
        pivot_row, largest = k, abs(lu[k * n + k])
        for i in range(k + 1, n):
            if abs(lu[i * n + k]) > largest:
                largest, pivot_row = abs(lu[i * n + k]), i
        if pivot_row != k:
            for j in range(n):
                lu[k * n + j], lu[pivot_row * n + j] = lu[pivot_row * n + j], lu[k * n + j]
            row_of[k], row_of[pivot_row] = row_of[pivot_row], row_of[k]
        pivot = lu[k * n + k]
        if pivot == 0.0:
            return None
        for i in range(k + 1, n):
            factor = lu[i * n + k] / pivot
            lu[i * n + k] = factor
            for j in range(k + 1, n):
                lu[i * n + j] -= factor * lu[k * n + j]
    inverse = [0.0] * (n * n)
    for c in range(n):
        column = [0.0] * n
        for i in range(n):
            value = 1.0 if row_of[i] == c else 0.0
            for j in range(i):
                value -= lu[i * n + j] * column[j]
            column[i] = value
        for i in reversed(range(n)):
            value = column[i]
            for j in range(i + 1, n):
                value -= lu[i * n + j] * column[j]
            column[i] = value / lu[i * n + i]
        for i in range(n):
            inverse[i * n + c] = column[i]
    return inverse


def normal_reciprocal_condition(jacobian):
    """The 1-norm reciprocal condition of J^T J and its inverse scaled to a unit diagonal, as the
    standard errors of Circuit.fit() estimate it; 0 when the inverse is missing or has a
    non-positive diagonal (both withhold the standard errors whatever the threshold)."""
    columns = [list(map(float, c)) for c in np.asarray(jacobian, dtype=float).T]
    n = len(columns)
    normal = [0.0] * (n * n)
    for a in range(n):
        for b in range(a, n):
            total = 0.0
            for u, v in zip(columns[a], columns[b]):
                total += u * v
            normal[a * n + b] = normal[b * n + a] = total
    inverse = cofactor_inverse(normal, n) if n <= 4 else lu_inverse(normal, n)
    if inverse is None or not all(map(math.isfinite, normal + inverse)):
        return 0.0
    if any(normal[j * n + j] <= 0.0 or inverse[j * n + j] <= 0.0 for j in range(n)):
        return 0.0
    scale = [math.sqrt(normal[j * n + j]) for j in range(n)]
    norm = inverse_norm = 0.0
    for j in range(n):
        column = inverse_column = 0.0
        for i in range(n):
            product = scale[i] * scale[j]
            column += abs(normal[i * n + j]) / product
            inverse_column += abs(inverse[i * n + j]) * product
        norm, inverse_norm = max(norm, column), max(inverse_norm, inverse_column)
    return 1.0 / (norm * inverse_norm)


def threshold_at(circuit, x, f, z, jacobian):
    """The threshold the fit applies at x: 1e-12, or twice the square of the largest relative
    rounding noise of a central-difference column when higher (modulus weighting)."""
    residuals = np.asarray(circuit.residuals(x, f, z), dtype=float)
    weights = np.repeat(np.maximum(np.abs(z), 1e-30), 2)
    magnitude = np.linalg.norm(np.abs(residuals) + np.repeat(np.abs(z), 2) / weights)
    steps = STEP_FACTOR * np.maximum(np.abs(np.asarray(x, dtype=float)), 1e-8)
    norms = np.linalg.norm(np.asarray(jacobian, dtype=float), axis=0)
    noise = 0.5 * np.finfo(float).eps * magnitude / steps[norms > 0] / norms[norms > 0]
    return max(MIN_RECIPROCAL_CONDITION, NOISE_SHARE * float(np.max(noise, initial=0.0)) ** 2)


def singular_ratio_squared(jacobian):
    j = np.asarray(jacobian, dtype=float)
    norms = np.linalg.norm(j, axis=0)
    s = np.linalg.svd(j / np.where(norms > 0, norms, 1.0), compute_uv=False)
    return float((s[-1] / s[0]) ** 2)


def ulp_perturbed(z, rng):
    """z with every real and imaginary part moved by -1, 0 or +1 ulp at random."""
    def nudge(part):
        steps = rng.integers(-1, 2, part.size)
        return np.where(steps > 0, np.nextafter(part, np.inf), np.where(steps < 0, np.nextafter(part, -np.inf), part))
    return nudge(z.real) + 1j * nudge(z.imag)


def inside(x, bounds, pair):
    return all(x[i] > 100.0 * bounds[i][0] for i in pair)


def dependent_cases(seeds, perturbations):
    interior, on_bound = [], []
    f = np.logspace(-1, 5, 40)
    for notation, values, source, truth, pair in DEPENDENT:
        circuit = corvex.Circuit(notation)
        bounds = circuit.param_bounds()
        clean = corvex.Circuit(source).with_values(truth).impedance(f)
        for seed in range(seeds):
            rng = np.random.default_rng(seed)
            z = clean * (1 + 0.01 * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size)))
            # A random interior point of the same circuit, then the fitted point from a random start.
            start = [v * rng.uniform(0.3, 3.0) if b[1] == math.inf else v for v, b in zip(values, bounds)]
            fitted = circuit.with_values(start).fit(f, z).circuit.param_values()
            for x in (start, fitted):
                bucket = interior if inside(x, bounds, pair) else on_bound
                for k in range(perturbations):
                    data = z if k == 0 else ulp_perturbed(z, rng)
                    jacobian = circuit.jacobian(x, f, data)
                    bucket.append((notation, normal_reciprocal_condition(jacobian), singular_ratio_squared(jacobian),
                                   threshold_at(circuit, x, f, data, jacobian)))
    return interior, on_bound


def real_fits(seeds):
    """Estimates at the results of fits with no dependent parameters: synthetic spectra from
    several starts, every measured file and coin-cell cycle with the named models."""
    out = []
    f = np.logspace(-2, 5, 50)
    for notation, truth in zip(REAL, REAL_VALUES):
        circuit = corvex.Circuit(notation)
        for seed in range(seeds):
            rng = np.random.default_rng(seed)
            z = circuit.with_values(truth).impedance(f)
            z = z * (1 + 0.01 * (rng.standard_normal(f.size) + 1j * rng.standard_normal(f.size)))
            result = circuit.with_values([v * rng.uniform(0.5, 2.0) if not n.endswith("alpha") else v
                                          for v, n in zip(truth, circuit.param_names())]).fit(f, z)
            out.append(("synthetic " + notation, result, f, z))
    spectra = []
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        for path in MEASURED:
            frame = corvex.io.read(str(path))
            spectra.append((path.name, frame["Frequency / Hz"].to_numpy(),
                            (frame["Real Impedance / ohm"] + 1j * frame["Imaginary Impedance / ohm"]).to_numpy()))
    cycles = pandas.read_csv(ROOT / "tests" / "data" / "coin-cell-cycling.csv")
    for cycle, rows in cycles.groupby("Cycle"):
        if cycle % 5 == 0:
            spectra.append((f"coin cell cycle {cycle}", rows["Frequency / Hz"].to_numpy(),
                            (rows["Real Impedance / ohm"] + 1j * rows["Imaginary Impedance / ohm"]).to_numpy()))
    for name, f, z in spectra:
        for model in corvex.Circuit.ml_circuits():
            with warnings.catch_warnings():
                warnings.simplefilter("ignore")
                out.append((f"{name} {model}", corvex.Circuit(model).fit(f, z), f, z))
    rows = []
    for label, result, f, z in out:
        if not (result.success and math.isfinite(result.cost)):
            continue
        x = result.circuit.param_values()
        jacobian = result.circuit.jacobian(x, f, z)
        relative = [abs(e / v) if v else math.inf for e, v in zip((result.stderr or {}).values(), x)]
        determined = bool(result.stderr) and max(relative) < 1.0
        rcond = normal_reciprocal_condition(jacobian)
        rows.append((label, rcond, singular_ratio_squared(jacobian), determined,
                     rcond / threshold_at(result.circuit, x, f, z, jacobian)))
    return rows


def describe(name, values):
    values = np.array([v for v in values if v > 0.0])
    if values.size == 0:
        return f"{name}: none"
    q = np.quantile(values, [0.0, 0.01, 0.5, 0.99, 1.0])
    return (f"{name}: n={values.size}  min {q[0]:.3g}  1% {q[1]:.3g}  median {q[2]:.3g}  99% {q[3]:.3g}  "
            f"max {q[4]:.3g}  (max/eps {q[4] / np.finfo(float).eps:.3g})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seeds", type=int, default=60)
    parser.add_argument("--perturbations", type=int, default=8)
    args = parser.parse_args()
    interior, on_bound = dependent_cases(args.seeds, args.perturbations)
    print(f"Exactly dependent pairs, {len(DEPENDENT)} circuits x {args.seeds} seeds x 2 points x "
          f"{args.perturbations} data (the first unperturbed, the rest moved by up to an ulp)")
    print(describe("  rcond(J^T J), both of the pair inside", [r for _, r, _, _ in interior]))
    zeros = sum(1 for _, r, _, _ in interior if r == 0.0)
    print(f"    of which withheld outright (singular, or an inverse diagonal <= 0): {zeros}")
    print(describe("  svd ratio^2, both of the pair inside", [s for _, _, s, _ in interior]))
    for notation, *_ in DEPENDENT:
        print(describe(f"    {notation}", [r for c, r, _, _ in interior if c == notation]))
    print(describe("  rcond(J^T J), one of the pair within 100 x its lower bound", [r for _, r, _, _ in on_bound]))
    print(describe("  svd ratio^2, one of the pair within 100 x its lower bound", [s for _, _, s, _ in on_bound]))
    every = interior + on_bound
    print(describe("  rcond / threshold at the point, every dependent case", [r / t for _, r, _, t in every]))
    print(describe("  svd ratio^2 / threshold at the point, every dependent case", [s / t for _, _, s, t in every]))
    rows = real_fits(max(4, args.seeds // 6))
    print(f"Real fits (converged, no dependent parameters): {len(rows)}")
    print(describe("  rcond(J^T J), all", [r for _, r, _, _, _ in rows]))
    print(describe("  rcond(J^T J), every relative standard error < 1", [r for _, r, _, d, _ in rows if d]))
    print(describe("  rcond / threshold at the point, every relative standard error < 1",
                   [q for _, _, _, d, q in rows if d]))
    print(describe("  svd ratio^2, all", [s for _, _, s, _, _ in rows]))
    lowest = sorted(rows, key=lambda row: row[1])[:8]
    print("  lowest rcond(J^T J):")
    for label, r, s, d, q in lowest:
        print(f"    {r:.3g}  svd^2 {s:.3g}  over threshold {q:.3g}  determined={d}  {label}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
