# Frequencies and measured spectra from lists, tuples, NumPy arrays, pandas and polars data
# frames and dicts of columns, with every structural message. Spectra are observed through
# residuals() with weight="unit", whose values are exactly model minus measured.
import math

import numpy as np
import pandas as pd
import polars as pl
import pytest

import corvex

FREQ = '"Frequency / Hz" or "frequency_hertz"'
REAL = '"Real Impedance / ohm" or "real_impedance_ohm"'
IMAG = '"Imaginary Impedance / ohm" or "imaginary_impedance_ohm"'
MOD = '"Absolute Impedance / ohm" or "absolute_impedance_ohm"'
PHASE = '"Phase / deg" or "phase_degree"'

# Zero impedance everywhere: residuals with weight="unit" are minus the measured values.
ZERO = corvex.Series([])


def measured(frequencies, impedances=None):
    r = ZERO.residuals([], frequencies, impedances, weight="unit")
    return [complex(-re, -im) for re, im in zip(r[::2], r[1::2])]


def frame_kinds(columns):
    """The same columns as a dict, a pandas frame and a polars frame."""
    return [dict(columns), pd.DataFrame(columns), pl.DataFrame(columns)]


# ---------------------------------------------------------------- two sequences

@pytest.mark.parametrize(
    "frequencies, impedances",
    [
        ([1.0, 2.0], [1 + 2j, 3 - 4j]),
        ((1, 2), (complex(1, 2), complex(3, -4))),
        (np.array([1.0, 2.0]), np.array([1 + 2j, 3 - 4j])),
        (np.array([1, 2], dtype=np.int16), np.array([1 + 2j, 3 - 4j], dtype=np.complex64)),
        (pd.Series([1.0, 2.0], index=[10, 20]), pd.Series([1 + 2j, 3 - 4j])),
        (pl.Series([1.0, 2.0]), [np.complex128(1 + 2j), np.complex64(3 - 4j)]),
    ],
)
def test_two_sequences(frequencies, impedances):
    assert measured(frequencies, impedances) == [1 + 2j, 3 - 4j]


def test_real_impedances_and_complex_protocol():
    class ComplexLike:
        def __complex__(self):
            return 5 - 6j

    assert measured([1, 2, 3], [1, np.float64(2.5), ComplexLike()]) == [1, 2.5, 5 - 6j]


def test_two_sequences_keep_every_row():
    z = measured([0.0, -1.0, math.nan], [1j, complex(math.nan, 0), 2])
    assert z[0] == 1j and math.isnan(z[1].real) and z[2] == 2


@pytest.mark.parametrize(
    "frequencies, impedances, message",
    [
        (5.0, [1j], "'float' object cannot be converted to 'Sequence'"),
        ("12", [1j, 1j], "'str' object cannot be converted to 'Sequence'"),
        ([1.0], "1j", "'str' object cannot be converted to 'Sequence'"),
        ([1.0], 1j, "'complex' object cannot be converted to 'Sequence'"),
        (["a"], [1j], "must be real number, not str"),
        ([1.0], ["1j"], "must be real number, not str"),
    ],
)
def test_two_sequences_type_errors(frequencies, impedances, message):
    with pytest.raises(TypeError) as raised:
        measured(frequencies, impedances)
    assert str(raised.value) == message


def test_two_sequences_of_different_lengths():
    with pytest.raises(ValueError, match="^frequencies and impedances must have the same length$"):
        measured([1.0, 2.0], [1j])


# ---------------------------------------------------------------- data frames

@pytest.mark.parametrize("frame", frame_kinds({
    "Frequency / Hz": [1.0, 2.0], "Real Impedance / ohm": [1.0, 3.0], "Imaginary Impedance / ohm": [2.0, -4.0]}))
def test_frame_with_display_names(frame):
    assert measured(frame) == [1 + 2j, 3 - 4j]


@pytest.mark.parametrize("frame", frame_kinds({
    "frequency_hertz": [1.0, 2.0], "real_impedance_ohm": [1.0, 3.0], "imaginary_impedance_ohm": [2.0, -4.0]}))
def test_frame_with_machine_names(frame):
    assert measured(frame) == [1 + 2j, 3 - 4j]


