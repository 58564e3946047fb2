# corvex.app without a browser: uploads (size and point limits, malformed data, our own file
# names), the session document's round trip and refusals, jobs that cancel inside a fit and never
# land on a restored page, workspaces' life cycle, flags in tables and trends, keyed exports, and
# which requests and options the server refuses.
"""Tests of the app's server-side pieces."""

from __future__ import annotations

import base64
import json
import os
import random
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

import numpy as np
import pytest

pytest.importorskip("dash")

import corvex  # noqa: E402
import corvex.io  # noqa: E402
import hostile_files  # noqa: E402
from corvex.app import session  # noqa: E402
from corvex.app import figures  # noqa: E402
from corvex.app.callbacks.data import is_session_file, remove_file  # noqa: E402
from corvex.app.callbacks.export import keyed_results  # noqa: E402
from corvex.app.callbacks.fit import parameter_rows  # noqa: E402
from corvex.app.callbacks.session import replace_contents  # noqa: E402
from corvex.app.jobs import by_file, fit_job, run_fit  # noqa: E402
from corvex.app.server import create_app  # noqa: E402
from corvex.app.uploads import Spectrum, UploadError, decode, read_upload, remove_stale_folders  # noqa: E402
from corvex.app.workspace import Controls, Workspace, Workspaces  # noqa: E402

DATA = Path(__file__).resolve().parent.parent / "examples" / "data"


def as_upload(raw: bytes) -> str:
    return "data:application/octet-stream;base64," + base64.b64encode(raw).decode()


@pytest.mark.parametrize("contents, message", [
    (as_upload(b"x" * 2000), "larger than the upload limit of 1000 bytes"),
    ("data:text/plain;base64,@@@@", "not base64"),
    ("no comma here", "malformed"),
])
def test_uploads_over_the_limit_or_malformed_are_refused(contents, message):
    with pytest.raises(UploadError, match=message):
        decode(contents, "data.csv", limit=1000)


def test_upload_is_read_under_our_own_name_and_errors_name_the_file():
    raw = (DATA / "coin-cell-cycling.csv").read_bytes()
    spectra = read_upload(decode(as_upload(raw), "x"), "../../etc/cells.csv")
    assert len(spectra) > 1 and spectra[1].name == "../../etc/cells.csv #1" and spectra[1].cycle is not None
    with pytest.raises(UploadError, match=r"^\.\./evil\.csv") as caught:
        read_upload(b"freq,Zre,Zim\n1,2,x\n", "../evil.csv")
    assert "corvex-app-" not in str(caught.value)


@pytest.mark.parametrize("name, make, message", [
    ("data.csv", lambda path: path.write_bytes(b"freq,Zre,Zim\n" + b"".join(b"%d,1,-1\n" % (n + 1) for n in range(11))),
     "data.csv: the file holds 11 impedance points, more than the app's limit of 10 points"),
    ("data.ods", hostile_files.repeated_columns_ods, "data.ods, sheet 'data' fills cells past column 16,384"),
    ("long.csv", lambda path: hostile_files.long_csv(path, 10_020), "long.csv: the file has 10,021 lines, more than"),
    ("cells.xlsx", lambda path: hostile_files.xlsx(path, "".join(
        f'<row r="{row}"><c r="A{row}"><v>1</v></c><c r="B{row}"><v>1</v></c></row>' for row in range(1, 150))),
     "cells.xlsx holds more than 80 filled cells"),  # eight cells a point
    ("far.xlsx", hostile_files.far_cell_xlsx, "far.xlsx, sheet 'data' goes on past row 10,010, more rows than"),
])
def test_refused_uploads_name_the_limit_and_leave_no_file(tmp_path, monkeypatch, name, make, message):
    source = tmp_path / "source"
    make(source)
    folder = tmp_path / "temporary"
    folder.mkdir()
    monkeypatch.setattr(tempfile, "tempdir", str(folder))
    with pytest.raises(UploadError) as caught:
        read_upload(source.read_bytes(), name, point_limit=10)
    assert str(caught.value).startswith(message)
    assert list(folder.iterdir()) == []


