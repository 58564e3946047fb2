# `corvex drt`: the distribution of relaxation times of every spectrum, reported as a table of
# its peaks (time constant, height, area, probability) per spectrum, or of gamma with its band.
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

LAMBDA_RULES = ("mgcv", "gcv", "rgcv", "lcurve", "re-im", "kfold")


def _share(text: str) -> float:
    """A number in [0, 1], checked as the command line is read."""
    value = float(text)
    if not 0.0 <= value <= 1.0:
        raise argparse.ArgumentTypeError(f"expected a number in [0, 1], not {text}")
    return value


_PEAK_COLUMNS = ("peak", "tau_s", "height_ohm", "area_ohm", "probability", "lambda", "lambda_rule",
                 "series_resistance_ohm", "error")
_GRID_COLUMNS = ("tau_s", "frequency_hz", "gamma_ohm", "gamma_mean_ohm", "gamma_lower_ohm", "gamma_upper_ohm",
                 "measured", "error")


def add_parser(commands: Any) -> None:
    parser = commands.add_parser(
        "drt", help="distribution of relaxation times: the peaks of each spectrum",
        description="Compute the distribution of relaxation times gamma(tau) of each spectrum by "
                    "regularised, non-negative least squares on Gaussian basis functions (Wan et al. 2015), "
                    "the regularisation weight chosen by --lambda-rule unless --lambda is given, with "
                    "credible bands from the truncated Gaussian posterior (Ciucci & Chen 2015). The table "
                    "has one row per peak: the spectrum's keys, peak (numbered from 0 in ascending tau), "
                    "tau_s (its time constant), height_ohm, area_ohm (the resistance of the process), "
                    "probability (the posterior probability that the peak rises above its valleys), lambda, "
                    "lambda_rule, series_resistance_ohm and error. A spectrum without peaks, or one that "
                    "failed, keeps one row with empty peak fields. With --distribution the table has one "
                    "row per point of gamma's grid instead: tau_s, frequency_hz, gamma_ohm, the posterior "
                    "mean and its 1 %% and 99 %% quantiles, and measured (inside the data's time constants).",
        epilog="exit status: 0 when every spectrum was analysed; 1 when a file cannot be read or a spectrum "
               "could not be analysed (the table is still written); 2 for a usage error.")
    add_files(parser)
    add_by(parser)
    parser.add_argument("--lambda", dest="lambda_", type=positive_number, metavar="WEIGHT",
                        help="regularisation weight (default: chosen by generalised cross-validation)")
    parser.add_argument("--lambda-rule", choices=LAMBDA_RULES, default="mgcv",
                        help="how the regularisation weight is chosen: modified, plain or robust generalised "
                             "cross-validation, the L-curve's corner, the re-im discrepancy or five-fold "
                             "cross-validation (default: mgcv)")
    parser.add_argument("--part", choices=("complex", "real", "imaginary"), default="complex",
                        help="the part of the data fitted (default: complex)")
    parser.add_argument("--peak-prominence", type=_share, default=0.15, metavar="SHARE",
                        help="report peaks rising SHARE of the highest gamma above their valleys (default: 0.15)")
    parser.add_argument("--peak-probability", type=_share, metavar="P",
                        help="report peaks by significance instead: when their posterior probability is at least P")
    parser.add_argument("--no-bands", dest="bands", action="store_false",
                        help="skip the posterior draws: no bands, no probabilities")
    parser.add_argument("--distribution", action="store_true",
                        help="write gamma on its grid with its band instead of the peaks")
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
    table = drt(frame, by=keys, fit=arguments.part, lambda_=arguments.lambda_, lambda_rule=arguments.lambda_rule,
                peak_prominence=arguments.peak_prominence if arguments.peak_probability is None else None,
                peak_probability=0.7 if arguments.peak_probability is None else arguments.peak_probability,
                bands=arguments.bands, n_jobs=arguments.jobs)
    if arguments.distribution:
        emit(_grid_table(table, keys), arguments.output)
    else:
        emit(_peak_table(table, keys), arguments.output)
    failed = sum(error is not None for error in table["error"])
    if failed:
        print(f"corvex drt: {failed} of {len(table)} spectra could not be analysed (see the error column)",
              file=sys.stderr)
    return 1 if failed else 0


def _grid_table(table: Any, keys: list[str]) -> Any:
    """One row per grid point of each spectrum's gamma; a failed spectrum keeps one row."""
    import pandas as pd

    parts = []
    for position in range(len(table)):
        key_values = {name: table[name].iloc[position] for name in keys}
        result, error = table["result"].iloc[position], table["error"].iloc[position]
        if result is None:
            parts.append(pd.DataFrame([{**key_values, "error": error}]))
            continue
        grid = result.table().rename(columns={
            "tau": "tau_s", "frequency": "frequency_hz", "gamma": "gamma_ohm", "gamma_mean": "gamma_mean_ohm",
            "gamma_lower": "gamma_lower_ohm", "gamma_upper": "gamma_upper_ohm"})
        for name, value in reversed(key_values.items()):
            grid.insert(0, name, value)
        grid["error"] = None
        parts.append(grid)
    grid_table = pd.concat(parts, ignore_index=True).reindex(columns=[*keys, *_GRID_COLUMNS])
    grid_table["error"] = grid_table["error"].astype(object).where(grid_table["error"].notna(), None)
    return grid_table


def _peak_table(table: Any, keys: list[str]) -> Any:
    """One row per peak of each spectrum; a spectrum without peaks, or a failed one, keeps one row."""
    import pandas as pd

    rows: list[dict[str, Any]] = []
    for position in range(len(table)):
        key_values = {name: table[name].iloc[position] for name in keys}
        result, error = table["result"].iloc[position], table["error"].iloc[position]
        if result is None:
            rows.append({**key_values, "error": error})
            continue
        common = {"lambda": result.lambda_, "lambda_rule": result.lambda_rule,
                  "series_resistance_ohm": result.series_resistance, "error": None}
        peaks = result.peaks or [None]
        for number, peak in enumerate(peaks):
            figures = {"peak": number, "tau_s": peak.tau, "height_ohm": peak.height, "area_ohm": peak.area,
                       "probability": peak.probability} if peak is not None else \
                {"peak": None, "tau_s": math.nan, "height_ohm": math.nan, "area_ohm": math.nan,
                 "probability": math.nan}
            rows.append({**key_values, **figures, **common})
    peaks_table = pd.DataFrame.from_records(rows, columns=[*keys, *_PEAK_COLUMNS])
    peaks_table["peak"] = peaks_table["peak"].astype("Int64")
    peaks_table["error"] = peaks_table["error"].astype(object).where(peaks_table["error"].notna(), None)
    return peaks_table
