"""Columns that hold a list of parameter names per row (runaway, at_bounds, not_identifiable), read
in any form a table can bring them back from a file: tuples, arrays, JSON text, spaced text or missing."""

from __future__ import annotations

import json
from typing import Any

# The list columns the library's tables carry, with the kind of sequence each holds in memory
# (a batch's runaway lists, a ranking's tuples); a file's reader restores them by name.
LIST_COLUMNS: dict[str, type] = {"runaway": list, "at_bounds": tuple, "not_identifiable": tuple}


def is_missing(value: Any) -> bool:
    """None, or a float NaN that stands for an empty cell."""
    return value is None or (isinstance(value, float) and value != value)


def to_text(value: Any) -> str | None:
    """One cell of a list column as JSON text (`["R1.r", "CPE1.q"]`, `[]`), None when missing."""
    return None if is_missing(value) else json.dumps([str(name) for name in value])


def looks_like_list_text(value: Any) -> bool:
    """Whether a cell read from CSV is a JSON array of names as to_text writes it."""
    if not (isinstance(value, str) and value.startswith("[") and value.endswith("]")):
        return False
    try:
        decoded = json.loads(value)
    except ValueError:
        return False
    return isinstance(decoded, list) and all(isinstance(name, str) for name in decoded)


def restored(column: str, value: Any) -> Any:
    """A cell of list column `column` as its table holds it in memory (None when missing)."""
    names = names_of(value)
    return None if names is None else LIST_COLUMNS.get(column, tuple)(names)


def names_of(value: Any) -> tuple[str, ...] | None:
    """The names one cell holds, as a tuple; None for a row that has none (a spectrum not fitted).
    Takes what a table holds in memory (tuple, list, NumPy array), what CSV gives back (JSON text,
    or names separated by spaces as `corvex rank` prints them), and an empty cell (None, NaN)."""
    if is_missing(value):
        return None
    if isinstance(value, str):
        text = value.strip()
        if text.startswith("["):
            return tuple(str(name) for name in json.loads(text))
        return tuple(text.split())
    return tuple(str(name) for name in value)
