# `python -m corvex.app`: the same as `corvex app`, for environments where the console
# script is not on PATH.
"""Run the app."""

import sys

from corvex.app.server import main

if __name__ == "__main__":  # tools that import every module (stubtest) must not start a server
    sys.exit(main())
