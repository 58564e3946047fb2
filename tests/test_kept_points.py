# Every consumer fits, tests and draws only the kept points of a frame, the command line chooses
# them as the Python calls do, and the choice survives a CSV round trip.
import pathlib
import subprocess
import sys

import numpy as np
import pandas as pd
import pytest

import corvex
import corvex.analysis
import corvex.batch
import corvex.fitting
import corvex.io
from corvex import points

DATA = pathlib.Path(__file__).resolve().parent.parent / "examples" / "data"
SCRIPT = pathlib.Path(sys.executable).parent / "corvex"
COMMAND = [str(SCRIPT)] if SCRIPT.exists() else [sys.executable, "-m", "corvex.cli"]
F = np.geomspace(1e4, 0.01, 41)
CIRCUIT = corvex.Circuit("R0-p(R1,CPE1)").with_values([0.5, 2.0, 1e-3, 0.85])


def marked_series():
    """Two noisy spectra with a wild point and an inductive tail each, marked by the steps."""
    parts = []
    for cycle in range(2):
        part = points.simulate(CIRCUIT, F, noise=0.003, seed=cycle).assign(cycle=cycle)
        part.loc[0:1, "Imaginary Impedance / ohm"] = 0.05
        part.loc[30, "Real Impedance / ohm"] *= 3
        parts.append(part.drop(columns=["kept", "excluded_by"]))
    frame = pd.concat(parts, ignore_index=True)
    return points.exclude(points.drop_inductive(frame, by="cycle"), indices=[30], by="cycle")


def kept_part(frame, cycle):
    part = frame.loc[(frame["cycle"] == cycle) & frame["kept"]]
    return part["Frequency / Hz"].to_numpy(), (part["Real Impedance / ohm"] + 1j * part["Imaginary Impedance / ohm"]).to_numpy()


def test_fits_use_only_the_kept_points():
    frame = marked_series()
    one = frame.loc[frame["cycle"] == 0].drop(columns="cycle")
    circuit = corvex.Circuit("R0-p(R1,CPE1)")
    expected = corvex.fitting.fit(circuit, *kept_part(frame, 0))
    np.testing.assert_allclose(corvex.fitting.fit(circuit, one).values, expected.values, rtol=1e-9)
    np.testing.assert_allclose(expected.values, CIRCUIT.param_values(), rtol=0.05)
    table = corvex.batch.fit(circuit, frame, by="cycle", n_jobs=1)
    alone = corvex.batch.fit(circuit, [kept_part(frame, 0), kept_part(frame, 1)], n_jobs=1)
    for name in circuit.param_names():
        np.testing.assert_allclose(table[name], alone[name], rtol=1e-9)
    assert len(corvex._fit_spectrum(table["result"][0])[0]) == F.size - 3  # the points the fit used


def test_a_spectrum_with_no_point_kept_keeps_its_row():
    frame = marked_series()
    frame.loc[frame["cycle"] == 1, "kept"] = False
    table = corvex.batch.fit(corvex.Circuit("R0-p(R1,CPE1)"), frame, by="cycle", n_jobs=1)
    assert list(table["cycle"]) == [0, 1]
    assert table["error"][0] is None and "no point is kept" in table["error"][1]
    tested = corvex.analysis.kramers_kronig(frame, by="cycle", n_jobs=1)
    assert tested["error"][0] is None and "no point is kept" in tested["error"][1]


@pytest.mark.parametrize("call", [lambda frame: corvex.fitting.fit(corvex.Circuit("R0-p(R1,CPE1)"), frame),
                                  corvex.analysis.kramers_kronig])
def test_a_lone_spectrum_with_no_point_kept_is_refused(call):
    frame = marked_series().assign(kept=False)
    with pytest.raises(ValueError, match="no point is kept"):
        call(frame.loc[frame["cycle"] == 0].drop(columns="cycle"))


@pytest.mark.parametrize("analysis, figure", [
    (corvex.analysis.kramers_kronig, lambda result: result.pseudo_chi_square),
    (corvex.analysis.drt, lambda result: result.lambda_),
])
def test_analyses_use_only_the_kept_points(analysis, figure):
    frame = marked_series()
    table = analysis(frame, by="cycle", n_jobs=1)
    for row, cycle in enumerate((0, 1)):
        assert figure(table["result"][row]) == pytest.approx(figure(analysis(*kept_part(frame, cycle))), rel=1e-9)


