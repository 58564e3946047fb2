# Fit tables written to CSV or Parquet and read back keep every column's values and type: the
# lists of flagged names, the nullable counts and verdicts, an unfitted row's missing cells;
# and the pictures read the flags of a table that went through a file.
import json
import pathlib

import numpy as np
import pytest

pd = pytest.importorskip("pandas")
pl = pytest.importorskip("polars")
pytest.importorskip("pyarrow")

import corvex  # noqa: E402
import corvex.batch  # noqa: E402
from corvex import io  # noqa: E402

DATA = pathlib.Path(__file__).resolve().parents[1] / "examples" / "data"


@pytest.fixture(scope="module")
def cycles():
    """Four coin-cell cycles and one that cannot be fitted (a NaN impedance)."""
    frame = pd.read_csv(DATA / "coin-cell-cycling.csv")
    frame = frame[frame["Cycle"] < 4]
    broken = frame[frame["Cycle"] == 0].assign(Cycle=99)
    broken.iloc[0, broken.columns.get_loc("Real Impedance / ohm")] = np.nan
    return pd.concat([frame, broken], ignore_index=True)


@pytest.fixture(scope="module")
def pandas_table(cycles):
    table = corvex.batch.fit(corvex.Circuit("two_rq"), cycles, by="Cycle", n_jobs=1)
    # One row flagged as a rescue from a runaway fit would be: the writer must keep the names.
    assert table["result"].iloc[-1] is None and table["runaway"].iloc[-1] is None
    table["runaway"] = pd.Series([[], ["R2.r", "CPE2.q"], [], [], None], dtype=object)
    return table


@pytest.mark.parametrize("suffix", [".csv", ".parquet"])
def test_a_pandas_batch_table_reads_back_with_its_values_and_types(pandas_table, suffix, tmp_path):
    path = tmp_path / f"fits{suffix}"
    io.write_table(pandas_table, path)
    back = io.read_table(path)
    plain, read = pandas_table.drop(columns="result"), back.drop(columns="result")
    assert read.dtypes.to_dict() == plain.dtypes.to_dict()
    assert read.equals(plain)
    assert list(back["runaway"]) == [[], ["R2.r", "CPE2.q"], [], [], None]
    assert [repr(r) for r in back["result"]] == [repr(r) for r in pandas_table["result"]]


@pytest.mark.parametrize("suffix", [".csv", ".parquet"])
def test_a_polars_batch_table_reads_back_with_its_values_and_types(cycles, suffix, tmp_path):
    table = corvex.batch.fit(corvex.Circuit("two_rq"), pl.from_pandas(cycles), by="Cycle", n_jobs=1)
    path = tmp_path / f"fits{suffix}"
    io.write_table(table, path)
    back = io.read_table(path, library="polars")
    assert back.drop("result").schema == table.drop("result").schema
    assert back.drop("result").equals(table.drop("result"))


def test_name_lists_in_csv_are_json_arrays_any_reader_can_decode(pandas_table, tmp_path):
    path = tmp_path / "fits.csv"
    io.write_table(pandas_table, path)
    cells = pd.read_csv(path)["runaway"]
    assert json.loads(cells[1]) == ["R2.r", "CPE2.q"] and json.loads(cells[0]) == []
    assert pd.isna(cells.iloc[-1])  # a spectrum not fitted has no list at all


@pytest.mark.parametrize("suffix", [".csv", ".parquet"])
def test_ranking_tuples_read_back_as_tuples(suffix, tmp_path):
    table = pd.DataFrame({"rank": [1, 2], "circuit": ["R0-(R1,C1)", "R0"],
                          "at_bounds": [("R1.r",), ()], "not_identifiable": [(), ("R0.r", "R1.r")]})
    io.write_table(table, tmp_path / f"ranked{suffix}")
    back = io.read_table(tmp_path / f"ranked{suffix}")
    assert list(back["at_bounds"]) == [("R1.r",), ()]
    assert list(back["not_identifiable"]) == [(), ("R0.r", "R1.r")]


def test_pictures_read_the_flags_of_a_table_read_back_from_csv(pandas_table, tmp_path):
    pytest.importorskip("matplotlib")
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    from corvex import plot

    table = pandas_table.copy()
    table.loc[2, "R2.r"] = 1.3e16  # a runaway value that must not set the axis
    table["runaway"] = pd.Series([[], [], ["R2.r"], [], None], dtype=object)
    io.write_table(table, tmp_path / "fits.csv")
    back = io.read_table(tmp_path / "fits.csv")
    ax = plot.trend(back, "R2.r")
    assert ax.get_ylim()[1] < 1e3
    hollow = [line for line in ax.lines if line.get_markerfacecolor() == "none"]
    assert len(hollow) == 1 and list(hollow[0].get_ydata()) == [1.3e16]
    figure = plot.report(back)
    assert "runaway values in 1 of 5 fits (Cycle 2)" in figure.get_supxlabel()
    plt.close("all")
