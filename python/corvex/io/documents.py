"""Circuits and fit results as versioned JSON documents: plain dicts and strict JSON text
that read back into the identical object, every float bit for bit."""

from __future__ import annotations

import json
import os
from collections.abc import Mapping
from typing import Any

import numpy as np

import corvex
from corvex.io._atomic_write import replacing

SCHEMA_VERSION = 1
"""The document version this corvex writes; documents up to it are read."""

CIRCUIT_KIND = "corvex.Circuit"
FIT_RESULT_KIND = "corvex.FitResult"

# JSON has no infinities or NaN; documents spell them as JavaScript does, as text.
_NON_FINITE = {"NaN": float("nan"), "Infinity": float("inf"), "-Infinity": float("-inf")}

_is_number = np.frompyfunc(lambda item: type(item) in (int, float), 1, 1)
_is_non_finite_text = np.frompyfunc(lambda item: type(item) is str and item in _NON_FINITE, 1, 1)


def _encode_floats(values: Any) -> list[Any]:
    array = np.asarray(values, dtype=np.float64)
    encoded = array.astype(object)
    encoded[np.isnan(array)] = "NaN"
    encoded[np.isposinf(array)] = "Infinity"
    encoded[np.isneginf(array)] = "-Infinity"
    result: list[Any] = encoded.tolist()
    return result


def _encode_float(value: float) -> Any:
    return _encode_floats([value])[0]


def _decode_floats(values: Any, where: str) -> list[float]:
    message = f'{where} must be a list of numbers ("NaN", "Infinity" and "-Infinity" as text)'
    if not isinstance(values, list):
        raise ValueError(message)
    items = np.empty(len(values), dtype=object)
    try:
        items[:] = values
    except ValueError:  # nested lists, which NumPy tries to broadcast
        raise ValueError(message) from None
    numbers = _is_number(items).astype(bool)
    texts = _is_non_finite_text(items).astype(bool)
    if not np.all(numbers | texts):
        raise ValueError(message)
    decoded = np.empty(len(values), dtype=np.float64)
    try:
        decoded[numbers] = items[numbers].astype(np.float64)
    except OverflowError:
        raise ValueError(f"{where} holds an integer too large for a float") from None
    # Written non-finite values are text; a non-finite number is one that overflowed (1e400).
    if not np.isfinite(decoded[numbers]).all():
        raise ValueError(f'{where} holds a number too large for a float (infinities are written "Infinity")')
    decoded[texts] = np.vectorize(_NON_FINITE.__getitem__, otypes=[np.float64])(items[texts])
    result: list[float] = decoded.tolist()
    return result


def _decode_float(value: Any, where: str) -> float:
    return _decode_floats([value], where)[0]


def _field(document: Mapping[str, Any], key: str, kinds: type | tuple[type, ...], where: str) -> Any:
    if key not in document:
        raise ValueError(f'{where}: the key "{key}" is missing')
    value = document[key]
    allowed = kinds if isinstance(kinds, tuple) else (kinds,)
    # bool is an int to Python, never a count or a number in a document.
    if not isinstance(value, allowed) or (isinstance(value, bool) and bool not in allowed):
        raise ValueError(f'{where}: "{key}" has the wrong type ({type(value).__name__})')
    return value


def _check_header(document: Any, kind: str) -> None:
    if not isinstance(document, Mapping):
        raise TypeError(f"a corvex document must be a mapping, not {type(document).__name__}")
    found = document.get("kind")
    if found not in (CIRCUIT_KIND, FIT_RESULT_KIND):
        raise ValueError(f'not a corvex document: "kind" is {found!r}, expected "{CIRCUIT_KIND}" or "{FIT_RESULT_KIND}"')
    if found != kind:
        raise ValueError(f'expected a "{kind}" document, got a "{found}" document')
    version = _field(document, "version", int, kind)
    if version > SCHEMA_VERSION:
        raise ValueError(
            f"this {kind} document has schema version {version}, newer than the version {SCHEMA_VERSION} this "
            "corvex reads; read it with a newer corvex"
        )
    if version < 1:
        raise ValueError(f"{kind}: schema version {version} does not exist")


def circuit_to_dict(circuit: corvex.Circuit) -> dict[str, Any]:
    """A JSON-compatible dict holding the circuit's notation, values and flag.

    Elements built from Python objects carry no label; their positions (in
    `param_names()` element order) are listed under "unlabelled" so they stay
    unlabelled. Raises ValueError for a circuit with an empty series or parallel
    group, which notation cannot express.
    """
    notation, values, explicit_values, unlabelled = corvex._circuit_record(circuit)
    document: dict[str, Any] = {
        "kind": CIRCUIT_KIND,
        "version": SCHEMA_VERSION,
        "notation": notation,
        "values": _encode_floats(values),
        "explicit_values": explicit_values,
    }
    if unlabelled:
        document["unlabelled"] = unlabelled
    return document


def circuit_from_dict(document: Mapping[str, Any]) -> corvex.Circuit:
    """The circuit a dict from `circuit_to_dict()` describes, exactly."""
    _check_header(document, CIRCUIT_KIND)
    notation = _field(document, "notation", str, CIRCUIT_KIND)
    values = _decode_floats(_field(document, "values", list, CIRCUIT_KIND), f'{CIRCUIT_KIND}: "values"')
    explicit_values = _field(document, "explicit_values", bool, CIRCUIT_KIND)
    unlabelled = document.get("unlabelled", [])
    if not isinstance(unlabelled, list):
        raise ValueError(f'{CIRCUIT_KIND}: "unlabelled" must be a list of element positions')
    return corvex._circuit_from_record(notation, values, explicit_values, unlabelled)


