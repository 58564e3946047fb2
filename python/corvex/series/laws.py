"""The laws a parameter can follow across a series: Arrhenius in temperature, linear,
polynomial, or a user formula, each a linear combination of basis functions of one column."""

from __future__ import annotations

from collections.abc import Callable
from dataclasses import dataclass

import numpy as np

from corvex.series.expression import compile_formula

__all__ = ["Law", "arrhenius", "linear", "polynomial", "formula", "BOLTZMANN_EV"]

BOLTZMANN_EV = 8.617333262e-5  # Boltzmann's constant in eV/K
ZERO_CELSIUS = 273.15


@dataclass(frozen=True)
class Law:
    """A parameter as a function of one column: link(value) = sum_j c_j * basis_j(column).

    `link` is "identity" or "log" (the value is then exp of the sum, always positive);
    `coefficients` names the c_j as the parameter table lists them. Build one with
    `arrhenius`, `linear`, `polynomial` or `formula`.
    """

    column: str
    kind: str
    link: str
    coefficients: tuple[str, ...]
    basis: Callable[[np.ndarray], np.ndarray]
    text: str

    def evaluate(self, coefficients: np.ndarray, column_values: np.ndarray) -> np.ndarray:
        """The law's value at each column value for the given coefficients."""
        total = self.basis(np.asarray(column_values, dtype=float)) @ np.asarray(coefficients, dtype=float)
        return np.exp(total) if self.link == "log" else total


def _column_name(column: object) -> str:
    if not isinstance(column, str) or not column:
        raise TypeError(f"a law's column is a non-empty str, got {column!r}")
    return column


def arrhenius(column: str, *, unit: str = "K") -> Law:
    """value = A * exp(Ea / (k_B * T)) with T the column in kelvin (`unit="C"`: in degrees
    Celsius); the coefficients are ln_A and Ea (in eV). Resistances of thermally activated
    processes follow it, with Ea > 0."""
    column = _column_name(column)
    if unit not in ("K", "C"):
        raise ValueError(f"argument 'unit': expected \"K\" or \"C\", got {unit!r}")
    offset = ZERO_CELSIUS if unit == "C" else 0.0

    def basis(values: np.ndarray) -> np.ndarray:
        kelvin = values + offset
        return np.column_stack([np.ones_like(kelvin), 1.0 / (BOLTZMANN_EV * kelvin)])

    return Law(column, "arrhenius", "log", ("ln_A", "Ea"), basis, f"A*exp(Ea/(k_B*{column}))")


def linear(column: str) -> Law:
    """value = intercept + slope * column."""
    column = _column_name(column)
    return Law(column, "linear", "identity", ("intercept", "slope"),
               lambda values: np.column_stack([np.ones_like(values), values]), f"intercept + slope*{column}")


def polynomial(column: str, degree: int) -> Law:
    """A polynomial of the given degree in the column, with coefficients c0 (constant) to c<degree>."""
    column = _column_name(column)
    if isinstance(degree, bool) or not isinstance(degree, int | np.integer) or not 0 <= degree <= 10:
        raise ValueError(f"argument 'degree': expected an int from 0 to 10, got {degree!r}")
    powers = np.arange(int(degree) + 1)
    return Law(column, "polynomial", "identity", tuple(f"c{p}" for p in powers),
               lambda values: np.power.outer(values, powers).astype(float),
               " + ".join(f"c{p}*{column}**{p}" for p in powers))


def formula(column: str, *terms: str, log: bool = False) -> Law:
    """value = c0 + c1 * term1 + c2 * term2 + ..., each term a formula in the column.

    A term names the column as ``x`` (or by the column's name when that is an identifier) and
    holds numbers, ``+ - * / **``, ``exp()`` and ``log()``, and nothing else. ``log=True`` fits
    the logarithm of the value instead, which keeps it positive. ``formula("SOC", "x", "x**2")``
    is a quadratic; ``formula("T", "1/x", log=True)`` is Arrhenius up to the constant.
    """
    column = _column_name(column)
    if not terms:
        raise ValueError("formula() needs at least one term in the column")
    variables = ("x", column) if column.isidentifier() else ("x",)
    compiled = [compile_formula(term, variables) for term in terms]

    def basis(values: np.ndarray) -> np.ndarray:
        return np.column_stack([np.ones_like(values), *(term(values) for term in compiled)])

    body = " + ".join(f"c{j + 1}*({term})" for j, term in enumerate(terms))
    return Law(column, "formula", "log" if log else "identity", tuple(f"c{j}" for j in range(len(terms) + 1)),
               basis, f"{'exp(' if log else ''}c0 + {body}{')' if log else ''}")
