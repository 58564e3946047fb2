# `corvex drt`: the distribution of relaxation times of every spectrum, reported as a table of
# its peaks (time constant, height, area) per spectrum.
"""The drt subcommand."""

from __future__ import annotations

import argparse
import math
import sys
from typing import Any

from corvex.cli._inputs import add_by, add_files, add_workers, existing_keys, read_files
from corvex.cli._output import add_output, emit
from corvex.cli._parser import positive_number
from corvex.cli._points import add_point_options, choose_points

_PEAK_COLUMNS = ("peak", "tau_s", "height_ohm", "area_ohm", "lambda", "series_resistance_ohm", "error")


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "drt", help="distribution of relaxation times: the peaks of each spectrum",
        description="Compute the distribution of relaxation times gamma(tau) of each spectrum by "
                    "regularised, non-negative least squares on Gaussian basis functions (Wan et al. 2015), "
                    "the regularisation weight chosen by generalised cross-validation unless --lambda is "
                    "given. The table has one row per peak: the spectrum's keys, peak (numbered from 0 in "
                    "ascending tau), tau_s (its time constant), height_ohm, area_ohm (the resistance of the "
                    "process), lambda, series_resistance_ohm and error. A spectrum without peaks, or one "
                    "that failed, keeps one row with empty peak fields.",
        epilog="exit status: 0 when every spectrum was analysed; 1 when a file cannot be read or a spectrum "
               "could not be analysed (the table is still written); 2 for a usage error.")
    add_files(parser)
    add_by(parser)
    parser.add_argument("--lambda", dest="lambda_", type=positive_number, metavar="WEIGHT",
                        help="regularisation weight (default: chosen by generalised cross-validation)")
    parser.add_argument("--part", choices=("complex", "real", "imaginary"), default="complex",
                        help="the part of the data fitted (default: complex)")
    add_workers(parser)
    add_point_options(parser)
    add_output(parser, "the table of peaks")
    parser.set_defaults(run=run)


def run(arguments: argparse.Namespace) -> int:
    import pandas as pd

    from corvex.analysis import drt

    frame = read_files(arguments.files)
    keys = existing_keys(frame, arguments.by)
    frame = choose_points(frame, keys, arguments)
    table = drt(frame, by=keys, fit=arguments.part, lambda_=arguments.lambda_, n_jobs=arguments.jobs)
    rows: list[dict[str, Any]] = []
    for position in range(len(table)):
        key_values = {name: table[name].iloc[position] for name in keys}
        result, error = table["result"].iloc[position], table["error"].iloc[position]
        if result is None:
            rows.append({**key_values, "error": error})
            continue
        common = {"lambda": result.lambda_, "series_resistance_ohm": result.series_resistance, "error": None}
        peaks = result.peaks or [None]
        for number, peak in enumerate(peaks):
            figures = {"peak": number, "tau_s": peak.tau, "height_ohm": peak.height, "area_ohm": peak.area} \
                if peak is not None else {"peak": None, "tau_s": math.nan, "height_ohm": math.nan, "area_ohm": math.nan}
            rows.append({**key_values, **figures, **common})
    peaks_table = pd.DataFrame.from_records(rows, columns=[*keys, *_PEAK_COLUMNS])
    peaks_table["peak"] = peaks_table["peak"].astype("Int64")
    peaks_table["error"] = peaks_table["error"].astype(object).where(peaks_table["error"].notna(), None)
    emit(peaks_table, arguments.output)
    failed = sum(error is not None for error in table["error"])
    if failed:
        print(f"corvex drt: {failed} of {len(table)} spectra could not be analysed (see the error column)",
              file=sys.stderr)
    return 1 if failed else 0
