"""A first look at corvex: circuits from notation and from elements, and their impedance."""

import numpy as np

import corvex


def main() -> None:
    parsed = corvex.Circuit("R0-(R1,CPE1)")
    print("From notation:")
    print(parsed)
    print()

    composed = corvex.Series([corvex.R(20.0), corvex.Parallel([corvex.R(100.0), corvex.Cpe(2e-5, 0.85)])])
    print("From elements:", [corvex.R(20.0), corvex.Cpe(2e-5, 0.85)])
    print(composed)
    print()

    frequencies = np.logspace(5, -1, 13)
    impedance = composed.impedance(frequencies)
    print(f"{'f / Hz':>12} {'Re Z / ohm':>14} {'-Im Z / ohm':>14}")
    for f, z in zip(frequencies, impedance):
        print(f"{f:12.4g} {z.real:14.6g} {-z.imag:14.6g}")


if __name__ == "__main__":
    main()
