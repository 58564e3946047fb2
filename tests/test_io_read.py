# Reading instrument files: values checked by hand against the raw text of each sample file,
# sign and unit conventions, encodings, and the messages for files we must refuse.
import os
import pathlib
import warnings

import numpy as np
import pytest

import corvex
import corvex.io

INSTRUMENTS = pathlib.Path(__file__).resolve().parent / "data" / "instruments"
F, RE, IM = "Frequency / Hz", "Real Impedance / ohm", "Imaginary Impedance / ohm"


@pytest.mark.parametrize(
    "name, format, rows, row, expected",
    [
        # -Im(Z) = 3.8998979E-001 in the file; <I>/mA = -4.8041187E-002
        ("exampleDataBioLogic.mpt", "biologic", 43, 0,
         {F: 1.0003201e3, RE: 6.5470886e1, IM: -3.8998979e-1, "Current / A": -4.8041187e-5}),
        ("exampleDataGamry.DTA", "gamry", 72, 71,
         {F: 0.0158898, RE: 17007.49, IM: -6635.557, "Voltage / V": -0.3411888, "Test Time / s": 861}),
        ("exampleDataZPlot.z", "zplot", 21, 0, {F: 3e5, RE: 1.4777e2, IM: -1.1335e1, "Test Time / s": 2.67}),
        ("exampleDataAutolab.txt", "autolab", 41, 0, {F: 10000, RE: 0.013785863964281, IM: 0.007191946305823}),
        # the first row after the 0 Hz rows, file line 783
        ("exampleDataParstat.txt", "parstat", 31, 0,
         {F: 10000, RE: -0.00049816280376104, IM: 0.0175143479976367, "Voltage / V": 3.50029397010803}),
        ("exampleDataVersaStudio.par", "versastudio", 61, 60, {F: 0.02154435, RE: 1516.313, IM: -122.8279}),
        ("exampleDataCHInstruments.txt", "chinstruments", 73, 0, {F: 9.961e4, RE: 9.891e1, IM: -2.748}),
        ("exampleDataPowersuite.txt", "powersuite", 30, 29, {F: 2000000, RE: -470.54113, IM: -1397.7358}),
    ],
)
def test_sample_files_read_to_the_recorded_values(name, format, rows, row, expected):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        frame = corvex.io.read(INSTRUMENTS / name)
    assert frame.attrs["format"] == format
    assert len(frame) == rows
    assert list(frame.columns[:3]) == [F, RE, IM]
    assert {key: frame[key][row] for key in expected} == pytest.approx(expected, rel=1e-15)
    assert (frame[F] > 0).all()


@pytest.mark.parametrize("name, message", [
    ("exampleDataGamryABORT.DTA", "experiment was aborted; read the 72 points"),
    ("exampleDataZPlot.z", "announces 56 points but the file holds 21"),
])
def test_incomplete_runs_keep_their_rows_and_warn(name, message):
    with pytest.warns(UserWarning, match=message):
        frame = corvex.io.read(INSTRUMENTS / name)
    assert frame[IM].notna().all()


def test_aborted_run_drops_a_row_cut_short(tmp_path):
    lines = (INSTRUMENTS / "exampleDataGamryABORT.DTA").read_bytes().split(b"\n")
    lines[170] = b"\t".join(lines[170].split(b"\t")[:4])  # Pt 71 keeps only time and frequency
    path = tmp_path / "cut.DTA"
    path.write_bytes(b"\n".join(lines))
    with pytest.warns(UserWarning, match="read the 71 points"):
        frame = corvex.io.read(path)
    assert frame[F].iloc[-1] == 0.0200064
    path.write_bytes(b"\n".join(lines).replace(b"EXPERIMENTABORTED\tTOGGLE\tT", b"EXPERIMENTABORTED\tTOGGLE\tF"))
    with pytest.raises(ValueError, match="cut.DTA, line 171: expected 12 fields, found 4"):
        corvex.io.read(path)


