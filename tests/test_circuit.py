# Circuit from Python: construction from notation and names, Series/Parallel, the parameter
# methods and their messages, the text form, impedance against direct formulas, and
# hostile input.
import cmath
import math
import subprocess
import sys
import numpy as np
import pytest

import corvex
from gil_probe import progress_during

TWO_PI = 6.283185307179586


def omega(f):
    return f * TWO_PI


# ---------------------------------------------------------------- construction from text

@pytest.mark.parametrize("name", ["randles", "Randles", "RANDLES", "  randles\n", "\u2003Randles\t"])
def test_named_circuit_in_any_case_and_padding(name):
    assert corvex.Circuit(name).param_names() == corvex.Circuit("R0-(R1-W1,CPE1)").param_names()


@pytest.mark.parametrize(
    "text, first_line, caret",
    [
        ("R0-(R1,C1", "unexpected end of input", None),
        ("R0-X1", 'unknown element code "X" at position 3', "     ^"),
        (" R0-C1", "unexpected character at position 0", "  ^"),
        ("Ω0", "unexpected character at position 0", "  ^"),
    ],
)
def test_notation_errors(text, first_line, caret):
    with pytest.raises(ValueError) as raised:
        corvex.Circuit(text)
    lines = str(raised.value).split("\n")
    assert lines[0] == first_line and lines[1] == ""
    if caret is None:
        assert lines[2] == "syntax:"
    else:
        assert lines[2:5] == ["  " + text, caret, ""]
    assert lines[-1] == "  T     a [ohm*m^2], b [ohm*m^2], k_tau [-], tau [s]"


def test_lone_surrogate_is_reported_not_crashed():
    with pytest.raises(ValueError) as raised:
        corvex.Circuit("R0-\ud800")
    assert str(raised.value).split("\n")[:4] == [
        "unexpected character at position 3", "", "  R0-\ud800", "     ^"]


@pytest.mark.parametrize("depth", [1001, 100_000])
def test_deeply_nested_notation_is_refused(depth):
    with pytest.raises(ValueError):
        corvex.Circuit("(" * depth + "R0" + ")" * depth)


def test_long_flat_notation_parses():
    text = "-".join(f"R{i}" for i in range(20_000))
    circuit = corvex.Circuit(text)
    assert len(circuit.param_names()) == 20_000
    assert circuit.impedance([1.0])[0] == 20_000


# ---------------------------------------------------------------- Series and Parallel

def test_series_of_elements_names_with_counters():
    circuit = corvex.Series([corvex.R(1.0), corvex.C(1e-6), corvex.R(2.0)])
    assert circuit.param_names() == ["R0.r", "C0.c", "R1.r"]
    assert circuit.param_values() == [1.0, 1e-6, 2.0]


def test_series_keeps_labels_and_flattens():
    circuit = corvex.Series((corvex.Circuit("R0-C1"), corvex.R(5.0)))
    assert circuit.param_names() == ["R0.r", "C1.c", "R0.r"]
    assert circuit.param_values() == [1.0, 0.001, 5.0]


def test_parallel_nests_circuits_as_branches():
    inner = corvex.Parallel([corvex.R(1.0), corvex.Cpe(2e-3, 0.9)])
    outer = corvex.Series([corvex.R(3.0), inner, corvex.Wo(1.0, 2.0)])
    assert outer.param_names() == ["R0.r", "R1.r", "Cpe0.q", "Cpe0.alpha", "Wo0.z0", "Wo0.tau"]


def test_parts_are_copied():
    base = corvex.Circuit("R0-(R1,C1)")
    joined = corvex.Series([base, base])
    assert joined.param_names() == ["R0.r", "R1.r", "C1.c"] * 2
    assert base.param_names() == ["R0.r", "R1.r", "C1.c"]


def test_parallel_of_one_part_equals_the_part():
    part = corvex.Circuit("R0-(R1,C1)").with_values([2.0, 5.0, 1e-3])
    f = np.logspace(-2, 5, 40)
    np.testing.assert_allclose(corvex.Parallel([part]).impedance(f), part.impedance(f), rtol=1e-13)


