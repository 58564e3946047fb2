// corvex._series_fit: converts a series' spectra, starts and laws with the interpreter lock
// held, fits them jointly with it released, and hands corvex.series the result as lists.
#include <Python.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fit/student_t.h"
#include "python/convert/python_values.h"
#include "python/convert/spectrum_input.h"
#include "python/entries/series_functions.h"
#include "python/module/error_mapping.h"
#include "python/module/interruption.h"
#include "python/module/module_state.h"
#include "python/module/owned_ref.h"
#include "python/types/circuit_object.h"
#include "series/series_fit.h"

namespace corvex::python {

namespace {

bool convert_index_list(PyObject* object, const char* name, std::vector<std::size_t>* out) {
  OwnedRef items(PySequence_Fast(object, name));
  if (!items) return false;
  for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(items.get()); ++i) {
    const Py_ssize_t index = PyNumber_AsSsize_t(PySequence_Fast_GET_ITEM(items.get(), i), PyExc_OverflowError);
    if (index == -1 && PyErr_Occurred()) return false;
    if (index < 0) {
      PyErr_Format(PyExc_ValueError, "%s: negative parameter index", name);
      return false;
    }
    out->push_back(static_cast<std::size_t>(index));
  }
  return true;
}

bool convert_spectra(PyObject* object, std::vector<Spectrum>* out) {
  OwnedRef items(PySequence_Fast(object, "argument 'spectra': expected a sequence of spectra"));
  if (!items) return false;
  for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(items.get()); ++i) {
    PyObject* item = PySequence_Fast_GET_ITEM(items.get(), i);
    const bool pair = PyTuple_Check(item) && PyTuple_GET_SIZE(item) == 2;
    std::optional<Spectrum> spectrum =
        pair ? spectrum_from(PyTuple_GET_ITEM(item, 0), PyTuple_GET_ITEM(item, 1)) : spectrum_from(item, nullptr);
    if (!spectrum) return false;
    out->push_back(std::move(*spectrum));
  }
  return true;
}

// Each law a (parameter index, "identity" or "log", coefficient count, flat basis) tuple.
bool convert_laws(PyObject* object, std::vector<SeriesLaw>* out) {
  OwnedRef items(PySequence_Fast(object, "argument 'laws': expected a sequence"));
  if (!items) return false;
  for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(items.get()); ++i) {
    PyObject* item = PySequence_Fast_GET_ITEM(items.get(), i);
    Py_ssize_t parameter = 0, count = 0;
    const char* link = nullptr;
    PyObject* basis = nullptr;
    if (!PyTuple_Check(item) || !PyArg_ParseTuple(item, "nsnO", &parameter, &link, &count, &basis)) {
      if (!PyErr_Occurred()) PyErr_SetString(PyExc_TypeError, "argument 'laws': expected (index, link, count, basis) tuples");
      return false;
    }
    const std::string link_name(link);
    if ((link_name != "identity" && link_name != "log") || parameter < 0 || count <= 0) {
      PyErr_SetString(PyExc_ValueError, "argument 'laws': a law needs an index, \"identity\" or \"log\" and coefficients");
      return false;
    }
    std::optional<std::vector<double>> values = float_list(basis);
    if (!values) return false;
    out->push_back(SeriesLaw{static_cast<std::size_t>(parameter),
                             link_name == "log" ? LawLink::Log : LawLink::Identity,
                             static_cast<std::size_t>(count), std::move(*values)});
  }
  return true;
}

bool set_item(PyObject* dict, const char* key, PyObject* value) {
  OwnedRef owned(value);
  return owned && PyDict_SetItemString(dict, key, owned.get()) == 0;
}

PyObject* bool_list(const std::vector<bool>& values) {
  OwnedRef list(PyList_New(static_cast<Py_ssize_t>(values.size())));
  if (!list) return nullptr;
  for (std::size_t i = 0; i < values.size(); ++i) {
    PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), PyBool_FromLong(values[i] ? 1 : 0));
  }
  return list.release();
}

PyObject* size_list(const std::vector<std::size_t>& values) {
  OwnedRef list(PyList_New(static_cast<Py_ssize_t>(values.size())));
  if (!list) return nullptr;
  for (std::size_t i = 0; i < values.size(); ++i) {
    PyObject* item = PyLong_FromSize_t(values[i]);
    if (item == nullptr) return nullptr;
    PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), item);
  }
  return list.release();
}

