# corvex app: the browser face of corvex for people who do not program, built on Dash and
# Plotly; this package exposes the entry point and the app factory.
"""corvex's browser app: open instrument files, check them, fit a circuit and export the
results without writing code.

Start it with ``corvex app`` or ``python -m corvex.app`` (options ``--host``, ``--port``,
``--no-browser``); it listens on 127.0.0.1 unless told otherwise. It needs the app extra:
``pip install "corvex[app]"``.
"""

from __future__ import annotations

from corvex.app.server import create_app, main

__all__ = ["create_app", "main"]
