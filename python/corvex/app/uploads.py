# Files sent from the browser: decoded in memory, size-checked, written under a name of our own
# in a private temporary folder for corvex.io.read, and split into spectra with their metadata;
# a file of more points than the app can check, draw and fit is refused.
"""Reading uploaded files into spectra."""

from __future__ import annotations

import base64
import binascii
import os
import re
import tempfile
import warnings
from dataclasses import dataclass, field
from typing import Any

import numpy as np

DEFAULT_UPLOAD_LIMIT = 50 * 1024 * 1024
"""The largest file (bytes, after decoding) the app accepts, unless told otherwise."""
POINT_LIMIT = 50_000
"""The most impedance points one file may hold: every point is checked, drawn and fitted, and
a measurement holds a few hundred."""

# The work of reading is bounded by the point limit before the reader starts: a text file may
# have this many lines beyond one a point (headers, notes), a sheet as many rows, a workbook
# this many cells a point (a sheet of many columns) and this many unpacked bytes a cell beyond
# the parts every workbook has (styles, settings).
_SPARE_LINES = 10_000
_CELLS_A_POINT = 8
_BYTES_A_CELL = 32
_WORKBOOK_BYTES = 1 << 20

# Only the extension of the browser's file name is used, and only when it looks like one: it
# helps the reader recognise a format and never reaches the file system as a path.
_SAFE_EXTENSION = re.compile(r"\.[A-Za-z0-9]{1,8}")

# Each upload is read in a folder named after the server's process, so that the folders of a
# server that was killed mid-read can be told apart and removed by the next one.
_FOLDER_PREFIX = "corvex-app-"

_FREQUENCY = "Frequency / Hz"
_REAL = "Real Impedance / ohm"
_IMAGINARY = "Imaginary Impedance / ohm"
_SPECTRUM = "Spectrum"
_CYCLE = "Cycle Count / 1"
_TEMPERATURE = "Temperature T1 / degC"


class UploadError(ValueError):
    """An upload that cannot be read; the message is shown next to the file's name."""


@dataclass
class Spectrum:
    """One measured spectrum and what its file says about it."""

    name: str
    source: str
    frequencies: np.ndarray
    impedances: np.ndarray
    cycle: float | None = None
    temperature: float | None = None
    kk_passed: bool | None = None
    warnings: list[str] = field(default_factory=list)

    def metadata(self) -> dict[str, Any]:
        """The row this spectrum gets in the list of spectra."""
        return {"spectrum": self.name, "file": self.source, "cycle": self.cycle, "temperature": self.temperature,
                "points": int(self.frequencies.size),
                "f_min": float(self.frequencies.min()) if self.frequencies.size else None,
                "f_max": float(self.frequencies.max()) if self.frequencies.size else None,
                "kk": "" if self.kk_passed is None else "pass" if self.kk_passed else "FAIL"}


def decode(contents: str, filename: str, limit: int = DEFAULT_UPLOAD_LIMIT) -> bytes:
    """The bytes of a browser upload ("data:<type>;base64,<payload>"), refused with UploadError
    when malformed or larger than `limit` bytes."""
    if not isinstance(contents, str) or "," not in contents:
        raise UploadError(f"{filename}: the upload is malformed")
    payload = contents.split(",", 1)[1]
    # Base64 holds 3 bytes per 4 characters: refuse an oversized file before decoding it.
    if len(payload) // 4 * 3 > limit + 3:
        raise UploadError(f"{filename}: the file is larger than the upload limit of {_size_text(limit)}")
    try:
        raw = base64.b64decode(payload, validate=True)
    except (binascii.Error, ValueError):
        raise UploadError(f"{filename}: the upload is malformed (not base64)") from None
    if len(raw) > limit:
        raise UploadError(f"{filename}: the file is larger than the upload limit of {_size_text(limit)}")
    return raw


def _size_text(limit: int) -> str:
    return f"{limit / (1024 * 1024):.3g} MB" if limit >= 1024 * 1024 else f"{limit} bytes"


