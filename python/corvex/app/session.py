# The session file: spectra, circuit, controls, selection and results as one corvex JSON
# document, written and read without eval or pickle, and checked field by field on the way in.
"""Saving and restoring a page as a corvex JSON document."""

from __future__ import annotations

import json
from typing import Any

import numpy as np

from corvex.app.jobs import SPECTRUM_KEY as _SPECTRUM_KEY
from corvex.app.uploads import Spectrum
from corvex.app.workspace import Controls, Workspace
from corvex.io.documents import SCHEMA_VERSION, _decode_floats, _encode_floats, fit_result_from_dict, fit_result_to_dict

SESSION_KIND = "corvex.AppSession"
# Columns of flags and counts, kept with their pandas type (nullable ones hold missing values).
_COUNTER_DTYPES = ("bool", "boolean", "int64", "Int64", "uint64", "UInt64", "int32", "Int32")
# A session nests about six levels deep (results, a column, its fits, a fit's circuit, values).
_MAX_DEPTH = 16
_RESULT_COLUMNS = (_SPECTRUM_KEY, "result", "error")


def _spectrum_to_dict(spectrum: Spectrum) -> dict[str, Any]:
    return {"name": spectrum.name, "source": spectrum.source,
            "frequencies": _encode_floats(spectrum.frequencies),
            "real": _encode_floats(spectrum.impedances.real), "imaginary": _encode_floats(spectrum.impedances.imag),
            "cycle": None if spectrum.cycle is None else _encode_floats([spectrum.cycle])[0],
            "temperature": None if spectrum.temperature is None else _encode_floats([spectrum.temperature])[0],
            "kk_passed": spectrum.kk_passed, "warnings": spectrum.warnings}


def _finite_floats(values: Any, where: str, *, positive: bool = False) -> np.ndarray:
    numbers = np.array(_decode_floats(values, where), dtype=float)
    if not np.isfinite(numbers).all() or (positive and not (numbers > 0).all()):
        raise ValueError(f"{where} must hold only finite{' positive' if positive else ''} numbers")
    return numbers


def _optional_finite(value: Any, where: str) -> float | None:
    return None if value is None else float(_finite_floats([value], where)[0])


def _spectrum_from_dict(document: Any, where: str) -> Spectrum:
    if not isinstance(document, dict):
        raise ValueError(f"{where} must be an object")
    name, source = document.get("name"), document.get("source")
    if not isinstance(name, str) or not isinstance(source, str):
        raise ValueError(f"{where} needs text fields \"name\" and \"source\"")
    frequencies = _finite_floats(document.get("frequencies"), f"{where}.frequencies", positive=True)
    real = _finite_floats(document.get("real"), f"{where}.real")
    imaginary = _finite_floats(document.get("imaginary"), f"{where}.imaginary")
    if not frequencies.size == real.size == imaginary.size:
        raise ValueError(f"{where}: frequencies, real and imaginary parts differ in length")
    if not frequencies.size:
        raise ValueError(f"{where} has no points")
    kk_passed = document.get("kk_passed")
    if kk_passed is not None and not isinstance(kk_passed, bool):
        raise ValueError(f"{where}.kk_passed must be true, false or null")
    notes = document.get("warnings", [])
    if not isinstance(notes, list) or not all(isinstance(note, str) for note in notes):
        raise ValueError(f"{where}.warnings must be a list of text")
    return Spectrum(name=name, source=source, frequencies=frequencies, impedances=real + 1j * imaginary,
                    kk_passed=kk_passed, warnings=notes,
                    cycle=_optional_finite(document.get("cycle"), f"{where}.cycle"),
                    temperature=_optional_finite(document.get("temperature"), f"{where}.temperature"))


def _is_names(item: Any) -> bool:
    return isinstance(item, (list, tuple)) and all(isinstance(name, str) for name in item)


def _column_to_dict(series: Any) -> dict[str, Any]:
    import pandas as pd

    if series.name == "result":
        return {"type": "results", "values": [None if item is None else fit_result_to_dict(item) for item in series]}
    if str(series.dtype) in _COUNTER_DTYPES:
        kind = "bool" if pd.api.types.is_bool_dtype(series.dtype) else "int"
        convert = bool if kind == "bool" else int
        return {"type": kind, "dtype": str(series.dtype),
                "values": [None if pd.isna(item) else convert(item) for item in series]}
    if pd.api.types.is_float_dtype(series.dtype):
        return {"type": "float", "values": _encode_floats(series.to_numpy())}
    values = [None if item is None or (isinstance(item, float) and np.isnan(item)) else item for item in series]
    if values and all(item is None or _is_names(item) for item in values):
        # A list of parameter names per row (the batch's `runaway` column).
        return {"type": "names", "values": [None if item is None else list(item) for item in values]}
    if not all(item is None or isinstance(item, (str, bool)) for item in values):
        raise ValueError(f"results column {series.name!r} holds values a session cannot keep")
    return {"type": "object", "values": values}


