# Starting the app: the command line options, the Dash app with its page and callbacks, and
# Dash's own server bound to the loopback interface unless told otherwise, answering only
# requests addressed to the interface it is bound to.
"""The app's server and command line."""

from __future__ import annotations

import argparse
import logging
import sys
import threading
import webbrowser
from collections.abc import Sequence
from typing import Any
from urllib.parse import urlsplit

import dash

from corvex.app.callbacks import register_all
from corvex.app.layout import page
from corvex.app.uploads import DEFAULT_UPLOAD_LIMIT, remove_stale_folders
from corvex.app.workspace import Workspaces

DEFAULT_HOST = "127.0.0.1"
DEFAULT_PORT = 8050
_LOOPBACK = ("127.0.0.1", "localhost", "::1")
_EVERY_INTERFACE = ("0.0.0.0", "::")
# The opening bytes of a callback request name its outputs; enough of them to tell which
# upload a request too large to read came from.
_REQUEST_HEAD_BYTES = 4096


def allowed_hosts(host: str) -> frozenset[str] | None:
    """The host names a request to an app bound to `host` may be addressed to: the loopback
    names for a loopback interface, the interface's own name otherwise, and None (any) for an
    app bound to every interface. A page on another site that has its name re-pointed at this
    computer (DNS rebinding) still sends its own name, and is refused."""
    host = host.strip("[]").lower()
    if host in _EVERY_INTERFACE:
        return None
    return frozenset({*_LOOPBACK, host}) if host in _LOOPBACK or host.startswith("127.") else frozenset({host})


def _host_name(value: str) -> str | None:
    """The host name of a Host header ("127.0.0.1:8050", "[::1]:8050") or an Origin URL."""
    try:
        return urlsplit(value if "://" in value else "//" + value).hostname
    except ValueError:
        return None


def _refusal(request: Any, hosts: frozenset[str]) -> str | None:
    """Why a request is refused, or None when it is addressed to the app."""
    name = _host_name(request.host)
    if name not in hosts:
        return f"this app answers requests addressed to {' or '.join(sorted(hosts))}, not to {request.host!r}"
    origin = request.headers.get("Origin")
    if request.method not in ("GET", "HEAD", "OPTIONS") and origin is not None and _host_name(origin) not in hosts:
        return f"this app answers pages it served itself, not pages from {origin!r}"
    return None


def _too_large(request: Any, upload_limit: int) -> Any:
    """The answer to a request beyond the size the server reads: a callback response putting
    the limit's message where the page shows upload errors."""
    from flask import jsonify

    head = request.environ["wsgi.input"].read(_REQUEST_HEAD_BYTES) if request.path.endswith("_dash-update-component") \
        else b""
    message = (f"the files sent at once are larger than the server reads ({8 * upload_limit / 2 ** 20:.3g} MB "
               f"in one request, {upload_limit / 2 ** 20:.3g} MB a file)")
    if b"session-message" in head:
        return jsonify({"multi": True, "response": {"session-message": {"children": message}}})
    if head:
        return jsonify({"multi": True, "response": {"load-errors": {"children": [message]}}})
    return message, 413


def create_app(*, upload_limit: int = DEFAULT_UPLOAD_LIMIT, host: str = DEFAULT_HOST) -> Any:
    """The Dash app: one page per browser tab, each with a workspace of its own.

    ``upload_limit`` is the largest file accepted, in bytes. ``host`` is the interface the app
    will listen on: requests addressed to another name (a sign of DNS rebinding) are refused.
    """
    import flask

    remove_stale_folders()
    workspaces = Workspaces()
    app = dash.Dash(__name__, title="corvex", update_title="")
    # Base64 makes an upload a third larger and one request may carry several files: a request
    # far beyond the limit is cut off before it is read at all, while a file over the limit in a
    # request of sensible size gets the limit's message in the page.
    app.server.config["MAX_CONTENT_LENGTH"] = 8 * upload_limit + 1024 * 1024
    app.layout = lambda: page(workspaces.new_id(), upload_limit)
    register_all(app, workspaces, upload_limit)
    hosts = allowed_hosts(host)
    if hosts is not None:
        def refuse_other_hosts() -> Any:
            reason = _refusal(flask.request, hosts)
            return None if reason is None else (reason, 403, {"Content-Type": "text/plain; charset=utf-8"})

        app.server.before_request(refuse_other_hosts)
    app.server.register_error_handler(413, lambda _error: _too_large(flask.request, upload_limit))
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


def _option_problem(arguments: argparse.Namespace) -> str | None:
    if not arguments.host.strip():
        return "--host needs an interface: 127.0.0.1 for this computer only, 0.0.0.0 for every interface"
    if not 0 < arguments.port < 65536:
        return f"--port must be between 1 and 65535, not {arguments.port}"
    if not arguments.upload_limit > 0:
        return "--upload-limit must be positive"
    return None


def main(argv: Sequence[str] | None = None) -> int:
    """Run the app until Ctrl-C; returns the exit status."""
    arguments = parser().parse_args(argv)
    problem = _option_problem(arguments)
    if problem is not None:
        print(f"corvex app: error: {problem}", file=sys.stderr)
        return 2
    arguments.host = arguments.host.strip()
    app = create_app(upload_limit=int(arguments.upload_limit * 2 ** 20), host=arguments.host)
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
