"""An instrument file opened for reading: its bytes read once (regular file, pipe or FIFO alike),
its text encoding judged from the whole file, and its text with every line ending made "\n"."""

from __future__ import annotations

import codecs
import dataclasses
import os
import select
import stat
import time

HEAD_BYTES = 1 << 16
# Everything a reader parses is held in memory once as bytes and once as text, so a file
# (or a stream, which can only be read once) beyond this size is refused rather than allowed
# to exhaust memory.
MAX_BYTES = 1 << 30
_CHUNK_BYTES = 1 << 20
# How long a FIFO that no program has opened for writing yet is given to get one; a pipe whose
# writer is merely slow is waited for as long as it takes.
WRITER_WAIT_SECONDS = 1.0


@dataclasses.dataclass(frozen=True)
class Source:
    """A file to read: its path, the encoding of its text, the text itself with "\n" line
    endings, and its opening lines, which every reader uses to recognise the format. When the
    file holds NUL bytes the text stops before the first line holding one, `nul_line`."""

    path: str
    encoding: str
    text: str
    head_lines: tuple[str, ...]
    nul_line: int | None = None

    def lines(self, count: int) -> list[str]:
        """The first `count` lines."""
        if count <= len(self.head_lines):
            return list(self.head_lines[:count])
        parts = self.text.split("\n", count)
        if len(parts) <= count and parts[-1] == "":
            parts.pop()  # the empty rest after the final newline
        return parts[:count]

    def offset_of(self, line_number: int) -> int:
        """Index in `text` where line `line_number` (1-based) starts, len(text) past the end."""
        offset = 0
        for _ in range(line_number - 1):
            found = self.text.find("\n", offset)
            if found < 0:
                return len(self.text)
            offset = found + 1
        return offset

    @property
    def final_newline(self) -> bool:
        """Whether the last line of the text is complete; a file cut short mid-write lacks it."""
        return self.text.endswith("\n")

    def at(self, line_number: int) -> str:
        """How messages name a line of this file."""
        return f"{self.path}, line {line_number}"


def _wait_for_writer(fd: int, path: str) -> bytes:
    """The first bytes of a FIFO opened without blocking; ValueError when no program opens it
    for writing within WRITER_WAIT_SECONDS."""
    deadline = time.monotonic() + WRITER_WAIT_SECONDS
    while True:
        try:
            first = os.read(fd, _CHUNK_BYTES)
        except BlockingIOError:  # a writer is there, with nothing written yet
            os.set_blocking(fd, True)
            return os.read(fd, _CHUNK_BYTES)
        if first:
            os.set_blocking(fd, True)
            return first
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            raise ValueError(f"{path} is a pipe or FIFO with nothing written to it")
        # A FIFO that never had a writer polls as not ready until one writes to it.
        select.select([fd], [], [], remaining)


def _read_bytes(path: str, wide: bool | None) -> bytes:
    """The bytes of `path` up to MAX_BYTES. Unless the text is UTF-16 or UTF-32 (`wide`, or
    judged from the first chunk when None), reading stops after a chunk holding a NUL byte: the
    text ends there, and the preallocated tail a crash leaves can be far larger than the file."""
    fifo = stat.S_ISFIFO(os.stat(path).st_mode)
    fd = os.open(path, os.O_RDONLY | (os.O_NONBLOCK if fifo else 0) | getattr(os, "O_BINARY", 0))
    try:
        chunks = [_wait_for_writer(fd, path) if fifo else os.read(fd, _CHUNK_BYTES)]
        size = len(chunks[0])
        if wide is None:
            wide = _utf16_of(chunks[0]) is not None
        while chunks[-1] and size <= MAX_BYTES and (wide or b"\x00" not in chunks[-1]):
            chunks.append(os.read(fd, _CHUNK_BYTES))
            size += len(chunks[-1])
    finally:
        os.close(fd)
    if size > MAX_BYTES:
        raise ValueError(f"{path} holds more than {MAX_BYTES} bytes, more than corvex.io.read takes")
    return b"".join(chunks)


def _utf16_of(raw: bytes) -> str | None:
    """The UTF-16 codec of text starting with `raw`: a byte-order mark, or the NUL bytes of
    ASCII text in UTF-16 without a mark; None for other encodings."""
    if raw.startswith(codecs.BOM_UTF8):
        return None
    if raw.startswith((codecs.BOM_UTF16_LE, codecs.BOM_UTF16_BE)):
        return "utf-16"
    head = raw[:HEAD_BYTES]
    even, odd = head[0::2].count(0), head[1::2].count(0)
    if odd > len(head) // 4 and even == 0:
        return "utf-16-le"
    if even > len(head) // 4 and odd == 0:
        return "utf-16-be"
    return None


def _line_of(data: bytes, position: int) -> int:
    """The line (1-based) of byte `position`, for messages."""
    return data.count(b"\n", 0, position) + 1


def _decode(path: str, raw: bytes, encoding: str) -> str:
    try:
        return raw.decode(encoding)
    except UnicodeDecodeError as error:
        raise ValueError(f"{path}, line {_line_of(raw, error.start)}: cannot be decoded as {encoding}: "
                         f"{error.reason}") from None
    except UnicodeError as error:
        raise ValueError(f"{path} cannot be decoded as {encoding}: {error}") from None


def _checked_encoding(encoding: object) -> str:
    if not isinstance(encoding, str):
        raise TypeError(f"argument 'encoding': expected a str or None, not {type(encoding).__name__}")
    try:
        "".encode(encoding)  # refuses bytes-to-bytes codecs such as zlib, which are not text encodings
    except LookupError as error:
        raise ValueError(f"argument 'encoding': {error}") from None
    return encoding


def open_source(path: str | os.PathLike[str], encoding: str | None = None) -> Source:
    """Read `path` once; ValueError when it is not a text file we can decode."""
    path = os.fspath(path)
    if encoding is not None:
        encoding = _checked_encoding(encoding)
    wide = codecs.lookup(encoding).name.startswith(("utf-16", "utf-32")) if encoding else None
    raw = _read_bytes(path, wide)
    utf16 = _utf16_of(raw)
    if wide is None:
        wide = utf16 is not None
    nul = -1 if wide else raw.find(b"\x00")
    if nul >= 0:
        # Stop before the line holding the NUL byte: what follows is not text.
        raw = raw[: max(raw.rfind(b"\n", 0, nul), raw.rfind(b"\r", 0, nul)) + 1]
    if encoding is None and utf16 is None and not raw.startswith(codecs.BOM_UTF8):
        try:
            text, encoding = raw.decode("utf-8"), "utf-8"
        except UnicodeDecodeError:
            text, encoding = raw.decode("latin-1"), "latin-1"  # which decodes any byte
    else:
        encoding = encoding or utf16 or "utf-8-sig"
        text = _decode(path, raw, encoding).removeprefix("\ufeff")
    if "\r" in text:
        text = text.replace("\r\n", "\n").replace("\r", "\n")
    if wide and "\x00" in text:
        nul = text.find("\x00")
        text = text[: text.rfind("\n", 0, nul) + 1]
    if nul >= 0 and not text:
        raise ValueError(f"{path} is a binary file, not a text export of a measurement")
    head = text[:HEAD_BYTES].split("\n")
    if len(text) > HEAD_BYTES or head[-1] == "":
        head.pop()  # cut at the limit, or the empty rest after the final newline
    return Source(path, encoding, text, tuple(head), text.count("\n") + 1 if nul >= 0 else None)
