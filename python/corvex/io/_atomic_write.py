"""Writing a file so that it is either fully replaced or left as it was: the content goes to a
temporary file in the same folder, which is renamed over the target only once it is complete."""

from __future__ import annotations

import contextlib
import os
import secrets
from collections.abc import Iterator


@contextlib.contextmanager
def replacing(path: str | os.PathLike[str]) -> Iterator[str]:
    """Yield a temporary path beside `path` to write to; on success it replaces `path` (a
    rename within one folder, atomic on POSIX and Windows), on failure it is removed."""
    target = os.path.realpath(os.fspath(path))  # through a symlink, so the link survives
    folder, name = os.path.split(target)
    temporary = os.path.join(folder, f".{name}.{secrets.token_hex(4)}.tmp")
    try:
        yield temporary
        os.replace(temporary, target)
    except OSError as error:
        with contextlib.suppress(FileNotFoundError):
            os.remove(temporary)
        # The hidden temporary file means nothing to the caller: the failure is the target's.
        if temporary in (error.filename, error.filename2) or temporary in str(error):
            raise type(error)(error.errno, error.strerror or str(error).replace(temporary, ""),
                              os.fspath(path)) from None
        raise
    except BaseException:
        with contextlib.suppress(FileNotFoundError):
            os.remove(temporary)
        raise
