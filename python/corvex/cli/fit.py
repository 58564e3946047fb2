# `corvex fit`: one circuit fitted to every spectrum of the input files by corvex.batch.fit,
# with held parameters, bounds, weighting and the robust starts as options.
"""The fit subcommand."""

from __future__ import annotations

import argparse
import math
import os
import sys
from typing import Any

from corvex.cli._circuit import circuit_argument
from corvex.cli._errors import UsageError, one_line
from corvex.cli._inputs import add_files, add_workers, read_files, spectrum_keys
from corvex.cli._output import add_output, emit, interactive
from corvex.cli._points import add_point_options, choose_points
from corvex.cli._series import add_series_options, run_series, wanted

# The searches corvex.batch.fit runs, as Circuit.fit() names them, the default first.
METHODS = ("levenberg_marquardt", "nelder_mead", "particle_swarm", "simulated_annealing",
           "differential_evolution", "basin_hopping")


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "fit", help="fit a circuit to each spectrum",
        description="Fit one equivalent circuit to every spectrum of the files, in parallel, with "
                    "corvex.batch.fit. Each fit starts from the network guess and, unless --no-robust, from "
                    "deterministic extra starts. When a file holds a series of spectra (told apart by --by or by "
                    "the file's own spectrum numbers), each one is also refitted from its neighbours' values "
                    "in that order and the best fit kept. The table has one row per spectrum: its "
                    "keys (file, then the --by columns or the file's \"Spectrum\" column), start, success, "
                    "cost, chi_square, iterations, the fitted values with their standard errors and 95 % "
                    "intervals, runaway, flags (the values that are runaway, on a bound or not identifiable, as "
                    "text), error, and the fit result (kept in -o files as JSON, which "
                    "corvex.io.read_table reads back). A terminal shows a progress bar and the main columns.",
        epilog="example:\n\n  corvex fit cycling.csv --circuit two_rq --by \"Cycle Count / 1\" -o fits.parquet "
               "--report figs/\n\nexit status: 0 when every spectrum was fitted; 1 when a file cannot be read or "
               "a spectrum could not be fitted (its row keeps the message in the error column and the "
               "table is still written); 2 for a usage error.")
    add_files(parser)
    parser.add_argument("-c", "--circuit", required=True, metavar="NOTATION|NAME",
                        help="the circuit: a notation such as \"R0-p(R1,CPE1)\", or a carried model's name "
                             "such as two_rq")
    parser.add_argument("--hold", action="append", type=_held, default=[], metavar="PARAM=VALUE",
                        help="hold a parameter at a value, e.g. R0.r=3 (repeatable)")
    parser.add_argument("--bound", action="append", type=_bound, default=[], metavar="PARAM=LOW:HIGH",
                        help="keep a parameter within limits, e.g. CPE1.alpha=0.7:1; leave a side empty "
                             "for no limit there (repeatable)")
    parser.add_argument("--weight", choices=("modulus", "unit", "proportional"), default="modulus",
                        help="residual weighting (default: modulus)")
    parser.add_argument("--method", choices=METHODS, default=METHODS[0],
                        help="the search: Levenberg-Marquardt from the network guess (default), or a global "
                             "method polished by it; --hold, --bound and --weight proportional need the default")
    parser.add_argument("--seed", type=int, metavar="N", help="seed of a global method's random stream (default 0)")
    parser.add_argument("--robust", action=argparse.BooleanOptionalAction, default=True,
                        help="also fit from deterministic extra starts and keep the best (default: on)")
    parser.add_argument("--by", action="append", metavar="COLUMN",
                        help="column telling the spectra of a file apart and ordering them as a series, "
                             "e.g. \"Cycle Count / 1\" (repeatable; default: the file's \"Spectrum\" column, "
                             "if any)")
    add_series_options(parser)
    add_workers(parser)
    add_output(parser, "the table")
    add_point_options(parser)
    parser.add_argument("--report", metavar="DIR",
                        help="write a report picture (PNG) of each fit to DIR, and trend.png with each "
                             "parameter over the spectra; -j pictures are drawn at once")
    parser.set_defaults(run=run)


def _held(text: str) -> tuple[str, float]:
    name, _, value = text.partition("=")
    try:
        number = float(value)
    except ValueError:
        number = math.nan
    if not math.isfinite(number):
        raise argparse.ArgumentTypeError(f"expected PARAM=VALUE with a finite value such as R0.r=3, got {text!r}")
    return name.strip(), number


