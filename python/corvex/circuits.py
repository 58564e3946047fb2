"""Circuits as they are written: the notation of a circuit, and the carried models' names with
the notation each stands for (a Circuit's own text form lists its elements and values instead)."""

from __future__ import annotations

from typing import Any

__all__ = ["notation", "named_models"]


def notation(circuit: Any) -> str:
    """The notation `circuit` is written in, such as ``"R0-p(R1,CPE1)-p(R2,CPE2)"`` for
    ``Circuit("two_rq")``; ``Circuit(notation(c))`` is a circuit of the same topology.

    Raises ValueError for a circuit that has no notation (an empty group built with
    ``Series``/``Parallel``)."""
    from corvex.io.documents import circuit_to_dict

    text: str = circuit_to_dict(circuit)["notation"]
    return text


def named_models() -> dict[str, str]:
    """Each name ``Circuit()`` accepts for a carried model (``Circuit.ml_circuits()``, in that
    order), with the notation it stands for."""
    import corvex

    return {name: notation(corvex.Circuit(name)) for name in corvex.Circuit.ml_circuits()}
