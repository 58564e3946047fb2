// corvex._fit_with_controls: the arguments of Circuit.fit() plus the controls, converted in
// order; the start chosen as fit() chooses it; the fit with the lock released; a tuple back.
#include "python/entries/controlled_fit_entry.h"

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "batch/controlled_spectrum_fit.h"
#include "batch/refined_data_start.h"
#include "python/convert/arg_binder.h"
#include "python/types/circuit_object.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/types/fit_result_object.h"
#include "python/convert/fit_arguments.h"
#include "python/module/interruption.h"
#include "python/module/owned_ref.h"
#include "python/module/python_text.h"
#include "python/convert/python_values.h"
#include "python/convert/spectrum_input.h"
#include "util/quote.h"

namespace corvex::python {
namespace {

enum Argument {
  kCircuit,
  kFrequencies,
  kImpedances,
  kFixed,
  kBounds,
  kSigmaReal,
  kSigmaImaginary,
  kRobust,
  kStart,
  kLeadingCount,
};

constexpr std::array<const char*, kLeadingCount> kLeadingNames = {
    "circuit", "frequencies", "impedances", "fixed", "bounds", "sigma_real", "sigma_imaginary", "robust", "start"};
constexpr auto kNames = with_fit_keywords(kLeadingNames);
constexpr Signature kSignature{"_fit_with_controls()", kNames, 3};

// Fails with the pending error prefixed by the argument's name.
bool argument_failure(const char* argument) {
  prefix_argument_error(argument);
  return false;
}

// A limit: a number, or None for no limit on that side.
bool convert_limit(PyObject* object, const char* argument, double none_value, double* out) {
  if (object == Py_None) {
    *out = none_value;
    return true;
  }
  return convert_double(object, argument, out);
}

// A sequence of (name, value) pairs, as dict.items() gives them; for bounds the value is a
// (low, high) pair whose sides may be None.
bool convert_named(PyObject* object, const char* argument, bool limits, FitControls* controls) {
  OwnedRef sequence(PySequence_Fast(object, "expected a sequence of (name, value) pairs"));
  if (!sequence) return argument_failure(argument);
  const Py_ssize_t count = PySequence_Fast_GET_SIZE(sequence.get());
  for (Py_ssize_t i = 0; i < count; ++i) {
    PyObject* item = PySequence_Fast_GET_ITEM(sequence.get(), i);
    if (!PyTuple_Check(item) || PyTuple_GET_SIZE(item) != 2) {
      raise_cannot_convert(item, "tuple");
      return argument_failure(argument);
    }
    std::optional<std::string> name = utf8_of(PyTuple_GET_ITEM(item, 0));
    if (!name) return argument_failure(argument);
    PyObject* value = PyTuple_GET_ITEM(item, 1);
    if (!limits) {
      double held = 0.0;
      if (!convert_double(value, argument, &held)) return false;
      controls->fixed.emplace_back(std::move(*name), held);
      continue;
    }
    OwnedRef pair(PySequence_Fast(value, "expected a (low, high) pair"));
    if (!pair) return argument_failure(argument);
    if (PySequence_Fast_GET_SIZE(pair.get()) != 2) {
      PyErr_Format(PyExc_ValueError, "bounds of %R must be a (low, high) pair", PyTuple_GET_ITEM(item, 0));
      return false;
    }
    ParamBounds b{};
    const double inf = std::numeric_limits<double>::infinity();
    if (!convert_limit(PySequence_Fast_GET_ITEM(pair.get(), 0), argument, -inf, &b.lo) ||
        !convert_limit(PySequence_Fast_GET_ITEM(pair.get(), 1), argument, inf, &b.hi)) {
      return false;
    }
    controls->bounds.emplace_back(std::move(*name), b);
  }
  return true;
}

}  // namespace

bool convert_fit_controls(PyObject* fixed, PyObject* bounds, PyObject* sigma_real, PyObject* sigma_imaginary,
                          FitArguments* arguments, FitControls* controls) {
  if ((fixed && !convert_named(fixed, "fixed", false, controls)) ||
      (bounds && !convert_named(bounds, "bounds", true, controls))) {
    return false;
  }
  const std::string& weight = arguments->weight;
  if (std::optional<WeightScheme> scheme = parse_weight_scheme(weight)) {
    arguments->options.weight = *scheme;
    controls->weighting = *scheme == WeightScheme::Unit ? ResidualWeighting::Unit : ResidualWeighting::Modulus;
  } else if (weight == "proportional") {
    controls->weighting = ResidualWeighting::Proportional;
  } else if (weight == "sigma" && sigma_real != nullptr && sigma_imaginary != nullptr) {
    controls->weighting = ResidualWeighting::StandardDeviations;
    std::optional<std::vector<double>> real = float_list(sigma_real);
    std::optional<std::vector<double>> imaginary = real ? float_list(sigma_imaginary) : std::nullopt;
    if (!real || !imaginary) return false;
    controls->sigma_real = std::move(*real);
    controls->sigma_imaginary = std::move(*imaginary);
  } else {
    raise_error(value_error("unknown weight scheme " + quoted(weight) +
                            ", expected \"modulus\", \"unit\", \"proportional\" or an array of standard deviations"));
    return false;
  }
  return true;
}

bool convert_start_keyword(PyObject* object, FitStart* start) {
  if (object == nullptr || object == Py_None) return true;
  std::optional<std::string> text = PyUnicode_Check(object) ? utf8_of(object) : std::nullopt;
  if (!PyErr_Occurred() && text && *text == "data") {
    *start = FitStart{StartKind::Data, {}};
    return true;
  }
  if (!PyErr_Occurred()) PyErr_Format(PyExc_ValueError, "argument 'start': expected None or \"data\", got %R", object);
  return false;
}

namespace {

// The robust keyword: omitted means on.
bool convert_robust(PyObject* object, bool* robust) {
  if (object == nullptr) return true;
  const int truth = PyObject_IsTrue(object);
  if (truth < 0) return false;
  *robust = truth == 1;
  return true;
}

// (FitResult, start, values, covariance, correlation, stderr, intervals, identifiable, dof,
// t, runaway, best_cost_any): lists in parameter order, flat n x n matrices, None where a
// parameter has no figure.
PyObject* result_tuple(const ModuleState* state, ControlledFit fit, const std::vector<bool>& held) {
  const FitUncertainty& u = fit.uncertainty;
  const std::size_t n = fit.outcome.values.size();
  std::vector<std::size_t> index(n);
  for (std::size_t i = 0; i < n; ++i) index[i] = i;
  auto error_of = [&](std::size_t i) -> PyObject* {
    return u.standard_errors[i] ? PyFloat_FromDouble(*u.standard_errors[i]) : Py_NewRef(Py_None);
  };
  auto interval_of = [&](std::size_t i) -> PyObject* {
    return u.standard_errors[i] ? Py_BuildValue("(dd)", u.interval_low[i], u.interval_high[i]) : Py_NewRef(Py_None);
  };
  auto identifiable_of = [&](std::size_t i) -> PyObject* {
    return i < held.size() && held[i] ? Py_NewRef(Py_None) : PyBool_FromLong(u.identifiable[i]);
  };
  const std::span<const std::size_t> all(index);
  OwnedRef start = text_object(fit.start);
  OwnedRef values(new_float_list(fit.outcome.values));
  OwnedRef covariance(new_float_list(u.covariance));
  OwnedRef correlation(new_float_list(u.correlation));
  OwnedRef errors(new_list(all, error_of));
  OwnedRef intervals(new_list(all, interval_of));
  OwnedRef flags(new_list(all, identifiable_of));
  OwnedRef runaway(new_list(all, [&](std::size_t i) -> PyObject* {
    return PyBool_FromLong(i < fit.runaway.size() && fit.runaway[i]);
  }));
  if (!start || !values || !covariance || !correlation || !errors || !intervals || !flags || !runaway) return nullptr;
  OwnedRef result(new_fit_result_object(state, std::move(fit.outcome)));
  if (!result) return nullptr;
  return Py_BuildValue("(OOOOOOOOddOd)", result.get(), start.get(), values.get(), covariance.get(),
                       correlation.get(), errors.get(), intervals.get(), flags.get(), u.degrees_of_freedom,
                       u.t_quantile, runaway.get(), fit.best_cost_any);
}

PyObject* fit_with_controls_function(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::array<PyObject*, kNames.size()> bound{};
    if (!bind_arguments(kSignature, args, nargs, kwnames, bound.data())) return nullptr;
    const ModuleState* state = module_state(module);
    if (!is_circuit_object(state, bound[kCircuit])) {
      raise_cannot_convert(bound[kCircuit], "Circuit");
      prefix_argument_error(kNames[kCircuit]);
      return nullptr;
    }
    if (!ensure_walkable(circuit_of(bound[kCircuit]))) return nullptr;
    FitArguments arguments;
    if (!convert_fit_arguments(bound.data() + kLeadingCount, &arguments)) return nullptr;
    std::optional<Spectrum> spectrum =
        spectrum_from(bound[kFrequencies], bound[kImpedances] ? bound[kImpedances] : Py_None);
    FitControls controls;
    bool robust = true;
    if (!spectrum ||
        !convert_fit_controls(bound[kFixed], bound[kBounds], bound[kSigmaReal], bound[kSigmaImaginary], &arguments,
                              &controls) ||
        !convert_robust(bound[kRobust], &robust)) {
      return nullptr;
    }

    const Circuit& circuit = circuit_of(bound[kCircuit]);
    FitStart start = choose_fit_start(circuit, arguments.guess_init, arguments.weights);
    if (!convert_start_keyword(bound[kStart], &start)) return nullptr;
    if (start.kind == StartKind::AsGivenWithWarning &&
        PyErr_WarnEx(PyExc_UserWarning, no_model_warning_message().c_str(), 1) != 0) {
      return nullptr;
    }

    std::optional<Result<ControlledFit>> fit = run_interruptibly([&](const CancellationToken& cancellation) {
      return fit_spectrum_with_controls(circuit, *spectrum, start, arguments.options, controls, robust, cancellation);
    });
    if (!fit) return nullptr;
    if (!*fit) return raise_error(fit->error());
    const std::vector<bool> held = (*fit)->held;
    return result_tuple(state, std::move(*fit).value(), held);
  });
}

