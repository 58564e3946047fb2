# Signatures for the compiled module's functions and methods, read from its type stubs
# (corvex/__init__.pyi): at run time the extension exposes docstrings but no annotated signatures.
import ast
import copy
import functools
import pathlib

import corvex

STUBS = pathlib.Path(corvex.__file__).with_name("__init__.pyi")


def _signature(function: ast.FunctionDef, is_method: bool) -> tuple[str, str | None]:
    arguments = copy.deepcopy(function.args)
    static = any(isinstance(d, ast.Name) and d.id == "staticmethod" for d in function.decorator_list)
    if is_method and not static:
        # The bound first argument (self or cls) is not part of what a caller writes.
        if arguments.posonlyargs:
            arguments.posonlyargs.pop(0)
        elif arguments.args:
            arguments.args.pop(0)
    returns = ast.unparse(function.returns) if function.returns is not None else None
    return f"({ast.unparse(arguments)})", returns


def read_stubs(path: pathlib.Path = STUBS) -> dict[str, tuple[str, str | None]]:
    """Full dotted name -> (argument list, return annotation) for every stubbed callable that
    has exactly one signature (overloaded ones keep what autodoc finds)."""
    tree = ast.parse(path.read_text())
    found: dict[str, list[tuple[str, str | None]]] = {}

    def visit(body, prefix, is_method):
        for node in body:
            if isinstance(node, ast.FunctionDef):
                found.setdefault(f"{prefix}.{node.name}", []).append(_signature(node, is_method))
            elif isinstance(node, ast.ClassDef):
                visit(node.body, f"{prefix}.{node.name}", True)

    visit(tree.body, "corvex", False)
    signatures = {name: options[0] for name, options in found.items() if len(options) == 1}
    # A class documents its constructor's arguments.
    for name in list(signatures):
        if name.endswith(".__init__"):
            signatures.setdefault(name[: -len(".__init__")], signatures[name])
    return signatures


@functools.cache
def _known() -> dict[str, tuple[str, str | None]]:
    return read_stubs()


def _apply(app, what, name, obj, options, signature, return_annotation):
    known = _known()
    if what not in ("function", "method", "class") or name not in known:
        return None
    arguments, returns = known[name]
    return arguments, (None if what == "class" else returns)


def setup(app):
    app.connect("autodoc-process-signature", _apply)
    return {"parallel_read_safe": True, "parallel_write_safe": True}