@pytest.mark.parametrize("join, expected", [(corvex.Series, 0j), (corvex.Parallel, complex(math.nan, math.nan))])
def test_empty_joins(join, expected):
    circuit = join([])
    assert circuit.param_names() == []
    z = circuit.impedance([1.0, 10.0])
    if math.isnan(expected.real):
        assert np.isnan(z.real).all() and np.isnan(z.imag).all()
    else:
        assert (z == expected).all()


def test_zero_impedance_branch_makes_parallel_nan():
    z = corvex.Parallel([corvex.R(0.0), corvex.R(1.0)]).impedance([1.0])
    assert cmath.isnan(z[0])


# In a child process, since a stack overflow ends it: every depth on a small thread stack is
# either refused with the depth message or fully usable there, never a crash.
SMALL_STACK = """
import pickle, sys, threading, numpy as np, corvex
threading.stack_size(int(sys.argv[1]))
outcomes = []
def work():
    for depth in (40, 150, 400, 999):
        try:
            c = corvex.Circuit("(" * depth + "R0" + ")" * depth)
            c = corvex.Parallel([c])
            c = pickle.loads(pickle.dumps(c))
        except ValueError as error:
            assert "nested too deeply" in str(error)
            outcomes.append("refused")
            continue
        f = np.logspace(0, 3, 5)
        c.fit(f, c.impedance(f), guess_init=False)
        repr(c), c.param_names(), c.with_values([2.0])
        del c
        outcomes.append("ok")
thread = threading.Thread(target=work)
thread.start()
thread.join()
print(outcomes)
"""


@pytest.mark.parametrize("stack_size", [64 * 1024, 256 * 1024])
def test_deep_notation_on_a_small_thread_stack_is_refused_not_a_crash(stack_size):
    child = subprocess.run([sys.executable, "-c", SMALL_STACK, str(stack_size)], capture_output=True, text=True,
                           timeout=120)
    assert child.returncode == 0, child.stderr[-2000:]
    outcomes = eval(child.stdout)
    # Shallow trees work (how deep depends on the build), the deepest is refused.
    assert outcomes[-1] == "refused" and outcomes == ["ok"] * outcomes.count("ok") + ["refused"] * outcomes.count("refused")


# A circuit built on the main thread's large stack, then used and dropped on a small one.
DEEP_ON_SMALL_STACK = """
import pickle, sys, threading, numpy as np, corvex
depth = 999
f = np.logspace(0, 3, 5)
circuit = corvex.Circuit("(" * depth + "R0" + ")" * depth)
result = circuit.fit(f, circuit.impedance(f) * 2, guess_init=False)
expected = circuit.impedance(f)
threading.stack_size(int(sys.argv[1]))
outcomes = {}
def work(circuit, result):
    calls = {
        "impedance": lambda: np.array_equal(circuit.impedance(f), expected),
        "fit": lambda: circuit.fit(f, expected, guess_init=False),
        "with_values": lambda: circuit.with_values([2.0]),
        "param_names": circuit.param_names,
        "repr": lambda: repr(circuit),
        "pickle": lambda: pickle.dumps(circuit),
        "result_circuit": lambda: result.circuit,
        "result_pickle": lambda: pickle.dumps(result),
        "series": lambda: corvex.Series([circuit, corvex.R(1.0)]),
    }
    for name, call in calls.items():
        try:
            outcomes[name] = call() if name == "impedance" else type(call()).__name__
        except ValueError as error:
            assert "nested too deeply" in str(error), error
            outcomes[name] = "refused"
    del calls, circuit, result
for last in (False, True):
    thread = threading.Thread(target=work, args=(circuit, result))
    if last:  # the thread holds the last references, so the trees die on its stack
        del circuit, result
    thread.start()
    thread.join()
print(outcomes)
"""


@pytest.mark.parametrize("stack_size", [64 * 1024, 256 * 1024])
def test_deep_circuit_used_and_dropped_on_a_small_thread_stack_is_refused_not_a_crash(stack_size):
    child = subprocess.run([sys.executable, "-c", DEEP_ON_SMALL_STACK, str(stack_size)], capture_output=True,
                           text=True, timeout=120)
    assert child.returncode == 0, child.stderr[-2000:]
    outcomes = eval(child.stdout)
    # The compiled evaluation is flat, so impedance works at any depth; walks of the tree are refused.
    assert outcomes.pop("impedance") is True
    assert set(outcomes.values()) == {"refused"}


