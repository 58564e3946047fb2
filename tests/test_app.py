# corvex.app without a browser: uploads (size limit, malformed data, our own file names),
# the session document's round trip and refusals, and cancelling a batch.
"""Tests of the app's server-side pieces."""

from __future__ import annotations

import base64
import json
from pathlib import Path

import numpy as np
import pytest

pytest.importorskip("dash")

import corvex  # noqa: E402
from corvex.app import session  # noqa: E402
from corvex.app.jobs import BatchJob, run_fit  # noqa: E402
from corvex.app.uploads import UploadError, decode, read_upload  # noqa: E402
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
])
def test_malformed_session_documents_are_refused(fitted_workspace, change, message):
    document = json.loads(session.to_json(fitted_workspace))
    change(document)
    with pytest.raises(ValueError, match=message):
        session.from_json(json.dumps(document))


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


def test_corvex_app_hands_its_options_to_the_app(capsys):
    from corvex.cli import main

    with pytest.raises(SystemExit):
        main(["app", "--no-browser", "--port", "0"])
    assert "--port must be between 1 and 65535, not 0" in capsys.readouterr().err
