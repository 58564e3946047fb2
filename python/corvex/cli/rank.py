# `corvex rank`: the carried circuit topologies (or the ones named) fitted to every spectrum
# and ordered by BIC (or AICc with a parsimony rule), keeping the best few per spectrum.
"""The rank subcommand."""

from __future__ import annotations

import argparse
import sys
from typing import Any

from corvex.cli._circuit import circuit_argument
from corvex.cli._inputs import add_by, add_files, add_workers, existing_keys, positive_whole_number, read_files
from corvex.cli._output import add_output, emit

_SHOWN = ("rank", "circuit", "parameters", "success", "chi_square", "delta_aicc", "aicc_weight", "flagged", "error")


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "rank", help="rank candidate circuits for each spectrum by BIC or AICc",
        description="Fit every candidate circuit (by default the carried topologies) to each spectrum from "
                    "its network guess and from the values read off the data, and rank them by the Bayesian "
                    "information criterion (or, with --criterion aicc, by the corrected Akaike information "
                    "criterion, the fewest parameters within 2 of the best first), both reported. The table "
                    "has one row per candidate and spectrum, best "
                    "first: the spectrum's keys, rank, circuit, parameters, success, chi_square, aicc, "
                    "delta_aicc, aicc_weight, bic, bic_rank, guessed, from_data, at_bounds and not_identifiable "
                    "(parameter names separated by spaces), flagged, error, and the fit result (kept in -o "
                    "files as JSON).",
        epilog="exit status: 0 when every spectrum was ranked; 1 when a file cannot be read or a spectrum "
               "could not be ranked (the table is still written); 2 for a usage error.")
    add_files(parser)
    parser.add_argument("--top", type=positive_whole_number, metavar="N", help="keep the N best candidates of each spectrum")
    parser.add_argument("-c", "--circuit", action="append", dest="circuits", metavar="NOTATION|NAME",
                        help="a candidate circuit instead of the carried topologies (repeatable)")
    parser.add_argument("--thorough", action="store_true",
                        help="refine every candidate with the robust starts of a full fit: several times slower, "
                             "for hard spectra")
    parser.add_argument("--criterion", choices=("bic", "aicc"), default="bic",
                        help="the criterion that orders the candidates (default: bic)")
    add_by(parser)
    add_workers(parser)
    add_output(parser, "the table")
    parser.set_defaults(run=run)


def run(arguments: argparse.Namespace) -> int:
    from corvex.analysis import rank_circuits

    frame = read_files(arguments.files)
    keys = existing_keys(frame, arguments.by)
    for notation in arguments.circuits or ():
        circuit_argument(notation)
    table = rank_circuits(frame, by=keys, circuits=arguments.circuits, thorough=arguments.thorough,
                          criterion=arguments.criterion, n_jobs=arguments.jobs)
    if arguments.top is not None:
        table = table[~(table["rank"] > arguments.top)].reset_index(drop=True)
    for column in ("at_bounds", "not_identifiable"):
        table[column] = [" ".join(names) if isinstance(names, tuple) else names for names in table[column]]
    emit(table, arguments.output, [*keys, *_SHOWN])
    failed = len({tuple(row) for row in table.loc[table["rank"].isna(), keys].itertuples(index=False)})
    if failed:
        print(f"corvex rank: {failed} spectra could not be ranked (see the error column)", file=sys.stderr)
    return 1 if failed else 0
