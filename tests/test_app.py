# corvex.app without a browser: uploads (size and point limits, malformed data, our own file
# names), the session document's round trip and refusals, cancelling a batch, and which
# requests and options the server refuses.
"""Tests of the app's server-side pieces."""

from __future__ import annotations

import base64
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

import numpy as np
import pytest

pytest.importorskip("dash")

import corvex  # noqa: E402
import hostile_files  # noqa: E402
from corvex.app import session  # noqa: E402
from corvex.app.jobs import BatchJob, run_fit  # noqa: E402
from corvex.app.server import create_app  # noqa: E402
from corvex.app.uploads import UploadError, decode, read_upload, remove_stale_folders  # noqa: E402
from corvex.app.workspace import Controls, Workspace  # noqa: E402

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


def test_cancelled_batch_stops_and_keeps_no_results():
    spectra = read_upload((DATA / "coin-cell-cycling.csv").read_bytes(), "cells.csv")
    kept = []
    job = BatchJob(corvex.Circuit("R0-p(R1,CPE1)"), spectra, list(range(len(spectra))), fixed={}, bounds={},
                   on_done=kept.append)
    job.cancel()
    job.wait(60)
    assert job.state()["error"] == "cancelled" and job.state()["finished"] and not kept


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
