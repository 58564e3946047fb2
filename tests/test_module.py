# The module's public surface: exported names and their order, text signatures seen by
# inspect, docstrings, and the refusal to load into a sub-interpreter.
import inspect
import os
import textwrap

import pytest

import corvex

CODES = ["R", "C", "L", "La", "Cpe", "W", "Wo", "Ws", "G", "Gs", "K", "Zarc", "Tlmq", "T"]
EXPORTED = ["Element", "Circuit", "FitResult", "Series", "Parallel"] + CODES


def test_all_lists_the_nineteen_names_in_order():
    assert corvex.__all__ == EXPORTED
    for name in EXPORTED:
        assert hasattr(corvex, name)


def test_variant_classes_are_shared_between_module_and_element():
    element_attributes = [name for name in vars(corvex.Element) if name in CODES]
    assert element_attributes == CODES
    for code in CODES:
        variant = getattr(corvex.Element, code)
        assert getattr(corvex, code) is variant
        assert variant.__name__ == f"Element_{code}"
        assert variant.__module__ == "corvex"
        assert issubclass(variant, corvex.Element)


@pytest.mark.parametrize(
    "callable_path, signature",
    [
        ("Circuit", "(s)"),
        ("Series", "(parts)"),
        ("Parallel", "(parts)"),
        ("R", "(r)"),
        ("La", "(l, alpha)"),
        ("Cpe", "(q, alpha)"),
        ("Gs", "(rg, tg, phi)"),
        ("Tlmq", "(r_ion, qs, gamma)"),
        ("T", "(a, b, k_tau, tau)"),
        ("Circuit.param_names", "(self, /)"),
        ("Circuit.with_values", "(self, /, values)"),
        ("Circuit.with_named_values", "(self, /, values)"),
        ("Circuit.impedance", "(self, /, frequencies)"),
        ("Circuit.param_values", "(self, /)"),
        ("Circuit.param_bounds", "(self, /)"),
        ("Circuit.param_units", "(self, /)"),
        ("Circuit.residuals", "(self, /, params, frequencies, impedances=None, weight='modulus')"),
        ("Circuit.jacobian", "(self, /, params, frequencies, impedances=None, weight='modulus')"),
        ("Circuit.fit", "(self, /, frequencies, impedances=None, guess_init=None, weights=None, weight='modulus', "
                        "method='levenberg_marquardt', max_iterations=200, ftol=1e-08, xtol=1e-08, "
                        "num_particles=200, generations=1000, nelder_mead_iterations=2000, de_evaluations=20000, "
                        "sa_iterations=5000, sa_initial_temperature=2.0, basin_hopping_hops=20, "
                        "basin_hopping_step_size=1.0, basin_hopping_temperature=1.0, seed=None)"),
    ],
)
def test_text_signatures(callable_path, signature):
    target = corvex
    for part in callable_path.split("."):
        target = getattr(target, part)
    assert str(inspect.signature(target)) == signature


def test_circuit_methods_in_table_order():
    expected = ["param_names", "with_values", "with_named_values", "impedance",
                "param_values", "param_bounds", "param_units", "residuals", "jacobian", "fit"]
    own = [name for name in vars(corvex.Circuit) if not name.startswith("_")]
    assert [name for name in own if name in expected] == expected


