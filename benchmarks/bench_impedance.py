"""impedance() against a vectorised NumPy implementation of the same formulas, for two
circuits and four spectrum sizes, measured in the same run."""

import numpy as np

import corvex
from numpy_models import r_rq_wo, sei_randles
from timing import format_time, machine_description, per_call_seconds

CASES = [
    ("R0-(R1,CPE1)-Wo1", r_rq_wo, [10.0, 50.0, 2e-5, 0.85, 20.0, 3.0]),
    ("R0-(R1,CPE1)-(R2-W2,CPE2)", sei_randles, [5.0, 30.0, 1e-5, 0.9, 80.0, 15.0, 1e-3, 0.75]),
]
SIZES = [10, 100, 1_000, 100_000]


def main():
    print(f"impedance(): corvex vs NumPy  [{machine_description()}]")
    print(f"{'circuit':28} {'points':>8} {'corvex':>12} {'numpy':>12} {'numpy/corvex':>13}")
    for notation, model, values in CASES:
        circuit = corvex.Circuit(notation).with_values(values)
        for n in SIZES:
            f = np.logspace(-2, 5, n)
            ours = circuit.impedance(f)
            reference = model(values, f)
            relative = np.max(np.abs(ours - reference) / np.abs(reference))
            assert relative < 1e-12, f"{notation} disagrees with NumPy by {relative:.2e}"
            t_ours = per_call_seconds(lambda: circuit.impedance(f))
            t_numpy = per_call_seconds(lambda: model(values, f))
            print(f"{notation:28} {n:8d} {format_time(t_ours):>12} {format_time(t_numpy):>12} "
                  f"{t_numpy / t_ours:12.1f}x")


if __name__ == "__main__":
    main()
