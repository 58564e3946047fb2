# Circuits and fit results through JSON documents and batch tables through CSV and Parquet:
# exact round trips, strict JSON, and refusal of documents that would give a wrong object.
import json
import pickle

import numpy as np
import pandas as pd
import polars as pl
import pytest

import corvex
import corvex.io as io

FREQUENCIES = np.logspace(-1, 5, 30)


def same_state(a, b):
    return pickle.dumps(a, 4) == pickle.dumps(b, 4)


def circuits():
    labelled = corvex.Circuit("R0-p(R1,CPE1)-Wo2")
    return [
        labelled,
        labelled.with_values([1.5, float("nan"), -0.0, 0.3, float("inf"), 5e-300]),
        # An unlabelled element whose automatic name repeats a label.
        corvex.Series([labelled, corvex.R(-float("inf"))]),
        corvex.Parallel([corvex.Parallel([corvex.T(1, 2, 3, 4), corvex.Circuit("Zarc0")]), corvex.La(1e-6, 0.5)]),
    ]


def fit_results():
    truth = corvex.Circuit("R0-(R1,C1)").with_values([10.0, 100.0, 1e-5])
    good = corvex.Circuit("R0-(R1,C1)").fit(FREQUENCIES, truth.impedance(FREQUENCIES) * (1 + 0.01j))
    # Two points for three parameters: no standard errors.
    bare = corvex.Circuit("R0-(R1,C1)").fit(FREQUENCIES[:1], truth.impedance(FREQUENCIES[:1]), guess_init=False)
    return [good, bare]


def no_constants(name):
    raise AssertionError(f"non-standard JSON constant {name}")


@pytest.mark.parametrize("obj", circuits() + fit_results(), ids=repr)
def test_documents_round_trip_exactly(obj, tmp_path):
    text = io.to_json(obj)
    json.loads(text, parse_constant=no_constants)
    io.save(obj, tmp_path / "saved.json")
    for back in (io.from_dict(io.to_dict(obj)), io.from_json(text), io.load(tmp_path / "saved.json")):
        assert type(back) is type(obj) and repr(back) == repr(obj) and same_state(back, obj)


def test_circuit_without_notation_is_refused():
    with pytest.raises(ValueError, match="empty series or parallel group"):
        io.to_dict(corvex.Series([corvex.R(1), corvex.Parallel([])]))


@pytest.mark.parametrize("text, message", [("[" * 100_000, "nested too deeply"), ("{", "not a corvex JSON"),
                                           ("[1]", "must be a mapping")])
def test_malformed_json_is_refused(text, message):
    with pytest.raises((ValueError, TypeError), match=message):
        io.from_json(text)


def edited(document, **changes):
    document = dict(document)
    document.update(changes)
    return document


@pytest.mark.parametrize(
    "change, error, message",
    [
        ({"version": 2}, ValueError, "schema version 2, newer than"),
        ({"kind": "corvex.Spectrum"}, ValueError, "not a corvex document"),
        ({"values": [1.0, 2.0]}, ValueError, "expected 3 values, got 2"),
        ({"values": [1.0, True, 3.0]}, ValueError, "must be a list of numbers"),
        ({"values": [1.0, "nan", 3.0]}, ValueError, "must be a list of numbers"),
        ({"values": [1.0, 10**400, 3.0]}, ValueError, "too large for a float"),
        ({"values": [[1.0, 2.0], [3.0, 4.0], [5.0, 6.0]]}, ValueError, "must be a list of numbers"),
        ({"explicit_values": 1}, ValueError, '"explicit_values" has the wrong type'),
        ({"notation": "R0-(R1,C1"}, ValueError, "unexpected end of input"),
        ({"notation": "R0-(R0,C1)"}, ValueError, 'duplicate element label "R0"'),
        ({"unlabelled": [1]}, ValueError, 'written "R1" but would be named "R0"'),
        ({"unlabelled": [5]}, ValueError, "below the element count 3"),
    ],
)
def test_damaged_circuit_documents_are_refused(change, error, message):
    document = edited(io.to_dict(corvex.Circuit("R0-(R1,C1)").with_values([1.0, 2.0, 3.0])), **change)
    with pytest.raises(error, match=message):
        io.from_dict(document)


@pytest.mark.parametrize(
    "change, message",
    [
        ({"version": 7}, "schema version 7"),
        ({"names": ["R0.r", "R1.r", "C9.c"]}, "names do not match"),
        ({"stderr": [1.0]}, "one standard error per parameter"),
        ({"iterations": -1}, "cannot be negative"),
        ({"iterations": 2**70}, "iterations must be a count"),
        ({"values": [1.0, 2.0, 3.0]}, "parameter values do not match the circuit's"),
        ({"cost": float("inf")}, "too large for a float"),
        ({"success": "yes"}, '"success" has the wrong type'),
    ],
)
def test_damaged_fit_result_documents_are_refused(change, message):
    document = edited(io.to_dict(fit_results()[0]), **change)
    with pytest.raises(ValueError, match=message):
        io.from_dict(document)


def batch_table():
    results = fit_results()
    return pd.DataFrame({
        "spectrum": [0, 1, 2],
        "success": [True, False, False],
        "cost": [results[0].cost, 1 / 3, float("nan")],
        "R0.r": [np.nextafter(10.0, 11.0), 2e-308, 0.1],
        "error": [None, None, "frequencies and impedances must have the same length"],
        "result": [results[0], results[1], None],
    })


@pytest.mark.parametrize("library", ["pandas", "polars"])
@pytest.mark.parametrize("suffix", [".csv", ".parquet"])
def test_tables_round_trip_through_the_library_writers(library, suffix, tmp_path):
    table = batch_table()
    path = tmp_path / f"batch{suffix}"
    io.write_table(table if library == "pandas" else pl.from_pandas(table.drop(columns="result"), nan_to_null=False).with_columns(
        pl.Series("result", list(table["result"]), dtype=pl.Object)), path)
    back = io.read_table(path, library=library)
    back = {name: list(back[name]) for name in back.columns}
    for column in ("cost", "R0.r"):
        np.testing.assert_array_equal(np.array(back[column]).view(np.int64), table[column].to_numpy().view(np.int64))
    assert back["error"] == [None, None, table["error"][2]]
    assert [repr(r) for r in back["result"]] == [repr(r) for r in table["result"]]
    io.write_table(table, path, results="drop")
    assert "result" not in io.read_table(path).columns


@pytest.mark.parametrize("position, value, message", [
    (2, (1.0, 2.0, 3.0), "parameter values do not match the circuit's"),
    (4, -1, "iterations must be a count"),
    (5, 2**64, "impedance_evals must be a count"),
])
def test_tampered_pickles_are_refused(position, value, message):
    restore, state = fit_results()[0].__reduce__()
    state = state[:position] + (value,) + state[position + 1:]
    with pytest.raises(ValueError, match=message):
        restore(*state)


@pytest.mark.parametrize("write", [
    lambda path: io.save(corvex.Series([corvex.R(1.0), corvex.Parallel([])]), path),
    lambda path: io.write_table(pd.DataFrame({"a": [object()]}), path, format="parquet"),
])
def test_failed_writes_keep_the_old_file(tmp_path, write):
    path = tmp_path / "kept.json"
    path.write_text("old")
    with pytest.raises(Exception):  # noqa: B017  (whatever the writer raises)
        write(path)
    assert path.read_text() == "old" and [p.name for p in tmp_path.iterdir()] == ["kept.json"]
