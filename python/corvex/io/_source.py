"""An instrument file opened for reading: its text encoding, judged from the first bytes, and
its first lines, which every reader uses to recognise the format and parse the header."""

from __future__ import annotations

import codecs
import dataclasses
import io
import itertools
import os
from typing import TextIO

HEAD_BYTES = 1 << 16


@dataclasses.dataclass(frozen=True)
class Source:
    """A file to read: its path, the encoding for its text, and its first lines decoded
    (the whole file when it is shorter than HEAD_BYTES)."""

    path: str
    encoding: str
    head_lines: tuple[str, ...]
    whole: bool

    def lines(self, count: int) -> list[str]:
        """The first `count` lines; read from the file only when they go beyond the head."""
        if count <= len(self.head_lines) or self.whole:
            return list(self.head_lines[:count])
        with self.open_text() as handle:
            return [line.rstrip("\r\n") for line in itertools.islice(handle, count)]

    def open_text(self) -> TextIO:
        """The file as text with universal newlines, the way pandas splits lines too."""
        return open(self.path, encoding=self.encoding, newline=None)

    def read_text(self) -> str:
        """The whole file as one string, for the formats that keep their table between tagged
        sections and are small enough to hold."""
        with self.open_text() as handle:
            return handle.read()

    def at(self, line_number: int) -> str:
        """How messages name a line of this file."""
        return f"{self.path}, line {line_number}"


def _encoding_of(raw: bytes) -> str | None:
    """The text encoding of a file from its first bytes: byte-order marks first, then the NUL
    bytes of UTF-16 without a mark, then UTF-8 if it decodes, else Latin-1 (which always does)."""
    if raw.startswith(codecs.BOM_UTF8):
        return "utf-8-sig"
    if raw.startswith((codecs.BOM_UTF16_LE, codecs.BOM_UTF16_BE)):
        return "utf-16"
    if b"\x00" in raw:
        even, odd = raw[0::2].count(0), raw[1::2].count(0)
        if odd > len(raw) // 4 and even == 0:
            return "utf-16-le"
        if even > len(raw) // 4 and odd == 0:
            return "utf-16-be"
        return None
    try:
        codecs.getincrementaldecoder("utf-8")().decode(raw, final=len(raw) < HEAD_BYTES)
    except UnicodeDecodeError:
        return "latin-1"
    return "utf-8"


def open_source(path: str | os.PathLike[str], encoding: str | None = None) -> Source:
    """Open `path`; ValueError when it is not a text file we can decode."""
    path = os.fspath(path)
    with open(path, "rb") as handle:
        raw = handle.read(HEAD_BYTES)
        whole = len(handle.read(1)) == 0
    if encoding is None:
        encoding = _encoding_of(raw)
        if encoding is None:
            raise ValueError(f"{path} is a binary file, not a text export of a measurement")
    try:
        decoder = codecs.getincrementaldecoder(encoding)()
        text = decoder.decode(raw, final=whole)
    except (LookupError, UnicodeDecodeError) as error:
        raise ValueError(f"{path} cannot be decoded as {encoding}: {error}") from None
    text = text.removeprefix("\ufeff")
    lines = io.StringIO(text, newline=None).read().split("\n")
    if not whole:
        lines.pop()  # the last line may be cut at the byte limit
    elif lines and lines[-1] == "":
        lines.pop()
    return Source(path, encoding, tuple(lines), whole)
