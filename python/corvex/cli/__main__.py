# `python -m corvex.cli`: the same command as the `corvex` console script, for environments
# where the script is not on PATH.
import sys

from corvex.cli import main

sys.exit(main())
