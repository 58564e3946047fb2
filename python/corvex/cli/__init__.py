# The `corvex` command: argument parsing, the subcommands' dispatch, and how failures become
# one line on stderr and an exit status that shell scripts and schedulers can act on.
"""The ``corvex`` command line: read, check, fit, DRT and ranking of measured spectra from a
shell script or a scheduler, without writing Python.

Every subcommand takes one or more files in any format ``corvex.io.read`` recognises
(BioLogic .mpt, Gamry .DTA, ZPlot .z, Autolab, PARSTAT, VersaStudio, CH Instruments,
PowerSuite, delimited text), or ``-`` for a battery-data-format CSV on standard input.
Spectra are told apart by file, then by the file's own "Spectrum" column or by ``--by``::

    corvex read cell.mpt                      # a summary per spectrum
    corvex read a.DTA b.DTA -o spectra.parquet
    corvex check *.mpt && echo "all valid"    # status 1 when a spectrum fails
    corvex fit cycling.csv --circuit two_rq --by "Cycle Count / 1" -o fits.parquet --report figs/
    corvex drt cell.z -o peaks.csv
    corvex rank cell.z --top 3
    corvex discover cell.z --drop-inductive --top 3
    corvex fit cell.mpt --circuit two_rq --fmin 0.05 --exclude 0-3,57
    cat cell.csv | corvex fit - --circuit "R0-p(R1,C1)"

Tables go to ``-o FILE`` (.csv or .parquet), else to standard output: aligned text on a
terminal, CSV when the output is a pipe or a file (no progress bar then either).

Exit status: 0 when everything was done; 1 for a data error (a file that cannot be read,
named with the line at fault, or a spectrum that could not be analysed: its table row keeps
the message in its ``error`` column and the table is still written) and, for ``check``, for a
spectrum that fails the Kramers-Kronig test; 2 for a usage error; 130 when interrupted by
Ctrl-C. Every error is one line on stderr.

``python -m corvex.cli`` runs the same command.
"""

from __future__ import annotations

import argparse
import importlib.metadata
import os
import sys
from collections.abc import Sequence

from corvex.cli import app, check, discover, drt, fit, rank, read
from corvex.cli._errors import DataError, UsageError, one_line, warn_on_one_line
from corvex.cli._output import refuse_inputs_as_output
from corvex.cli._parser import Parser

__all__ = ["main"]

_SUBCOMMANDS = (read, check, fit, drt, rank, discover, app)

_EPILOG = """exit status: 0 done; 1 data error (a file that cannot be read, a spectrum that could not be
analysed, or for check a spectrum failing the test); 2 usage error; 130 interrupted.

Run corvex COMMAND --help for each command's options."""


def _version() -> str:
    try:
        return importlib.metadata.version("corvex")
    except importlib.metadata.PackageNotFoundError:  # run from a source tree that was never installed
        return "unknown"


def build_parser() -> argparse.ArgumentParser:
    """The parser of the whole command, one subparser per subcommand."""
    parser = Parser(prog="corvex", description="Electrochemical impedance spectroscopy from the command line: "
                    "read instrument files, test them, fit circuits, compute DRTs and rank circuits.",
                    epilog=_EPILOG)
    parser.add_argument("--version", action="version", version=f"corvex {_version()}")
    commands = parser.add_subparsers(dest="command", metavar="COMMAND", required=True, parser_class=Parser)
    for module in _SUBCOMMANDS:
        module.add_parser(commands)
    return parser


def main(argv: Sequence[str] | None = None) -> int:
    """Run the command with `argv` (default: the process's arguments) and return its exit status."""
    prog = "corvex"
    try:
        arguments = build_parser().parse_args(argv)
        prog = f"corvex {arguments.command}"
        warn_on_one_line(prog)
        if getattr(arguments, "output", None) is not None:
            refuse_inputs_as_output(getattr(arguments, "files", ()), arguments.output)
        status: int = arguments.run(arguments)
        sys.stdout.flush()
        return status
    except UsageError as error:
        print(f"{prog}: error: {one_line(error)} (see {prog} --help)", file=sys.stderr)
        return 2
    except (DataError, ValueError, OSError, ImportError) as error:
        if isinstance(error, BrokenPipeError):
            return _reader_went_away()
        print(f"{prog}: {one_line(error)}", file=sys.stderr)
        return 1
    except KeyboardInterrupt:
        print(f"{prog}: interrupted", file=sys.stderr)
        return 130


def _reader_went_away() -> int:
    """`corvex read x | head`: the reader closed the pipe. Not worth a message; the status is
    the one a command killed by SIGPIPE gives, and stdout goes to /dev/null so that the
    interpreter's last flush does not complain either."""
    os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())
    return 141
