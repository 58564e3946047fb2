"""A small formula language for series laws: numbers, the column's variable, ``+ - * / **``,
unary minus, exp and log, parsed into a tree that NumPy evaluates; nothing else is accepted."""

from __future__ import annotations

import ast
from collections.abc import Callable

import numpy as np

__all__ = ["compile_formula"]

# Formulas are short; longer text or deeper nesting is refused before it is parsed or walked.
MAX_LENGTH = 200
MAX_DEPTH = 32

_OPERATORS: dict[type[ast.operator], Callable[[np.ndarray, np.ndarray], np.ndarray]] = {
    ast.Add: np.add,
    ast.Sub: np.subtract,
    ast.Mult: np.multiply,
    ast.Div: np.divide,
    ast.Pow: np.power,
}
_FUNCTIONS: dict[str, Callable[[np.ndarray], np.ndarray]] = {"exp": np.exp, "log": np.log}

Evaluator = Callable[[np.ndarray], np.ndarray]


def compile_formula(text: str, variables: tuple[str, ...]) -> Evaluator:
    """The formula `text` as a function of one array, which the formula names by any of
    `variables`. ValueError names the first thing that is not part of the language."""
    if not isinstance(text, str):
        raise TypeError(f"a formula is a str, got {type(text).__name__!r}")
    if len(text) > MAX_LENGTH:
        raise ValueError(f"formula longer than {MAX_LENGTH} characters")
    try:
        tree = ast.parse(text.strip(), mode="eval")
    except SyntaxError as error:
        raise ValueError(f"formula {text!r} is not an expression: {error.msg}") from None
    return _compile(tree.body, text, variables, 0)


def _compile(node: ast.AST, text: str, variables: tuple[str, ...], depth: int) -> Evaluator:
    if depth > MAX_DEPTH:
        raise ValueError(f"formula {text!r} nests deeper than {MAX_DEPTH}")
    if isinstance(node, ast.Constant) and isinstance(node.value, int | float) and not isinstance(node.value, bool):
        value = float(node.value)
        return lambda x: np.full(np.shape(x), value)
    if isinstance(node, ast.Name) and node.id in variables:
        return lambda x: np.asarray(x, dtype=float)
    if isinstance(node, ast.BinOp) and type(node.op) in _OPERATORS:
        operator = _OPERATORS[type(node.op)]
        left = _compile(node.left, text, variables, depth + 1)
        right = _compile(node.right, text, variables, depth + 1)
        return lambda x: operator(left(x), right(x))
    if isinstance(node, ast.UnaryOp) and isinstance(node.op, ast.USub | ast.UAdd):
        operand = _compile(node.operand, text, variables, depth + 1)
        sign = -1.0 if isinstance(node.op, ast.USub) else 1.0
        return lambda x: sign * operand(x)
    if (isinstance(node, ast.Call) and isinstance(node.func, ast.Name) and node.func.id in _FUNCTIONS
            and len(node.args) == 1 and not node.keywords):
        function = _FUNCTIONS[node.func.id]
        argument = _compile(node.args[0], text, variables, depth + 1)
        return lambda x: function(argument(x))
    shown = ast.get_source_segment(text.strip(), node) or type(node).__name__
    names = " or ".join(repr(name) for name in variables)
    raise ValueError(f"formula {text!r}: {shown!r} is not allowed; use numbers, {names}, + - * / **, exp() and log()")
