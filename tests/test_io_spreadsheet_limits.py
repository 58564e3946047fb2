# Spreadsheets that describe far more work than their bytes: each is refused with a message
# naming the limit, or read sparsely, while the memory the reader takes stays small.
"""Tests of the limits of corvex.io's spreadsheet reader."""

from __future__ import annotations

import subprocess
import sys
import tracemalloc

import numpy as np
import pytest

import corvex.io
from corvex.io import spreadsheets

pytest.importorskip("openpyxl")

import hostile_files  # noqa: E402

# Far more than a sparse reader needs for these files and far less than a dense grid of them.
PEAK_BYTES = 64 * 2 ** 20


def read_with_peak(path):
    """The frame (or the exception) corvex.io.read gives for `path`, and the peak bytes it allocated."""
    tracemalloc.start()
    try:
        try:
            outcome = corvex.io.read(path)
        except Exception as error:  # noqa: BLE001 - the caller checks which
            outcome = error
        return outcome, tracemalloc.get_traced_memory()[1]
    finally:
        tracemalloc.stop()


@pytest.mark.parametrize("name, build, message", [
    ("row-beyond.xlsx", hostile_files.row_beyond_xlsx, "goes on past row 1,048,576, the last a sheet can have"),
    ("columns.ods", hostile_files.repeated_columns_ods, "fills cells past column 16,384, the last a sheet can have"),
    ("rows.ods", hostile_files.repeated_rows_ods, "goes on past row 1,048,576"),
    ("cells.ods", lambda path: hostile_files.ods(path, '<table:table-row table:number-rows-repeated="1000">'
                                                 + hostile_files._number_cell(1.0, 16_000) + "</table:table-row>"),
     "holds more than 10,000,000 filled cells"),
    ("laughs.xlsx", hostile_files.laughs_xlsx, "declares a document type"),
    ("external.xlsx", hostile_files.external_entity_xlsx, "declares a document type"),
    ("laughs.ods", hostile_files.laughs_ods, "declares a document type"),
    ("external.ods", hostile_files.external_entity_ods, "declares a document type"),
])
def test_bombs_are_refused_before_their_cells_are_allocated(tmp_path, name, build, message):
    path = build(tmp_path / name)
    outcome, peak = read_with_peak(path)
    assert isinstance(outcome, ValueError), outcome
    assert str(outcome).startswith(str(path)) and message in str(outcome) and "root:" not in str(outcome)
    assert peak < PEAK_BYTES


def test_an_archive_unpacking_beyond_the_limit_is_refused_unread(tmp_path, monkeypatch):
    monkeypatch.setattr(spreadsheets, "MAX_UNPACKED_BYTES", 2 ** 20)
    path = hostile_files.whitespace_xlsx(tmp_path / "whitespace.xlsx", 4 * 2 ** 20)
    outcome, peak = read_with_peak(path)
    assert isinstance(outcome, ValueError) and "more than the 1,048,576 bytes corvex reads" in str(outcome)
    assert peak < 2 ** 20


@pytest.mark.parametrize("name, build, points", [
    ("far-cell.xlsx", hostile_files.far_cell_xlsx, 1),  # one cell at XFD1048576 costs one row, not a grid
    ("rows.ods", lambda path: hostile_files.repeated_rows_ods(path, 3), 3),
    ("trailing.ods", lambda path: hostile_files.ods(path, hostile_files._ODS_HEADER + "<table:table-row>" + "".join(
        hostile_files._number_cell(value) for value in (10.0, 2.0, -3.0)) + "</table:table-row>"
        + '<table:table-row table:number-rows-repeated="1048500"><table:table-cell '
          'table:number-columns-repeated="16384"/></table:table-row>'), 1),  # empty rows as LibreOffice writes them
])
def test_sparse_sheets_are_read_cell_by_cell(tmp_path, name, build, points):
    path = build(tmp_path / name)
    frame, peak = read_with_peak(path)
    assert not isinstance(frame, Exception), frame
    assert len(frame) == points and peak < PEAK_BYTES
    assert np.isfinite(frame["Frequency / Hz"]).all()


def test_corvex_read_refuses_a_bomb_with_the_message(tmp_path):
    path = hostile_files.repeated_columns_ods(tmp_path / "bomb.ods")
    run = subprocess.run([sys.executable, "-m", "corvex.cli", "read", str(path)], capture_output=True, text=True,
                         timeout=600)
    assert run.returncode != 0 and "fills cells past column 16,384" in run.stderr
