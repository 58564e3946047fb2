"""The flags a fitted value carries where a person reads it (a terminal summary, a picture's title):
runaway, on a bound, or not identifiable, so that a number the data do not fix is never shown as found."""

from __future__ import annotations

import math
from collections.abc import Iterable, Mapping
from typing import Any

# As the circuit ranking judges it: a value within this share of a bounded range from one end is
# on that bound, and one below this multiple of a lower bound with no upper one is on it.
_BOUNDED_MARGIN = 1e-6
_OPEN_BOUND_FACTOR = 100.0


def at_bounds(circuit: Any, values: Mapping[str, float], bounds: Mapping[str, tuple] | None = None,
              held: Iterable[str] = ()) -> tuple[str, ...]:
    """Names of the values on a bound: the circuit's own range of each parameter, narrowed by
    `bounds` ({name: (low, high)}, None for an open side) as the fit was given them."""
    limits = dict(zip(circuit.param_names(), circuit.param_bounds()))
    for name, (low, high) in (bounds or {}).items():
        own_low, own_high = limits.get(name, (-math.inf, math.inf))
        limits[name] = (own_low if low is None else max(low, own_low), own_high if high is None else min(high, own_high))
    skipped = set(held)
    return tuple(name for name, (low, high) in limits.items()
                 if name not in skipped and name in values and _on_bound(values[name], low, high))


def _on_bound(value: float, low: float, high: float) -> bool:
    if not math.isfinite(value):
        return False
    if math.isfinite(low) and math.isfinite(high):
        margin = _BOUNDED_MARGIN * (high - low)
        return not (value - low > margin and high - value > margin)
    if math.isfinite(high):
        return high - value <= _BOUNDED_MARGIN * max(abs(high), 1.0)
    if math.isfinite(low):
        return value <= (_OPEN_BOUND_FACTOR * low if low > 0 else low + _BOUNDED_MARGIN * max(abs(low), 1.0))
    return False


def not_identifiable(values: Mapping[str, float], stderr: Mapping[str, float | None] | None) -> tuple[str, ...]:
    """Names of the values whose standard error is missing, infinite or above the value itself
    (held parameters, whose error is None, are not judged)."""
    if stderr is None:
        return ()
    judged = {name: error for name, error in stderr.items() if error is not None}
    return tuple(name for name, value in values.items() if name in judged and not abs(judged[name]) <= abs(value))


def describe(runaway: Iterable[str] = (), on_bounds: Iterable[str] = (), unresolved: Iterable[str] = ()) -> str:
    """"runaway: R2.r; at bound: CPE1.alpha; not identifiable: R2.r, CPE2.q", or "" for none."""
    parts = [f"{label}: {', '.join(names)}" for label, names in
             (("runaway", tuple(runaway)), ("at bound", tuple(on_bounds)), ("not identifiable", tuple(unresolved)))
             if names]
    return "; ".join(parts)


def of_result(result: Any, runaway: Iterable[str] = (), bounds: Mapping[str, tuple] | None = None) -> str:
    """describe() of a FitResult: `runaway` as the fit judged it (FitReport.runaway, a batch
    table's runaway column), the bound and identifiability flags read off the result, and
    "no standard errors" when it has none."""
    values = result.params
    stderr = result.stderr
    held = [name for name, error in (stderr or {}).items() if error is not None and math.isnan(error)]
    resolved = {name: error for name, error in (stderr or {}).items() if name not in held}
    text = describe(runaway, at_bounds(result.circuit, values, bounds, held),
                    not_identifiable(values, resolved if stderr is not None else None))
    if stderr is None and values:
        # No covariance could be formed: nothing says the data fix any of the values.
        text = "; ".join(filter(None, [text, "no standard errors"]))
    return text