def _write(tmp_path, name, text, encoding="utf-8"):
    path = tmp_path / name
    path.write_bytes(text.encode(encoding))
    return path


@pytest.mark.parametrize("text, encoding, expected", [
    ("freq,Z',-Z''\n10,1.5,2\n", "utf-8", [10, 1.5, -2]),
    ("Frequency (kHz);Zre (kOhm);Zim (kOhm)\n1,5;2,25;-0,5\n", "utf-8", [1500, 2250, -500]),
    ("f/mHz\t|Z|/Ohm\tPhase/rad\n100\t2\t-1.5707963267948966\n", "utf-16", [0.1, 0.0, -2]),
    ("freq\tZ (\u03a9)\t-Phase (\u00b0)\n1\t2\t90\n", "utf-8-sig", [1, 0.0, -2]),
    ("Freq / Hz;Z' / ohm;Z'' / ohm;Temp (\u00b0C)\n1;2;-3;25\n", "latin-1", [1, 2, -3]),
    ("sample,time,freq,Zre,Zim\nA1,12:00:01,10,1.5,-2\n", "utf-8", [10, 1.5, -2]),  # text first
    ('"Frequency / Hz","Real Impedance / ohm","Imaginary Impedance / ohm"\n"5","1e3","-2e3"\n', "utf-16-le",
     [5, 1000, -2000]),
    ("Exported by some program\nRun: 3\n\nfrequency_hertz real_impedance_ohm imaginary_impedance_ohm\n"
     "\n  7   8.5   -9\n", "utf-8", [7, 8.5, -9]),
])
def test_delimited_units_signs_and_encodings(tmp_path, text, encoding, expected):
    frame = corvex.io.read(_write(tmp_path, "spectrum.csv", text, encoding))
    assert frame[[F, RE, IM]].to_numpy()[0] == pytest.approx(expected, abs=1e-12)


def test_cycles_become_spectra_ready_for_the_batch(tmp_path):
    text = "Cycle,freq,Zre,Zim\n" + "".join(f"{c},{f},{c + 1},-{f}\n" for c in (3, 3, 7, 7, 7) for f in [1])
    frame = corvex.io.read(_write(tmp_path, "cycles.csv", text))
    assert frame["Spectrum"].tolist() == [0, 0, 1, 1, 1]
    assert frame["Cycle Count / 1"].tolist() == [3, 3, 7, 7, 7]


def test_read_frame_fits_and_converts_to_polars():
    frame = corvex.io.read(INSTRUMENTS / "exampleDataBioLogic.mpt")
    result = corvex.Circuit("R0-(R1,C1)").with_values([60, 50, 1e-3]).fit(frame)
    assert result.success
    polars_frame = corvex.io.read(INSTRUMENTS / "exampleDataBioLogic.mpt", library="polars")
    assert polars_frame[IM].to_list() == frame[IM].tolist()


def _mpt_lines():
    return (INSTRUMENTS / "exampleDataBioLogic.mpt").read_bytes().split(b"\n")


@pytest.mark.parametrize("edit, message", [
    (lambda lines: lines[:80] + [lines[80][:40]], r"line 81: expected 18 fields, found 3"),
    (lambda lines: lines[:70] + [lines[70].replace(b"E+00", b"X+00", 1)] + lines[71:],
     r'line 71: "9.4908844X\+001" in column "freq/Hz" is not a number'),
    (lambda lines: lines[:72] + [lines[72] + b"\t5"] + lines[73:], r"line 73: expected 18 fields, found 19"),
    (lambda lines: lines[:72] + [lines[72].replace(b"\t", b"\t\t", 1)] + lines[73:], r"line 73: expected 18 fields"),
    (lambda lines: lines[:30], r"line 30: the file ends inside its 61-line header"),
    (lambda lines: lines[:61], r"line 62: no data rows"),
])
def test_damaged_files_are_refused_naming_file_and_line(tmp_path, edit, message):
    path = tmp_path / "damaged.mpt"
    path.write_bytes(b"\n".join(edit(_mpt_lines())))
    with pytest.raises(ValueError, match="damaged.mpt, " + message):
        corvex.io.read(path)