PyObject* summary_dict(const SeriesSummary& summary) {
  OwnedRef out(PyDict_New());
  if (!out) return nullptr;
  PyObject* dict = out.get();
  const bool filled =
      set_item(dict, "values", new_float_list(summary.values)) &&
      set_item(dict, "standard_errors", new_float_list(summary.standard_errors)) &&
      set_item(dict, "global_values", new_float_list(summary.global_values)) &&
      set_item(dict, "global_covariance", new_float_list(summary.global_covariance)) &&
      set_item(dict, "global_unresolved", bool_list(summary.global_unresolved)) &&
      set_item(dict, "spectrum_costs", new_float_list(summary.spectrum_costs)) &&
      set_item(dict, "spectrum_points", size_list(summary.spectrum_points)) &&
      set_item(dict, "cost", PyFloat_FromDouble(summary.cost)) &&
      set_item(dict, "residual_count", PyLong_FromSize_t(summary.residual_count)) &&
      set_item(dict, "free_count", PyLong_FromSize_t(summary.free_count)) &&
      set_item(dict, "residual_variance", PyFloat_FromDouble(summary.residual_variance)) &&
      set_item(dict, "t_quantile", PyFloat_FromDouble(summary.t_quantile)) &&
      set_item(dict, "iterations", PyLong_FromSize_t(summary.iterations)) &&
      set_item(dict, "evaluations", PyLong_FromUnsignedLongLong(summary.evaluations)) &&
      set_item(dict, "converged", PyBool_FromLong(summary.converged ? 1 : 0)) &&
      set_item(dict, "termination", PyUnicode_FromString(summary.termination.c_str()));
  return filled ? out.release() : nullptr;
}

PyObject* series_fit(PyObject* module, PyObject* args, PyObject* kwargs) {
  return guarded([&]() -> PyObject* {
    static const char* keywords[] = {"circuit", "spectra", "starts", "shared", "laws", "weight",
                                     "max_iterations", "ftol", "xtol", "covariance", nullptr};
    PyObject *circuit = nullptr, *spectra = nullptr, *starts = nullptr, *shared = nullptr, *laws = nullptr;
    const char* weight = "modulus";
    Py_ssize_t max_iterations = 200;
    double ftol = 1e-10, xtol = 1e-10;
    int covariance = 1;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "OOOOO|snddp:_series_fit", const_cast<char**>(keywords), &circuit,
                                     &spectra, &starts, &shared, &laws, &weight, &max_iterations, &ftol, &xtol,
                                     &covariance)) {
      return nullptr;
    }
    if (!is_circuit_object(module_state(module), circuit)) {
      PyErr_Format(PyExc_TypeError, "argument 'circuit': expected a Circuit, got '%s'", Py_TYPE(circuit)->tp_name);
      return nullptr;
    }
    if (!ensure_walkable(circuit_of(circuit))) return nullptr;
    std::optional<WeightScheme> scheme = parse_weight_scheme(weight);
    if (!scheme) return raise_error(value_error(unknown_weight_scheme_message(weight)));
    if (max_iterations < 1 || !(ftol >= 0.0) || !(xtol >= 0.0)) {
      return raise_error(value_error("max_iterations must be at least 1 and the tolerances at least 0"));
    }
    SeriesProblem problem;
    problem.circuit = circuit_of(circuit).nodes;
    problem.weighting = *scheme;
    if (!convert_spectra(spectra, &problem.spectra)) return nullptr;
    std::optional<std::vector<double>> start_values = float_list(starts);
    if (!start_values) return nullptr;
    problem.starts = std::move(*start_values);
    if (!convert_index_list(shared, "argument 'shared'", &problem.shared)) return nullptr;
    if (!convert_laws(laws, &problem.laws)) return nullptr;
    SeriesOptions options;
    options.max_iterations = static_cast<std::size_t>(max_iterations);
    options.function_tolerance = ftol;
    options.parameter_tolerance = xtol;
    options.covariance = covariance != 0;
    std::optional<Result<SeriesSummary>> summary =
        run_interruptibly([&](const CancellationToken& token) { return fit_series(problem, options, token); });
    if (!summary) return nullptr;
    if (!summary->ok()) return raise_error(summary->error());
    return summary_dict(summary->value());
  });
}

// The upper tail P(F > f) of the F distribution with (d1, d2) degrees of freedom, for the
// test of a series' constraints: I_{d2 / (d2 + d1 f)}(d2 / 2, d1 / 2).
PyObject* f_test_p_value(PyObject*, PyObject* args) {
  double f = 0.0, d1 = 0.0, d2 = 0.0;
  if (!PyArg_ParseTuple(args, "ddd:_f_test_p_value", &f, &d1, &d2)) return nullptr;
  if (!(d1 > 0.0) || !(d2 > 0.0) || std::isnan(f)) return PyFloat_FromDouble(std::nan(""));
  if (f <= 0.0) return PyFloat_FromDouble(1.0);
  return PyFloat_FromDouble(regularized_incomplete_beta(0.5 * d2, 0.5 * d1, d2 / (d2 + d1 * f)));
}

}  // namespace

PyMethodDef series_functions[] = {
    {"_series_fit", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(series_fit)),
     METH_VARARGS | METH_KEYWORDS, "Fit one circuit to a whole series jointly; the engine of corvex.series.fit()."},
    {"_f_test_p_value", f_test_p_value, METH_VARARGS, "Upper tail of the F distribution: the p-value of an F test."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
