# The --circuit argument of fit and rank: a notation or a carried model's name, refused as a
# usage error whose one line says where the notation went wrong.
"""Reading a circuit given on the command line."""

from __future__ import annotations

from typing import Any

from corvex.cli._errors import UsageError


def circuit_argument(text: str) -> Any:
    """The Circuit that `text` writes or names; UsageError with the parser's first line."""
    import corvex

    try:
        return corvex.Circuit(text)
    except ValueError as error:
        # The parser's message goes on to a drawing of the position and a table of elements:
        # its first line is the fault.
        fault = str(error).split("\n", 1)[0]
        hint = "" if any(mark in text for mark in "-(,") else \
            f"; carried models: {', '.join(corvex.Circuit.ml_circuits())}"
        raise UsageError(f"argument --circuit: {fault} in {text!r}{hint}") from None
