# The argument-binding messages shared by every constructor, function and method: missing,
# surplus, duplicated and unknown arguments, and failed conversions naming the argument.
import pytest

import corvex

CIRCUIT = corvex.Circuit("R0-(R1,C1)")


def call(target, *args, **kwargs):
    with pytest.raises(TypeError) as raised:
        target(*args, **kwargs)
    return str(raised.value)


MISSING = [
    (corvex.Circuit, "Circuit.__new__() missing 1 required positional argument: 's'"),
    (corvex.Series, "Series() missing 1 required positional argument: 'parts'"),
    (corvex.Parallel, "Parallel() missing 1 required positional argument: 'parts'"),
    (CIRCUIT.with_values, "Circuit.with_values() missing 1 required positional argument: 'values'"),
    (CIRCUIT.with_named_values, "Circuit.with_named_values() missing 1 required positional argument: 'values'"),
    (CIRCUIT.impedance, "Circuit.impedance() missing 1 required positional argument: 'frequencies'"),
    (corvex.La, "Element_La.__new__() missing 2 required positional arguments: 'l' and 'alpha'"),
    (corvex.Zarc, "Element_Zarc.__new__() missing 3 required positional arguments: 'r', 'tau_k', and 'gamma'"),
    (corvex.T, "Element_T.__new__() missing 4 required positional arguments: 'a', 'b', 'k_tau', and 'tau'"),
]


@pytest.mark.parametrize("target, message", MISSING)
def test_missing_arguments(target, message):
    assert call(target) == message


def test_missing_arguments_skip_those_given_by_keyword():
    assert call(corvex.T, b=1, tau=2) == (
        "Element_T.__new__() missing 2 required positional arguments: 'a' and 'k_tau'")


@pytest.mark.parametrize(
    "target, given, message",
    [
        (corvex.Circuit, 2, "Circuit.__new__() takes 1 positional arguments but 2 were given"),
        (corvex.Series, 3, "Series() takes 1 positional arguments but 3 were given"),
        (CIRCUIT.impedance, 2, "Circuit.impedance() takes 1 positional arguments but 2 were given"),
        (corvex.Gs, 5, "Element_Gs.__new__() takes 3 positional arguments but 5 were given"),
    ],
)
def test_too_many_positional(target, given, message):
    assert call(target, *([[]] * given)) == message


@pytest.mark.parametrize(
    "target, name",
    [
        (corvex.Circuit, "Circuit.__new__()"),
        (corvex.Parallel, "Parallel()"),
        (CIRCUIT.with_values, "Circuit.with_values()"),
        (corvex.R, "Element_R.__new__()"),
    ],
)
def test_unexpected_keyword(target, name):
    assert call(target, [], bogus=1) == f"{name} got an unexpected keyword argument 'bogus'"
    assert call(target, **{"naïve": 1}) == f"{name} got an unexpected keyword argument 'naïve'"


@pytest.mark.parametrize(
    "target, keyword, message",
    [
        (corvex.Circuit, "s", "Circuit.__new__() got multiple values for argument 's'"),
        (corvex.Series, "parts", "Series() got multiple values for argument 'parts'"),
        (CIRCUIT.with_named_values, "values", "Circuit.with_named_values() got multiple values for argument 'values'"),
    ],
)
def test_argument_given_twice(target, keyword, message):
    assert call(target, "R0", **{keyword: "R0"}) == message


@pytest.mark.parametrize(
    "target, argument, message",
    [
        (corvex.Circuit, 5, "argument 's': 'int' object cannot be converted to 'str'"),
        (corvex.Circuit, b"R0", "argument 's': 'bytes' object cannot be converted to 'str'"),
        (corvex.Series, 5, "argument 'parts': 'int' object cannot be converted to 'Sequence'"),
        (corvex.Series, "R0", "argument 'parts': 'str' object cannot be converted to 'Sequence'"),
        (corvex.Parallel, {"a": 1}, "argument 'parts': 'dict' object cannot be converted to 'Sequence'"),
        (CIRCUIT.with_values, 1.0, "argument 'values': 'float' object cannot be converted to 'Sequence'"),
        (CIRCUIT.with_values, "123", "argument 'values': 'str' object cannot be converted to 'Sequence'"),
        (CIRCUIT.with_values, [1, "x", 3], "argument 'values': must be real number, not str"),
        (CIRCUIT.with_named_values, [1.0], "argument 'values': 'list' object cannot be converted to 'dict'"),
        (CIRCUIT.with_named_values, {1: 1.0}, "argument 'values': 'int' object cannot be converted to 'str'"),
        (CIRCUIT.with_named_values, {"R0.r": "x"}, "argument 'values': must be real number, not str"),
    ],
)
def test_conversion_messages(target, argument, message):
    assert call(target, argument) == message


@pytest.mark.parametrize("target", [corvex.Series, corvex.Parallel])
@pytest.mark.parametrize("item, type_name", [(1, "int"), ("R0", "str"), (corvex.Element, "type"), (None, "NoneType")])
def test_part_that_is_neither_element_nor_circuit(target, item, type_name):
    assert call(target, [corvex.R(1.0), item]) == (
        "argument 'parts': failed to extract enum Part ('Element | Circuit')\n"
        f"- variant Element (Element): '{type_name}' object cannot be converted to 'Element'\n"
        f"- variant Circuit (Circuit): '{type_name}' object cannot be converted to 'Circuit'"
    )


@pytest.mark.parametrize("method", ["param_names", "param_values", "param_bounds", "param_units"])
def test_methods_without_arguments_refuse_arguments(method):
    with pytest.raises(TypeError):
        getattr(CIRCUIT, method)(1)