// The (circuit, frequencies, impedances) arguments of the data-start entries; false with the
// error set.
bool data_start_arguments(PyObject* module, PyObject* args, const char* format, const Circuit** circuit,
                          std::optional<Spectrum>* spectrum) {
  PyObject* circuit_object = nullptr;
  PyObject* frequencies = nullptr;
  PyObject* impedances = nullptr;
  if (!PyArg_ParseTuple(args, format, &circuit_object, &frequencies, &impedances)) return false;
  if (!is_circuit_object(module_state(module), circuit_object)) {
    raise_cannot_convert(circuit_object, "Circuit");
    prefix_argument_error("circuit");
    return false;
  }
  if (!ensure_walkable(circuit_of(circuit_object))) return false;
  *spectrum = spectrum_from(frequencies, impedances);
  if (!*spectrum) return false;
  *circuit = &circuit_of(circuit_object);
  return true;
}

// corvex._data_start(circuit, frequencies, impedances): the values start="data" begins from.
PyObject* data_start_function(PyObject* module, PyObject* args) {
  return guarded([&]() -> PyObject* {
    const Circuit* circuit = nullptr;
    std::optional<Spectrum> spectrum;
    if (!data_start_arguments(module, args, "OOO:_data_start", &circuit, &spectrum)) return nullptr;
    // The start runs brief fits: the lock is released and Ctrl-C stops them, as for a fit.
    std::optional<Result<std::vector<double>>> values = run_interruptibly([&](const CancellationToken& cancellation) {
      return refined_data_start(circuit->nodes, *spectrum, FitOptions{}, cancellation);
    });
    if (!values) return nullptr;
    if (!*values) return raise_error(values->error());
    return new_float_list(**values);
  });
}

