# The FILE arguments every subcommand takes: instrument files read by corvex.io, or `-` for a
# CSV on standard input, gathered into one long table with the file as its first key.
"""Reading the command's input files into one long pandas frame keyed by file."""

from __future__ import annotations

import argparse
import os
import sys
import tempfile
from collections.abc import Sequence
from typing import Any

from corvex.cli._errors import DataError, UsageError

FILE_COLUMN = "file"
STDIN = "-"

# The column corvex.io.read numbers the spectra of a multi-spectrum file by.
SPECTRUM_COLUMN = "Spectrum"


def add_files(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("files", nargs="+", metavar="FILE",
                        help="instrument file in any format corvex.io.read recognises, or - for a "
                             "battery-data-format CSV on standard input")


def add_by(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("--by", action="append", metavar="COLUMN",
                        help="column telling the spectra of a file apart (repeatable; default: the file's "
                             "\"Spectrum\" column, if any)")


def add_workers(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("-j", "--jobs", type=_jobs, default=None, metavar="N",
                        help="spectra processed at once (default: one per processor; -1 likewise, -2 all but one)")


def _jobs(text: str) -> int:
    try:
        value = int(text)
    except ValueError:
        raise argparse.ArgumentTypeError(f"expected a whole number, got {text!r}") from None
    if value == 0:
        raise argparse.ArgumentTypeError("expected a positive number, or a negative one counted back from all processors")
    return value


def positive_whole_number(text: str) -> int:
    """An argparse type: a whole number of at least 1."""
    try:
        value = int(text)
    except ValueError:
        value = 0
    if value < 1:
        raise argparse.ArgumentTypeError(f"expected a positive whole number, got {text!r}")
    return value


def positive_number(text: str) -> float:
    """An argparse type: a finite number above 0."""
    try:
        value = float(text)
    except ValueError:
        value = float("nan")
    if not (0.0 < value < float("inf")):
        raise argparse.ArgumentTypeError(f"expected a positive number, got {text!r}")
    return value


def read_files(paths: Sequence[str]) -> Any:
    """One pandas frame of every file's points, the file name (as given) in a leading "file"
    column; DataError naming the file, and the line where the reader found the fault."""
    if list(paths).count(STDIN) > 1:
        raise UsageError("standard input (-) can be read only once")
    frames = []
    for path in paths:
        frame = _read_stdin() if path == STDIN else _read(path)
        frame.attrs.clear()  # per-file headers; concat would drop them anyway
        frame.insert(0, FILE_COLUMN, path)
        frames.append(frame)
    import pandas as pd  # after reading, so that a missing pandas gets corvex.io's message

    frame = pd.concat(frames, ignore_index=True)
    if SPECTRUM_COLUMN in frame.columns:
        # A file holding one spectrum, read beside files holding several, is spectrum 0: a
        # missing key would make the analyses' grouping drop its points.
        frame[SPECTRUM_COLUMN] = frame[SPECTRUM_COLUMN].fillna(0).astype("int64")
    return frame


def _read(path: str, shown_as: str | None = None) -> Any:
    import corvex.io

    try:
        return corvex.io.read(path)
    except (ValueError, OSError) as error:
        message = str(error) if isinstance(error, ValueError) else f"{error.strerror or error}"
        if shown_as is not None:
            message = message.replace(path, shown_as)
        elif isinstance(error, OSError):
            message = f"{path}: {message}"
        raise DataError(message) from None


def _read_stdin() -> Any:
    # The readers take a path: standard input is held in a temporary file for them, under a
    # .csv name so that the delimited reader is chosen when the content says nothing else.
    data = sys.stdin.buffer.read()
    with tempfile.TemporaryDirectory(prefix="corvex-") as folder:
        path = os.path.join(folder, "stdin.csv")
        with open(path, "wb") as handle:
            handle.write(data)
        return _read(path, shown_as="<stdin>")


def spectrum_keys(frame: Any, by: Sequence[str] | None) -> list[str]:
    """The columns that tell one spectrum from another: the file, then `by` when given, else
    the file's own spectrum numbers when it holds several."""
    keys = [FILE_COLUMN]
    if by:
        keys += [name for name in by if name != FILE_COLUMN]
    elif SPECTRUM_COLUMN in frame.columns:
        keys.append(SPECTRUM_COLUMN)
    return keys


def existing_keys(frame: Any, by: Sequence[str] | None) -> list[str]:
    """spectrum_keys(), refused as a usage error when a --by column is not in the files."""
    keys = spectrum_keys(frame, by)
    missing = [name for name in keys if name not in frame.columns]
    if missing:
        raise UsageError(f"argument --by: no column {missing[0]!r}; the files have {', '.join(map(repr, frame.columns))}")
    return keys
