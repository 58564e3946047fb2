"""Column names of the frames the readers return, and the mapping from the column headers that
instruments and spreadsheets write (a name plus a unit) to those names and a unit factor."""

from __future__ import annotations

import dataclasses
import math
import re
from collections.abc import Iterable, Mapping

FREQUENCY = "Frequency / Hz"
REAL = "Real Impedance / ohm"
IMAGINARY = "Imaginary Impedance / ohm"
TIME = "Test Time / s"
VOLTAGE = "Voltage / V"
CURRENT = "Current / A"
CYCLE = "Cycle Count / 1"
TEMPERATURE = "Temperature T1 / degC"
SPECTRUM = "Spectrum"

# Columns of a returned frame in their order; impedance-defining quantities come first because
# a missing one makes the file unreadable, whereas a missing metadata column is simply absent.
OUTPUT_NAMES = {
    "spectrum": SPECTRUM,
    "frequency": FREQUENCY,
    "real": REAL,
    "imaginary": IMAGINARY,
    "time": TIME,
    "voltage": VOLTAGE,
    "current": CURRENT,
    "cycle": CYCLE,
    "temperature": TEMPERATURE,
}
IMPEDANCE_QUANTITIES = ("frequency", "real", "imaginary", "modulus", "phase")

# Header names as files write them, lower-cased with runs of blanks made single.
_NAMES = {
    "frequency": ["frequency", "freq", "f", "freq."],
    "real": ["z'", "zre", "zreal", "z real", "z_re", "z_real", "re(z)", "re z", "rez", "real",
             "real impedance", "z re", "re_z"],
    "imaginary": ["z''", 'z"', "z\u2033", "zim", "zimag", "zimg", "z imag", "z_im", "z_imag",
                  "im(z)", "im z", "imz", "imag", "imaginary", "imaginary impedance", "z im", "im_z"],
    "modulus": ["|z|", "z", "zmod", "mod(z)", "abs(z)", "absolute impedance", "impedance modulus"],
    "phase": ["phase", "phase(z)", "zphz", "phase angle", "theta", "phz", "phi"],
    "time": ["time", "t", "elapsed time", "test time"],
    "voltage": ["e", "ewe", "<ewe>", "potential", "voltage", "vdc", "e we"],
    "current": ["i", "<i>", "current", "idc"],
    "cycle": ["cycle", "cycle number", "cycle count", "cycle index"],
    "spectrum": ["spectrum"],
    "temperature": ["temperature", "temp", "temperature t1", "ambient temperature"],
}
_QUANTITY_OF_NAME = {name: quantity for quantity, names in _NAMES.items() for name in names}
# Only these quantities are ever written with the opposite sign ("-Z''", "-Phase (°)").
_NEGATABLE = ("imaginary", "phase")

# The battery data format's machine names carry their unit in the name.
_MACHINE_NAMES = {
    "frequency_hertz": ("frequency", 1.0),
    "real_impedance_ohm": ("real", 1.0),
    "imaginary_impedance_ohm": ("imaginary", 1.0),
    "absolute_impedance_ohm": ("modulus", 1.0),
    "phase_degree": ("phase", 1.0),
    "test_time_second": ("time", 1.0),
    "voltage_volt": ("voltage", 1.0),
    "current_ampere": ("current", 1.0),
    "cycle_count": ("cycle", 1.0),
}

_PREFIXES = {"": 1.0, "k": 1e3, "K": 1e3, "M": 1e6, "G": 1e9, "m": 1e-3, "u": 1e-6,
             "\u00b5": 1e-6, "\u03bc": 1e-6, "n": 1e-9}
# Base unit spellings per quantity (compared lower-case); a metric prefix may precede them.
_BASE_UNITS = {
    "frequency": ("hz",),
    "real": ("ohm", "ohms", "\u03c9"),
    "imaginary": ("ohm", "ohms", "\u03c9"),
    "modulus": ("ohm", "ohms", "\u03c9"),
    "voltage": ("v",),
    "current": ("a",),
    "time": ("s", "sec"),
}
# Units that are not a prefix on a base unit; the factor converts to the output unit.
_WHOLE_UNITS = {
    "phase": {"deg": 1.0, "degree": 1.0, "degrees": 1.0, "\u00b0": 1.0, "rad": 180.0 / math.pi,
              "radian": 180.0 / math.pi, "radians": 180.0 / math.pi},
    "time": {"min": 60.0, "h": 3600.0},
    "temperature": {"degc": 1.0, "\u00b0c": 1.0, "deg c": 1.0, "c": 1.0, "celsius": 1.0},
    "cycle": {"1": 1.0, "#": 1.0},
    "spectrum": {"1": 1.0, "#": 1.0},
}