def test_folders_of_servers_that_ended_are_removed(tmp_path, monkeypatch):
    monkeypatch.setattr(tempfile, "tempdir", str(tmp_path))
    ended = subprocess.run([sys.executable, "-c", "import os; print(os.getpid())"], capture_output=True, text=True)
    stale, live, other = (tmp_path / f"corvex-app-{ended.stdout.strip()}-x", tmp_path / f"corvex-app-{os.getpid()}-y",
                          tmp_path / "corvex-app-notes")
    for folder in (stale, live, other):
        folder.mkdir()
        (folder / "upload.csv").write_text("x")
    remove_stale_folders()
    assert not stale.exists() and live.exists() and other.exists()


@pytest.fixture(scope="module")
def fitted_workspace():
    spectra = read_upload((DATA / "coin-cell-cycling.csv").read_bytes(), "cells.csv")[:3]
    circuit = corvex.Circuit("R0-p(R1,CPE1)")
    controls = Controls({"R0.r": 0.15}, {"CPE1.alpha": (0.5, None)})
    table = run_fit(circuit, spectra, [0, 1, 2], fixed=controls.fixed, bounds=controls.bounds)
    spectra[0].kk_passed, spectra[0].warnings = True, ["cells.csv: cut short"]
    return Workspace(spectra=spectra, circuit="R0-p(R1,CPE1)", controls=controls, selected=[2, 0], results=table,
                     results_circuit="R0-p(R1,CPE1)", load_errors=[{"file": "bad.txt", "message": "no"}])


def test_session_round_trip_restores_everything(fitted_workspace):
    restored = session.from_json(session.to_json(fitted_workspace))
    for attribute in ("circuit", "controls", "selected", "load_errors", "results_circuit"):
        assert getattr(restored, attribute) == getattr(fitted_workspace, attribute)
    for before, after in zip(fitted_workspace.spectra, restored.spectra, strict=True):
        np.testing.assert_array_equal(after.impedances, before.impedances)
        assert (after.name, after.cycle, after.kk_passed, after.warnings) == \
            (before.name, before.cycle, before.kk_passed, before.warnings)
    original = fitted_workspace.results
    assert list(restored.results.columns) == list(original.columns)
    for column in original.columns.drop("result"):
        assert restored.results[column].tolist() == pytest.approx(original[column].tolist(), nan_ok=True) \
            if original[column].dtype.kind == "f" else restored.results[column].tolist() == original[column].tolist()
    assert [fit.params for fit in restored.results["result"]] == [fit.params for fit in original["result"]]