DOCSTRINGS = {
    "Element": "A single circuit element.\n\nThese are Python subclasses taking its fields as arguments.\n"
               "They are combined with `Series()` and `Parallel()`.",
    "Series": "Connect elements and circuits end to end.",
    "Parallel": "Connect elements and circuits as parallel branches.",
    "Circuit.param_names": "Parameter names, in the same order `with_values()` consumes and\n"
                           "`with_named_values()` expects as keys.",
    "Circuit.with_values": "Rebuild this circuit with a new flat parameter vector, assigned\n"
                           "positionally in `param_names()` order.",
    "Circuit.with_named_values": "Rebuild this circuit with parameter values looked up by name (see\n"
                                 "`param_names()`). Every name must be present and no unknown names\n"
                                 "may be supplied.",
    "Circuit.param_values": "Current parameter values, in `param_names()` order.",
    "Circuit.param_bounds": "Default physical-validity `(lo, hi)` bounds per parameter, in\n"
                            "`param_names()` order. `hi` is `inf` for open-bound parameters.",
    "Circuit.param_units": "Physical units per parameter",
    "Circuit.residuals": "Weighted residual vector (interleaved `[re0, im0, re1, im1, ...]`) for an\n"
                         "arbitrary parameter vector -- the same building block `fit()` uses\n"
                         "internally for Levenberg-Marquardt, exposed so an external optimizer (e.g.\n"
                         "`scipy.optimize.least_squares`) can drive this circuit's math directly.",
    "Circuit.jacobian": "Central-difference Jacobian of `residuals()` at `params`, shape `(2 *\n"
                        "len(frequencies), len(params))` -- rows are residuals, columns are\n"
                        "parameters, matching what `scipy.optimize.least_squares(jac=...)` expects.",
    "Circuit.fit": "Fit this circuit's parameters to a measured spectrum.\n\n"
                   "Accepts two sequences of frequencies and impedances, or a single battery\n"
                   "data format dataframe (`impedances` left as None).\n\n"
                   "`guess_init` unset means start from a machine-learning guess whenever the\n"
                   "circuit is not explicitly given starting parameters. If no model has been\n"
                   "trained for the topology it warns and starts from placeholder values.\n\n"
                   "`True` always guesses, and raises rather than warns when it cannot.\n"
                   "`False` never guesses.",
}


@pytest.mark.parametrize("callable_path", sorted(DOCSTRINGS))
def test_docstrings(callable_path):
    target = corvex
    for part in callable_path.split("."):
        target = getattr(target, part)
    assert target.__doc__ == DOCSTRINGS[callable_path]


@pytest.mark.parametrize("callable_path", ["Circuit", "R", "Circuit.impedance"])
def test_signature_only_docstrings_are_empty(callable_path):
    target = corvex
    for part in callable_path.split("."):
        target = getattr(target, part)
    assert not target.__doc__


def _subinterpreters():
    for name in ("_interpreters", "_xxsubinterpreters"):
        try:
            return __import__(name)
        except ImportError:
            continue
    pytest.skip("no sub-interpreter support in this Python")


def test_import_from_a_subinterpreter_raises_import_error():
    interpreters = _subinterpreters()
    module_dir = os.path.dirname(corvex.__file__)
    code = textwrap.dedent(f"""
        import sys
        sys.path.insert(0, {module_dir!r})
        try:
            import corvex
        except ImportError as error:
            if type(error) is not ImportError:
                raise AssertionError("wrong exception type " + type(error).__name__)
        else:
            raise AssertionError("corvex imported into a sub-interpreter")
    """)
    interpreter = interpreters.create()
    try:
        assert interpreters.run_string(interpreter, code) is None
    finally:
        interpreters.destroy(interpreter)


def test_import_from_a_legacy_subinterpreter_sharing_the_gil_raises_import_error():
    testcapi = pytest.importorskip("_testcapi")
    read_end, write_end = os.pipe()
    code = textwrap.dedent(f"""
        import os
        try:
            import corvex
            outcome = "imported"
        except BaseException as error:
            outcome = type(error).__name__
        os.write({write_end}, outcome.encode())
    """)
    try:
        assert testcapi.run_in_subinterp(code) == 0
        assert os.read(read_end, 100) == b"ImportError"
    finally:
        os.close(read_end)
        os.close(write_end)


@pytest.mark.parametrize(
    "method, text_signature",
    [
        ("residuals", '($self, params, frequencies, impedances=None, weight="modulus")'),
        ("fit", '($self, frequencies, impedances=None, guess_init=None, weights=None, weight="modulus", '
                'method="levenberg_marquardt", max_iterations=200, ftol=1e-8, xtol=1e-8, num_particles=200, '
                'generations=1000, nelder_mead_iterations=2000, de_evaluations=20000, sa_iterations=5000, '
                'sa_initial_temperature=2.0, basin_hopping_hops=20, basin_hopping_step_size=1.0, '
                'basin_hopping_temperature=1.0, seed=None)'),
    ],
)
def test_raw_text_signatures(method, text_signature):
    assert getattr(corvex.Circuit, method).__text_signature__ == text_signature


def test_the_version_is_the_package_metadata_s_and_stays_out_of_all():
    import importlib.metadata

    assert corvex.__version__ == importlib.metadata.version("corvex")
    assert "__version__" not in corvex.__all__
