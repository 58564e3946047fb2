# `corvex read`: instrument files as the tidy table of the battery data format, or on a
# terminal a summary line per spectrum.
"""The read subcommand."""

from __future__ import annotations

import argparse
import sys
from typing import Any

from corvex.cli._inputs import add_files, read_files, spectrum_keys
from corvex.cli._output import add_output, emit
from corvex.cli._points import add_point_options, choose_points
from corvex.points._table import KEPT

_FREQUENCY = "Frequency / Hz"


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "read", help="read instrument files into one table",
        description="Read instrument files into one long table with the battery data format's columns "
                    "(\"Frequency / Hz\", \"Real Impedance / ohm\", \"Imaginary Impedance / ohm\", then what the "
                    "file records of time, voltage, current, cycle and temperature), led by a \"file\" column "
                    "and, for files holding several spectra, a \"Spectrum\" column. Without -o, a terminal "
                    "gets a summary line per spectrum (points, frequency range) and a pipe gets the table as CSV.")
    add_files(parser)
    add_point_options(parser)
    add_output(parser, "the table")
    parser.set_defaults(run=run)


def run(arguments: argparse.Namespace) -> int:
    frame = read_files(arguments.files)
    frame = choose_points(frame, spectrum_keys(frame, None), arguments)
    if arguments.output is None and sys.stdout.isatty():
        emit(summary(frame), None)
    else:
        emit(frame, arguments.output)
    return 0


def summary(frame: Any) -> Any:
    """One row per spectrum: its keys, number of points (and of kept ones, when points were
    chosen) and frequency range."""
    keys = spectrum_keys(frame, None)
    table = frame.groupby(keys, sort=False)[_FREQUENCY].agg(points="size", f_min_hz="min", f_max_hz="max")
    if KEPT in frame.columns:
        table.insert(1, "kept", frame.groupby(keys, sort=False)[KEPT].sum())
    return table.reset_index()