def fit_result_to_dict(result: corvex.FitResult) -> dict[str, Any]:
    """A JSON-compatible dict holding every attribute of the fit result.

    Values and standard errors are listed in `param_names()` order under "names".
    """
    state = result.__reduce__()[1]
    circuit, names, values, stderr, iterations, impedance_evals, cost, chi_square, success = state[:9]
    frequencies, impedance_parts = np.asarray(state[9]), np.asarray(state[10])
    return {
        "kind": FIT_RESULT_KIND,
        "version": SCHEMA_VERSION,
        "circuit": circuit_to_dict(circuit),
        "names": list(names),
        "values": _encode_floats(values),
        "stderr": None if stderr is None else _encode_floats(stderr),
        "iterations": iterations,
        "impedance_evals": impedance_evals,
        "cost": _encode_float(cost),
        "chi_square": _encode_float(chi_square),
        "success": success,
        # The spectrum the result was fitted to, which its plots draw.
        "measured": {
            "frequencies": _encode_floats(frequencies),
            "real": _encode_floats(impedance_parts[0::2]),
            "imaginary": _encode_floats(impedance_parts[1::2]),
        },
    }


def fit_result_from_dict(document: Mapping[str, Any]) -> corvex.FitResult:
    """The fit result a dict from `fit_result_to_dict()` describes, exactly."""
    _check_header(document, FIT_RESULT_KIND)
    where = FIT_RESULT_KIND
    circuit = circuit_from_dict(_field(document, "circuit", Mapping, where))
    names = _field(document, "names", list, where)
    values = _decode_floats(_field(document, "values", list, where), f'{where}: "values"')
    stderr = _field(document, "stderr", (list, type(None)), where)
    if stderr is not None:
        stderr = tuple(_decode_floats(stderr, f'{where}: "stderr"'))
    counts = [_field(document, key, int, where) for key in ("iterations", "impedance_evals")]
    if min(counts) < 0:
        raise ValueError(f"{where}: iteration and evaluation counts cannot be negative")
    cost, chi_square = (_decode_float(_field(document, key, (int, float, str), where), f'{where}: "{key}"')
                        for key in ("cost", "chi_square"))
    success = _field(document, "success", bool, where)
    measured = _field(document, "measured", Mapping, where)
    frequencies, real, imaginary = (
        _decode_floats(_field(measured, key, list, f'{where}: "measured"'), f'{where}: "measured" "{key}"')
        for key in ("frequencies", "real", "imaginary"))
    if len(real) != len(imaginary):
        raise ValueError(f'{where}: "measured" needs as many imaginary as real parts')
    impedance_parts = np.column_stack([real, imaginary]).ravel()
    return corvex._restore_fit_result(circuit, tuple(names), tuple(values), stderr, *counts, cost, chi_square,
                                      success, tuple(frequencies), tuple(impedance_parts.tolist()))


def to_dict(obj: corvex.Circuit | corvex.FitResult) -> dict[str, Any]:
    """A Circuit or FitResult as a versioned, JSON-compatible dict."""
    if isinstance(obj, corvex.Circuit):
        return circuit_to_dict(obj)
    if isinstance(obj, corvex.FitResult):
        return fit_result_to_dict(obj)
    raise TypeError(f"argument 'obj': expected a Circuit or a FitResult, not {type(obj).__name__}")


def from_dict(document: Mapping[str, Any]) -> corvex.Circuit | corvex.FitResult:
    """The Circuit or FitResult a dict from `to_dict()` describes, chosen by its "kind".

    A document from a newer corvex (a higher "version") raises ValueError rather
    than being read as something it is not.
    """
    if isinstance(document, Mapping) and document.get("kind") == FIT_RESULT_KIND:
        return fit_result_from_dict(document)
    return circuit_from_dict(document)


def to_json(obj: corvex.Circuit | corvex.FitResult, *, indent: int | None = None) -> str:
    """A Circuit or FitResult as strict JSON text (no NaN or Infinity literals)."""
    return json.dumps(to_dict(obj), indent=indent, allow_nan=False)


def from_json(text: str | bytes) -> corvex.Circuit | corvex.FitResult:
    """The Circuit or FitResult that `to_json()` wrote."""
    try:
        document = json.loads(text)
    except json.JSONDecodeError as error:
        raise ValueError(f"not a corvex JSON document: {error}") from None
    except RecursionError:
        raise ValueError("not a corvex JSON document: nested too deeply") from None
    return from_dict(document)


def save(obj: corvex.Circuit | corvex.FitResult, path: str | os.PathLike[str]) -> None:
    """Write a Circuit or FitResult to a JSON file (UTF-8)."""
    # Serialised before the file is touched, and written beside it: a failure leaves the old file.
    text = to_json(obj, indent=1) + "\n"
    with replacing(path) as temporary, open(temporary, "x", encoding="utf-8") as file:
        file.write(text)


def load(path: str | os.PathLike[str]) -> corvex.Circuit | corvex.FitResult:
    """Read a Circuit or FitResult from a JSON file written by `save()`."""
    with open(path, encoding="utf-8") as file:
        return from_json(file.read())