@pytest.mark.parametrize("join", [corvex.Parallel, corvex.Series])
def test_deep_nesting_by_repeated_joins_is_refused(join):
    circuit = corvex.Series([corvex.R(1.0)])
    with pytest.raises(ValueError, match="nested too deeply"):
        for _ in range(2000):
            circuit = join([corvex.Parallel([circuit])])
    # Everything built so far still works, and is dropped without trouble.
    assert circuit.impedance([1.0])[0] == pytest.approx(1.0)
    assert len(repr(circuit).split("\n")) == 2
    del circuit


# ---------------------------------------------------------------- parameter methods

def test_parameter_methods():
    circuit = corvex.Circuit("R0-(R1,CPE1)-Wo1")
    assert circuit.param_names() == ["R0.r", "R1.r", "CPE1.q", "CPE1.alpha", "Wo1.z0", "Wo1.tau"]
    assert circuit.param_values() == [1.0, 1.0, 0.001, 0.8, 1.0, 10.0]
    assert circuit.param_units() == ["ohm", "ohm", "ohm^-1*s^alpha", "-", "ohm", "s"]
    bounds = circuit.param_bounds()
    assert bounds[3] == (0.0, 1.0)
    assert bounds[0] == (1e-12, math.inf) and all(type(pair) is tuple for pair in bounds)


@pytest.mark.parametrize(
    "values",
    [[2.0, -3.0, math.nan], (2, -3, math.nan), np.array([2.0, -3.0, math.nan]), np.array([2, -3, 0], dtype=np.int32)],
)
def test_with_values_accepts_sequences_and_keeps_tree(values):
    base = corvex.Circuit("R0-(R1,C1)")
    rebuilt = base.with_values(values)
    assert rebuilt.param_names() == base.param_names()
    np.testing.assert_array_equal(rebuilt.param_values(), np.asarray(values, dtype=float))
    assert base.param_values() == [1.0, 1.0, 0.001]


@pytest.mark.parametrize("count", [2, 4])
def test_with_values_wrong_count(count):
    with pytest.raises(ValueError) as raised:
        corvex.Circuit("R0-(R1,C1)").with_values([1.0] * count)
    assert str(raised.value) == f"expected 3 values, got {count}"


def test_with_named_values_repeated_names_share_the_value():
    circuit = corvex.Series([corvex.Circuit("R0-C1"), corvex.R(5.0)])
    assert circuit.with_named_values({"C1.c": 2e-3, "R0.r": 7.0}).param_values() == [7.0, 2e-3, 7.0]


def test_with_named_values_missing_names_message():
    with pytest.raises(ValueError) as raised:
        corvex.Circuit("R0-(R1,C1)").with_named_values({"R0.r": 1.0, "R1.r": 2.0})
    assert str(raised.value) == (
        'missing parameter(s): ["C1.c"]\n'
        "\n"
        "valid parameters for this circuit:\n"
        "  R0.r  [ohm]  bounds (1e-12, inf)\n"
        "  R1.r  [ohm]  bounds (1e-12, inf)\n"
        "  C1.c  [F]  bounds (1e-12, inf)"
    )


@pytest.mark.parametrize(
    "key, line",
    [
        ("R2.r", 'unknown parameter "R2.r" (did you mean "R0.r"?)'),
        ("abcde", 'unknown parameter "abcde"'),
        ("R0.rxyz", 'unknown parameter "R0.rxyz" (did you mean "R0.r"?)'),
        ('a"\\\tb', 'unknown parameter "a\\"\\\\\\tb"'),
    ],
)
def test_with_named_values_unknown_key_suggestions(key, line):
    values = {"R0.r": 1.0, "R1.r": 1.0, key: 1.0}
    with pytest.raises(ValueError) as raised:
        corvex.Series([corvex.Circuit("R0"), corvex.Circuit("R1")]).with_named_values(values)
    assert str(raised.value).split("\n")[0] == line


