// The parameter-vector methods of Circuit: names, values, bounds and units in parameter
// order, and rebuilding the circuit with new values by position or by name.
#include <string>
#include <utility>
#include <vector>

#include "python/convert/arg_binder.h"
#include "python/types/circuit_methods.h"
#include "python/types/circuit_object.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/module/owned_ref.h"
#include "python/module/python_text.h"
#include "python/convert/python_values.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

constexpr const char* kValuesNames[] = {"values"};
constexpr Signature kWithValuesSignature{"Circuit.with_values()", kValuesNames, 1};
constexpr Signature kWithNamedValuesSignature{"Circuit.with_named_values()", kValuesNames, 1};

PyObject* bounds_tuple(const ParamBounds& bounds) { return Py_BuildValue("(dd)", bounds.lo, bounds.hi); }

// The dict's items as (UTF-8 name, value) pairs in the dict's order. The items are taken
// as a snapshot first, since converting a value may run Python code that changes the dict.
bool named_values_from_dict(PyObject* dict, std::vector<std::pair<std::string, double>>* out) {
  if (!PyDict_Check(dict)) {
    raise_cannot_convert(dict, "dict");
    prefix_argument_error("values");
    return false;
  }
  OwnedRef items(PyDict_Items(dict));
  if (!items) return false;
  const Py_ssize_t count = PyList_GET_SIZE(items.get());
  out->reserve(static_cast<std::size_t>(count));
  for (Py_ssize_t i = 0; i < count; ++i) {
    PyObject* pair = PyList_GET_ITEM(items.get(), i);
    PyObject* key = PyTuple_GET_ITEM(pair, 0);
    if (!PyUnicode_Check(key)) {
      raise_cannot_convert(key, "str");
      prefix_argument_error("values");
      return false;
    }
    std::optional<std::string> name = utf8_of(key);
    if (!name) return false;
    double value = 0.0;
    if (!convert_double(PyTuple_GET_ITEM(pair, 1), "values", &value)) return false;
    out->emplace_back(std::move(*name), value);
  }
  return true;
}

}  // namespace

PyObject* circuit_param_names(PyObject* self, PyObject*) {
  return guarded([&]() -> PyObject* {
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    return new_text_list(param_names(circuit_of(self).nodes));
  });
}

PyObject* circuit_param_values(PyObject* self, PyObject*) {
  return guarded([&] { return new_float_list(compiled_of(self).values); });
}

PyObject* circuit_param_bounds(PyObject* self, PyObject*) {
  return guarded([&]() -> PyObject* {
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    const std::vector<ParamBounds> bounds = param_bounds(circuit_of(self).nodes);
    return new_list(std::span<const ParamBounds>(bounds), bounds_tuple);
  });
}

PyObject* circuit_param_units(PyObject* self, PyObject*) {
  return guarded([&]() -> PyObject* {
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    return new_text_list(param_units(circuit_of(self).nodes));
  });
}

PyObject* circuit_with_values(PyObject* self, PyTypeObject* defining_class, PyObject* const* args,
                              Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    PyObject* bound[1];
    if (!bind_arguments(kWithValuesSignature, args, nargs, kwnames, bound)) return nullptr;
    std::optional<std::vector<double>> values = float_list(bound[0]);
    if (!values) {
      prefix_argument_error("values");
      return nullptr;
    }
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    Result<Circuit> rebuilt = with_values(circuit_of(self), *values);
    if (!rebuilt) return raise_error(rebuilt.error());
    return new_circuit_object(defining_class, std::move(rebuilt).value());
  });
}

PyObject* circuit_with_named_values(PyObject* self, PyTypeObject* defining_class, PyObject* const* args,
                                    Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    PyObject* bound[1];
    if (!bind_arguments(kWithNamedValuesSignature, args, nargs, kwnames, bound)) return nullptr;
    std::vector<std::pair<std::string, double>> values;
    if (!named_values_from_dict(bound[0], &values)) return nullptr;
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    Result<Circuit> rebuilt = with_named_values(circuit_of(self), values);
    if (!rebuilt) return raise_error(rebuilt.error());
    return new_circuit_object(defining_class, std::move(rebuilt).value());
  });
}

}  // namespace corvex::python