def _fit_result(document: Any, where: str) -> Any:
    if not isinstance(document, dict):
        raise ValueError(f"{where} must be a fit result object or null, not {type(document).__name__}")
    try:
        return fit_result_from_dict(document)
    except (ValueError, TypeError) as error:
        raise ValueError(f"{where}: {error}") from None


def _column_from_dict(document: Any, where: str) -> Any:
    import pandas as pd

    if not isinstance(document, dict) or not isinstance(document.get("values"), list):
        raise ValueError(f"{where} must be an object with a \"values\" list")
    kind, values = document.get("type"), document["values"]
    if kind == "results":
        return pd.Series([None if item is None else _fit_result(item, f"{where}[{row}]")
                          for row, item in enumerate(values)], dtype=object)
    if kind == "float":
        return pd.Series(_decode_floats(values, where), dtype=float)
    if kind in ("bool", "int"):
        expected = bool if kind == "bool" else int
        dtype = document.get("dtype", kind)
        if dtype not in _COUNTER_DTYPES or not all(item is None or type(item) is expected for item in values):
            raise ValueError(f"{where} must hold only {kind} values")
        try:
            return pd.Series(values, dtype=dtype)
        except (OverflowError, ValueError, TypeError):
            raise ValueError(f"{where} holds values its type {dtype} cannot keep") from None
    if kind == "names":
        if not all(item is None or _is_names(item) for item in values):
            raise ValueError(f"{where} must hold lists of parameter names or null")
        return pd.Series([None if item is None else list(item) for item in values], dtype=object)
    if kind == "object":
        if not all(item is None or isinstance(item, (str, bool)) for item in values):
            raise ValueError(f"{where} must hold text, true/false or null")
        return pd.Series(values, dtype=object)
    raise ValueError(f"{where} has an unknown column type {kind!r}")


def to_json(workspace: Workspace) -> str:
    """The session document of a workspace."""
    results = None
    if workspace.results is not None:
        results = {str(name): _column_to_dict(workspace.results[name]) for name in workspace.results.columns}
    document = {
        "kind": SESSION_KIND, "version": SCHEMA_VERSION,
        "spectra": [_spectrum_to_dict(spectrum) for spectrum in workspace.spectra],
        "load_errors": workspace.load_errors,
        "circuit": workspace.circuit,
        "controls": {"fixed": {name: _encode_floats([value])[0] for name, value in workspace.controls.fixed.items()},
                     "bounds": {name: [None if side is None else _encode_floats([side])[0] for side in pair]
                                for name, pair in workspace.controls.bounds.items()}},
        "selected": workspace.selected,
        "results": results,
        "results_circuit": workspace.results_circuit,
    }
    return json.dumps(document, allow_nan=False)


def _depth(document: Any) -> int:
    """How deeply lists and objects nest in `document`, found without recursion."""
    deepest, pending = 0, [(document, 1)]
    while pending:
        item, depth = pending.pop()
        children = item.values() if isinstance(item, dict) else item if isinstance(item, list) else None
        if children is None:
            continue
        deepest = max(deepest, depth)
        if deepest > _MAX_DEPTH:
            break
        pending.extend((child, depth + 1) for child in children if isinstance(child, (dict, list)))
    return deepest


def _controls(document: Any) -> Controls:
    controls = {} if document is None else document
    fixed = controls.get("fixed", {}) if isinstance(controls, dict) else None
    bounds = controls.get("bounds", {}) if isinstance(controls, dict) else None
    if not isinstance(fixed, dict) or not isinstance(bounds, dict):
        raise ValueError('"controls" must hold "fixed" and "bounds" objects')
    held = {name: float(_finite_floats([value], f"fixed[{name!r}]")[0]) for name, value in fixed.items()}
    limits: dict[str, tuple[float | None, float | None]] = {}
    for name, pair in bounds.items():
        if not isinstance(pair, list) or len(pair) != 2:
            raise ValueError(f"bounds[{name!r}] must be a [low, high] pair")
        low, high = (_optional_finite(side, f"bounds[{name!r}]") for side in pair)
        if low is not None and high is not None and low > high:
            raise ValueError(f"bounds[{name!r}] has its low side {low:g} above its high side {high:g}")
        limits[name] = (low, high)
    return Controls(held, limits)