@pytest.mark.parametrize("name, content, kwargs, message", [
    ("notes.txt", b"hello\n1 2 3\n", {}, r"notes.txt: file format not recognised; supported formats: biologic"),
    ("data.csv", b"freq,Zre,Zim\n1,2,3\n", {"format": "excel"}, r"unknown format 'excel'; supported formats"),
    ("run.mpr", bytes(range(256)) * 4, {}, r"run.mpr is a binary file"),
    ("area.csv", b"freq,Zre (Ohm cm2),Zim (Ohm cm2)\n1,2,3\n", {}, r'column "Zre \(Ohm cm2\)" is in "Ohm cm2"'),
    ("comma.csv", b"freq;Zre;Zim\n1,5;2.5;3\n", {}, r'line 2: "1,5" in column "freq" is not a number'),
])
def test_unreadable_content_is_refused(tmp_path, name, content, kwargs, message):
    path = tmp_path / name
    path.write_bytes(content)
    with pytest.raises(ValueError, match=message):
        corvex.io.read(path, **kwargs)


@pytest.mark.parametrize("name, saved_as, kwargs, expected", [
    ("exampleDataCHInstruments.txt", "renamed.mpt", {}, "chinstruments"),  # content before extension
    ("exampleDataCHInstruments.txt", "chi.txt", {"format": "delimited"}, "delimited"),
    ("exampleDataPowersuite.txt", "data.DTA", {}, "powersuite"),
])
def test_content_decides_the_format_before_the_extension(tmp_path, name, saved_as, kwargs, expected):
    path = tmp_path / saved_as
    path.write_bytes((INSTRUMENTS / name).read_bytes())
    assert corvex.io.read(path, **kwargs).attrs["format"] == expected


def test_extension_picks_the_reader_when_content_does_not(tmp_path):
    path = tmp_path / "run.DTA"
    path.write_text("EXPLAIN\nTAG\tCV\n")
    with pytest.raises(ValueError, match="run.DTA: no ZCURVE table"):
        corvex.io.read(path)


def test_each_table_of_a_file_is_a_spectrum(tmp_path):
    text = (INSTRUMENTS / "exampleDataGamry.DTA").read_bytes()
    table = text[text.index(b"ZCURVE\tTABLE"):]
    path = tmp_path / "two.DTA"
    path.write_bytes(text + b"\n" + table)
    frame = corvex.io.read(path)
    assert frame["Spectrum"].tolist() == [0] * 72 + [1] * 72
    assert (frame[F][:72].to_numpy() == frame[F][72:].to_numpy()).all()


def _lf_frame(name):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        return corvex.io.read(INSTRUMENTS / name)


@pytest.mark.parametrize("name, ending", [
    ("exampleDataBioLogic.mpt", b"\r"), ("exampleDataCHInstruments.txt", b"\r"),
    ("exampleDataAutolab.txt", b"\n\r"), ("exampleDataGamry.DTA", b"\r\n"),
])
def test_line_endings_never_lose_rows(tmp_path, name, ending):
    path = tmp_path / name
    path.write_bytes((INSTRUMENTS / name).read_bytes().replace(b"\n", ending))
    frame = corvex.io.read(path)
    assert frame.equals(_lf_frame(name))
    path.write_bytes(b"Exported by X\r\rfreq,Zre,Zim\r1000,1,-1\r100,2,-2\r10,3,-3\r")
    assert corvex.io.read(path)[F].tolist() == [1000, 100, 10]


def test_short_autolab_file_with_lf_cr_endings_warns(tmp_path):
    lines = (INSTRUMENTS / "exampleDataAutolab.txt").read_bytes().split(b"\n")[:41]
    path = tmp_path / "short.txt"
    path.write_bytes(b"\n\r".join(lines) + b"\n\r")
    with pytest.warns(UserWarning, match="announces 41 points but the file holds 30"):
        assert len(corvex.io.read(path)) == 30


