# The two kinds of failure the command tells apart by exit status, and how a message is put on
# the one line of stderr that a failure gets.
"""Failures of a command: UsageError (status 2) and DataError (status 1); warnings on one line."""

from __future__ import annotations

import sys
import warnings
from typing import Any


class UsageError(Exception):
    """The command line asks for something impossible: a bad option value, an unknown parameter."""


class DataError(Exception):
    """The data cannot give what was asked: an unreadable file, a spectrum that failed."""


def one_line(error: BaseException) -> str:
    """The message of `error` on one line (a KeyError's argument without its quotes)."""
    text = str(error.args[0]) if isinstance(error, KeyError) and error.args else str(error)
    return " ".join(text.split()) or type(error).__name__


def warn_on_one_line(prog: str) -> None:
    """Show warnings (a reader's "file holds fewer points than announced") as one line each,
    without the source line that Python prints under them."""

    def show(message: Warning | str, category: type[Warning], *args: Any, **kwargs: Any) -> None:
        print(f"{prog}: warning: {' '.join(str(message).split())}", file=sys.stderr)

    warnings.showwarning = show
