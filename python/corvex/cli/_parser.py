# The argparse parser every corvex command and subcommand is built on: usage errors on one line
# with status 2, and help texts laid out as paragraphs with their examples kept as written.
"""The parser class of the command line."""

from __future__ import annotations

import argparse
import math
from typing import Any, NoReturn


class ParagraphFormatter(argparse.HelpFormatter):
    """Descriptions and epilogs as paragraphs separated by blank lines, each filled to the
    terminal's width; a paragraph whose lines are indented (an example) is left as written."""

    def _fill_text(self, text: str, width: int, indent: str) -> str:
        filled = []
        for paragraph in text.strip("\n").split("\n\n"):
            filled.append(paragraph if paragraph.startswith(" ") else super()._fill_text(paragraph, width, indent))
        return "\n\n".join(filled)


class Parser(argparse.ArgumentParser):
    """argparse with its errors on one line: the message and where to find help."""

    def __init__(self, *args: Any, **kwargs: Any) -> None:
        kwargs.setdefault("formatter_class", ParagraphFormatter)
        super().__init__(*args, **kwargs)

    def error(self, message: str) -> NoReturn:
        self.exit(2, f"{self.prog}: error: {message} (see {self.prog} --help)\n")


def positive_number(text: str) -> float:
    """An option value that must be a finite number above zero, refused when the line is parsed."""
    try:
        value = float(text)
    except ValueError:
        value = math.nan
    if not (math.isfinite(value) and value > 0):
        raise argparse.ArgumentTypeError(f"expected a positive number, got {text!r}")
    return value


def positive_whole_number(text: str) -> int:
    """An option value that must be a whole number of at least one."""
    try:
        value = int(text)
    except ValueError:
        value = 0
    if value < 1:
        raise argparse.ArgumentTypeError(f"expected a positive whole number, got {text!r}")
    return value
