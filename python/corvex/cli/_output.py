# Where a subcommand's table goes: a CSV or Parquet file with -o, else standard output, as
# aligned text on a terminal and as CSV for pipes and redirections.
"""Writing and showing result tables."""

from __future__ import annotations

import argparse
import os
import sys
import tempfile
from collections.abc import Sequence
from typing import Any

_SUFFIXES = (".csv", ".parquet", ".pq")


def add_output(parser: argparse.ArgumentParser, what: str) -> None:
    parser.add_argument("-o", "--output", type=_table_path, metavar="FILE",
                        help=f"write {what} to FILE (.csv or .parquet) instead of standard output")


def _table_path(text: str) -> str:
    # Checked before the work starts, so that a typo does not cost a long batch.
    if os.path.splitext(text)[1].lower() not in _SUFFIXES:
        raise argparse.ArgumentTypeError(f"expected a .csv or .parquet file name, got {text!r}")
    folder = os.path.dirname(text) or "."
    if not os.path.isdir(folder):
        raise argparse.ArgumentTypeError(f"no folder {os.path.dirname(text)!r} to write {text!r} into")
    if os.path.isdir(text):
        raise argparse.ArgumentTypeError(f"{text!r} is a folder, not a file to write")
    try:
        # The table is written beside its target and renamed over it: a folder that takes no new
        # file fails here, named as the user wrote it, and not after the whole batch.
        with tempfile.NamedTemporaryFile(dir=folder, prefix=".corvex-", suffix=".probe"):
            pass
    except OSError as error:
        raise argparse.ArgumentTypeError(f"cannot write {text!r}: {error.strerror or error}") from None
    return text


def refuse_inputs_as_output(inputs: Sequence[str], output: str) -> None:
    """UsageError when `output` is one of the `inputs` (by another name, through a link): writing
    the table would replace the measurements it was made from."""
    from corvex.cli._errors import UsageError

    target = os.path.realpath(output)
    for name in inputs:
        if name == "-" or not os.path.exists(name):
            continue
        if os.path.realpath(name) == target or (os.path.exists(output) and os.path.samefile(name, output)):
            raise UsageError(f"argument -o/--output: {output!r} is the input file {name!r}; "
                             "writing the table there would replace the data")


def interactive() -> bool:
    """Whether a person is watching: stdout and stderr both on a terminal."""
    return sys.stdout.isatty() and sys.stderr.isatty()


def emit(table: Any, output: str | None, shown: Sequence[str] | None = None) -> None:
    """Write `table` to `output`, or print it: the `shown` columns as text on a terminal,
    every column but "result" as CSV otherwise. A "result" column of FitResults is kept in
    files as JSON documents (corvex.io.read_table reads them back)."""
    import corvex.io

    if output is not None:
        corvex.io.write_table(table, output)
        return
    plain = table.drop(columns=[name for name in ("result",) if name in table.columns])
    if sys.stdout.isatty():
        import pandas as pd

        columns = [name for name in shown if name in plain.columns] if shown is not None else list(plain.columns)
        view = plain[columns].copy()
        for name in view.columns:
            if view[name].dtype == object:  # "no error" is None there, which reads better as blank
                view[name] = view[name].fillna("")
        with pd.option_context("display.max_rows", None, "display.width", None, "display.max_columns", None):
            print(view.to_string(index=False, na_rep="-"))
    else:
        plain.to_csv(sys.stdout, index=False)
