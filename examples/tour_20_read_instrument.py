"""Reading an instrument's own file
================================

An EC-Lab .mpt becomes a data frame with the battery data
format's column names, which Circuit.fit() takes as it is."""

import pathlib

import numpy as np

import corvex
import corvex.io

DATA = pathlib.Path(__file__).resolve().parent / "data"


def main() -> None:
    frame = corvex.io.read(DATA / "exampleDataBioLogic.mpt")
    header = frame.attrs["header"]
    print(f"Read {len(frame)} points written by {frame.attrs['format']} ({header.get('Device', '?')}), "
          f"acquired {header.get('Acquisition started on', '?')}")
    print(frame.head(4).to_string(index=False))
    print()

    # -Im(Z) in the file is now the imaginary part, negative where the cell is capacitive, and
    # <I>/mA is in amperes.
    result = corvex.Circuit("R0-(R1,CPE1)").fit(frame)
    print(result)
    measured = frame["Real Impedance / ohm"].to_numpy() + 1j * frame["Imaginary Impedance / ohm"].to_numpy()
    fitted = result.circuit.impedance(frame)
    print(f"{'f / Hz':>12} {'measured Z / ohm':>26} {'fitted Z / ohm':>26}")
    for i in np.linspace(0, len(frame) - 1, 6).astype(int):
        print(f"{frame['Frequency / Hz'][i]:12.4g} {measured[i]:26.4f} {fitted[i]:26.4f}")


if __name__ == "__main__":
    main()