_SLASH_UNIT = re.compile(r"^(?P<name>.*?)\s*/\s*(?P<unit>[^/]*)$")
_BRACKET_UNIT = re.compile(r"^(?P<name>.*?)\s*[\(\[](?P<unit>[^()\[\]]*)[\)\]]$")


@dataclasses.dataclass(frozen=True)
class ColumnMeaning:
    """What one header names: the quantity, the factor from the file's unit to the output unit,
    and whether the file writes the quantity with the opposite sign."""

    quantity: str
    factor: float | None  # None: a unit we cannot convert
    negated: bool
    header: str
    unit: str = ""


def _normalise(name: str) -> str:
    return " ".join(name.strip().lower().split())


def _quantity(name: str) -> tuple[str | None, bool]:
    """The quantity a bare name (unit removed) stands for, and whether it is negated."""
    name = _normalise(name)
    if name in _QUANTITY_OF_NAME:
        return _QUANTITY_OF_NAME[name], False
    if name[:1] in ("-", "\u2212"):
        quantity = _QUANTITY_OF_NAME.get(name[1:].strip())
        if quantity in _NEGATABLE:
            return quantity, True
    return None, False


def _unit_factor(quantity: str, unit: str) -> float | None:
    """Factor from `unit` to the output unit of `quantity`, or None if the unit is not known."""
    unit = unit.strip()
    if unit == "":
        return 1.0
    whole = _WHOLE_UNITS.get(quantity, {})
    if unit.lower() in whole:
        return whole[unit.lower()]
    for base in _BASE_UNITS.get(quantity, ()):
        if unit.lower().endswith(base):
            prefix = unit[: len(unit) - len(base)]
            if prefix in _PREFIXES:
                return _PREFIXES[prefix]
    return None


def meaning_of(header: str) -> ColumnMeaning | None:
    """The ColumnMeaning of one header, or None for a column we do not read. A column in a unit
    we cannot convert still gets its quantity, with no factor, so that a reader can refuse it
    when it needs that column (better no frame than a wrong one) and ignore it otherwise."""
    text = header.strip().strip('"').strip()
    if text.lower() in _MACHINE_NAMES:
        machine, factor = _MACHINE_NAMES[text.lower()]
        return ColumnMeaning(machine, factor, False, header)
    bare, negated = _quantity(text)
    if bare is not None:
        return ColumnMeaning(bare, 1.0, negated, header)
    for pattern in (_SLASH_UNIT, _BRACKET_UNIT):
        match = pattern.match(text)
        if match is None:
            continue
        quantity, negated = _quantity(match["name"])
        if quantity is None:
            continue
        unit = match["unit"].strip()
        return ColumnMeaning(quantity, _unit_factor(quantity, unit), negated, header, unit)
    return None


def meanings_of(headers: Iterable[str]) -> dict[int, ColumnMeaning]:
    """Field index -> ColumnMeaning for the columns to read; the first column of a quantity
    wins, so a later duplicate never replaces it. Metadata in units we cannot convert is left
    out; an impedance column in such a unit stays, for the caller to judge."""
    chosen: dict[int, ColumnMeaning] = {}
    seen: set[str] = set()
    for index, header in enumerate(headers):
        meaning = meaning_of(header)
        if meaning is None or meaning.quantity in seen:
            continue
        if meaning.factor is None and meaning.quantity not in IMPEDANCE_QUANTITIES:
            continue
        seen.add(meaning.quantity)
        chosen[index] = meaning
    return chosen


def needed(meanings: Mapping[int, ColumnMeaning]) -> dict[int, ColumnMeaning] | None:
    """The subset of `meanings` a frame is built from: the frequency and one impedance pair
    (real and imaginary preferred) plus the metadata, or None when no spectrum is defined."""
    by_quantity = {meaning.quantity: index for index, meaning in meanings.items()}
    if "frequency" not in by_quantity:
        return None
    for pair in (("real", "imaginary"), ("modulus", "phase")):
        if all(quantity in by_quantity for quantity in pair):
            unused = {"real", "imaginary", "modulus", "phase"} - set(pair)
            return {index: meaning for index, meaning in meanings.items() if meaning.quantity not in unused}
    return None


def unit_problem(meanings: Mapping[int, ColumnMeaning]) -> str | None:
    """A message for the first used column whose unit we cannot convert, or None."""
    for meaning in meanings.values():
        if meaning.factor is None:
            return f'column "{meaning.header.strip()}" is in "{meaning.unit}", a unit that is not understood'
    return None