def test_display_names_win_over_machine_names():
    frame = pd.DataFrame({
        "Frequency / Hz": [1.0], "frequency_hertz": ["bad"],
        "Real Impedance / ohm": [1.0], "real_impedance_ohm": [9.0],
        "Imaginary Impedance / ohm": [2.0], "imaginary_impedance_ohm": [9.0]})
    assert measured(frame) == [1 + 2j]


@pytest.mark.parametrize("frame", frame_kinds({
    "Frequency / Hz": [1.0], "Absolute Impedance / ohm": [2.0], "Phase / deg": [-90.0]}))
def test_modulus_and_phase(frame):
    (z,) = measured(frame)
    assert z.real == 2.0 * math.cos(-90.0 * 0.017453292519943295)
    assert z.imag == -2.0


def test_real_and_imaginary_are_preferred_but_all_columns_must_be_numeric():
    columns = {"Frequency / Hz": [1.0], "Real Impedance / ohm": [1.0], "Imaginary Impedance / ohm": [2.0],
               "Absolute Impedance / ohm": [7.0], "Phase / deg": [45.0]}
    assert measured(columns) == [1 + 2j]
    columns["Phase / deg"] = ["x"]
    with pytest.raises(ValueError, match='^column "Phase / deg" is not numeric$'):
        measured(columns)


@pytest.mark.parametrize("frame", frame_kinds({
    "Frequency / Hz": [0.0, 1.0, -2.0, math.nan, 3.0],
    "Real Impedance / ohm": [1.0, 2.0, 3.0, 4.0, 5.0],
    "Imaginary Impedance / ohm": [0.0, 0.0, 0.0, 0.0, math.nan]}))
def test_rows_without_positive_frequency_are_dropped(frame):
    z = measured(frame)
    assert z[0] == 2 and z[1].real == 5 and math.isnan(z[1].imag)


@pytest.mark.parametrize(
    "columns, message",
    [
        ({"Real Impedance / ohm": [1.0]},
         f"expected a dataframe with a {FREQ} column, or frequencies and impedances as two arguments"),
        ({"Frequency / Hz": [1.0], "Real Impedance / ohm": [1.0]},
         f"no impedance columns: expected {REAL} together with {IMAG}, or {MOD} together with {PHASE}"),
        ({"Frequency / Hz": [1.0, 2.0], "real_impedance_ohm": [1.0], "imaginary_impedance_ohm": [1.0, 2.0]},
         "real and imaginary impedance columns must have the same length"),
        ({"Frequency / Hz": [1.0], "Absolute Impedance / ohm": [1.0, 2.0], "Phase / deg": [1.0]},
         "absolute impedance and phase columns must have the same length"),
        ({"Frequency / Hz": [1.0, 2.0, 3.0], "Real Impedance / ohm": [1.0], "Imaginary Impedance / ohm": [1.0]},
         f"frequency column has 3 rows but {REAL} and {IMAG} have 1"),
        ({"Frequency / Hz": [1.0], "Absolute Impedance / ohm": [1.0, 2.0], "Phase / deg": [1.0, 2.0]},
         f"frequency column has 1 rows but {MOD} and {PHASE} have 2"),
        ({"Frequency / Hz": [0.0, -1.0], "Real Impedance / ohm": [1.0, 1.0], "Imaginary Impedance / ohm": [1.0, 1.0]},
         f"no measured points: every row of the {FREQ} column is zero or negative"),
        ({"frequency_hertz": ["a"], "Real Impedance / ohm": [1.0], "Imaginary Impedance / ohm": [1.0]},
         'column "frequency_hertz" is not numeric'),
        ({"Frequency / Hz": [1.0], "Real Impedance / ohm": [1.0], "imaginary_impedance_ohm": [None]},
         'column "imaginary_impedance_ohm" is not numeric'),
    ],
)
def test_frame_messages(columns, message):
    with pytest.raises(ValueError) as raised:
        measured(columns)
    assert str(raised.value) == message


@pytest.mark.parametrize("frame", [
    pl.DataFrame({"Real Impedance / ohm": [1.0]}), pd.DataFrame({"x": [1.0]}), [1.0, 2.0], 5.0, None])
