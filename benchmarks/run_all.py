"""The benchmarks' entry. With --base-python: this build against a base build side by side,
every figure a ratio (ratios.py; what make bench runs). Without: every bench_*.py in turn, or
those whose names contain one of the given words, each printing its own table."""

import argparse
import pathlib
import runpy
import sys

HERE = pathlib.Path(__file__).resolve().parent


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("scripts", nargs="*", help="run only the bench_*.py scripts whose names contain these")
    parser.add_argument("--base-python", help="python of the venv holding the base build: measure side by side")
    parser.add_argument("--base-revision", default="(unnamed)", help="the base build's revision, for the report")
    parser.add_argument("--output", help="also write the side-by-side report to this file")
    arguments = parser.parse_args()
    sys.path.insert(0, str(HERE))
    if arguments.base_python:
        from ratios import run

        run(arguments.base_python, arguments.base_revision, arguments.output)
        return
    for script in sorted(HERE.glob("bench_*.py")):
        if arguments.scripts and not any(name in script.stem for name in arguments.scripts):
            continue
        runpy.run_path(str(script), run_name="__main__")
        print()


if __name__ == "__main__":
    main()
