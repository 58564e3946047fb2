# Sphinx configuration of the corvex documentation site: PyData theme, Markdown pages through
# MyST, the API reference generated from each module's __all__, and the examples executed as a gallery.
import pathlib
import shutil
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
# Formulas are typeset by Debian's MathJax 2 (libjs-mathjax, installed by make), copied into the
# site, so that pages read offline show mathematics rather than raw TeX: only what the CommonHTML
# output of TeX input needs.
MATHJAX = pathlib.Path("/usr/share/javascript/mathjax")
MATHJAX_PARTS = ("MathJax.js", "config/TeX-AMS_CHTML.js", "extensions", "jax/input/TeX", "jax/element",
                 "jax/output/CommonHTML", "fonts/HTML-CSS/TeX/woff")
mathjax_path = "mathjax/MathJax.js?config=TeX-AMS_CHTML"
# MyST marks the pages' text as not to be searched for TeX; MathJax 2 typesets the math elements.
mathjax2_config = {"tex2jax": {"processClass": "math|tex2jax_process|mathjax_process",
                               "ignoreClass": "tex2jax_ignore|mathjax_ignore"}}
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


def copy_mathjax(app, exception):
    """Copy MathJax's parts into the built site's _static/mathjax once the pages are written."""
    if exception is not None or app.builder.format != "html":
        return
    if not (MATHJAX / "MathJax.js").is_file():
        raise RuntimeError(f"no MathJax in {MATHJAX}: install Debian's libjs-mathjax (make debian does)")
    target = pathlib.Path(app.outdir) / "_static" / "mathjax"
    for part in MATHJAX_PARTS:
        source, destination = MATHJAX / part, target / part
        destination.parent.mkdir(parents=True, exist_ok=True)
        if source.is_dir():
            shutil.copytree(source, destination, dirs_exist_ok=True)
        else:
            shutil.copy2(source, destination)


def setup(app):
    app.connect("build-finished", copy_mathjax)