def read_upload(raw: bytes, filename: str, point_limit: int = POINT_LIMIT) -> list[Spectrum]:
    """The spectra of one uploaded file, read by corvex.io.read from a private temporary folder
    under a name of our own; UploadError with the reader's message (naming `filename`), or
    naming `point_limit` when the file holds more points. The folder is gone on return."""
    import corvex.io
    from corvex.io import spreadsheets

    extension = os.path.splitext(filename)[1]
    suffix = extension if _SAFE_EXTENSION.fullmatch(extension) else ""
    lines = max(raw.count(b"\n"), raw.count(b"\r"))
    if not spreadsheets.is_spreadsheet(suffix) and lines > point_limit + _SPARE_LINES:
        raise UploadError(f"{filename}: the file has {lines:,} lines, more than the app's limit of {point_limit:,} "
                          "impedance points a file allows; split it or read it with corvex in Python")
    cells = _CELLS_A_POINT * point_limit
    with tempfile.TemporaryDirectory(prefix=f"{_FOLDER_PREFIX}{os.getpid()}-") as folder:
        path = os.path.join(folder, "upload" + suffix)
        with open(path, "wb") as handle:
            handle.write(raw)
        try:
            with warnings.catch_warnings(record=True) as caught, \
                    spreadsheets.narrowed_limits(unpacked_bytes=_WORKBOOK_BYTES + _BYTES_A_CELL * cells, cells=cells,
                                                 rows=point_limit + _SPARE_LINES):
                warnings.simplefilter("always")
                frame = corvex.io.read(path)
        except (ValueError, UnicodeError, OSError, ImportError) as error:
            raise UploadError(str(error).replace(path, filename)) from None
    if len(frame) > point_limit:
        raise UploadError(f"{filename}: the file holds {len(frame):,} impedance points, more than the app's limit "
                          f"of {point_limit:,} points a file; split it or read it with corvex in Python")
    notes = [str(warning.message).replace(path, filename) for warning in caught]
    return split_spectra(frame, filename, notes)


def remove_stale_folders() -> None:
    """Remove the upload folders that servers no longer running left behind."""
    import shutil

    if os.name != "posix":  # elsewhere os.kill(pid, 0) is no probe: it ends the process
        return
    base = tempfile.gettempdir()
    for entry in os.scandir(base):
        parts = entry.name[len(_FOLDER_PREFIX):].split("-", 1)
        if not entry.name.startswith(_FOLDER_PREFIX) or not parts[0].isdigit() or len(parts) != 2:
            continue
        try:
            if entry.stat(follow_symlinks=False).st_uid != os.getuid() or not entry.is_dir(follow_symlinks=False):
                continue
            os.kill(int(parts[0]), 0)
        except ProcessLookupError:
            shutil.rmtree(entry.path, ignore_errors=True)
        except (OSError, OverflowError):
            continue


def split_spectra(frame: Any, filename: str, notes: list[str] | None = None) -> list[Spectrum]:
    """One Spectrum per spectrum of a frame read by corvex.io.read."""
    for column in (_FREQUENCY, _REAL, _IMAGINARY):
        if column not in frame.columns:
            raise UploadError(f"{filename}: no {column!r} column")
    if _SPECTRUM in frame.columns:
        groups = [(f"{filename} #{key}", part) for key, part in frame.groupby(_SPECTRUM, sort=False)]
    else:
        groups = [(filename, frame)]
    if not groups:
        raise UploadError(f"{filename}: the file holds no impedance points")
    return [Spectrum(name=name, source=filename,
                     frequencies=part[_FREQUENCY].to_numpy(dtype=float),
                     impedances=part[_REAL].to_numpy(dtype=float) + 1j * part[_IMAGINARY].to_numpy(dtype=float),
                     cycle=_first(part, _CYCLE), temperature=_first(part, _TEMPERATURE),
                     warnings=list(notes or []))
            for name, part in groups]


def _first(part: Any, column: str) -> float | None:
    if column not in part.columns or part[column].isna().all():
        return None
    value = part[column].dropna().iloc[0]
    return float(value)