@pytest.mark.parametrize("change, message", [
    (lambda d: d.update(kind="corvex.Circuit"), "not a session file"),
    (lambda d: d.update(version=99), "version"),
    (lambda d: d["spectra"][0].update(real=[1.0]), "differ in length"),
    (lambda d: d["spectra"][0].update(frequencies="__import__('os')"), "list of numbers"),
    (lambda d: d.update(selected=[7]), "spectrum indices"),
    (lambda d: d["results"]["R0.r"].update(type="pickle"), "unknown column type"),
    (lambda d: d["controls"]["bounds"].update({"R1.r": [1]}), "pair"),
    (lambda d: d.update(version=True), "version True"),
    (lambda d: d.update(circuit=json.loads("[" * 40 + "]" * 40)), "nests more than 16 levels"),
    (lambda d: d["results"]["result"]["values"].__setitem__(0, 5), r"results\['result'\]\[0\] must be a fit result"),
    (lambda d: d["results"]["result"]["values"].__setitem__(0, {"kind": "corvex.FitResult"}), r"\['result'\]\[0\]: "),
    (lambda d: d["results"].pop("error"), "lacks the column 'error'"),
    (lambda d: d["results"].pop("R1.r"), "no number column 'R1.r'"),
    (lambda d: d["results"]["error"]["values"].append(None), "columns of \"results\" differ in length"),
    (lambda d: d["results"]["Spectrum"]["values"].__setitem__(0, 3), "must index the 3 spectra"),
    (lambda d: d["results"]["Spectrum"]["values"].__setitem__(0, 1), "each at most once"),
    (lambda d: d["spectra"][0].update(frequencies=[], real=[], imaginary=[]), r"spectra\[0\] has no points"),
    (lambda d: d["spectra"][1]["frequencies"].__setitem__(2, "NaN"), "finite positive numbers"),
    (lambda d: d["spectra"][1]["frequencies"].__setitem__(2, -1.0), "finite positive numbers"),
    (lambda d: d["spectra"][1]["frequencies"].__setitem__(2, "Infinity"), "finite positive numbers"),
    (lambda d: d["spectra"][1]["real"].__setitem__(2, "-Infinity"), r"spectra\[1\]\.real must hold only finite"),
    (lambda d: d["spectra"][0].update(cycle="NaN"), "cycle must hold only finite"),
    (lambda d: d["load_errors"].append({"message": "no file"}), "\"file\" and \"message\""),
    (lambda d: d["controls"]["bounds"].update({"R1.r": [2.0, 1.0]}), "low side 2 above its high side 1"),
    (lambda d: d["controls"]["fixed"].update({"R1.r": "NaN"}), "finite"),
])
def test_malformed_session_documents_are_refused(fitted_workspace, change, message):
    document = json.loads(session.to_json(fitted_workspace))
    change(document)
    with pytest.raises(ValueError, match=message):
        session.from_json(json.dumps(document))


@pytest.mark.parametrize("text", ["[" * 100_000 + "]" * 100_000, '{"kind": "corvex.AppSession", "version": 1, '
                                  '"spectra": ' + "[" * 5_000 + "]" * 5_000 + "}"])
def test_session_nested_beyond_the_parser_is_refused(text):
    with pytest.raises(ValueError, match="not a session file"):
        session.from_json(text)



def synthetic(name, source, points, seed=0):
    """A noisy two-arc spectrum of `points` points."""
    frequencies = np.geomspace(1e5, 1e-2, points)
    truth = corvex.Circuit("R0-p(R1,CPE1)-p(R2,CPE2)").with_values([0.1, 0.5, 1e-3, 0.9, 1.0, 1e-1, 0.8])
    noise = np.random.default_rng(seed).normal(scale=1e-3, size=(2, points))
    return Spectrum(name=name, source=source, frequencies=frequencies,
                    impedances=truth.impedance(frequencies) * (1 + noise[0] + 1j * noise[1]))


def test_a_stop_requested_for_a_thread_ends_its_native_fit():
    spectrum = synthetic("long", "long.csv", 200_000)
    outcome = []

    def work():
        corvex._request_stop(threading.get_ident())
        try:
            run_fit(corvex.Circuit("R0-p(R1,CPE1)-p(R2,CPE2)"), [spectrum], [0], fixed={}, bounds={})
            outcome.append("finished")
        except KeyboardInterrupt:
            outcome.append("stopped")
        finally:
            corvex._withdraw_stop(threading.get_ident())

    thread = threading.Thread(target=work)
    thread.start()
    thread.join(120)
    assert outcome == ["stopped"]


def test_cancel_reaches_inside_a_long_fit_and_keeps_nothing_unfinished():
    workspace = Workspace(spectra=[synthetic("long", "long.csv", 200_000)], circuit="R0-p(R1,CPE1)-p(R2,CPE2)")
    job = fit_job(workspace, corvex.Circuit(workspace.circuit), workspace.circuit, [0])
    while job.state()["fraction"] == 0 and not job.finished and job._thread.ident is None:
        time.sleep(0.01)
    job.cancel()
    job.wait(120)
    assert job.state()["error"] == "cancelled" and job.finished and workspace.results is None