def test_with_named_values_threshold_grows_with_key_length():
    circuit = corvex.Circuit("CPE1")
    # Distance 3 from every name: no suggestion for 5 characters, one for 6.
    for key, suggested in [("xyzq.", False), ("CPxyz.q", True)]:
        with pytest.raises(ValueError) as raised:
            circuit.with_named_values({"CPE1.q": 1.0, "CPE1.alpha": 1.0, key: 1.0})
        assert ("did you mean" in str(raised.value)) is suggested


# ---------------------------------------------------------------- text form

def test_text_form_of_parsed_circuit():
    assert repr(corvex.Circuit("R0-(R1,C1)")) == (
        "Circuit (3 parameters)\n"
        "  R0.r = 1          [ohm]  bounds (1e-12, inf)\n"
        "  R1.r = 1          [ohm]  bounds (1e-12, inf)\n"
        "  C1.c = 0.001      [F]  bounds (1e-12, inf)"
    )


def test_text_form_padding_and_number_texts():
    circuit = corvex.Series([corvex.R(1234567.0), corvex.Cpe(-2.5e-7, 0.123456789012)])
    assert str(circuit) == (
        "Circuit (3 parameters)\n"
        "  R0.r       = 1.234567e6 [ohm]  bounds (1e-12, inf)\n"
        "  Cpe0.q     = -2.5e-7    [ohm^-1*s^alpha]  bounds (1e-12, inf)\n"
        "  Cpe0.alpha = 0.123456789012 [-]  bounds (0, 1)"
    )


@pytest.mark.parametrize("circuit, text", [
    (corvex.Series([corvex.R(math.nan)]), "Circuit (1 parameter)\n  R0.r = NaN        [ohm]  bounds (1e-12, inf)"),
    (corvex.Series([]), "Circuit (0 parameters)\n"),
])
def test_text_form_edges(circuit, text):
    assert repr(circuit) == text


# ---------------------------------------------------------------- impedance

def sqrt_principal(z):
    return cmath.sqrt(z)


ELEMENT_FORMULAS = [
    (corvex.R(3.0), lambda w: 3.0),
    (corvex.C(1e-3), lambda w: 1 / (1j * w * 1e-3)),
    (corvex.L(2e-6), lambda w: 1j * w * 2e-6),
    (corvex.La(2e-6, 0.7), lambda w: (1j * w * 2e-6) ** 0.7),
    (corvex.Cpe(1e-3, 0.8), lambda w: 1 / (1e-3 * (1j * w) ** 0.8)),
    (corvex.W(2.0), lambda w: 2.0 / math.sqrt(w) * (1 - 1j)),
    (corvex.Wo(1.5, 3.0), lambda w: 1.5 / (cmath.sqrt(1j * w * 3.0) * cmath.tanh(cmath.sqrt(1j * w * 3.0)))),
    (corvex.Ws(1.5, 3.0), lambda w: 1.5 * cmath.tanh(cmath.sqrt(1j * w * 3.0)) / cmath.sqrt(1j * w * 3.0)),
    (corvex.G(2.0, 0.5), lambda w: 2.0 / cmath.sqrt(1 + 1j * w * 0.5)),
    (corvex.Gs(2.0, 0.5, 0.3), lambda w: 2.0 / (cmath.sqrt(1 + 1j * w * 0.5) * cmath.tanh(0.3 * cmath.sqrt(1 + 1j * w * 0.5)))),
    (corvex.K(2.0, 0.5), lambda w: 2.0 / (1 + 1j * w * 0.5)),
    (corvex.Zarc(2.0, 0.5, 0.7), lambda w: 2.0 / (1 + (1j * w * 0.5) ** 0.7)),
    (corvex.Tlmq(2.0, 1e-3, 0.9), lambda w: cmath.sqrt(2.0 / (1e-3 * (1j * w) ** 0.9))
        / cmath.tanh(cmath.sqrt(2.0 * 1e-3 * (1j * w) ** 0.9))),
    (corvex.T(1.0, 2.0, 0.5, 0.1), lambda w: (1.0 / cmath.tanh(cmath.sqrt(0.5 + 1j * w * 0.1))
        + 2.0 / cmath.sinh(cmath.sqrt(0.5 + 1j * w * 0.1))) / cmath.sqrt(0.5 + 1j * w * 0.1)),
]

FREQUENCIES = [1e-3, 0.1, 1.0, 37.0, 1e3, 1e5]