def _bound(text: str) -> tuple[str, tuple[float | None, float | None]]:
    name, _, limits = text.partition("=")
    low, colon, high = limits.partition(":")
    try:
        if not colon:
            raise ValueError
        bounds = (float(low) if low.strip() else None, float(high) if high.strip() else None)
    except ValueError:
        raise argparse.ArgumentTypeError(f"expected PARAM=LOW:HIGH such as CPE1.alpha=0.7:1, got {text!r}") from None
    if any(limit is not None and math.isnan(limit) for limit in bounds):
        raise argparse.ArgumentTypeError(f"a limit is not a number in {text!r}")
    if bounds[0] is not None and bounds[1] is not None and not bounds[0] < bounds[1]:
        raise argparse.ArgumentTypeError(f"the lower limit must be below the upper one in {text!r}")
    return name.strip(), bounds


def _check_names(circuit: Any, option: str, names: list[str]) -> None:
    known = circuit.param_names()
    for name in names:
        if name not in known:
            raise UsageError(f"argument {option}: the circuit has no parameter {name!r}; it has {', '.join(known)}")


def _flags(table: Any, circuit: Any, names: list[str], fixed: dict[str, float],
           bounds: dict[str, tuple[float | None, float | None]]) -> list[str]:
    """Each row's flagged values as one text ("runaway: R2.r; at bound: CPE1.alpha; ..."), "" for
    a sound fit or a spectrum not fitted."""
    from corvex import _fit_flags, _name_lists

    texts = []
    for position in range(len(table)):
        if table["result"].iloc[position] is None:
            texts.append("")
            continue
        values = {name: float(table[name].iloc[position]) for name in names}
        unresolved = [name for name in names if name not in fixed
                      and _is_false(table[f"{name}_identifiable"].iloc[position])]
        texts.append(_fit_flags.describe(_name_lists.names_of(table["runaway"].iloc[position]) or (),
                                         _fit_flags.at_bounds(circuit, values, bounds, fixed), unresolved))
    return texts


def _is_false(judged: Any) -> bool:
    """A cell of a nullable boolean column that holds False (NA: not judged, as a held value)."""
    import pandas as pd

    return judged is not None and judged is not pd.NA and not judged


def run(arguments: argparse.Namespace) -> int:
    import corvex.batch

    circuit = circuit_argument(arguments.circuit)
    fixed = dict(arguments.hold)
    bounds = dict(arguments.bound)
    _check_names(circuit, "--hold", list(fixed))
    _check_names(circuit, "--bound", list(bounds))
    if arguments.method != METHODS[0] and (fixed or bounds or arguments.weight == "proportional"):
        raise UsageError(f"argument --method: {arguments.method} fits without --hold, --bound and "
                         "--weight proportional; leave those out or use the default method")
    _check_names(circuit, "--shared", arguments.shared)
    _check_names(circuit, "--law", [law[0] for law in arguments.law])
    if arguments.report is not None:
        # A folder that cannot be made, or a missing matplotlib, fails before the fits, not after.
        os.makedirs(arguments.report, exist_ok=True)
        import corvex.plot  # noqa: F401
    frame = read_files(arguments.files)
    keys = spectrum_keys(frame, arguments.by)
    frame = choose_points(frame, keys, arguments)
    try:
        table = corvex.batch.fit(circuit, frame, by=keys, n_jobs=arguments.jobs, refine=len(keys) > 1,
                                 progress=None if interactive() else False, fixed=fixed or None,
                                 bounds=bounds or None, weight=arguments.weight, robust=arguments.robust,
                                 method=arguments.method, seed=arguments.seed)
    except KeyError as error:  # a --by column the files do not have
        raise UsageError(f"argument --by: {one_line(error)}") from None
    if wanted(arguments):
        return run_series(arguments, circuit, frame, keys, table)
    names = circuit.param_names()
    flags = _flags(table, circuit, names, fixed, bounds)
    table.insert(list(table.columns).index("error"), "flags", flags)
    emit(table, arguments.output, [*keys, "success", "chi_square", *names, "flags", "error"])
    if arguments.report is not None:
        from corvex.cli._reports import write_reports

        write_reports(table, circuit, keys, arguments.report, arguments.jobs)
    flagged = sum(bool(text) for text in flags)
    if flagged:
        first = next(text for text in flags if text)
        print(f"corvex fit: {flagged} of {len(table)} fits hold values the data do not fix "
              f"({first}{'; ...' if flagged > 1 else ''}): see the flags, runaway and _identifiable columns",
              file=sys.stderr)
    failed = sum(error is not None for error in table["error"])
    if failed:
        print(f"corvex fit: {failed} of {len(table)} spectra could not be fitted (see the error column)",
              file=sys.stderr)
    return 1 if failed else 0
