# The session file: spectra, circuit, controls, selection and results as one corvex JSON
# document, written and read without eval or pickle, and checked field by field on the way in.
"""Saving and restoring a page as a corvex JSON document."""

from __future__ import annotations

import json
from typing import Any

import numpy as np

from corvex.app.uploads import Spectrum
from corvex.app.workspace import Controls, Workspace
from corvex.io.documents import SCHEMA_VERSION, _decode_floats, _encode_floats, fit_result_from_dict, fit_result_to_dict

SESSION_KIND = "corvex.AppSession"
# Columns of flags and counts, kept with their pandas type (nullable ones hold missing values).
_COUNTER_DTYPES = ("bool", "boolean", "int64", "Int64", "uint64", "UInt64", "int32", "Int32")


def _optional_float(value: Any, where: str) -> float | None:
    return None if value is None else _decode_floats([value], where)[0]


def _spectrum_to_dict(spectrum: Spectrum) -> dict[str, Any]:
    return {"name": spectrum.name, "source": spectrum.source,
            "frequencies": _encode_floats(spectrum.frequencies),
            "real": _encode_floats(spectrum.impedances.real), "imaginary": _encode_floats(spectrum.impedances.imag),
            "cycle": None if spectrum.cycle is None else _encode_floats([spectrum.cycle])[0],
            "temperature": None if spectrum.temperature is None else _encode_floats([spectrum.temperature])[0],
            "kk_passed": spectrum.kk_passed, "warnings": spectrum.warnings}


def _spectrum_from_dict(document: Any, where: str) -> Spectrum:
    if not isinstance(document, dict):
        raise ValueError(f"{where} must be an object")
    name, source = document.get("name"), document.get("source")
    if not isinstance(name, str) or not isinstance(source, str):
        raise ValueError(f"{where} needs text fields \"name\" and \"source\"")
    frequencies = np.array(_decode_floats(document.get("frequencies"), f"{where}.frequencies"))
    real = np.array(_decode_floats(document.get("real"), f"{where}.real"))
    imaginary = np.array(_decode_floats(document.get("imaginary"), f"{where}.imaginary"))
    if not frequencies.size == real.size == imaginary.size:
        raise ValueError(f"{where}: frequencies, real and imaginary parts differ in length")
    kk_passed = document.get("kk_passed")
    if kk_passed is not None and not isinstance(kk_passed, bool):
        raise ValueError(f"{where}.kk_passed must be true, false or null")
    notes = document.get("warnings", [])
    if not isinstance(notes, list) or not all(isinstance(note, str) for note in notes):
        raise ValueError(f"{where}.warnings must be a list of text")
    return Spectrum(name=name, source=source, frequencies=frequencies, impedances=real + 1j * imaginary,
                    kk_passed=kk_passed, warnings=notes,
                    cycle=_optional_float(document.get("cycle"), f"{where}.cycle"),
                    temperature=_optional_float(document.get("temperature"), f"{where}.temperature"))


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


def _column_from_dict(document: Any, where: str) -> Any:
    import pandas as pd

    if not isinstance(document, dict) or not isinstance(document.get("values"), list):
        raise ValueError(f"{where} must be an object with a \"values\" list")
    kind, values = document.get("type"), document["values"]
    if kind == "results":
        return pd.Series([None if item is None else fit_result_from_dict(item) for item in values], dtype=object)
    if kind == "float":
        return pd.Series(_decode_floats(values, where), dtype=float)
    if kind in ("bool", "int"):
        expected = bool if kind == "bool" else int
        dtype = document.get("dtype", kind)
        if dtype not in _COUNTER_DTYPES or not all(item is None or type(item) is expected for item in values):
            raise ValueError(f"{where} must hold only {kind} values")
        return pd.Series(values, dtype=dtype)
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


def from_json(text: str | bytes) -> Workspace:
    """The workspace a session document describes; ValueError naming what is wrong."""
    try:
        document = json.loads(text)
    except (ValueError, UnicodeDecodeError) as error:
        raise ValueError(f"not a session file: it is not JSON ({error})") from None
    if not isinstance(document, dict) or document.get("kind") != SESSION_KIND:
        raise ValueError(f'not a session file: "kind" is not "{SESSION_KIND}"')
    version = document.get("version")
    if not isinstance(version, int) or not 1 <= version <= SCHEMA_VERSION:
        raise ValueError(f"session file version {version!r} is not one this corvex reads (up to {SCHEMA_VERSION})")
    spectra_documents = document.get("spectra")
    if not isinstance(spectra_documents, list):
        raise ValueError('session file: "spectra" must be a list')
    spectra = [_spectrum_from_dict(item, f"spectra[{index}]") for index, item in enumerate(spectra_documents)]
    circuit = document.get("circuit")
    if not isinstance(circuit, str):
        raise ValueError('session file: "circuit" must be text')
    controls = document.get("controls") or {}
    fixed = controls.get("fixed", {}) if isinstance(controls, dict) else None
    bounds = controls.get("bounds", {}) if isinstance(controls, dict) else None
    if not isinstance(fixed, dict) or not isinstance(bounds, dict):
        raise ValueError('session file: "controls" must hold "fixed" and "bounds" objects')
    held = {str(name): _decode_floats([value], f"fixed[{name!r}]")[0] for name, value in fixed.items()}
    limits: dict[str, tuple[float | None, float | None]] = {}
    for name, pair in bounds.items():
        if not isinstance(pair, list) or len(pair) != 2:
            raise ValueError(f"session file: bounds[{name!r}] must be a [low, high] pair")
        low, high = (_optional_float(side, f"bounds[{name!r}]") for side in pair)
        limits[str(name)] = (low, high)
    selected = document.get("selected", [])
    if not isinstance(selected, list) or not all(type(i) is int and 0 <= i < len(spectra) for i in selected):
        raise ValueError('session file: "selected" must list spectrum indices')
    errors = document.get("load_errors", [])
    if not isinstance(errors, list) or not all(isinstance(item, dict) and all(isinstance(v, str) for v in item.values())
                                               for item in errors):
        raise ValueError('session file: "load_errors" must be a list of objects of text')
    results = document.get("results")
    table = None
    if results is not None:
        import pandas as pd

        if not isinstance(results, dict):
            raise ValueError('session file: "results" must be an object of columns')
        table = pd.DataFrame({name: _column_from_dict(column, f"results[{name!r}]") for name, column in results.items()})
    results_circuit = document.get("results_circuit")
    if results_circuit is not None and not isinstance(results_circuit, str):
        raise ValueError('session file: "results_circuit" must be text')
    return Workspace(spectra=spectra, load_errors=errors, circuit=circuit, controls=Controls(held, limits),
                     selected=selected, results=table, results_circuit=results_circuit)
