# The element classes: construction through the float protocol, read-only attributes,
# pattern matching, the debug text form and identity semantics.
import math

import numpy as np
import pytest

import corvex

CATALOGUE = [
    ("R", ["r"]),
    ("C", ["c"]),
    ("L", ["l"]),
    ("La", ["l", "alpha"]),
    ("Cpe", ["q", "alpha"]),
    ("W", ["aw"]),
    ("Wo", ["z0", "tau"]),
    ("Ws", ["z0", "tau"]),
    ("G", ["rg", "tg"]),
    ("Gs", ["rg", "tg", "phi"]),
    ("K", ["r", "tau_k"]),
    ("Zarc", ["r", "tau_k", "gamma"]),
    ("Tlmq", ["r_ion", "qs", "gamma"]),
    ("T", ["a", "b", "k_tau", "tau"]),
]


class FloatLike:
    def __init__(self, value):
        self.value = value

    def __float__(self):
        return self.value


@pytest.mark.parametrize("code, fields", CATALOGUE)
def test_fields_by_position_and_keyword(code, fields):
    variant = getattr(corvex.Element, code)
    values = [0.5 + i for i in range(len(fields))]
    by_position = variant(*values)
    by_keyword = variant(**dict(zip(reversed(fields), reversed(values))))
    for element in (by_position, by_keyword):
        assert [getattr(element, name) for name in fields] == values
    assert variant.__match_args__ == tuple(fields)


@pytest.mark.parametrize("value", [2, np.float32(2.0), np.int64(2), FloatLike(2.0), True])
def test_float_protocol(value):
    element = corvex.K(value, value)
    assert type(element.r) is float and element.r == float(value)


@pytest.mark.parametrize("value", [-5.0, 0.0, math.inf, -math.inf])
def test_values_are_not_range_checked(value):
    assert corvex.R(value).r == value
    assert math.isnan(corvex.R(math.nan).r)


@pytest.mark.parametrize(
    "args, kwargs, message",
    [
        (("x", 1), {}, "argument 'r': must be real number, not str"),
        ((1, None), {}, "argument 'tau_k': must be real number, not NoneType"),
        ((1,), {}, "Element_K.__new__() missing 1 required positional argument: 'tau_k'"),
        ((), {}, "Element_K.__new__() missing 2 required positional arguments: 'r' and 'tau_k'"),
        ((1, 2, 3), {}, "Element_K.__new__() takes 2 positional arguments but 3 were given"),
        ((1,), {"r": 2}, "Element_K.__new__() got multiple values for argument 'r'"),
        ((1, 2), {"q": 2}, "Element_K.__new__() got an unexpected keyword argument 'q'"),
    ],
)
def test_constructor_errors(args, kwargs, message):
    with pytest.raises(TypeError) as raised:
        corvex.K(*args, **kwargs)
    assert str(raised.value) == message


def test_huge_integer_overflows_with_argument_name():
    with pytest.raises(OverflowError, match="^argument 'r': "):
        corvex.R(10**400)


def test_exception_from_float_hook_propagates():
    class Broken:
        def __float__(self):
            raise KeyError("boom")

    with pytest.raises(KeyError):
        corvex.R(Broken())


def test_base_class_cannot_be_instantiated():
    with pytest.raises(TypeError):
        corvex.Element()


@pytest.mark.parametrize("code, fields", CATALOGUE)
def test_attributes_are_read_only(code, fields):
    element = getattr(corvex, code)(*range(1, len(fields) + 1))
    with pytest.raises(AttributeError):
        setattr(element, fields[0], 3.0)
    with pytest.raises(AttributeError):
        element.extra = 1


def test_match_statement_binds_fields_positionally():
    match corvex.Cpe(0.001, 0.8):
        case corvex.R(r):
            matched = ("R", r)
        case corvex.Cpe(q, alpha):
            matched = ("Cpe", q, alpha)
    assert matched == ("Cpe", 0.001, 0.8)


@pytest.mark.parametrize(
    "element, text",
    [
        (corvex.Cpe(0.001, 0.8), "Element.Cpe(q=0.001, alpha=0.8)"),
        (corvex.L(1e-6), "Element.L(l=1e-6)"),
        (corvex.R(1234567.0), "Element.R(r=1234567.0)"),
        (corvex.R(100), "Element.R(r=100.0)"),
        (corvex.R(-0.0), "Element.R(r=-0.0)"),
        (corvex.R(0.0001), "Element.R(r=0.0001)"),
        (corvex.R(2.5e-7), "Element.R(r=2.5e-7)"),
        (corvex.R(1e16), "Element.R(r=1e16)"),
        (corvex.R(math.inf), "Element.R(r=inf)"),
        (corvex.R(math.nan), "Element.R(r=NaN)"),
        (corvex.T(1, 2, 3, 4), "Element.T(a=1.0, b=2.0, k_tau=3.0, tau=4.0)"),
        (corvex.Tlmq(1, 0.001, 0.8), "Element.Tlmq(r_ion=1.0, qs=0.001, gamma=0.8)"),
    ],
)
def test_text_form(element, text):
    assert repr(element) == text
    assert str(element) == text


def test_identity_equality_and_hash():
    a, b = corvex.R(1.0), corvex.R(1.0)
    assert a == a and a != b
    assert len({a, b, a}) == 2
