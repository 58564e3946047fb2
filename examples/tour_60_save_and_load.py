"""Saving and loading
==================

A fit result as a JSON document that reads back exactly, and a batch table
of the 130 coin-cell cycles written and read with the frame library's CSV and Parquet writers."""

import pathlib
import pickle
import tempfile

import pandas as pd

import corvex
import corvex.batch
from corvex import io

DATA = pathlib.Path(__file__).resolve().parent / "data"


def main() -> None:
    frame = io.read(DATA / "exampleDataBioLogic.mpt")
    result = corvex.Circuit("R0-(R1,CPE1)").fit(frame)
    with tempfile.TemporaryDirectory() as folder:
        saved = pathlib.Path(folder)
        io.save(result, saved / "fit.json")
        loaded = io.load(saved / "fit.json")
        print((saved / "fit.json").read_text()[:300].rstrip() + "\n ...")
        print(f"read back: {loaded!r}")
        print(f"identical to the fit, floats bit for bit: {pickle.dumps(loaded) == pickle.dumps(result)}")
        print()

        cycles = pd.read_csv(DATA / "coin-cell-cycling.csv")
        table = corvex.batch.fit(corvex.Circuit("two_rq"), cycles, by="Cycle")
        for name in ("cycles.parquet", "cycles.csv"):
            io.write_table(table, saved / name)
            back = io.read_table(saved / name)
            # Every column but the FitResults compared as it is, type included: the lists of
            # runaway names, the nullable counts and verdicts come back as they were.
            same = back.drop(columns="result").equals(table.drop(columns="result"))
            size = (saved / name).stat().st_size
            print(f"{name:15} {size:7d} bytes, {len(back)} rows, the same numbers: {same}, "
                  f"first result: {back['result'][0].params['R0.r']:.6g} ohm")


if __name__ == "__main__":
    main()
