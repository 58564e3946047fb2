# `corvex check`: the linear Kramers-Kronig test of every spectrum, with an exit status that
# a shell script can gate on.
"""The check subcommand."""

from __future__ import annotations

import argparse
import sys
from typing import Any

from corvex.cli._inputs import add_by, add_files, add_workers, existing_keys, read_files
from corvex.cli._output import add_output, emit
from corvex.cli._parser import positive_number, positive_whole_number
from corvex.cli._points import add_point_options, choose_points

_SHOWN = ("passed", "pseudo_chi_square", "noise_level", "rc_count", "mu", "error")


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "check", help="Kramers-Kronig test of each spectrum (status 1 when one fails)",
        description="Test each spectrum for consistency with the Kramers-Kronig relations by the linear "
                    "test of Schoenleber et al. (2014): RC elements with log-spaced time constants are fitted "
                    "to the data, and the spectrum passes when the pseudo chi-square of the residuals stays "
                    "within what its noise explains. The table has one row per spectrum: its keys, passed, "
                    "pseudo_chi_square, noise_level, rc_count, mu and error.",
        epilog="exit status: 0 when every spectrum passes; 1 when a spectrum fails the test or cannot be "
               "tested (the table is still written), or a file cannot be read; 2 for a usage error.")
    add_files(parser)
    add_by(parser)
    parser.add_argument("--noise", type=positive_number, metavar="LEVEL",
                        help="relative noise of the data, 0.01 for 1%% of |Z| (default: estimated from the residuals)")
    parser.add_argument("--rc-count", type=positive_whole_number, metavar="M",
                        help="number of RC elements (default: chosen by the mu criterion, which can stop at a "
                             "few elements with large residuals on nearly ideal spectra and fail them: give "
                             "20-30 for 60 points there)")
    parser.add_argument("--part", choices=("complex", "real", "imaginary"), default="complex",
                        help="the part of the data fitted (default: complex)")
    add_workers(parser)
    add_point_options(parser)
    add_output(parser, "the table")
    parser.set_defaults(run=run)


def run(arguments: argparse.Namespace) -> int:
    from corvex.analysis import kramers_kronig

    frame = read_files(arguments.files)
    frame = choose_points(frame, existing_keys(frame, arguments.by), arguments)
    table = kramers_kronig(frame, by=existing_keys(frame, arguments.by), fit=arguments.part,
                           rc_count=arguments.rc_count, noise_level=arguments.noise, n_jobs=arguments.jobs)
    table = table.drop(columns="result")
    keys = [name for name in table.columns if name not in _SHOWN]
    emit(table, arguments.output, [*keys, *_SHOWN])
    failing = sum(not (passed is not None and bool(passed)) for passed in table["passed"])
    if failing:
        print(f"corvex check: {failing} of {len(table)} spectra fail the test or could not be tested",
              file=sys.stderr)
    return 1 if failing else 0
