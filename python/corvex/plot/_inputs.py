"""What a picture draws, taken from the forms users hold: measured data, a FitResult, or a
batch table with a ``result`` column. Measured data is read by the extension's own conversion."""

from dataclasses import dataclass

import numpy as np

import corvex
from corvex import _grouping
from corvex.points._table import KEPT, split_kept

# A fitted model is drawn as a line through this many log-spaced frequencies.
MODEL_POINTS = 400
# Range of the model line when neither the caller nor the result knows the measured range
# (a result rebuilt from a file): the usual window of impedance analysers.
FALLBACK_RANGE_HZ = (1e-3, 1e5)


@dataclass(frozen=True)
class Spectrum:
    """One spectrum to draw: measured points, a fit, or both."""

    frequencies: np.ndarray | None  # measured, hertz
    impedances: np.ndarray | None  # measured, ohms
    result: object = None  # the FitResult drawn over it
    key: object = None  # the group key of its batch row
    excluded_frequencies: np.ndarray | None = None  # measured points left out (drawn hollow)
    excluded_impedances: np.ndarray | None = None

    @property
    def has_excluded(self):
        return self.excluded_frequencies is not None and self.excluded_frequencies.size > 0

    @property
    def has_measured(self):
        return self.frequencies is not None

    def model_grid(self):
        """(frequencies, impedances) of the fitted model on a dense log grid over the measured range."""
        low, high = FALLBACK_RANGE_HZ
        if self.has_measured:
            usable = self.frequencies[np.isfinite(self.frequencies) & (self.frequencies > 0)]
            if usable.size:
                low, high = usable.min(), usable.max()
        grid = np.geomspace(low, high, MODEL_POINTS) if high > low else np.array([low])
        return grid, self.result.circuit.impedance(grid)

    def model_at_measured(self):
        return self.result.circuit.impedance(self.frequencies)


@dataclass(frozen=True)
class Collection:
    """The spectra of one picture; ``key_name`` is set for a batch, whose rows get colours."""

    spectra: list
    key_name: str | None = None

    @property
    def is_batch(self):
        return self.key_name is not None


def is_fit_result(value):
    return isinstance(value, corvex.FitResult)


def is_batch_table(value):
    columns = getattr(value, "columns", None)
    return columns is not None and "result" in list(columns)


def _from_result(result, key=None):
    stored = corvex._fit_spectrum(result)
    frequencies, impedances = stored if stored is not None else (None, None)
    return Spectrum(frequencies, impedances, result, key)


# Tables lead with their key columns; these are the first columns after them in the tables of
# corvex.batch.fit, of the Kramers-Kronig test and of the relaxation-time distribution.
FIRST_COLUMNS_AFTER_KEYS = ("start", "rc_count", "peaks")


def key_columns(table):
    columns = list(table.columns)
    for position, name in enumerate(columns):
        if name in FIRST_COLUMNS_AFTER_KEYS:
            return columns[:position]
    return columns[:1]


def table_results(table, key=None):
    """(key name, key values, results) of the rows of a table whose ``result`` is set: rows
    whose computation failed carry no result and have nothing to draw."""
    columns = list(table.columns)
    names = key_columns(table) if key is None else [key] if isinstance(key, str) else list(key)
    if not names:
        raise ValueError("the table has no key column: pass key= to name one")
    missing = [name for name in names if name not in columns]
    if missing:
        raise KeyError(f"no column {missing[0]!r} in the table; it has {columns}")
    key_rows = list(zip(*(list(table[name]) for name in names)))
    keys, results = [], []
    for values, result in zip(key_rows, list(table["result"])):
        if result is not None:
            keys.append(values[0] if len(values) == 1 else values)
            results.append(result)
    if not results:
        raise ValueError("the table has no successful row to draw")
    return " / ".join(str(name) for name in names), keys, results


def _from_table(table, key):
    key_name, keys, results = table_results(table, key)
    return Collection([_from_result(result, k) for result, k in zip(results, keys)], key_name)


def _from_long_frame(frame, by):
    """One spectrum per group of a long frame split by the ``by`` column(s), in first-appearance
    order; a missing key (NaN, None) is a key like any other."""
    names = _grouping.names(by)
    columns = _grouping.resolve(by, frame.columns)
    if type(frame).__module__.split(".")[0] == "polars":
        groups = frame.partition_by(columns, maintain_order=True, as_dict=True).items()
    else:
        groups = frame.groupby(columns, sort=False, dropna=False)
    spectra = []
    for key, part in groups:
        key = key[0] if isinstance(key, tuple) and len(key) == 1 else key
        spectra.append(_measured(part, None, None, key))
    return Collection(spectra, " / ".join(str(name) for name in names))


def collect(data=None, impedances=None, result=None, key=None, by=None):
    """The spectra that ``data``/``impedances`` and ``result`` describe, as a Collection."""
    if by is not None:
        if impedances is not None or result is not None or not hasattr(data, "columns"):
            raise TypeError("by= splits one long frame of measured data; pass the frame alone")
        return _from_long_frame(data, by)
    if result is not None and not is_fit_result(result):
        raise TypeError(f"result= must be a FitResult, not {type(result).__name__}")
    if is_batch_table(data):
        if impedances is not None or result is not None:
            raise TypeError("a batch table already holds its spectra and fits: pass it alone")
        return _from_table(data, key)
    if is_fit_result(data):
        if impedances is not None or result is not None:
            raise TypeError("pass the measured data first and the FitResult as result=")
        return Collection([_from_result(data)])
    if data is None:
        if result is None:
            raise TypeError("nothing to draw: pass measured data, a FitResult or a batch table")
        return Collection([_from_result(result)])
    return Collection([_measured(data, impedances, result)])


def _measured(data, impedances, result, key=None):
    """A measured spectrum: its kept points, and those its `kept` column leaves out."""
    if impedances is not None:
        return Spectrum(*corvex._spectrum(data, impedances), result, key)
    kept, excluded = split_kept(data)
    if excluded is None:
        return Spectrum(*corvex._spectrum(kept), result, key)
    measured = corvex._spectrum(kept) if len(kept[KEPT]) else (None, None)
    return Spectrum(*measured, result, key, *corvex._spectrum(excluded))
