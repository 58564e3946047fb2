# Runs the tour scripts of examples/ as the gallery runs them with `make demo`: each finds its data
# through __file__, and saves its pictures into demo-figures/, from where they become the page's images.
import builtins
import pathlib
import shutil
import time

from sphinx_gallery.scrapers import figure_rst

ROOT = pathlib.Path(__file__).resolve().parents[2]
EXAMPLES = ROOT / "examples"
FIGURES = ROOT / "demo-figures"


class DemoFigureScraper:
    """Collects the PNGs written into demo-figures/ since the previous block finished."""

    def __init__(self) -> None:
        self.since = time.time_ns()

    def __repr__(self) -> str:
        # sphinx-gallery compares configurations by repr to decide whether to re-run examples.
        return "DemoFigureScraper"

    def __call__(self, block, block_vars, gallery_conf):
        written = sorted((path.stat().st_mtime_ns, path) for path in FIGURES.glob("*.png")
                         if path.stat().st_mtime_ns >= self.since)
        self.since = time.time_ns()
        targets = []
        for _, path in written:
            target = next(block_vars["image_path_iterator"])
            shutil.copyfile(path, target)
            targets.append(target)
        return figure_rst(targets, gallery_conf["src_dir"])


_SCRAPER = DemoFigureScraper()


def _get_sg_image_scraper():
    # sphinx-gallery asks again before every example; one scraper keeps one clock.
    return _SCRAPER


def provide_script_path(gallery_conf, fname, when):
    """sphinx-gallery leaves __file__ undefined in an example; a global of that name falls
    back to builtins, so the scripts resolve examples/data as they do when run directly."""
    if when == "before" and fname is not None:
        builtins.__file__ = str(EXAMPLES / fname)
        _SCRAPER.since = time.time_ns()
    elif hasattr(builtins, "__file__"):
        del builtins.__file__
