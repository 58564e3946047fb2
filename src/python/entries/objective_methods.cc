// Circuit.residuals() and Circuit.jacobian(): the fitting objective and its central-
// difference Jacobian at any parameter vector, for optimisers outside this module.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fit/objective.h"
#include "python/convert/arg_binder.h"
#include "python/types/circuit_methods.h"
#include "python/types/circuit_object.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/module/interruption.h"
#include "python/module/owned_ref.h"
#include "python/convert/python_values.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

constexpr const char* kObjectiveNames[] = {"params", "frequencies", "impedances", "weight"};
constexpr Signature kResidualsSignature{"Circuit.residuals()", kObjectiveNames, 2};
constexpr Signature kJacobianSignature{"Circuit.jacobian()", kObjectiveNames, 2};

// The converted arguments shared by both methods.
struct ObjectiveCall {
  std::vector<double> params;
  Spectrum spectrum;
  WeightScheme scheme = WeightScheme::Modulus;
};

// Binds and converts in the documented order: params, the weight's type, the spectrum,
// then the weight keyword itself.
std::optional<ObjectiveCall> objective_call(const Signature& signature, PyObject* const* args, Py_ssize_t nargs,
                                            PyObject* kwnames) {
  PyObject* bound[4];
  if (!bind_arguments(signature, args, nargs, kwnames, bound)) return std::nullopt;
  ObjectiveCall call;
  std::optional<std::vector<double>> params = float_list(bound[0]);
  if (!params) {
    prefix_argument_error("params");
    return std::nullopt;
  }
  call.params = std::move(*params);
  std::string weight = "modulus";
  if (bound[3] != nullptr && !convert_string(bound[3], "weight", &weight)) return std::nullopt;
  std::optional<Spectrum> spectrum = spectrum_from(bound[1], bound[2]);
  if (!spectrum) return std::nullopt;
  call.spectrum = std::move(*spectrum);
  std::optional<WeightScheme> scheme = parse_weight_scheme(weight);
  if (!scheme) {
    raise_error(value_error(unknown_weight_scheme_message(weight)));
    return std::nullopt;
  }
  call.scheme = *scheme;
  return call;
}

// Rows of the Jacobian from its columns (column-major, `rows` entries per column).
PyObject* new_row_lists(const std::vector<double>& columns, std::size_t rows, std::size_t column_count) {
  if (column_count == 0) return PyList_New(0);
  OwnedRef list(PyList_New(static_cast<Py_ssize_t>(rows)));
  if (!list) return nullptr;
  for (std::size_t k = 0; k < rows; ++k) {
    OwnedRef row(PyList_New(static_cast<Py_ssize_t>(column_count)));
    if (!row) return nullptr;
    for (std::size_t j = 0; j < column_count; ++j) {
      PyObject* value = PyFloat_FromDouble(columns[j * rows + k]);
      if (value == nullptr) return nullptr;
      PyList_SET_ITEM(row.get(), static_cast<Py_ssize_t>(j), value);
    }
    PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(k), row.release());
  }
  return list.release();
}

}  // namespace

PyObject* circuit_residuals(PyObject* self, PyTypeObject*, PyObject* const* args, Py_ssize_t nargs,
                            PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::optional<ObjectiveCall> call = objective_call(kResidualsSignature, args, nargs, kwnames);
    if (!call) return nullptr;
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    std::vector<double> residuals;
    std::optional<Status> status = run_interruptibly([&](const CancellationToken& cancellation) {
      const FitProblem problem(circuit_of(self).nodes, call->spectrum, call->scheme, cancellation);
      residuals.resize(problem.residual_count());
      return residual_vector(problem, call->params, residuals);
    });
    if (!status) return nullptr;
    if (!*status) return raise_error(status->error());
    return new_float_list(residuals);
  });
}

PyObject* circuit_jacobian(PyObject* self, PyTypeObject*, PyObject* const* args, Py_ssize_t nargs,
                           PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::optional<ObjectiveCall> call = objective_call(kJacobianSignature, args, nargs, kwnames);
    if (!call) return nullptr;
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    std::vector<double> columns;
    std::size_t rows = 0;
    std::optional<Status> status = run_interruptibly([&](const CancellationToken& cancellation) {
      const FitProblem problem(circuit_of(self).nodes, call->spectrum, call->scheme, cancellation);
      rows = problem.residual_count();
      return central_difference_jacobian(problem, call->params, &columns);
    });
    if (!status) return nullptr;
    if (!*status) return raise_error(status->error());
    return new_row_lists(columns, rows, call->params.size());
  });
}

}  // namespace corvex::python
