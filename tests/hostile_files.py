# Small files that describe enormous work: spreadsheets whose cells expand to billions, archives
# of gigabytes of whitespace, entity expansion and external entities, and a long CSV.
"""Builders of hostile input files, shared by the tests and benchmarks/bench_hostile_uploads.py."""

from __future__ import annotations

import zipfile
from collections.abc import Callable
from pathlib import Path

_XLSX_PARTS = {
    "[Content_Types].xml":
        '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/'
        'content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.'
        'relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/'
        'workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
        '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-'
        'officedocument.spreadsheetml.worksheet+xml"/></Types>',
    "_rels/.rels":
        '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/'
        '2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
        'relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>',
    "xl/workbook.xml":
        '<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/'
        '2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>'
        '<sheet name="data" sheetId="1" r:id="rId1"/></sheets></workbook>',
    "xl/_rels/workbook.xml.rels":
        '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/'
        '2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
        'relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>',
}
_SHEET_OPEN = '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
_CELLS = ('<row r="1"><c r="A1" t="inlineStr"><is><t>freq</t></is></c><c r="B1" t="inlineStr"><is><t>Zre</t></is>'
          '</c><c r="C1" t="inlineStr"><is><t>Zim</t></is></c></row>'
          '<row r="2"><c r="A2"><v>1000</v></c><c r="B2"><v>1</v></c><c r="C2"><v>-1</v></c></row>')

_ODS_MANIFEST = ('<?xml version="1.0" encoding="UTF-8"?><manifest:manifest xmlns:manifest="urn:oasis:names:tc:'
                 'opendocument:xmlns:manifest:1.0" manifest:version="1.2"><manifest:file-entry manifest:full-path="/"'
                 ' manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/><manifest:file-entry '
                 'manifest:full-path="content.xml" manifest:media-type="text/xml"/></manifest:manifest>')
_ODS_OPEN = ('<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
             'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
             'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"><office:body>'
             '<office:spreadsheet><table:table table:name="data">')
_ODS_CLOSE = "</table:table></office:spreadsheet></office:body></office:document-content>"
_ODS_HEADER = ('<table:table-row><table:table-cell office:value-type="string"><text:p>freq</text:p></table:table-cell>'
               '<table:table-cell office:value-type="string"><text:p>Zre</text:p></table:table-cell>'
               '<table:table-cell office:value-type="string"><text:p>Zim</text:p></table:table-cell></table:table-row>')

_LAUGHS = ('<!DOCTYPE lolz [<!ENTITY lol "lollollollollollollollollollol">'
           + "".join(f'<!ENTITY lol{n} "{("&lol" + (str(n - 1) if n > 1 else "") + ";") * 10}">' for n in range(1, 10))
           + "]>")
_EXTERNAL = '<!DOCTYPE data [<!ENTITY secret SYSTEM "file:///etc/passwd">]>'


def _number_cell(value: float, repeat: int = 1) -> str:
    repeated = f' table:number-columns-repeated="{repeat}"' if repeat > 1 else ""
    return f'<table:table-cell office:value-type="float" office:value="{value}"{repeated}/>'


def xlsx(path: Path, sheet_body: str, *, doctype: str = "", padding: int = 0) -> Path:
    """An .xlsx whose one sheet holds `sheet_body`; `padding` bytes of whitespace after it
    compress to almost nothing."""
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name, text in _XLSX_PARTS.items():
            archive.writestr(name, text)
        with archive.open("xl/worksheets/sheet1.xml", "w", force_zip64=padding > 1 << 30) as sheet:
            sheet.write(f'<?xml version="1.0" encoding="UTF-8"?>{doctype}{_SHEET_OPEN}<sheetData>'.encode())
            sheet.write(sheet_body.encode())
            block = b" " * (1 << 20)
            for start in range(0, padding, len(block)):
                sheet.write(block[: padding - start])
            sheet.write(b"</sheetData></worksheet>")
    return path


