# The built documentation site lists every public name of corvex and of its submodules in its
# API reference; make docs builds the site before make test runs this.
import importlib
import pathlib
import pkgutil

import pytest

import corvex

PAGES = pathlib.Path(__file__).resolve().parents[1] / "build" / "docs" / "html" / "api" / "generated"


@pytest.mark.skipif(not PAGES.is_dir(), reason="no built site: make docs builds it")
def test_every_public_name_has_a_page_in_the_api_reference():
    modules = ["corvex"] + [f"corvex.{m.name}" for m in pkgutil.iter_modules(corvex.__path__) if not m.name.startswith("_")]
    names = [f"{module}.{name}" for module in modules for name in importlib.import_module(module).__all__]
    assert len(names) > 40
    assert [name for name in names if not (PAGES / f"{name}.html").is_file()] == []


@pytest.mark.skipif(not PAGES.is_dir(), reason="no built site: make docs builds it")
def test_pages_typeset_their_formulas_with_a_copy_of_mathjax_in_the_site():
    # Offline, a MathJax from the web would leave raw TeX on every page with a formula.
    import re

    site = PAGES.parents[1]
    page = (site / "guide" / "fitting.html").read_text(encoding="utf-8")
    sources = re.findall(r'<script[^>]*src="([^"]*MathJax\.js[^"]*)"', page)
    assert sources and not any("//" in source for source in sources)
    script = (site / "guide" / sources[0].split("?")[0]).resolve()
    assert script.is_file()
    config = sources[0].split("config=")[1]
    assert (script.parent / "config" / f"{config}.js").is_file()
    assert (script.parent / "jax" / "output" / "CommonHTML" / "jax.js").is_file()
