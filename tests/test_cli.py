# The corvex console script run as a user runs it: its tables against corvex.batch.fit in this
# process, and the exit statuses that shell scripts gate on.
import pathlib
import subprocess
import sys

import numpy as np
import pandas as pd
import pytest

import corvex
import corvex.analysis
import corvex.batch
import corvex.io

DATA = pathlib.Path(__file__).resolve().parent / "data"
INSTRUMENTS = DATA / "instruments"
SCRIPT = pathlib.Path(sys.executable).parent / "corvex"
COMMAND = [str(SCRIPT)] if SCRIPT.exists() else [sys.executable, "-m", "corvex.cli"]


def corvex_cli(*arguments, stdin=None, cwd=None):
    return subprocess.run([*COMMAND, *map(str, arguments)], input=stdin, capture_output=True, cwd=cwd, timeout=600)


def assert_same_fits(cli_table, in_process, names):
    assert list(cli_table["success"]) == list(in_process["success"])
    for name in ["chi_square", *names, *(f"{name}_stderr" for name in names)]:
        np.testing.assert_allclose(cli_table[name].to_numpy(float), in_process[name].to_numpy(float), rtol=1e-9)


def test_fit_of_several_instrument_files_matches_the_batch_fit(tmp_path):
    files = [INSTRUMENTS / "exampleDataBioLogic.mpt", INSTRUMENTS / "exampleDataVersaStudio.par"]
    circuit = corvex.Circuit("R0-p(R1,CPE1)")
    run = corvex_cli("fit", *files, "--circuit", "R0-p(R1,CPE1)", "--bound", "CPE1.alpha=0.5:1",
                     "-o", tmp_path / "fits.parquet", "-j", "1")
    assert run.returncode == 0, run.stderr
    table = corvex.io.read_table(tmp_path / "fits.parquet")
    expected = corvex.batch.fit(circuit, [corvex.io.read(path) for path in files],
                                bounds={"CPE1.alpha": (0.5, 1.0)}, n_jobs=1)
    assert list(table["file"]) == [str(path) for path in files]
    assert_same_fits(table, expected, circuit.param_names())
    assert isinstance(table["result"][0], corvex.FitResult)


def test_series_on_stdin_is_fitted_by_its_column_with_reports(tmp_path):
    # The first cycles of the coin cell, piped in; the cycle column is named as the reader names it.
    lines = (DATA / "coin-cell-cycling.csv").read_text().splitlines()
    text = "\n".join(lines[:1 + 3 * 57]) + "\n"
    (tmp_path / "three.csv").write_text(text)
    frame = corvex.io.read(tmp_path / "three.csv")
    cycle = next(name for name in frame.columns if name.startswith("Cycle"))
    run = corvex_cli("fit", "-", "--circuit", "two_rq", "--by", cycle, "--report", "figs", "-o", "fits.csv",
                     stdin=text.encode(), cwd=tmp_path)
    assert run.returncode == 0, run.stderr
    circuit = corvex.Circuit("two_rq")
    expected = corvex.batch.fit(circuit, frame, by=cycle)
    table = corvex.io.read_table(tmp_path / "fits.csv")
    assert list(table[cycle]) == [0, 1, 2]
    assert_same_fits(table, expected, circuit.param_names())
    assert sorted(path.name for path in (tmp_path / "figs").iterdir()) == [
        "stdin_0.png", "stdin_1.png", "stdin_2.png", "trend.png"]


def drt_peaks(frame):
    result = corvex.analysis.drt(frame)
    return pd.DataFrame({"tau_s": result.peak_tau, "area_ohm": result.peak_area})


def best_two_circuits(frame):
    return corvex.analysis.rank_circuits(frame).head(2)[["circuit", "aicc"]]


@pytest.mark.parametrize("arguments, expected", [(["drt"], drt_peaks), (["rank", "--top", "2"], best_two_circuits)])
def test_analysis_tables_match_the_library(tmp_path, arguments, expected):
    path = DATA / "dummy-circuit-1.csv"
    run = corvex_cli(*arguments, path, "-o", tmp_path / "table.csv")
    assert run.returncode == 0, run.stderr
    wanted = expected(corvex.io.read(path))
    table = pd.read_csv(tmp_path / "table.csv")
    pd.testing.assert_frame_equal(table[list(wanted.columns)], wanted, check_dtype=False, rtol=1e-9)


