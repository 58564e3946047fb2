# Sphinx configuration of the corvex documentation site: PyData theme, Markdown pages through
# MyST, the API reference generated from each module's __all__, and the examples executed as a gallery.
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE / "_ext"))

import corvex  # noqa: E402  (the installed package, so the reference shows what users get)

project = "corvex"
author = "the corvex developers"
copyright = "the corvex developers"
release = corvex.__version__  # the package metadata's, shown in every page's title

extensions = [
    "sphinx.ext.autodoc",
    "sphinx.ext.autosummary",
    "sphinx.ext.napoleon",
    "sphinx.ext.mathjax",
    "myst_parser",
    "sphinx_gallery.gen_gallery",
    "api_pages",
    "stub_signatures",
]

source_suffix = {".rst": "restructuredtext", ".md": "markdown"}
templates_path = ["_templates"]
exclude_patterns = ["_build", "_ext", "gallery/*.ipynb", "gallery/*.py", "gallery/*.zip"]
# Docstrings write the modulus as |Z|, which reStructuredText reads as a substitution: define it as itself.
rst_prolog = "\n".join(f".. |{name}| replace:: \\|{name}\\|" for name in ("Z", "Z_fit", "z"))
myst_enable_extensions = ["dollarmath", "amsmath"]
myst_heading_anchors = 3

autosummary_generate = True
autodoc_default_options = {"members": True, "undoc-members": False}
autodoc_typehints = "description"
napoleon_numpy_docstring = True
napoleon_google_docstring = False

html_theme = "pydata_sphinx_theme"
html_title = f"corvex {release}"
html_static_path: list[str] = []
html_theme_options = {
    "navigation_with_keys": False,
    "show_toc_level": 2,
    "secondary_sidebar_items": ["page-toc"],
}
html_show_sourcelink = False

sphinx_gallery_conf = {
    "examples_dirs": "../examples",
    "gallery_dirs": "gallery",
    # Every tour script runs, so a broken example fails the build.
    "filename_pattern": r"(quickstart|tour_\w+)\.py$",
    # The app's screenshot needs a browser; `make demo` runs it, the gallery leaves it out.
    "ignore_pattern": r"(__init__|app_screenshot)\.py$",
    "image_scrapers": ("matplotlib", "tour_scripts"),
    "reset_modules": ("matplotlib", "tour_scripts.provide_script_path"),
    "within_subsection_order": "FileNameSortKey",
    "abort_on_example_error": True,
    "download_all_examples": False,
    "show_signature": False,
    "remove_config_comments": True,
}
