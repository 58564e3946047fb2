# `corvex check`: the linear Kramers-Kronig test (or Z-HIT) of every spectrum, with an exit
# status that a shell script can gate on.
"""The check subcommand."""

from __future__ import annotations

import argparse
import sys
from typing import Any

from corvex.cli._inputs import add_by, add_files, add_workers, existing_keys, read_files
from corvex.cli._output import add_output, emit
from corvex.cli._parser import positive_number, positive_whole_number
from corvex.cli._points import add_point_options, choose_points

_SHOWN = ("passed", "pseudo_chi_square", "noise_level", "noise_estimated", "whiteness_p", "rc_count", "mu",
          "too_flexible", "error")
_SHOWN_ZHIT = ("passed", "largest_residual", "rms_residual", "error")


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "check", help="Kramers-Kronig test (or Z-HIT) of each spectrum (status 1 when one fails)",
        description="Test each spectrum for consistency with the Kramers-Kronig relations. By default the "
                    "linear test: RC elements with log-spaced time constants, four per decade over the measured "
                    "range widened by half a decade, with a series capacitance, are fitted to the data, and "
                    "the spectrum passes when the pseudo chi-square of the residuals stays within what its "
                    "noise explains. The table has one row per spectrum: its keys, passed, pseudo_chi_square, "
                    "noise_level, noise_estimated, whiteness_p (runs test of the residuals), rc_count, mu, "
                    "too_flexible and error. --method zhit reconstructs |Z| from the phase instead (Z-HIT) "
                    "and reports passed, largest_residual, rms_residual and error.",
        epilog="exit status: 0 when every spectrum passes; 1 when a spectrum fails the test or cannot be "
               "tested (the table is still written), or a file cannot be read; 2 for a usage error.")
    add_files(parser)
    add_by(parser)
    parser.add_argument("--method", choices=("density", "mu", "zhit"), default="density",
                        help="how the test chooses the number of RC elements: density (default, four per decade), "
                             "mu (the criterion of Schoenleber et al. 2014, for comparison with other tools); or "
                             "zhit for Z-HIT")
    parser.add_argument("--noise", type=positive_number, metavar="LEVEL",
                        help="relative noise of the data, 0.01 for 1%% of |Z|, for example the instrument's accuracy "
                             "(default: estimated from the residuals, at least 0.2%%)")
    parser.add_argument("--rc-count", type=positive_whole_number, metavar="M",
                        help="number of RC elements (default: chosen by --method); more than the spectrum has "
                             "frequencies is flagged too_flexible, since such a chain can hardly fail")
    parser.add_argument("--part", choices=("complex", "real", "imaginary"), default="complex",
                        help="the part of the data fitted (default: complex)")
    parser.add_argument("--admittance", action="store_true",
                        help="test the admittance 1/Z instead of the impedance (Boukamp 1995)")
    parser.add_argument("--window", type=positive_number, nargs=2, metavar=("LOW", "HIGH"),
                        help="zhit: the frequencies in Hz between which the offset is fitted (default: all)")
    add_workers(parser)
    add_point_options(parser)
    add_output(parser, "the table")
    parser.set_defaults(run=run)


def run(arguments: argparse.Namespace) -> int:
    frame = read_files(arguments.files)
    by = existing_keys(frame, arguments.by)
    frame = choose_points(frame, by, arguments)
    shown: tuple[str, ...]
    if arguments.method == "zhit":
        from corvex.analysis import zhit

        table = zhit(frame, by=by, window=arguments.window, n_jobs=arguments.jobs)
        shown = _SHOWN_ZHIT
    else:
        from corvex.analysis import kramers_kronig

        table = kramers_kronig(frame, by=by, method=arguments.method, admittance=arguments.admittance,
                               fit=arguments.part, rc_count=arguments.rc_count, noise_level=arguments.noise,
                               n_jobs=arguments.jobs)
        shown = _SHOWN
        flexible = sum(bool(value) for value in table["too_flexible"] if value is not None)
        if flexible:
            print(f"corvex check: warning: {flexible} of {len(table)} spectra have more RC elements than "
                  "frequencies; such a chain can follow the deviations the test is meant to catch",
                  file=sys.stderr)
    table = table.drop(columns="result")
    keys = [name for name in table.columns if name not in shown]
    emit(table, arguments.output, [*keys, *shown])
    failing = sum(not (passed is not None and bool(passed)) for passed in table["passed"])
    if failing:
        print(f"corvex check: {failing} of {len(table)} spectra fail the test or could not be tested",
              file=sys.stderr)
    return 1 if failing else 0