def spectrum_file(path, conjugate):
    # R0 + R1 || C1 sampled over 6 decades; its conjugate is the response of an anti-causal
    # system, which no sum of RC elements can follow.
    f = np.logspace(-1, 5, 40)
    z = 10 + 100 / (1 + 2j * np.pi * f * 100 * 1e-5)
    z = np.conj(z) if conjugate else z
    rows = "\n".join(f"{a:.17g},{b.real:.17g},{b.imag:.17g}" for a, b in zip(f, z))
    path.write_text("Frequency / Hz,Real Impedance / ohm,Imaginary Impedance / ohm\n" + rows + "\n")
    return path


@pytest.mark.parametrize("arguments, status, message", [
    (["check", "consistent.csv", "--rc-count", "20"], 0, None),
    (["check", "consistent.csv", "conjugate.csv", "--rc-count", "20"], 1, "1 of 2 spectra fail"),
    (["check", "consistent.csv"], 0, None),
    (["check", "consistent.csv", "--method", "zhit", "--window", "1", "1e4"], 0, None),
    (["check", "consistent.csv", "--admittance", "--noise", "0.001"], 0, None),
    (["check", "consistent.csv", "--rc-count", "60"], 0, "more RC elements than frequencies"),
    (["check", "consistent.csv", "--rc-count", "-3"], 2, "positive whole number"),
    (["check", "consistent.csv", "--noise", "0"], 2, "positive number"),
    (["read", "missing.csv"], 1, "missing.csv"),
    (["read", "garbled.csv"], 1, "garbled.csv, line 3"),
    (["fit", "consistent.csv"], 2, "--circuit"),
    (["fit", "consistent.csv", "--circuit", "R0-p(R1,C1)", "--hold", "R9.r=1"], 2, "no parameter 'R9.r'"),
    (["fit", "consistent.csv", "--circuit", "R0-p(R1,C1)", "--by", "Nowhere"], 2, "Nowhere"),
    (["fit", "consistent.csv", "--circuit", "R0-p(R1,C1)", "-o", "fits.txt"], 2, ".csv or .parquet"),
    # An output that is an input would replace the measurements, by any name.
    (["fit", "consistent.csv", "-c", "randles", "-o", "consistent.csv"], 2, "is the input file"),
    (["read", "consistent.csv", "-o", "./consistent.csv"], 2, "is the input file"),
    (["read", "consistent.csv", "-o", "link.csv"], 2, "is the input file"),
    # Option values are refused as the line is read, before any file is.
    (["fit", "consistent.csv", "-c", "R0-p(R1,C1)", "--hold", "R0.r=nan"], 2, "finite value"),
    (["fit", "consistent.csv", "-c", "R0-p(R1,C1)", "--bound", "R0.r=5:1"], 2, "lower limit must be below"),
    (["drt", "consistent.csv", "--lambda", "-1"], 2, "positive number"),
    (["check", "consistent.csv", "--noise", "0"], 2, "positive number"),
    (["check", "consistent.csv", "--rc-count", "0"], 2, "positive whole number"),
    (["check", "consistent.csv", "--rc-count", "-3"], 2, "positive whole number"),
    (["read", "consistent.csv", "-o", "folder.csv"], 2, "'folder.csv' is a folder"),
    (["read", "consistent.csv", "-o", "/proc/fits.csv"], 2, "cannot write '/proc/fits.csv'"),
    # A file that is not text is named once.
    (["read", "photo.csv"], 1, "photo.csv, line 3: NUL bytes, so the text ends before this line; what precedes "
                               "it cannot be read: file format not recognised"),
])
def test_exit_status_and_one_line_message(tmp_path, arguments, status, message):
    spectrum_file(tmp_path / "consistent.csv", conjugate=False)
    spectrum_file(tmp_path / "conjugate.csv", conjugate=True)
    (tmp_path / "garbled.csv").write_text("Frequency / Hz,Real Impedance / ohm,Imaginary Impedance / ohm\n"
                                          "1000,1.0,-0.5\n100,abc,-0.7\n")
    (tmp_path / "link.csv").symlink_to(tmp_path / "consistent.csv")
    (tmp_path / "folder.csv").mkdir()
    (tmp_path / "photo.csv").write_bytes(b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR")
    before = (tmp_path / "consistent.csv").read_bytes()
    run = corvex_cli(*arguments, cwd=tmp_path)
    assert run.returncode == status, run.stderr
    errors = run.stderr.decode().splitlines()
    if message is None:
        assert errors == []
    else:
        assert len(errors) == 1 and message in errors[0]
    assert (tmp_path / "consistent.csv").read_bytes() == before


def test_a_folder_is_read_file_by_file_skipping_what_cannot_be_read(tmp_path):
    spectrum_file(tmp_path / "a.csv", conjugate=False)
    (tmp_path / "b.csv").write_text("Frequency / Hz,Real Impedance / ohm,Imaginary Impedance / ohm\n"
                                    "1000,1.0,-0.5\n100,abc,-0.7\n")
    (tmp_path / "notes.txt").write_text("cell 4, second cycle\n")
    spectrum_file(tmp_path / "c.csv", conjugate=True)
    run = corvex_cli("read", tmp_path, "-o", tmp_path / "all.csv")
    assert run.returncode == 0, run.stderr
    warnings = run.stderr.decode().splitlines()
    assert [line.split(": ")[2] for line in warnings] == ["skipped", "skipped"]
    assert "b.csv, line 3" in warnings[0] and "notes.txt" in warnings[1]
    table = pd.read_csv(tmp_path / "all.csv")
    assert list(table["file"].unique()) == [str(tmp_path / "a.csv"), str(tmp_path / "c.csv")]


@pytest.mark.parametrize("command", ["check", "drt", "rank"])
def test_by_names_a_column_as_the_file_wrote_it_in_every_command(command, tmp_path):
    # The reader renames "Cycle" to "Cycle Count / 1"; fit takes either name, and so must the others.
    lines = (DATA / "coin-cell-cycling.csv").read_text().splitlines()
    (tmp_path / "two.csv").write_text("\n".join(lines[:1 + 2 * 57]) + "\n")
    extra = ["--top", "1", "-c", "two_rq"] if command == "rank" else []
    run = corvex_cli(command, tmp_path / "two.csv", "--by", "Cycle", *extra, "-o", tmp_path / "out.csv", "-j", "1")
    assert run.returncode in (0, 1) and b"usage" not in run.stderr.lower(), run.stderr
    assert sorted(pd.read_csv(tmp_path / "out.csv")["Cycle"].unique()) == [0, 1]


def test_standard_input_is_refused_past_the_readers_limit(monkeypatch, capsys):
    import io as bytes_io

    import corvex.cli
    import corvex.io._source

    monkeypatch.setattr(corvex.io._source, "MAX_BYTES", 4096)
    stream = bytes_io.BytesIO(b"0" * 10_000)
    monkeypatch.setattr(sys, "stdin", type("Stdin", (), {"buffer": stream})())
    assert corvex.cli.main(["read", "-"]) == 1
    assert "<stdin>: more than 4096 bytes" in capsys.readouterr().err
    assert stream.tell() <= 4097  # read no further than the limit


def test_reports_keep_a_trend_named_input_and_titles_name_flagged_values(tmp_path):
    # One arc fitted with two: the second one's values are not fixed by the data.
    spectrum_file(tmp_path / "trend.csv", conjugate=False)
    spectrum_file(tmp_path / "cell.csv", conjugate=False)
    run = corvex_cli("fit", tmp_path / "trend.csv", tmp_path / "cell.csv", "-c", "R0-p(R1,C1)-p(R2,C2)",
                     "--report", tmp_path / "figs", "-j", "1", "-o", tmp_path / "fits.csv")
    assert run.returncode == 0, run.stderr
    assert sorted(path.name for path in (tmp_path / "figs").iterdir()) == ["cell.png", "trend-2.png", "trend.png"]
    summary = run.stderr.decode()
    assert "2 of 2 fits hold values the data do not fix" in summary
    assert all(corvex.io.read_table(tmp_path / "fits.csv")["flags"])


def test_a_failed_write_names_the_target_not_a_temporary_file(tmp_path):
    (tmp_path / "taken.csv").mkdir()
    with pytest.raises(OSError) as raised:
        corvex.io.write_table(pd.DataFrame({"a": [1.0]}), tmp_path / "taken.csv")
    assert str(tmp_path / "taken.csv") in str(raised.value) and ".tmp" not in str(raised.value)
