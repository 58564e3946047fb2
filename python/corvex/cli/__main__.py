# `python -m corvex.cli`: the same command as the `corvex` console script, for environments
# where the script is not on PATH.
import sys

from corvex.cli import main

if __name__ == "__main__":  # tools that import every module (stubtest) must not run the command
    sys.exit(main())
