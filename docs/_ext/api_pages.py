# Writes the API reference's source pages before Sphinx reads them: one page per public module
# of corvex, listing exactly that module's __all__, so every public name is documented by construction.
import importlib
import pathlib
import pkgutil

import corvex


def public_modules() -> list[str]:
    """corvex and each of its submodules whose name does not start with an underscore."""
    found = [info.name for info in pkgutil.iter_modules(corvex.__path__) if not info.name.startswith("_")]
    return ["corvex"] + [f"corvex.{name}" for name in sorted(found)]


def public_names(module_name: str) -> list[str]:
    module = importlib.import_module(module_name)
    names = getattr(module, "__all__", None)
    if names is None:
        raise RuntimeError(f"{module_name} declares no __all__, so its public names are unknown")
    return list(names)


def _module_page(module_name: str) -> str:
    title = f"``{module_name}``"
    lines = [title, "=" * len(title), "", f".. automodule:: {module_name}", "   :no-members:", "",
             f".. currentmodule:: {module_name}", "", ".. autosummary::", "   :toctree: generated",
             "   :nosignatures:", ""]
    lines += [f"   {name}" for name in public_names(module_name)]
    return "\n".join(lines) + "\n"


def _index_page(modules: list[str]) -> str:
    lines = ["API reference", "=============", "",
             "Every public name of ``corvex`` and of its submodules, from their docstrings; the",
             "signatures of the compiled module come from its type stubs.", "",
             ".. toctree::", "   :maxdepth: 1", ""]
    lines += [f"   {name}" for name in modules]
    return "\n".join(lines) + "\n"


def _write_if_changed(path: pathlib.Path, text: str) -> None:
    # An unchanged file keeps its time stamp, so Sphinx does not re-read it.
    if not path.exists() or path.read_text() != text:
        path.write_text(text)


def write_pages(app, config) -> None:
    folder = pathlib.Path(app.srcdir) / "api"
    folder.mkdir(exist_ok=True)
    modules = public_modules()
    _write_if_changed(folder / "index.rst", _index_page(modules))
    for name in modules:
        _write_if_changed(folder / f"{name}.rst", _module_page(name))


def setup(app):
    # As soon as the configuration is read: Sphinx lists the source files before the builder
    # starts, and autosummary generates its stubs from the pages it finds then.
    app.connect("config-inited", write_pages)
    return {"parallel_read_safe": True, "parallel_write_safe": True}
