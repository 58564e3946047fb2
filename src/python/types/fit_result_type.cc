// The FitResult class: eight read-only attributes over a fit's outcome, its one-line text
// form and a notebook picture. The name tables keep param_names() order, so results read the
// same every run.
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "python/types/circuit_object.h"
#include "python/module/error_mapping.h"
#include "python/types/fit_result_object.h"
#include "python/module/owned_ref.h"
#include "python/types/pickling.h"
#include "python/module/python_text.h"
#include "python/module/type_creation.h"
#include "util/number_text.h"
#include "util/quote.h"

namespace corvex::python {

namespace {

const FitOutcome& outcome_of(PyObject* self) { return reinterpret_cast<FitResultObject*>(self)->outcome; }

struct NamedValue {
  const std::string* name;
  double value;
};

// Pairs (names_i, values_i) for i below the shorter length, one entry per distinct name at
// the place of its first occurrence, carrying the value of its last.
std::vector<NamedValue> name_table(const std::vector<std::string>& names, const std::vector<double>& values) {
  const std::size_t count = std::min(names.size(), values.size());
  std::vector<NamedValue> table;
  std::unordered_map<std::string_view, std::size_t> position;
  for (std::size_t i = 0; i < count; ++i) {
    auto [entry, inserted] = position.try_emplace(names[i], table.size());
    if (inserted) {
      table.push_back({&names[i], values[i]});
    } else {
      table[entry->second].value = values[i];
    }
  }
  return table;
}

PyObject* new_name_dict(const std::vector<std::string>& names, const std::vector<double>& values) {
  OwnedRef dict(PyDict_New());
  if (!dict) return nullptr;
  for (const NamedValue& entry : name_table(names, values)) {
    OwnedRef key = text_object(*entry.name);
    OwnedRef value(PyFloat_FromDouble(entry.value));
    if (!key || !value || PyDict_SetItem(dict.get(), key.get(), value.get()) < 0) return nullptr;
  }
  return dict.release();
}

PyObject* get_circuit(PyObject* self, void*) {
  return guarded([&]() -> PyObject* {
    const ModuleState* state = module_state_of_type(Py_TYPE(self));
    if (state == nullptr) return nullptr;
    if (!ensure_walkable(outcome_of(self).circuit)) return nullptr;
    return new_circuit_object(state->circuit_type, outcome_of(self).circuit);
  });
}

PyObject* get_stderr(PyObject* self, void*) {
  return guarded([&]() -> PyObject* {
    const FitOutcome& outcome = outcome_of(self);
    if (!outcome.standard_errors) Py_RETURN_NONE;
    return new_name_dict(outcome.names, *outcome.standard_errors);
  });
}

PyObject* get_success(PyObject* self, void*) { return PyBool_FromLong(outcome_of(self).success); }

PyObject* get_iterations(PyObject* self, void*) {
  return PyLong_FromUnsignedLongLong(outcome_of(self).iterations);
}

PyObject* get_impedance_evals(PyObject* self, void*) {
  return PyLong_FromUnsignedLongLong(outcome_of(self).impedance_evals);
}

PyObject* get_cost(PyObject* self, void*) { return PyFloat_FromDouble(outcome_of(self).cost); }

PyObject* get_chi_square(PyObject* self, void*) { return PyFloat_FromDouble(outcome_of(self).chi_square); }

PyObject* get_params(PyObject* self, void*) {
  return guarded([&] { return new_name_dict(outcome_of(self).names, outcome_of(self).values); });
}

// «FitResult(success=true, iterations=12, impedance_evals=140, chi_square=1.250000e1,
// params={"R0.r": 100.0})»
std::string fit_result_text(const FitOutcome& outcome) {
  std::string text = "FitResult(success=";
  text += outcome.success ? "true" : "false";
  text += ", iterations=" + std::to_string(outcome.iterations);
  text += ", impedance_evals=" + std::to_string(outcome.impedance_evals);
  text += ", chi_square=" + exponent6_text(outcome.chi_square);
  text += ", params={";
  bool first = true;
  for (const NamedValue& entry : name_table(outcome.names, outcome.values)) {
    if (!first) text += ", ";
    first = false;
    text += quoted(*entry.name) + ": " + debug_number_text(entry.value);
  }
  text += "})";
  return text;
}

PyObject* fit_result_repr(PyObject* self) {
  return guarded([&] { return text_object(fit_result_text(outcome_of(self))).release(); });
}

// Notebooks call this for a picture of the result. The drawing lives in corvex.plot, which
// needs matplotlib: without it there is no picture and the text form is shown instead.
PyObject* fit_result_repr_png(PyObject* self, PyObject*) {
  return guarded([&]() -> PyObject* {
    OwnedRef notebook(PyImport_ImportModule("corvex.plot._notebook"));
    if (!notebook) {
      if (!PyErr_ExceptionMatches(PyExc_ImportError)) return nullptr;
      PyErr_Clear();
      Py_RETURN_NONE;
    }
    return PyObject_CallMethod(notebook.get(), "fit_result_png", "O", self);
  });
}

void fit_result_dealloc(PyObject* self) {
  reinterpret_cast<FitResultObject*>(self)->outcome.~FitOutcome();
  free_heap_instance(self);
}

PyGetSetDef fit_result_getset[] = {
    {"circuit", get_circuit, nullptr, nullptr, nullptr},
    {"stderr", get_stderr, nullptr, nullptr, nullptr},
    {"success", get_success, nullptr, nullptr, nullptr},
    {"iterations", get_iterations, nullptr, nullptr, nullptr},
    {"impedance_evals", get_impedance_evals, nullptr, nullptr, nullptr},
    {"cost", get_cost, nullptr, nullptr, nullptr},
    {"chi_square", get_chi_square, nullptr, nullptr, nullptr},
    {"params", get_params, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyMethodDef fit_result_methods[] = {
    {"__reduce__", fit_result_reduce, METH_NOARGS, kReduceDoc},
    {"_repr_png_", fit_result_repr_png, METH_NOARGS,
     "_repr_png_($self)\n--\n\nA small Nyquist plot of the fit as PNG bytes for notebooks, or None\n"
     "when matplotlib is not installed."},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot fit_result_slots[] = {
    {Py_tp_methods, fit_result_methods},
    {Py_tp_dealloc, reinterpret_cast<void*>(fit_result_dealloc)},
    {Py_tp_repr, reinterpret_cast<void*>(fit_result_repr)},
    {Py_tp_getset, fit_result_getset},
    {0, nullptr},
};

PyType_Spec fit_result_spec = {
    "corvex.FitResult",
    static_cast<int>(sizeof(FitResultObject)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_IMMUTABLETYPE | Py_TPFLAGS_DISALLOW_INSTANTIATION,
    fit_result_slots,
};

}  // namespace

PyObject* new_fit_result_object(const ModuleState* state, FitOutcome outcome) {
  PyTypeObject* type = state->fit_result_type;
  PyObject* self = type->tp_alloc(type, 0);
  if (self == nullptr) return nullptr;
  // A result lives as long as the caller keeps it: the Jacobian only the fit's own
  // uncertainty needed goes now.
  outcome.final_jacobian.reset();
  new (&reinterpret_cast<FitResultObject*>(self)->outcome) FitOutcome(std::move(outcome));
  return self;
}

bool create_fit_result_type(PyObject* module, ModuleState* state) {
  state->fit_result_type = create_heap_type(module, &fit_result_spec);
  return state->fit_result_type != nullptr;
}

}  // namespace corvex::python