// corvex._data_start_members(circuit, frequencies, impedances): the members start="data" runs
// briefly, before holds and bounds apply.
PyObject* data_start_members_function(PyObject* module, PyObject* args) {
  return guarded([&]() -> PyObject* {
    const Circuit* circuit = nullptr;
    std::optional<Spectrum> spectrum;
    if (!data_start_arguments(module, args, "OOO:_data_start_members", &circuit, &spectrum)) return nullptr;
    Result<std::vector<std::vector<double>>> members = brief_run_members(circuit->nodes, *spectrum);
    if (!members) return raise_error(members.error());
    return new_list(std::span<const std::vector<double>>(*members),
                    [](const std::vector<double>& values) { return new_float_list(values); });
  });
}

}  // namespace

PyMethodDef controlled_fit_functions[] = {
    {"_fit_with_controls", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(fit_with_controls_function)),
     METH_FASTCALL | METH_KEYWORDS,
     "_fit_with_controls(circuit, frequencies, impedances, fixed, bounds, weight, sigma_real, sigma_imaginary, "
     "robust, ...)\n--\n\nPrivate entry of corvex.fitting.fit()."},
    {"_data_start", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(data_start_function)), METH_VARARGS,
     "_data_start(circuit, frequencies, impedances)\n--\n\nThe values corvex.fitting.fit(start=\"data\") starts from."},
    {"_data_start_members", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(data_start_members_function)),
     METH_VARARGS,
     "_data_start_members(circuit, frequencies, impedances)\n--\n\nThe members corvex.fitting.fit(start=\"data\") "
     "runs briefly."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