def test_fits_of_finished_files_survive_a_cancel():
    spectra = [synthetic(f"short {i}", "short.csv", 40, seed=i) for i in range(2)] + \
        [synthetic("long", "long.csv", 200_000)]
    workspace = Workspace(spectra=spectra, circuit="R0-p(R1,CPE1)-p(R2,CPE2)")
    job = fit_job(workspace, corvex.Circuit(workspace.circuit), workspace.circuit, [0, 1, 2])
    while job.state()["kept"] == 0 and not job.finished:
        time.sleep(0.01)
    job.cancel()
    job.wait(120)
    assert job.state()["error"] == "cancelled"
    assert workspace.results["Spectrum"].tolist() == [0, 1]


def test_a_restore_racing_a_finishing_job_never_shows_the_old_fits():
    old = [synthetic(f"old {i}", "old.csv", 30, seed=i) for i in range(3)]
    new = [synthetic("new", "new.csv", 30, seed=9)]
    circuit = corvex.Circuit("R0-p(R1,CPE1)")
    chance = random.Random(4)
    wrong = 0
    for _ in range(200):
        workspace = Workspace(spectra=list(old), circuit="R0-p(R1,CPE1)")
        job = fit_job(workspace, circuit, workspace.circuit, [0, 1, 2])
        time.sleep(chance.uniform(0.0, 0.03))
        replace_contents(workspace, Workspace(spectra=list(new), circuit="R0-p(R1,CPE1)"))
        job.wait(60)
        wrong += workspace.results is not None or workspace.spectra != new
    assert wrong == 0, f"{wrong} of 200 restores showed the old fits"


def test_workspaces_come_only_from_issued_ids_and_end_when_idle():
    now = [0.0]
    workspaces = Workspaces(idle_timeout=60.0, clock=lambda: now[0])
    issued, spare = workspaces.new_id(), workspaces.new_id()
    for made_up in ("a" * 22, issued[:-1] + "x", None, 12345678):
        with pytest.raises(ValueError, match="reload the page"):
            workspaces.get(made_up)
    assert len(workspaces) == 2
    workspace = workspaces.get(issued)
    assert workspaces.get(issued) is workspace
    workspaces.forget_unused(spare)
    workspaces.forget_unused(issued)  # in use: kept
    assert len(workspaces) == 1

    class Running:
        cancelled = False

        def cancel(self):
            self.cancelled = True

    workspace.job = Running()
    now[0] = 30.0
    workspaces.get(issued)  # a page that speaks stays alive
    now[0] = 89.0
    assert workspaces.known(issued)
    now[0] = 91.0
    assert not workspaces.known(issued) and workspace.job.cancelled and len(workspaces) == 0


def test_runaway_values_are_marked_without_interval_and_holds_outside_the_range_are_not_held():
    import pandas as pd

    circuit = corvex.Circuit("R0-p(R1,CPE1)")
    row = pd.Series({"R0.r": -5.0, "R0.r_ci_low": -6.0, "R0.r_ci_high": -4.0, "R0.r_identifiable": True,
                     "R1.r": 1.2e16, "R1.r_ci_low": 1.0, "R1.r_ci_high": 2e16, "R1.r_identifiable": True,
                     "CPE1.q": 1e-3, "CPE1.q_ci_low": 9e-4, "CPE1.q_ci_high": 1.1e-3, "CPE1.q_identifiable": True,
                     "CPE1.alpha": 0.9, "CPE1.alpha_ci_low": 0.8, "CPE1.alpha_ci_high": 1.0,
                     "CPE1.alpha_identifiable": False, "runaway": ["R1.r"]})
    shown = {item["parameter"]: item for item in parameter_rows(row, circuit, {"R0.r": -5.0, "CPE1.q": 1e-3})}
    assert (shown["R1.r"]["identifiable"], shown["R1.r"]["ci_low"], shown["R1.r"]["ci_high"]) == ("RUNAWAY", "", "")
    assert shown["R0.r"]["identifiable"] == "yes"  # -5 ohm lies outside R's range: not "held"
    assert shown["CPE1.q"]["identifiable"] == "held"
    assert shown["CPE1.alpha"]["identifiable"] == "NO" and shown["CPE1.alpha"]["ci_low"] == 0.8