def ods(path: Path, table_body: str, *, doctype: str = "") -> Path:
    """An .ods whose one sheet holds the rows `table_body`."""
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
        archive.writestr("META-INF/manifest.xml", _ODS_MANIFEST)
        archive.writestr("content.xml", f'<?xml version="1.0" encoding="UTF-8"?>{doctype}{_ODS_OPEN}{table_body}'
                                        f"{_ODS_CLOSE}")
    return path


def far_cell_xlsx(path: Path) -> Path:
    """A few hundred bytes: a spectrum and one cell at XFD1048576, a used range of 17 billion cells."""
    return xlsx(path, _CELLS + '<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>')


def row_beyond_xlsx(path: Path) -> Path:
    """A cell in row 2,000,000,000, which a reader filling missing rows never reaches."""
    return xlsx(path, _CELLS + '<row r="2000000000"><c r="A2000000000"><v>1</v></c></row>')


def whitespace_xlsx(path: Path, unpacked: int = 2 << 30) -> Path:
    """About 1/1000 of `unpacked` bytes (2 GB by default) that unpack to `unpacked` bytes of whitespace."""
    return xlsx(path, _CELLS, padding=unpacked)


def repeated_columns_ods(path: Path, repeat: int = 200_000_000) -> Path:
    """One number cell repeated `repeat` times along a row."""
    return ods(path, _ODS_HEADER + f"<table:table-row>{_number_cell(1.0, repeat)}</table:table-row>")


def repeated_rows_ods(path: Path, repeat: int = 200_000_000) -> Path:
    """A row of three numbers repeated `repeat` times."""
    cells = _number_cell(1000.0) + _number_cell(1.0) + _number_cell(-1.0)
    return ods(path, _ODS_HEADER + f'<table:table-row table:number-rows-repeated="{repeat}">{cells}</table:table-row>')


def laughs_xlsx(path: Path) -> Path:
    return xlsx(path, _CELLS.replace("<t>freq</t>", "<t>&lol9;</t>"), doctype=_LAUGHS)


def laughs_ods(path: Path) -> Path:
    return ods(path, _ODS_HEADER.replace(">freq<", ">&lol9;<"), doctype=_LAUGHS)


def external_entity_xlsx(path: Path) -> Path:
    return xlsx(path, _CELLS.replace("<t>freq</t>", "<t>&secret;</t>"), doctype=_EXTERNAL)


def external_entity_ods(path: Path) -> Path:
    return ods(path, _ODS_HEADER.replace(">freq<", ">&secret;<"), doctype=_EXTERNAL)


def long_csv(path: Path, points: int = 2_000_000) -> Path:
    """A valid spectrum of `points` points, far more than one measurement holds."""
    import numpy as np

    frequencies = np.logspace(6, -3, points)
    table = np.column_stack([frequencies, np.full(points, 1.0), -1.0 / frequencies])
    with open(path, "w") as handle:
        handle.write("freq,Zre,Zim\n")
        np.savetxt(handle, table, delimiter=",", fmt="%.6g")
    return path


def long_xlsx(path: Path, points: int = 300_000) -> Path:
    """A valid spectrum of `points` points in a workbook (about 6 MB for 300,000)."""
    rows = "".join(f'<row r="{row}"><c r="A{row}"><v>{1e6 / row}</v></c><c r="B{row}"><v>1</v></c>'
                   f'<c r="C{row}"><v>{-row / 1e6}</v></c></row>' for row in range(3, points + 2))
    return xlsx(path, _CELLS + rows)


HOSTILE: dict[str, Callable[[Path], Path]] = {
    "far-cell.xlsx": far_cell_xlsx, "row-beyond.xlsx": row_beyond_xlsx, "whitespace.xlsx": whitespace_xlsx,
    "repeated-columns.ods": repeated_columns_ods, "repeated-rows.ods": repeated_rows_ods,
    "laughs.xlsx": laughs_xlsx, "laughs.ods": laughs_ods,
    "external-entity.xlsx": external_entity_xlsx, "external-entity.ods": external_entity_ods,
    "long.csv": long_csv, "long.xlsx": long_xlsx,
}
"""Every hostile file by the name it is written under."""
