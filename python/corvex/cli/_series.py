# The joint fit of `corvex fit --shared/--law`: the batch table becomes the start of one fit of
# the whole series by corvex.series.fit, whose tables replace the batch's.
"""Options and run of a series fitted together."""

from __future__ import annotations

import argparse
import os
import sys
from typing import Any

from corvex.cli._errors import UsageError
from corvex.cli._output import emit

_LAW_KINDS = ("arrhenius", "linear", "polynomial")


def add_series_options(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("--shared", action="append", default=[], metavar="PARAM",
                        help="fit the series together with one value of PARAM for every spectrum, e.g. "
                             "CPE1.alpha (repeatable); the table then comes from corvex.series.fit")
    parser.add_argument("--law", action="append", type=_law, default=[], metavar="PARAM=KIND:COLUMN",
                        help="fit the series together with PARAM following a law of a column: "
                             "arrhenius:COLUMN (kelvin), linear:COLUMN or polynomial:COLUMN:DEGREE, e.g. "
                             "R1.r=arrhenius:Temperature (repeatable). The law's coefficients (Ea in eV) and "
                             "the shared values go to standard error, or to FILE-parameters.csv with -o FILE")


def _law(text: str) -> tuple[str, str, str, int]:
    name, _, spec = text.partition("=")
    kind, _, rest = spec.partition(":")
    column, _, degree = rest.partition(":") if kind == "polynomial" else (rest, "", "")
    if not name.strip() or kind not in _LAW_KINDS or not column or (kind == "polynomial" and not degree.isdigit()):
        raise argparse.ArgumentTypeError(
            f"expected PARAM=arrhenius:COLUMN, PARAM=linear:COLUMN or PARAM=polynomial:COLUMN:DEGREE, got {text!r}")
    return name.strip(), kind, column, int(degree or 0)


def wanted(arguments: argparse.Namespace) -> bool:
    return bool(arguments.shared or arguments.law)


def run_series(arguments: argparse.Namespace, circuit: Any, frame: Any, keys: list[str], independent: Any) -> int:
    """Fit the series together from the batch table `independent`; 0 on success."""
    import corvex.series

    if arguments.hold or arguments.bound:
        raise UsageError("argument --shared/--law: --hold and --bound apply to independent fits only")
    makers = {"arrhenius": lambda column, _: corvex.series.arrhenius(column),
              "linear": lambda column, _: corvex.series.linear(column),
              "polynomial": corvex.series.polynomial}
    laws = {name: makers[kind](column, degree) for name, kind, column, degree in arguments.law}
    try:
        joint = corvex.series.fit(circuit, frame, by=keys, shared=arguments.shared, laws=laws,
                                  start=independent, weight=arguments.weight)
    except ValueError as error:
        raise UsageError(f"argument --shared/--law: {error}") from None
    names = circuit.param_names()
    emit(joint.spectra, arguments.output, [*keys, "included", "chi_square", *names, "flags"])
    summary = (f"joint chi_square {joint.chi_square:.6g}, AIC {joint.aic:.6g}, BIC {joint.bic:.6g}, "
               f"{joint.parameter_count} parameters, {joint.termination}")
    if arguments.output is not None:
        stem, suffix = os.path.splitext(arguments.output)
        import corvex.io

        corvex.io.write_table(joint.parameters, f"{stem}-parameters{suffix}")
    else:
        print(joint.parameters.to_string(index=False), file=sys.stderr)
    print(f"corvex fit: {summary}", file=sys.stderr)
    return 0 if joint.converged and joint.spectra["included"].all() else 1