def test_trend_draws_runaway_values_hollow_and_scales_from_the_sound_ones():
    x = np.arange(5.0)
    values = np.array([1.8, 1.9, 1.22e16, 2.0, 1.9])
    flagged = values > 100
    figure = figures.trend([("a.csv", x, "cycle", values, flagged, values - 0.1, values + 0.1)], "R2.r", "ohm")
    sound, hollow = figure.data
    assert np.isnan(sound.y[2]) and list(hollow.y) == [1.22e16]
    assert hollow.marker.color == "rgba(0,0,0,0)"
    low, high = figure.layout.yaxis.range
    assert low < 1.7 and 2.1 < high < 3


@pytest.mark.parametrize("count", [10, 3000, 3001, 350_000])
def test_plots_thin_large_spectra_to_a_few_thousand_points(count):
    drawn = np.arange(count)[figures.thinned(count)]
    assert len(drawn) == min(count, figures.MAX_DRAWN_POINTS) and drawn[0] == 0 and drawn[-1] == count - 1


def test_series_are_fitted_per_file_and_exports_name_file_spectrum_and_cycle(tmp_path):
    from corvex.app.callbacks.export import table_bytes

    cells = read_upload((DATA / "coin-cell-cycling.csv").read_bytes(), "cells.csv")[:2]
    other = [synthetic("other", "other.csv", 40)]
    spectra = [cells[0], other[0], cells[1]]
    assert by_file(spectra, [2, 1, 0]) == [[0, 2], [1]]
    workspace = Workspace(spectra=spectra, circuit="R0-p(R1,CPE1)")
    job = fit_job(workspace, corvex.Circuit(workspace.circuit), workspace.circuit, [0, 1, 2])
    job.wait(120)
    assert job.state()["error"] is None and workspace.results["Spectrum"].tolist() == [0, 1, 2]
    path = tmp_path / "results.csv"
    path.write_bytes(table_bytes(keyed_results(workspace), "csv"))
    table = corvex.io.read_table(path)
    assert table["file"].tolist() == ["cells.csv", "other.csv", "cells.csv"]
    assert table["spectrum_name"].tolist() == [spectrum.name for spectrum in spectra]
    assert table["cycle"].iloc[0] == cells[0].cycle and np.isnan(table["cycle"].iloc[1])
    remove_file(workspace, "cells.csv")
    assert [spectrum.name for spectrum in workspace.spectra] == ["other"]
    assert workspace.results["Spectrum"].tolist() == [0]
    assert workspace.results["result"].iloc[0].params == job_fit_of(other[0])


def job_fit_of(spectrum):
    return run_fit(corvex.Circuit("R0-p(R1,CPE1)"), [spectrum], [0], fixed={}, bounds={})["result"].iloc[0].params


def test_a_session_file_is_told_apart_from_data(fitted_workspace):
    document = session.to_json(fitted_workspace).encode()
    assert is_session_file(document, "saved.json")
    assert not is_session_file(b'{"kind": "corvex.Circuit"}', "circuit.json")
    assert not is_session_file(document, "saved.csv")


@pytest.mark.parametrize("row, fixed, bounds", [
    ({"parameter": "R0.r", "hold": None, "low": None, "high": None}, {}, {}),
    ({"parameter": "R0.r", "hold": 0, "low": "", "high": None}, {"R0.r": 0.0}, {}),
    ({"parameter": "R0.r", "hold": float("nan"), "low": 0.1, "high": None}, {}, {"R0.r": (0.1, None)}),
    ({"parameter": "R0.r", "hold": True, "low": None, "high": 2}, {}, {"R0.r": (None, 2.0)}),
])
def test_parameter_table_cells_become_controls(row, fixed, bounds):
    from corvex.app.callbacks.model import controls_from_rows

    controls = controls_from_rows([row])
    assert (controls.fixed, controls.bounds) == (fixed, bounds)


