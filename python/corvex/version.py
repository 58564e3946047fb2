"""The installed version of corvex, read from the package metadata so that pyproject.toml
stays the one place it is written; the extension module itself carries no version."""

import importlib.metadata

try:
    __version__ = importlib.metadata.version("corvex")
except importlib.metadata.PackageNotFoundError:  # imported from a build tree, not installed
    __version__ = "0+unknown"

__all__ = ["__version__"]
