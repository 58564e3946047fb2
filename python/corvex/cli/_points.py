# The options that choose each spectrum's points, shared by read, check, fit, drt, rank and
# discover: a frequency window, excluded positions, the inductive tail and KK outliers.
"""Choosing the points from the command line, through corvex.points."""

from __future__ import annotations

import argparse
import os
from typing import Any

import numpy as np

from corvex.cli._errors import DataError, UsageError
from corvex.points._table import EXCLUDED_BY, KEPT, kept_mask


def add_point_options(parser: argparse.ArgumentParser) -> None:
    group = parser.add_argument_group(
        "choosing the points", "applied to each spectrum in this order; excluded points stay in the table "
        "of corvex read with kept=False and the reason in excluded_by (a CSV of it keeps the choice for later "
        "commands), and are left out of every fit and test")
    group.add_argument("--fmin", type=float, metavar="HZ", help="exclude the points below this frequency")
    group.add_argument("--fmax", type=float, metavar="HZ", help="exclude the points above this frequency")
    group.add_argument("--exclude", type=positions, metavar="POSITIONS",
                       help="exclude points by position in each spectrum, counted from 0 in the file's order: "
                            "e.g. 0-3,57")
    group.add_argument("--drop-inductive", action="store_true",
                       help="exclude the inductive points (Im Z > 0) at the high-frequency end")
    group.add_argument("--drop-outliers", action="store_true",
                       help="exclude the points whose Kramers-Kronig residual exceeds --outlier-threshold")
    group.add_argument("--outlier-threshold", type=float, metavar="RESIDUAL",
                       help="residual relative to |Z| beyond which --drop-outliers excludes a point "
                            "(default: four times the spectrum's estimated noise; implies --drop-outliers)")


def positions(text: str) -> list[int]:
    """The positions "0-3,57" names: ranges inclusive, whole numbers from 0."""
    chosen: list[int] = []
    for part in text.split(","):
        first, dash, last = part.strip().partition("-")
        try:
            low = int(first)
            high = int(last) if dash else low
        except ValueError:
            raise argparse.ArgumentTypeError(f"expected positions such as 0-3,57, got {text!r}") from None
        if low < 0 or high < low:
            raise argparse.ArgumentTypeError(f"expected positions from 0 and ranges low-high, got {part.strip()!r}")
        chosen.extend(range(low, high + 1))
    return chosen


def chooses_points(arguments: argparse.Namespace) -> bool:
    return (arguments.fmin is not None or arguments.fmax is not None or arguments.exclude is not None
            or arguments.drop_inductive or drops_outliers(arguments))


def drops_outliers(arguments: argparse.Namespace) -> bool:
    # A threshold says what an outlier is: giving one asks for them to be dropped.
    return bool(arguments.drop_outliers or arguments.outlier_threshold is not None)


def choose_points(frame: Any, keys: list[str], arguments: argparse.Namespace) -> Any:
    """The frame with `kept` and `excluded_by` set by the options (unchanged without any)."""
    from corvex import points

    if not chooses_points(arguments):
        return frame
    if arguments.fmin is not None or arguments.fmax is not None:
        frame = points.window(frame, fmin=arguments.fmin, fmax=arguments.fmax)
    if arguments.exclude is not None:
        try:
            frame = points.exclude(frame, indices=np.asarray(arguments.exclude, dtype=np.intp), by=keys)
        except IndexError as error:
            raise UsageError(f"argument --exclude: {error}".replace("argument 'indices': ", "")) from None
    if arguments.drop_inductive:
        frame = points.drop_inductive(frame, by=keys)
    if drops_outliers(arguments):
        frame = points.drop_outliers(frame, threshold=arguments.outlier_threshold, by=keys)
    return frame


def with_choice_of(frame: Any, path: str, shown_as: str) -> Any:
    """The frame corvex.io.read made of a CSV that `corvex read -o` wrote with chosen points,
    with the file's `kept` and `excluded_by` columns back (the reader takes numbers only), so
    that a later command fits the points that were chosen. DataError when the reader dropped
    rows, which would leave no way to tell which point each choice belongs to."""
    if os.path.splitext(path)[1].lower() != ".csv":
        return frame
    import pandas as pd

    try:
        header = list(pd.read_csv(path, nrows=0).columns)
    except (ValueError, OSError):
        return frame
    if KEPT not in header:
        return frame
    choice = pd.read_csv(path, usecols=[name for name in (KEPT, EXCLUDED_BY) if name in header])
    if len(choice) != len(frame):
        raise DataError(f"{shown_as}: {len(frame)} of its {len(choice)} rows are measurements, so its \"kept\" "
                        "column cannot be matched to them; correct the file or drop that column")
    frame[KEPT] = kept_mask(choice)
    frame[EXCLUDED_BY] = choice[EXCLUDED_BY].fillna("").astype(str).to_numpy() if EXCLUDED_BY in choice else ""
    return frame
