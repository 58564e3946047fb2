"""Runs every benchmarks/bench_*.py in turn; each prints its own table."""

import pathlib
import runpy
import sys

HERE = pathlib.Path(__file__).resolve().parent


def main():
    sys.path.insert(0, str(HERE))
    selected = sys.argv[1:]
    for script in sorted(HERE.glob("bench_*.py")):
        if selected and not any(name in script.stem for name in selected):
            continue
        runpy.run_path(str(script), run_name="__main__")
        print()


if __name__ == "__main__":
    main()
