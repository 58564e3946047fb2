# Every ```python block of the README and the docs pages runs as written, on its own, from the
# repository's root: a reader who pastes one gets no NameError. Blocks that need a cluster or
# a file the reader has are written as {code-block} python and are not run.
import os
import pathlib
import re

import pytest

import corvex

ROOT = pathlib.Path(__file__).resolve().parents[1]
PAGES = [ROOT / "README.md", *sorted((ROOT / "docs").rglob("*.md"))]
BLOCK = re.compile(r"^```python\n(.*?)^```", re.MULTILINE | re.DOTALL)


def snippets():
    for page in PAGES:
        for number, match in enumerate(BLOCK.finditer(page.read_text(encoding="utf-8")), start=1):
            yield pytest.param(match.group(1), id=f"{page.relative_to(ROOT)}#{number}")


@pytest.mark.parametrize("code", snippets())
def test_snippet_runs_on_its_own(code, tmp_path, monkeypatch):
    pytest.importorskip("pandas")
    pytest.importorskip("matplotlib")
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    # Files the snippet writes go to a scratch folder that sees the examples as the root does.
    os.symlink(ROOT / "examples", tmp_path / "examples")
    monkeypatch.chdir(tmp_path)
    try:
        exec(compile(code, "<snippet>", "exec"), {"__name__": "__snippet__"})
    finally:
        plt.close("all")


def test_the_table_of_named_models_is_what_circuit_accepts():
    from corvex.circuits import named_models

    page = (ROOT / "docs" / "guide" / "circuits.md").read_text(encoding="utf-8")
    rows = re.findall(r"^\| `(\w+)` \| `([^`]+)` \|", page, re.MULTILINE)
    assert dict(rows) == named_models()
    for name, notation in rows:
        assert corvex.Circuit(notation).param_names() == corvex.Circuit(name).param_names()