def _edited(name, edit):
    return lambda: edit((INSTRUMENTS / name).read_bytes())


@pytest.mark.parametrize("name, edit, message", [
    # One flipped bit turns the tab opening a row into \x19.
    ("exampleDataGamry.DTA", lambda data: data[:34445] + b"\x19" + data[34446:], r"line 492: expected 12 fields"),
    ("exampleDataGamry.DTA", lambda data: data.replace(b"\n\t43\t", b"\njunk\n\t43\t"), r"line 493: expected 12 fields"),
    # A comma of the column names turned into a quote merges two names.
    ("exampleDataVersaStudio.par", lambda data: data.replace(b"E(V), I(A)", b"E(V)' I(A)"),
     r"line 116: the Definition names 23 columns but the rows have 24 fields"),
    ("exampleDataParstat.txt", lambda data: b"\n".join(data.split(b"\n")[:5]) + b"\n",
     r"only the 0 Hz rows recorded before the sweep"),
    ("exampleDataPowersuite.txt", lambda data: data[: data.index(b"-49014.063") + 2],
     r"line 3: the file ends without a newline in its only row"),
    ("exampleDataGamry.DTA", lambda data: data.replace(b"17007.49", b"1e400"), r"line 520: a value is infinite"),
])
def test_garbled_rows_are_refused_naming_the_line(tmp_path, name, edit, message):
    path = tmp_path / name
    path.write_bytes(_edited(name, edit)())
    with pytest.raises(ValueError, match=f"{name}[:,] {message}"):
        corvex.io.read(path)


@pytest.mark.parametrize("name, edit, rows, message", [
    # A number cut short with the file: -23804.949 read as -23804.94 (the column also holds -16131.9).
    ("exampleDataPowersuite.txt", lambda data: data[: data.index(b"-23804.949") + 9], 12,
     r"line 27: the file ends without a newline"),
    ("data.csv", lambda _: b"freq,Zre,Zim\n1000,1.25,-1.5\n100,2.5,-2.25\n10,3.5,-3", 2, "line 4: the file ends"),
    ("data.csv", lambda _: b"freq,Zre,Zim\n1000,1,-1\nnan,2,-2\n10,3,nan\n1,4,-4\n", 2, r"dropped 2 rows .* lines 3, 4"),
    # The preallocated tail a crash leaves: only the first MiB of it is read.
    ("data.csv", lambda _: b"freq,Zre,Zim\n1000,1,-1\n100,2,-2\n" + bytes(64 << 20), 2, r"line 4: NUL bytes"),
    ("exampleDataGamry.DTA", lambda data: data + b"\x00" * 5000, 72, r"line 521: NUL bytes"),
])
def test_dropped_rows_warn_naming_the_line(tmp_path, name, edit, rows, message):
    path = tmp_path / name
    path.write_bytes(edit((INSTRUMENTS / name).read_bytes() if (INSTRUMENTS / name).exists() else b""))
    with pytest.warns(UserWarning, match=message):
        frame = corvex.io.read(path)
    assert len(frame) == rows and frame[[F, RE, IM]].notna().all().all()


def test_complete_last_row_without_newline_is_kept(tmp_path):
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # the sample ends without a newline
        assert len(corvex.io.read(INSTRUMENTS / "exampleDataBioLogic.mpt")) == 43


def test_encoding_is_judged_from_the_whole_file(tmp_path):
    data = (INSTRUMENTS / "exampleDataGamry.DTA").read_bytes()
    start = data.index(b"ZCURVE\tTABLE")
    # An open-circuit curve long enough to push the first non-ASCII byte past 64 KiB.
    ocv = b"OCVCURVE\tTABLE\t1000\n\tPt\tT\tVf\n\t#\ts\tV vs. Ref.\n" + b"".join(
        b"\t%d\t%d\t-0.3411888\n" % (i, i) for i in range(3000))
    path = tmp_path / "long.DTA"
    path.write_bytes(data[:start] + ocv + data[start:])
    assert len(corvex.io.read(path)) == 72
    with pytest.raises(ValueError, match=r"long.DTA, line 3451: cannot be decoded as utf-8"):
        corvex.io.read(path, encoding="utf-8")