def _load_errors(document: Any) -> list[dict[str, str]]:
    if not isinstance(document, list) or not all(
            isinstance(item, dict) and set(item) == {"file", "message"} and all(isinstance(v, str) for v in item.values())
            for item in document):
        raise ValueError('"load_errors" must be a list of objects with the text fields "file" and "message"')
    return document


def _results(document: Any, spectra: list[Spectrum], circuit: Any) -> Any:
    """The results table, checked to be one the panels can show: its key column indexes the
    spectra once each, and every fit has its error and parameter columns."""
    import pandas as pd

    if not isinstance(document, dict):
        raise ValueError('"results" must be an object of columns')
    columns = {name: _column_from_dict(column, f"results[{name!r}]") for name, column in document.items()}
    missing = [name for name in _RESULT_COLUMNS if name not in columns]
    if missing:
        raise ValueError(f'"results" lacks the column{"s" * (len(missing) > 1)} {", ".join(map(repr, missing))}')
    if document["result"].get("type") != "results":
        raise ValueError('"results" column "result" must hold fit results')
    if len({len(column) for column in columns.values()}) > 1:
        raise ValueError('the columns of "results" differ in length')
    keys = columns[_SPECTRUM_KEY]
    if not pd.api.types.is_integer_dtype(keys.dtype) or keys.isna().any() \
            or not keys.between(0, len(spectra) - 1).all() or keys.duplicated().any():
        raise ValueError(f'"results" column {_SPECTRUM_KEY!r} must index the {len(spectra)} spectra, each at most once')
    if not columns["error"].map(lambda item: item is None or isinstance(item, str)).all():
        raise ValueError('"results" column "error" must hold text or null')
    if not isinstance(circuit, str):
        raise ValueError('"results_circuit" must be text when there are results')
    for row, fit in enumerate(columns["result"]):
        if fit is None:
            continue
        for name in fit.circuit.param_names():
            if name not in columns or not pd.api.types.is_float_dtype(columns[name].dtype):
                raise ValueError(f"results row {row} has no number column {name!r} for its fitted parameter")
    return pd.DataFrame(columns)


def from_json(text: str | bytes) -> Workspace:
    """The workspace a session document describes; ValueError naming what is wrong. Nothing
    of the document is used until all of it has been checked."""
    try:
        document = json.loads(text)
    except (ValueError, UnicodeDecodeError) as error:
        raise ValueError(f"not a session file: it is not JSON ({error})") from None
    except RecursionError:
        raise ValueError(f"not a session file: it nests more than {_MAX_DEPTH} levels deep") from None
    if not isinstance(document, dict) or document.get("kind") != SESSION_KIND:
        raise ValueError(f'not a session file: "kind" is not "{SESSION_KIND}"')
    if _depth(document) > _MAX_DEPTH:
        raise ValueError(f"not a session file: it nests more than {_MAX_DEPTH} levels deep")
    version = document.get("version")
    if type(version) is not int or not 1 <= version <= SCHEMA_VERSION:
        raise ValueError(f"session file version {version!r} is not one this corvex reads (up to {SCHEMA_VERSION})")
    try:
        return _workspace(document)
    except ValueError as error:
        raise ValueError(f"session file: {error}") from None


def _workspace(document: dict[str, Any]) -> Workspace:
    spectra_documents = document.get("spectra")
    if not isinstance(spectra_documents, list):
        raise ValueError('"spectra" must be a list')
    spectra = [_spectrum_from_dict(item, f"spectra[{index}]") for index, item in enumerate(spectra_documents)]
    circuit = document.get("circuit")
    if not isinstance(circuit, str):
        raise ValueError('"circuit" must be text')
    controls = _controls(document.get("controls"))
    selected = document.get("selected", [])
    if not isinstance(selected, list) or not all(type(i) is int and 0 <= i < len(spectra) for i in selected):
        raise ValueError('"selected" must list spectrum indices')
    errors = _load_errors(document.get("load_errors", []))
    results_circuit = document.get("results_circuit")
    if results_circuit is not None and not isinstance(results_circuit, str):
        raise ValueError('"results_circuit" must be text')
    results = document.get("results")
    table = None if results is None else _results(results, spectra, results_circuit)
    return Workspace(spectra=spectra, load_errors=errors, circuit=circuit, controls=controls,
                     selected=selected, results=table, results_circuit=results_circuit)