def test_anything_without_frequency_column_is_not_a_frame(frame):
    with pytest.raises(ValueError, match="^expected a dataframe with a "):
        measured(frame)


def test_polars_null_is_not_numeric():
    frame = pl.DataFrame({"Frequency / Hz": [1.0, None], "Real Impedance / ohm": [1.0, 2.0],
                          "Imaginary Impedance / ohm": [1.0, 2.0]})
    with pytest.raises(ValueError, match='^column "Frequency / Hz" is not numeric$'):
        measured(frame)


# ---------------------------------------------------------------- frequencies for impedance()

R = corvex.Series([corvex.R(2.0)])


@pytest.mark.parametrize("frame", frame_kinds({"frequency_hertz": [1.0, -2.0, 0.0], "other": ["a", "b", "c"]}))
def test_impedance_reads_frame_frequencies_unfiltered(frame):
    assert R.impedance(frame).tolist() == [2, 2, 2]


@pytest.mark.parametrize("frame", frame_kinds({"Frequency / Hz": ["a", "b"]}))
def test_impedance_non_numeric_frequency_column(frame):
    with pytest.raises(ValueError, match='^column "Frequency / Hz" is not numeric$'):
        R.impedance(frame)


@pytest.mark.parametrize("values", [np.array([[1.0, 2.0]]), np.array(3.0), ["1.0"], [1.0, None]])
def test_impedance_unusable_sequences(values):
    with pytest.raises(ValueError, match="^expected a sequence of frequencies, or a dataframe with a "):
        R.impedance(values)


def test_conversion_hook_that_mutates_the_list_is_safe():
    values = [1.0, 2.0, 3.0]

    class Shrinking:
        def __float__(self):
            values.clear()
            return 4.0

    values.insert(1, Shrinking())
    assert R.impedance(values).tolist() == [2, 2]


class _NoLength:
    """Item access that never runs out: a frame lookup returning an iterator."""

    def __getitem__(self, key):
        return iter([1.0, 2.0])


class _LyingLength:
    def __init__(self, claimed, items):
        self.claimed, self.items = claimed, items

    def __len__(self):
        return self.claimed

    def __getitem__(self, index):
        if index >= len(self.items):
            raise IndexError(index)
        return self.items[index]


@pytest.mark.parametrize("sequence, expected", [
    (_LyingLength(10**15, [1.0, 2.0]), 2),     # ends at the first IndexError, allocates nothing huge
    (_LyingLength(3, [1.0] * 100), 3),         # never reads past the stated length
])
def test_custom_sequences_are_read_within_their_length(sequence, expected):
    assert len(ZERO.impedance(sequence)) == expected


def test_endless_item_access_is_not_iterated_forever():
    with pytest.raises(ValueError, match='^column "Frequency / Hz" is not numeric$'):
        ZERO.impedance(_NoLength())


@pytest.mark.parametrize("exception", [KeyboardInterrupt, SystemExit, MemoryError])
def test_interrupts_and_memory_errors_during_conversion_propagate_as_themselves(exception):
    class Raising:
        def __float__(self):
            raise exception

    class RaisingFrame(dict):
        def __getitem__(self, key):
            raise exception

    circuit = corvex.Circuit("R0-(R1,C1)")
    for call in (lambda: circuit.impedance([Raising()]), lambda: circuit.impedance(RaisingFrame()),
                 lambda: circuit.fit(RaisingFrame()), lambda: circuit.fit([Raising()], [1j]),
                 lambda: circuit.impedance({"Frequency / Hz": [Raising()]})):
        with pytest.raises(exception):
            call()


def test_masked_entries_are_refused_and_unmasked_arrays_read_as_their_data():
    f = np.logspace(0, 4, 5)
    z = np.arange(5) + 1j
    mask = [False, True, False, False, False]
    for frequencies, impedances in ((np.ma.array(f, mask=mask), z), (f, np.ma.array(z, mask=mask))):
        with pytest.raises(TypeError, match=r"masked entries.*\.compressed\(\) or a boolean index"):
            measured(frequencies, impedances)
    with pytest.raises(TypeError, match="masked entries"):
        ZERO.impedance(np.ma.array(f, mask=mask))
    assert measured(np.ma.array(f), np.ma.array(z, mask=False)) == measured(f, z)
