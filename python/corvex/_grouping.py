"""How the entry points read by=: the key columns of a long frame, each named once, where a
header as the instrument file wrote it ("Cycle") stands for the column corvex.io.read made of it."""

from __future__ import annotations

from collections.abc import Sequence
from typing import Any


def names(by: Any) -> list[str]:
    """The key column names `by` gives; TypeError for anything but names."""
    if isinstance(by, str):
        return [by]
    if isinstance(by, list | tuple) and by and all(isinstance(name, str) for name in by):
        return list(by)
    raise TypeError(f"argument 'by': expected a column name or a list of column names, got {type(by).__name__!r}")


def key_names(by: Any) -> list[str] | None:
    """The key column names `by` gives, or None for no `by`."""
    return None if by is None else names(by)


def _read_as(header: str, columns: Sequence[Any]) -> str | None:
    """The column corvex.io.read turns a file's `header` into, when the frame has it."""
    from corvex.io._columns import OUTPUT_NAMES, meaning_of

    meaning = meaning_of(header)
    name = OUTPUT_NAMES.get(meaning.quantity) if meaning is not None else None
    return name if name in columns else None


def resolve(by: Any, columns: Sequence[Any]) -> list[str]:
    """The frame's columns that `by` names: each one as named, or the column a reader renamed
    that header to. KeyError naming a missing column, ValueError for one named twice."""
    columns = list(columns)
    resolved = []
    for name in names(by):
        column = name if name in columns else _read_as(name, columns)
        if column is None:
            raise KeyError(f"argument 'by': no column {name!r}; the frame has columns {columns!r}")
        if column in resolved:
            raise ValueError(f"argument 'by': column {column!r} is named twice; name each key column once")
        resolved.append(column)
    return resolved