@pytest.mark.parametrize("content, kwargs, error, message", [
    (b"freq,Zre,Zim\n1,2,3\n\xd9\xa1,2,3\n", {}, ValueError, r"data.csv, line 3: .* is not a number"),
    (b"freq,Zre,Zim\n1,2,3\n", {"encoding": "utf-16"}, ValueError, r"data.csv, line 2: cannot be decoded as utf-16"),
    (b"freq,Zre,Zim\n1,2,3\n", {"encoding": "zlib"}, ValueError, r"argument 'encoding': 'zlib' is not a text"),
    (b"freq,Zre,Zim\n1,2,3\n", {"encoding": 8}, TypeError, r"argument 'encoding': expected a str"),
    (b"freq,Zre,Zim\n1,2,3\n10,1e400,3\n", {}, ValueError, r"data.csv, line 3: a value is infinite"),
])
def test_unclear_inputs_get_errors_naming_what_is_wrong(tmp_path, content, kwargs, error, message):
    path = tmp_path / "data.csv"
    path.write_bytes(content)
    with pytest.raises(error, match=message):
        corvex.io.read(path, **kwargs)


def test_pipes_are_read_once(tmp_path, monkeypatch):
    import threading

    from corvex.io import _source

    fifo = tmp_path / "stream"
    os.mkfifo(fifo)
    monkeypatch.setattr(_source, "WRITER_WAIT_SECONDS", 0.05)
    with pytest.raises(ValueError, match="stream is a pipe or FIFO with nothing written to it"):
        corvex.io.read(fifo)
    writer = threading.Thread(target=lambda: fifo.write_bytes(b"freq,Zre,Zim\n1000,1,-1\n100,2,-2\n"))
    writer.start()
    assert corvex.io.read(fifo)[F].tolist() == [1000, 100]
    writer.join()


@pytest.mark.parametrize("suffix, engine", [(".xlsx", "openpyxl"), (".ods", "odf")])
def test_spreadsheets_give_one_spectrum_per_sheet(tmp_path, suffix, engine):
    pd = pytest.importorskip("pandas")
    pytest.importorskip("openpyxl" if engine == "openpyxl" else "odf")
    path = tmp_path / f"cells{suffix}"
    first = pd.DataFrame({"freq / kHz": [1.0, 0.1], "Z' / ohm": [2.0, 3.0], "-Z'' / ohm": [0.5, 1.5]})
    second = pd.DataFrame({"Frequency / Hz": [10.0, 1.0], "Zre": [4.0, 5.0], "Zim": [-1.0, -2.0]})
    with pd.ExcelWriter(path, engine=engine) as writer:
        pd.DataFrame({"note": ["cell 7, 25 degC"]}).to_excel(writer, sheet_name="notes", index=False)
        first.to_excel(writer, sheet_name="cycle 1", index=False, startrow=2)  # title rows above the header
        second.to_excel(writer, sheet_name="cycle 2", index=False)
    frame = corvex.io.read(path)
    assert frame.attrs["format"] == "spreadsheet"
    assert frame["Spectrum"].tolist() == [0, 0, 1, 1]
    np.testing.assert_array_equal(frame[F], [1000.0, 100.0, 10.0, 1.0])
    np.testing.assert_array_equal(frame[IM], [-0.5, -1.5, -1.0, -2.0])
    first = first.astype(object)
    first.loc[1, "Z' / ohm"] = "n/a"
    first.to_excel(path, sheet_name="cycle 1", index=False, engine=engine)
    with pytest.raises(ValueError, match=r"sheet 'cycle 1', row 3: .* not a number"):
        corvex.io.read(path)
