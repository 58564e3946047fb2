# The directions the code's layers may depend in, checked by reading the sources: which core
# folders each folder includes, the binding layer's rooms, and no import circles in Python.
import ast
import re
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parent.parent
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.MULTILINE)
ROOM_INCLUDE = re.compile(r'^\s*#\s*include\s+"python/([a-z_]+)/', re.MULTILINE)

# Each core folder and the folders it may include, its own among them (docs/ARCHITECTURE.md).
CORE = {
    "util": {"util"},
    "elements": {"elements", "util"},
    "circuit": {"circuit", "elements", "util"},
    "nn": {"nn", "util"},
    "models": {"models", "nn", "circuit", "elements", "util"},
    "fit": {"fit", "circuit", "elements", "util"},
    "guess": {"guess", "models", "nn", "fit", "circuit", "elements", "util"},
    "batch": {"batch", "analysis", "guess", "models", "nn", "fit", "circuit", "elements", "util"},
    "analysis": {"analysis", "guess", "models", "nn", "fit", "circuit", "elements", "util"},
    "series": {"series", "fit", "circuit", "elements", "util"},
    "discovery": {"discovery", "batch", "analysis", "guess", "models", "nn", "fit", "circuit", "elements", "util"},
}
# The binding layer's rooms and the rooms each may include; module.cc above them gathers all.
ROOMS = {
    "module": {"module"},
    "convert": {"module", "convert"},
    "types": {"module", "convert", "types"},
    "entries": {"module", "convert", "types", "entries"},
    "analyses": {"module", "convert", "types", "analyses"},
}


def _sources(folder: Path) -> list[Path]:
    return sorted(p for p in folder.rglob("*") if p.suffix in (".h", ".cc"))


@pytest.mark.parametrize("layer", sorted(CORE))
def test_core_folders_include_only_their_own_layer_and_those_below(layer):
    wrong = [(p.relative_to(ROOT).as_posix(), target) for p in _sources(ROOT / "src" / layer)
             for target in INCLUDE.findall(p.read_text()) if target not in CORE[layer]]
    assert wrong == []


@pytest.mark.parametrize("room", sorted(ROOMS))
def test_binding_rooms_include_only_the_rooms_below_them(room):
    folder = ROOT / "src" / "python" / room
    wrong = [(p.relative_to(ROOT).as_posix(), target) for p in _sources(folder)
             for target in ROOM_INCLUDE.findall(p.read_text()) if target not in ROOMS[room]]
    assert wrong == []
    assert len(_sources(folder)) <= 16, "a room this large wants splitting by purpose"


def _module_name(path: Path, top: Path, package: str) -> str:
    parts = list(path.relative_to(top).with_suffix("").parts)
    if parts[-1] == "__init__":
        parts.pop()
    return ".".join([package, *parts])


def _imports(path: Path, name: str, known: set[str]) -> set[str]:
    # Every import anywhere in the file, function-level ones too: a deferred import still
    # makes the two modules depend on each other.
    package = name if path.name == "__init__.py" else name.rpartition(".")[0]
    found = set()
    for node in ast.walk(ast.parse(path.read_text())):
        if isinstance(node, ast.Import):
            targets = [alias.name for alias in node.names]
        elif isinstance(node, ast.ImportFrom):
            base = node.module or ""
            if node.level:
                anchor = package.split(".")[: len(package.split(".")) - node.level + 1]
                base = ".".join(anchor + ([base] if base else []))
            # "from package import module" depends on the module; any other name is the base's.
            targets = [f"{base}.{alias.name}" if f"{base}.{alias.name}" in known else base for alias in node.names]
        else:
            continue
        for target in targets:
            while target and target not in known:
                target = target.rpartition(".")[0]
            if target and target != name:
                found.add(target)
    return found


def _circles(top: Path, package: str) -> list[list[str]]:
    files = {_module_name(p, top, package): p for p in top.rglob("*.py")}
    graph = {name: _imports(path, name, set(files)) for name, path in files.items()}
    circles, state = [], {}

    def visit(name: str, trail: list[str]) -> None:
        state[name] = "open"
        for target in sorted(graph[name]):
            if state.get(target) == "open":
                circles.append(trail[trail.index(target):] + [target])
            elif target not in state:
                visit(target, trail + [target])
        state[name] = "done"

    for name in sorted(graph):
        if name not in state:
            visit(name, [name])
    return circles


@pytest.mark.parametrize("top, package", [("python/corvex", "corvex"), ("training/corvex_train", "corvex_train")])
def test_python_packages_import_without_circles(top, package):
    assert _circles(ROOT / top, package) == []
