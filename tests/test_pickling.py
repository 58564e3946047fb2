# Pickling of elements, circuits and fit results: exact round trips under every binary
# protocol, across a spawned process, and refusal of damaged pickle states.
import multiprocessing
import pickle
import warnings

import numpy as np
import pytest

import corvex

PROTOCOLS = range(2, pickle.HIGHEST_PROTOCOL + 1)
FREQUENCIES = np.logspace(-1, 5, 30)


def odd_circuits():
    labelled = corvex.Circuit("R0-p(R1,CPE1)-Wo2")
    return [
        labelled,
        labelled.with_values([1.5, float("nan"), -0.0, 0.3, float("inf"), 5e-300]),
        # Unlabelled elements whose automatic names repeat a label, empty groups and branches.
        corvex.Series([labelled, corvex.R(5.0), corvex.Parallel([]), corvex.Parallel([corvex.Series([])])]),
        corvex.Parallel([corvex.Parallel([corvex.T(1, 2, 3, 4), corvex.Circuit("Zarc0")]), corvex.La(1e-6, 0.5)]),
        corvex.Series([]),
    ]


def rc_fit():
    truth = corvex.Circuit("R0-(R1,C1)").with_values([10.0, 100.0, 1e-5])
    return corvex.Circuit("R0-(R1,C1)").fit(FREQUENCIES, truth.impedance(FREQUENCIES) * (1 + 0.01j))


def same_state(a, b):
    # A binary pickle holds every float bit for bit, so equal bytes mean equal objects.
    return pickle.dumps(a, 4) == pickle.dumps(b, 4)


@pytest.mark.parametrize("protocol", PROTOCOLS)
def test_round_trips_are_exact(protocol):
    variants = [getattr(corvex, name) for name in corvex.__all__[5:]]
    for element in (variant(*np.linspace(0.25, 1.0, len(variant.__match_args__))) for variant in variants):
        back = pickle.loads(pickle.dumps(element, protocol))
        assert type(back) is type(element) and repr(back) == repr(element) and same_state(back, element)
    for circuit in odd_circuits():
        back = pickle.loads(pickle.dumps(circuit, protocol))
        assert repr(back) == repr(circuit) and same_state(back, circuit)
        # Labels survive as labels: a further unlabelled R keeps counting where it would have.
        extended, original = corvex.Series([back, corvex.R(1)]), corvex.Series([circuit, corvex.R(1)])
        assert extended.param_names() == original.param_names()
        np.testing.assert_array_equal(back.impedance(FREQUENCIES), circuit.impedance(FREQUENCIES))
    result = rc_fit()
    back = pickle.loads(pickle.dumps(result, protocol))
    assert repr(back) == repr(result) and same_state(back, result)
    for name in ("params", "stderr", "success", "iterations", "impedance_evals", "cost", "chi_square"):
        assert getattr(back, name) == getattr(result, name)


def test_explicit_values_flag_survives():
    # A topology without a trained model warns exactly when its values were not chosen.
    parsed = corvex.Circuit("R0-Wo1")
    spectrum = (FREQUENCIES, parsed.impedance(FREQUENCIES))
    with pytest.warns(UserWarning):
        pickle.loads(pickle.dumps(parsed)).fit(*spectrum)
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        pickle.loads(pickle.dumps(parsed.with_values([1.0, 2.0, 3.0]))).fit(*spectrum)


def fit_in_child(circuit, frequencies, impedances):
    return circuit.fit(frequencies, impedances), circuit


def test_objects_cross_a_spawned_process():
    circuit = corvex.Circuit("R0-(R1,CPE1)")
    impedances = circuit.with_values([5.0, 50.0, 1e-4, 0.85]).impedance(FREQUENCIES)
    with multiprocessing.get_context("spawn").Pool(1) as pool:
        remote, echoed = pool.apply(fit_in_child, (circuit, FREQUENCIES, impedances))
    assert same_state(echoed, circuit)
    assert same_state(remote, circuit.fit(FREQUENCIES, impedances))


@pytest.mark.parametrize(
    "restore, args, message",
    [
        ("_restore_element", ("R", (1.0, 2.0)), "needs 1 values, got 2"),
        ("_restore_element", ("Q", (1.0,)), "unknown element code"),
        ("_restore_circuit", (("(", "|"), False), "unbalanced"),
        ("_restore_circuit", ((")",), False), "unbalanced"),
        ("_restore_circuit", ((("R", 7, (1.0,)),), False), "label must be a str"),
        ("_restore_circuit", (("(", "|") * 1001 + (")",) * 1001, False), "nested too deeply"),
    ],
)
def test_damaged_states_are_refused(restore, args, message):
    with pytest.raises(ValueError, match=message):
        getattr(corvex, restore)(*args)


def test_damaged_fit_result_state_is_refused():
    restore, state = rc_fit().__reduce__()
    with pytest.raises(ValueError, match="names do not match"):
        restore(state[0], ("R0.r", "R1.r", "X"), *state[2:])
    with pytest.raises(ValueError, match="one value per parameter"):
        restore(state[0], state[1], (1.0,), *state[3:])
