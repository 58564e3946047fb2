# `corvex discover` and `corvex fit --method` against the Python calls they stand for, and the
# combinations of options the global methods refuse.
import pathlib
import subprocess
import sys

import numpy as np
import pytest

import corvex
import corvex.analysis
import corvex.batch
import corvex.io
from corvex import points

SCRIPT = pathlib.Path(sys.executable).parent / "corvex"
COMMAND = [str(SCRIPT)] if SCRIPT.exists() else [sys.executable, "-m", "corvex.cli"]
TRUTH = corvex.Circuit("R0-p(R1,C1)").with_values([0.5, 2.0, 1e-3])


def corvex_cli(*arguments, cwd):
    return subprocess.run([*COMMAND, *map(str, arguments)], capture_output=True, cwd=cwd, timeout=600)


@pytest.fixture
def spectrum_file(tmp_path):
    frame = points.simulate(TRUTH, np.geomspace(1e4, 0.01, 41), noise=0.002, seed=3)
    frame.drop(columns=["kept", "excluded_by"]).to_csv(tmp_path / "cell.csv", index=False)
    return tmp_path / "cell.csv"


def test_discover_finds_the_simulated_circuit(spectrum_file):
    run = corvex_cli("discover", spectrum_file.name, "--max-parameters", "4", "--top", "2", "--fmin", "0.02",
                     "-j", "1", "-o", "found.csv", cwd=spectrum_file.parent)
    assert run.returncode == 0, run.stderr
    table = corvex.io.read_table(spectrum_file.parent / "found.csv")
    chosen = points.window(corvex.io.read(spectrum_file), fmin=0.02)
    expected = corvex.analysis.discover(chosen, max_parameters=4, top=2, n_jobs=1)
    assert list(table["circuit"]) == list(expected["circuit"])
    assert table["circuit"][0] == "R0-p(R1,C1)"
    np.testing.assert_allclose(table["bic"], expected["bic"], rtol=1e-9)


def test_fit_with_a_global_method_matches_the_batch_fit(spectrum_file):
    run = corvex_cli("fit", spectrum_file.name, "--circuit", "R0-p(R1,C1)", "--method", "nelder_mead",
                     "--seed", "4", "-j", "1", "-o", "fits.csv", cwd=spectrum_file.parent)
    assert run.returncode == 0, run.stderr
    table = corvex.io.read_table(spectrum_file.parent / "fits.csv")
    expected = corvex.batch.fit(corvex.Circuit("R0-p(R1,C1)"), [corvex.io.read(spectrum_file)],
                                method="nelder_mead", seed=4, n_jobs=1)
    for name in ["chi_square", *TRUTH.param_names()]:
        np.testing.assert_allclose(table[name].to_numpy(float), expected[name].to_numpy(float), rtol=1e-9)
    assert (table["start"] == expected["start"]).all()


@pytest.mark.parametrize("options", [["--hold", "R0.r=0.5"], ["--weight", "proportional"], ["--method", "newton"]])
def test_global_methods_refuse_what_they_cannot_honour(spectrum_file, options):
    method = [] if "--method" in options else ["--method", "basin_hopping"]
    run = corvex_cli("fit", spectrum_file.name, "--circuit", "R0-p(R1,C1)", *method, *options,
                     cwd=spectrum_file.parent)
    assert run.returncode == 2, run.stderr
    assert "--method" in run.stderr.decode()
