# Reference counting and memory across many calls, successful and failing: arguments keep
# their reference counts and neither traced allocations nor resident memory keep growing.
import gc
import sys
import tracemalloc
import warnings

import numpy as np
import pandas as pd
import pytest

import corvex

CIRCUIT = corvex.Circuit("R0-(R1,CPE1)")
VALUES = [1.0, 2.0, 1e-3, 0.8]
FREQUENCIES = [1.0, 10.0, 100.0]
IMPEDANCES = [1 - 1j, 2 - 1j, 3 - 0.5j]
ARRAY = np.logspace(0, 3, 1500)
FRAME = pd.DataFrame({"frequency_hertz": FREQUENCIES, "real_impedance_ohm": [1.0, 2.0, 3.0],
                      "imaginary_impedance_ohm": [-1.0, -1.0, -0.5]})
NAMED = dict(zip(CIRCUIT.param_names(), VALUES))
BAD_NAMED = {"R0.r": 1.0, "R9.r": "x"}
PARTS = [corvex.R(1.0), CIRCUIT, corvex.Cpe(1e-3, 0.9)]
BAD_PARTS = [corvex.R(1.0), 3]
SILENT = CIRCUIT.with_values(VALUES)


def attempt(call, *args, **kwargs):
    try:
        call(*args, **kwargs)
    except (TypeError, ValueError, OverflowError, RuntimeError):
        pass


CALLS = {
    "construct": lambda: attempt(corvex.Circuit, "R0-(R1,C1)"),
    "construct-error": lambda: attempt(corvex.Circuit, "R0-(R1,"),
    "element": lambda: attempt(corvex.Zarc, 1.0, r=2.0),
    "series": lambda: attempt(corvex.Series, PARTS),
    "parallel-error": lambda: attempt(corvex.Parallel, BAD_PARTS),
    "with_values": lambda: attempt(CIRCUIT.with_values, VALUES),
    "with_values-error": lambda: attempt(CIRCUIT.with_values, VALUES[:2]),
    "with_named_values": lambda: attempt(CIRCUIT.with_named_values, NAMED),
    "with_named_values-error": lambda: attempt(CIRCUIT.with_named_values, BAD_NAMED),
    "parameters": lambda: (CIRCUIT.param_names(), CIRCUIT.param_bounds(), CIRCUIT.param_units(), repr(CIRCUIT)),
    "impedance": lambda: attempt(CIRCUIT.impedance, FREQUENCIES),
    "impedance-parallel": lambda: attempt(CIRCUIT.impedance, ARRAY),
    "impedance-frame": lambda: attempt(CIRCUIT.impedance, FRAME),
    "residuals": lambda: attempt(CIRCUIT.residuals, VALUES, FREQUENCIES, IMPEDANCES),
    "jacobian-frame": lambda: attempt(CIRCUIT.jacobian, VALUES, FRAME),
    "residuals-error": lambda: attempt(CIRCUIT.residuals, VALUES, FREQUENCIES, IMPEDANCES, weight="x"),
    "fit": lambda: repr(SILENT.fit(FREQUENCIES, IMPEDANCES, max_iterations=3)).__len__(),
    "fit-error": lambda: attempt(SILENT.fit, FREQUENCIES, IMPEDANCES, seed=-1),
    "fit-result": lambda: [getattr(RESULT, name) for name in ("circuit", "params", "stderr", "cost")],
}
RESULT = SILENT.fit(FREQUENCIES, IMPEDANCES)
ARGUMENTS = [CIRCUIT, VALUES, FREQUENCIES, IMPEDANCES, ARRAY, FRAME, NAMED, BAD_NAMED, PARTS, BAD_PARTS, SILENT,
             RESULT, *VALUES, *IMPEDANCES, *PARTS]


def sanitizer_loaded():
    # AddressSanitizer holds freed memory in quarantine, so resident memory grows by design.
    with open("/proc/self/maps") as maps:
        return "libasan" in maps.read()


def rss_kib():
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    pytest.skip("no /proc/self/status")


@pytest.mark.parametrize("name", sorted(CALLS))
def test_reference_counts_are_unchanged(name):
    call = CALLS[name]
    call()
    gc.collect()
    before = [sys.getrefcount(argument) for argument in ARGUMENTS]
    for _ in range(200):
        call()
    gc.collect()
    assert [sys.getrefcount(argument) for argument in ARGUMENTS] == before


def test_memory_stays_flat():
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        for call in CALLS.values():
            call()
        gc.collect()
        tracemalloc.start()
        rss_before = rss_kib()
        traced_before, _ = tracemalloc.get_traced_memory()
        for _ in range(300):
            for call in CALLS.values():
                call()
        gc.collect()
        traced_after, _ = tracemalloc.get_traced_memory()
        rss_after = rss_kib()
        tracemalloc.stop()
    assert traced_after - traced_before < 64 * 1024
    if not sanitizer_loaded():
        assert rss_after - rss_before < 8 * 1024