@pytest.mark.parametrize("element, formula", ELEMENT_FORMULAS, ids=lambda x: repr(x) if isinstance(x, corvex.Element) else "")
def test_element_impedance_matches_formula(element, formula):
    z = corvex.Series([element]).impedance(FREQUENCIES)
    expected = np.array([formula(omega(f)) for f in FREQUENCIES], dtype=complex)
    np.testing.assert_allclose(z, expected, rtol=1e-9)


def test_circuit_impedance_matches_formula():
    circuit = corvex.Circuit("R0-(R1,CPE1)-(R2-W2,C2)").with_values([10.0, 50.0, 2e-4, 0.85, 20.0, 3.0, 1e-5])
    f = np.logspace(-2, 6, 57)
    w = omega(f)
    branch1 = 1 / (1 / 50.0 + 2e-4 * (1j * w) ** 0.85)
    branch2 = 1 / (1 / (20.0 + 3.0 / np.sqrt(w) * (1 - 1j)) + 1j * w * 1e-5)
    np.testing.assert_allclose(circuit.impedance(f), 10.0 + branch1 + branch2, rtol=1e-12)


def test_impedance_result_array():
    z = corvex.Circuit("R0").impedance([1.0, 2.0])
    assert z.dtype == np.complex128 and z.ndim == 1 and z.shape == (2,)
    assert z.flags.writeable and z.flags.owndata and z.flags.c_contiguous
    z[0] = 5.0


@pytest.mark.parametrize(
    "frequencies",
    [[], (), np.array([]), np.array([1.0, -2.0, 0.0, np.nan, np.inf]), [1, np.float32(2), np.int8(3)],
     {"frequency_hertz": [1.0, 2.0]}, {"Frequency / Hz": np.array([1.0, 2.0])}],
    ids=["list", "tuple", "empty-array", "array", "mixed", "dict-machine", "dict-display"],
)
def test_impedance_inputs(frequencies):
    circuit = corvex.Circuit("R0-(R1,C1)")
    values = frequencies if not isinstance(frequencies, dict) else next(iter(frequencies.values()))
    z = circuit.impedance(frequencies)
    assert z.shape == (len(values),)
    for f, zi in zip(values, z):
        expected = 1 + 1 / (1 + 1j * omega(float(f)) * 1e-3)
        if math.isfinite(f) and f != 0:
            assert zi == pytest.approx(expected, rel=1e-12)


def test_parallel_threshold_gives_identical_values():
    circuit = corvex.Circuit("R0-(R1,CPE1)-(R2-Wo2,CPE2)-T3").with_values(
        [1.0, 2.0, 3e-4, 0.8, 4.0, 5.0, 6.0, 1e-3, 0.7, 1.0, 2.0, 0.5, 0.1])
    f = np.logspace(-3, 6, 1000)
    sequential = np.concatenate([circuit.impedance(f[:999]), circuit.impedance(f[999:])])
    parallel = circuit.impedance(f)
    assert sequential.tobytes() == parallel.tobytes()
    big = np.tile(f, 131)
    assert circuit.impedance(big).tobytes() == np.tile(parallel, 131).tobytes()


@pytest.mark.parametrize("frequencies", [5.0, None, ["a", 1.0], {"other": [1.0]}, object()])
def test_impedance_refuses_non_frequencies(frequencies):
    with pytest.raises(ValueError) as raised:
        corvex.Circuit("R0").impedance(frequencies)
    assert str(raised.value) == ('expected a sequence of frequencies, or a dataframe with a '
                                 '"Frequency / Hz" or "frequency_hertz" column')


def test_impedance_releases_the_interpreter_lock():
    circuit = corvex.Circuit("R0-(R1,CPE1)-(R2-Wo2,CPE2)-T3")
    frequencies = np.logspace(-3, 6, 2_000_000)
    assert progress_during(lambda: circuit.impedance(frequencies)) > 0


# ---------------------------------------------------------------- identity

def test_identity_semantics_and_no_attributes():
    a = corvex.Circuit("R0")
    assert a != corvex.Circuit("R0") and a == a
    assert hash(a) == hash(a)
    with pytest.raises(AttributeError):
        a.explicit_values = True
