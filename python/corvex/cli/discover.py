# `corvex discover`: circuits built from a grammar of elements, fitted to every spectrum and
# ordered simplest adequate first, by corvex.analysis.discover.
"""The discover subcommand."""

from __future__ import annotations

import argparse
import sys
from typing import Any

from corvex.cli._inputs import add_by, add_files, add_workers, existing_keys, read_files
from corvex.cli._output import add_output, emit
from corvex.cli._parser import positive_whole_number
from corvex.cli._points import add_point_options, choose_points

_SHOWN = ("rank", "circuit", "parameters", "success", "chi_square", "bic", "delta_bic", "runs_p", "flags", "error")


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "discover", help="find the circuits that explain each spectrum",
        description="Build candidate circuits from a grammar (a series resistor and inductor, arcs of a C or "
                    "CPE in parallel with a resistor and optional nested arc or diffusion element, and a tail "
                    "element), pruned by what each spectrum shows, fit them all and order them by BIC, the "
                    "simplest adequate one first, with corvex.analysis.discover. The table has one row per "
                    "candidate and spectrum: the spectrum's keys, rank, circuit, parameters, chi_square, aicc, "
                    "delta_aicc, aicc_weight, bic, delta_bic, runs_p, flags, flagged, success, start, error and "
                    "the fit result (kept in -o files as JSON).",
        epilog="example:\n\n  corvex discover cell.mpt --fmin 0.05 --drop-inductive --top 3\n\nexit status: 0 when "
               "every spectrum was analysed; 1 when a file cannot be read or a spectrum could not be analysed "
               "(the table is still written); 2 for a usage error.")
    add_files(parser)
    parser.add_argument("--top", type=positive_whole_number, metavar="N", help="keep the N first candidates of each spectrum")
    parser.add_argument("--max-parameters", type=positive_whole_number, default=10, metavar="N",
                        help="no candidate with more parameters (default: 10)")
    parser.add_argument("--max-depth", type=positive_whole_number, default=2, metavar="N",
                        help="arcs nested at most this many groups deep (default: 2)")
    parser.add_argument("--elements", metavar="CODES",
                        help="the element codes candidates may use, separated by commas, e.g. R,C,CPE,W "
                             "(default: all the grammar knows)")
    add_by(parser)
    add_workers(parser)
    add_point_options(parser)
    add_output(parser, "the table")
    parser.set_defaults(run=run)


def run(arguments: argparse.Namespace) -> int:
    from corvex.analysis import discover

    frame = read_files(arguments.files)
    keys = existing_keys(frame, arguments.by)
    frame = choose_points(frame, keys, arguments)
    options: dict[str, Any] = {"max_parameters": arguments.max_parameters, "max_depth": arguments.max_depth}
    if arguments.elements is not None:
        options["elements"] = [code.strip() for code in arguments.elements.split(",") if code.strip()]
    table = discover(frame, by=keys, top=arguments.top, n_jobs=arguments.jobs, **options)
    emit(table, arguments.output, [*keys, *_SHOWN])
    failed = len({tuple(row) for row in table.loc[table["rank"].isna(), keys].itertuples(index=False)})
    if failed:
        print(f"corvex discover: {failed} spectra could not be analysed (see the error column)", file=sys.stderr)
    return 1 if failed else 0