@pytest.mark.parametrize("options, message", [
    (["--port", "0"], "--port must be between 1 and 65535, not 0"),
    (["--host", ""], "--host needs an interface: 127.0.0.1 for this computer only"),
    (["--upload-limit", "-1"], "--upload-limit must be positive"),
])
def test_corvex_app_refuses_options_in_one_line(capsys, options, message):
    from corvex.cli import main

    assert main(["app", "--no-browser", *options]) == 2
    error = capsys.readouterr().err
    assert error.startswith(f"corvex app: error: {message}") and len(error.splitlines()) == 1


@pytest.mark.parametrize("bound, host, origin, page, callback", [
    ("127.0.0.1", "127.0.0.1:8050", None, True, True),
    ("127.0.0.1", "localhost:8050", "http://localhost:8050", True, True),
    ("127.0.0.1", "[::1]:8050", None, True, True),
    ("127.0.0.2", "127.0.0.2:8050", None, True, True),
    ("127.0.0.1", "rebound.example:8050", None, False, False),  # DNS rebinding: the attacker's name, our address
    ("127.0.0.1", "127.0.0.1:8050", "http://rebound.example", True, False),  # another site's page posting to us
    ("127.0.0.1", "127.0.0.1:8050", "null", True, False),
    ("192.0.2.7", "192.0.2.7:8050", "http://192.0.2.7:8050", True, True),
    ("192.0.2.7", "rebound.example", None, False, False),
    ("0.0.0.0", "anything.example", None, True, True),  # every interface: the warning at start says so
])
def test_requests_are_answered_only_when_addressed_to_the_bound_interface(bound, host, origin, page, callback):
    client = create_app(host=bound).server.test_client()
    headers = {"Host": host, **({"Origin": origin} if origin else {})}
    assert (client.get("/", headers=headers).status_code == 200) == page
    assert (client.post("/_dash-update-component", json={}, headers=headers).status_code != 403) == callback


@pytest.mark.parametrize("target, component", [("session-message.children", "session-message"),
                                               ("..revision.data...spectra-table.selected_rows..", "load-errors")])
def test_a_request_beyond_what_the_server_reads_gets_the_message_in_the_page(target, component):
    client = create_app(upload_limit=1000).server.test_client()
    body = json.dumps({"output": target, "inputs": [{"value": "x" * (2 * 2 ** 20)}]})
    answer = client.post("/_dash-update-component", data=body, content_type="application/json")
    shown = answer.get_json()["response"][component]["children"]
    assert answer.status_code == 200 and "larger than the server reads" in str(shown)
    assert client.get("/").status_code == 200


@pytest.mark.parametrize("row, reason", [
    ({"flagged": False, "at_bounds": (), "not_identifiable": (), "success": True}, ""),
    ({"flagged": True, "at_bounds": ("R1.r",), "not_identifiable": (), "success": True}, "R1.r at a bound"),
    ({"flagged": True, "at_bounds": (), "not_identifiable": ("CPE1.q", "R2.r"), "success": True},
     "CPE1.q, R2.r not identifiable"),
    ({"flagged": True, "at_bounds": (), "not_identifiable": (), "success": False}, "the fit did not converge"),
])
def test_suggest_says_why_a_ranked_fit_is_flagged(row, reason):
    from corvex.app.callbacks.model import flag_reason

    assert flag_reason(row) == reason


def test_kramers_kronig_and_drt_tables_export_the_selected_spectrum():
    from corvex.app.callbacks.export import drt_table, kramers_kronig_table

    spectrum = synthetic("arc", "arc.csv", 60)
    test = kramers_kronig_table(spectrum)
    assert len(test) == 60 and test["passed"].all()
    np.testing.assert_array_equal(test["frequency_hz"], spectrum.frequencies)
    distribution = drt_table(spectrum)
    peaks = distribution[distribution["kind"] == "peak"]
    assert len(peaks) == 2 and (distribution["file"] == "arc.csv").all()
