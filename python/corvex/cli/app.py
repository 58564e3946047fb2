# `corvex app`: starts the interactive app when its extra is installed, and otherwise says
# how to install it.
"""The app subcommand."""

from __future__ import annotations

import argparse
import importlib
from typing import Any

from corvex.cli._errors import DataError


def add_parser(commands: Any) -> None:
    # Every argument after "app" is the app's own, --help included: with no option prefix of its
    # own, this parser hands "--port 8051" on as words instead of refusing it as unknown.
    parser = commands.add_parser(
        "app", help="start the interactive app (needs the app extra)", prefix_chars="\0", add_help=False,
        description="Start corvex's interactive app in the browser. It needs the app extra: "
                    "pip install \"corvex[app]\". Arguments after app are the app's own.")
    parser.add_argument("arguments", nargs=argparse.REMAINDER, help="the app's own arguments")
    parser.set_defaults(run=run)


def run(arguments: argparse.Namespace) -> int:
    try:
        app = importlib.import_module("corvex.app")
    except ModuleNotFoundError as error:
        if error.name is not None and not error.name.startswith("corvex"):
            raise DataError(f"the app needs {error.name}, which is not installed: pip install \"corvex[app]\"") from None
        raise DataError("the app is not installed: pip install \"corvex[app]\"") from None
    status: int | None = app.main(arguments.arguments)
    return status or 0
