# `python -m corvex.app`: the same as `corvex app`, for environments where the console
# script is not on PATH.
"""Run the app."""

import sys

from corvex.app.server import main

sys.exit(main())
