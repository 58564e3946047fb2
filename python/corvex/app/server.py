# Starting the app: the command line options, the Dash app with its page and callbacks, and
# Dash's own server bound to the loopback interface unless told otherwise.
"""The app's server and command line."""

from __future__ import annotations

import argparse
import logging
import sys
import threading
import webbrowser
from collections.abc import Sequence
from typing import Any

import dash

from corvex.app.callbacks import register_all
from corvex.app.layout import page
from corvex.app.uploads import DEFAULT_UPLOAD_LIMIT
from corvex.app.workspace import Workspaces

DEFAULT_HOST = "127.0.0.1"
DEFAULT_PORT = 8050
_LOOPBACK = ("127.0.0.1", "localhost", "::1")


def create_app(*, upload_limit: int = DEFAULT_UPLOAD_LIMIT) -> Any:
    """The Dash app: one page per browser tab, each with a workspace of its own.

    ``upload_limit`` is the largest file accepted, in bytes.
    """
    workspaces = Workspaces()
    app = dash.Dash(__name__, title="corvex", update_title="")
    # Base64 makes an upload a third larger and one request may carry several files: a request
    # far beyond the limit is cut off before it is read at all, while a file over the limit in a
    # request of sensible size gets the limit's message in the page.
    app.server.config["MAX_CONTENT_LENGTH"] = 8 * upload_limit + 1024 * 1024
    app.layout = lambda: page(workspaces.new_id(), upload_limit)
    register_all(app, workspaces, upload_limit)
    return app


def parser() -> argparse.ArgumentParser:
    """The app's command line, shared by `corvex app` and `python -m corvex.app`."""
    options = argparse.ArgumentParser(
        prog="corvex app", description="Start corvex's app in the browser: open impedance files, check them, fit "
                                       "a circuit and export the results.")
    options.add_argument("--host", default=DEFAULT_HOST,
                         help="interface to listen on (default 127.0.0.1: this computer only; anything else lets "
                              "other computers on the network use the app and read what it holds)")
    options.add_argument("--port", type=int, default=DEFAULT_PORT, help="port to listen on (default 8050)")
    options.add_argument("--no-browser", action="store_true", help="do not open a browser tab")
    options.add_argument("--upload-limit", type=float, default=DEFAULT_UPLOAD_LIMIT / 2 ** 20, metavar="MB",
                         help="largest file accepted, in MB (default 50)")
    return options


def main(argv: Sequence[str] | None = None) -> int:
    """Run the app until Ctrl-C; returns the exit status."""
    arguments = parser().parse_args(argv)
    if not 0 < arguments.port < 65536:
        parser().error(f"--port must be between 1 and 65535, not {arguments.port}")
    if not arguments.upload_limit > 0:
        parser().error("--upload-limit must be positive")
    app = create_app(upload_limit=int(arguments.upload_limit * 2 ** 20))
    if arguments.host not in _LOOPBACK:
        print(f"warning: listening on {arguments.host}: other computers can reach the app and the data loaded "
              "into it; there is no login.", file=sys.stderr)
    host = f"[{arguments.host}]" if ":" in arguments.host else arguments.host
    url = f"http://{'127.0.0.1' if arguments.host in ('0.0.0.0', '::') else host}:{arguments.port}/"
    print(f"corvex app on {url} (Ctrl-C to stop)", file=sys.stderr)
    if not arguments.no_browser:
        threading.Timer(1.0, webbrowser.open, args=(url,)).start()
    # One line per request drowns the address and any warning printed above.
    logging.getLogger("werkzeug").setLevel(logging.WARNING)
    app.run(host=arguments.host, port=arguments.port, debug=False)
    return 0