def test_the_choice_survives_a_csv_round_trip(tmp_path):
    frame = marked_series()
    frame.to_csv(tmp_path / "chosen.csv", index=False)
    again = pd.read_csv(tmp_path / "chosen.csv")
    assert again["kept"].tolist() == frame["kept"].tolist()
    circuit = corvex.Circuit("R0-p(R1,CPE1)")
    before = corvex.batch.fit(circuit, frame, by="cycle", n_jobs=1)
    after = corvex.batch.fit(circuit, again, by="cycle", n_jobs=1)
    np.testing.assert_allclose(after["R1.r"], before["R1.r"], rtol=1e-9)


def test_excluded_points_are_drawn_hollow():
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    import corvex.plot

    frame = marked_series()
    ax = corvex.plot.nyquist(frame.loc[frame["cycle"] == 0].drop(columns="cycle"))
    hollow = [line for line in ax.lines if line.get_markerfacecolor() == "none"]
    filled = [line for line in ax.lines if line.get_markerfacecolor() != "none"]
    assert [len(line.get_xdata()) for line in hollow] == [3]
    assert [len(line.get_xdata()) for line in filled] == [F.size - 3]
    matplotlib.pyplot.close("all")


def corvex_cli(*arguments, cwd=None):
    return subprocess.run([*COMMAND, *map(str, arguments)], capture_output=True, cwd=cwd, timeout=600)


def test_command_line_chooses_the_points_as_python_does(tmp_path):
    # The first four cycles of the coin cell, which has an inductive tail at high frequency.
    lines = (DATA / "coin-cell-cycling.csv").read_text().splitlines()
    (tmp_path / "cells.csv").write_text("\n".join(lines[:1 + 4 * 57]) + "\n")
    run = corvex_cli("fit", "cells.csv", "--circuit", "two_rq", "--by", "Cycle", "--fmin", "0.05",
                     "--drop-inductive", "-j", "1", "-o", "fits.csv", cwd=tmp_path)
    assert run.returncode == 0, run.stderr
    table = corvex.io.read_table(tmp_path / "fits.csv")
    frame = corvex.io.read(tmp_path / "cells.csv").assign(file="cells.csv")
    cycle = next(name for name in frame.columns if name.startswith("Cycle"))
    chosen = points.drop_inductive(points.window(frame, fmin=0.05), by=["file", cycle])
    assert 0 < (~chosen["kept"]).sum() < len(chosen)
    expected = corvex.batch.fit(corvex.Circuit("two_rq"), chosen, by=["file", cycle], n_jobs=1)
    for name in ["chi_square", *corvex.Circuit("two_rq").param_names()]:
        np.testing.assert_allclose(table[name].to_numpy(float), expected[name].to_numpy(float), rtol=1e-9)


@pytest.mark.parametrize("arguments, status, message", [
    (["--exclude", "0-2,5"], 0, ""),
    (["--exclude", "3-1"], 2, "ranges low-high"),
    (["--exclude", "0,9999"], 2, "--exclude"),
])
def test_exclude_option(tmp_path, arguments, status, message):
    points.simulate(CIRCUIT, F).drop(columns=["kept", "excluded_by"]).to_csv(tmp_path / "one.csv", index=False)
    run = corvex_cli("read", "one.csv", *arguments, "-o", "out.csv", cwd=tmp_path)
    assert run.returncode == status, run.stderr
    assert message in run.stderr.decode()
    if status == 0:
        table = pd.read_csv(tmp_path / "out.csv")
        assert np.flatnonzero(~table["kept"].to_numpy()).tolist() == [0, 1, 2, 5]


def test_a_chosen_table_written_by_read_is_fitted_on_its_kept_points(tmp_path):
    frame = points.simulate(CIRCUIT, F, noise=0.003, seed=5).drop(columns=["kept", "excluded_by"])
    frame.loc[0:2, "Imaginary Impedance / ohm"] = 0.05
    frame.to_csv(tmp_path / "cell.csv", index=False)
    assert corvex_cli("read", "cell.csv", "--drop-inductive", "-o", "chosen.csv", cwd=tmp_path).returncode == 0
    fits = []
    for arguments in (["chosen.csv"], ["cell.csv", "--drop-inductive"]):
        run = corvex_cli("fit", *arguments, "--circuit", "R0-p(R1,CPE1)", "-j", "1", "-o", "fits.csv", cwd=tmp_path)
        assert run.returncode == 0, run.stderr
        fits.append(corvex.io.read_table(tmp_path / "fits.csv"))
    np.testing.assert_allclose(fits[0]["R1.r"], fits[1]["R1.r"], rtol=1e-9)
    assert len(corvex._fit_spectrum(fits[0]["result"][0])[0]) == F.size - 3
