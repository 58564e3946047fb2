// Binding of positional and keyword arguments against a fixed parameter list, with the
// TypeError messages CPython itself gives for functions written in Python.
#include "python/convert/arg_binder.h"

#include <string>

namespace corvex::python {

namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

std::size_t parameter_index(const Signature& signature, PyObject* keyword) {
  if (!PyUnicode_Check(keyword)) return kNotFound;
  for (std::size_t i = 0; i < signature.names.size(); ++i) {
    // Parameter names are ASCII, so the comparison never raises.
    if (PyUnicode_CompareWithASCIIString(keyword, signature.names[i]) == 0) return i;
  }
  return kNotFound;
}

bool too_many_positional(const Signature& signature, Py_ssize_t given) {
  const char* verb = given == 1 ? "was" : "were";
  const std::size_t total = signature.names.size();
  if (signature.required == total) {
    PyErr_Format(PyExc_TypeError, "%s takes %zu positional arguments but %zd %s given",
                 signature.callable, total, given, verb);
  } else {
    PyErr_Format(PyExc_TypeError, "%s takes from %zu to %zu positional arguments but %zd %s given",
                 signature.callable, signature.required, total, given, verb);
  }
  return false;
}

// Reports missing required parameters the way CPython lists them: 'a'; 'a' and 'b';
// 'a', 'b', and 'c'.
bool missing_required(const Signature& signature, PyObject* const* slots) {
  std::size_t missing = 0;
  for (std::size_t i = 0; i < signature.required; ++i) missing += slots[i] == nullptr;
  std::string names;
  std::size_t listed = 0;
  for (std::size_t i = 0; i < signature.required; ++i) {
    if (slots[i] != nullptr) continue;
    if (listed > 0) {
      if (missing == 2) {
        names += " and ";
      } else if (listed + 1 == missing) {
        names += ", and ";
      } else {
        names += ", ";
      }
    }
    names += '\'';
    names += signature.names[i];
    names += '\'';
    ++listed;
  }
  PyErr_Format(PyExc_TypeError, "%s missing %zu required positional argument%s: %s",
               signature.callable, missing, missing == 1 ? "" : "s", names.c_str());
  return false;
}

bool bind_keyword(const Signature& signature, PyObject* keyword, PyObject* value, PyObject** slots) {
  const std::size_t index = parameter_index(signature, keyword);
  if (index == kNotFound) {
    PyErr_Format(PyExc_TypeError, "%s got an unexpected keyword argument '%S'", signature.callable, keyword);
    return false;
  }
  if (slots[index] != nullptr) {
    PyErr_Format(PyExc_TypeError, "%s got multiple values for argument '%s'", signature.callable,
                 signature.names[index]);
    return false;
  }
  slots[index] = value;
  return true;
}

bool bind_positional(const Signature& signature, PyObject* const* args, Py_ssize_t nargs, PyObject** slots) {
  for (std::size_t i = 0; i < signature.names.size(); ++i) slots[i] = nullptr;
  if (static_cast<std::size_t>(nargs) > signature.names.size()) return too_many_positional(signature, nargs);
  for (Py_ssize_t i = 0; i < nargs; ++i) slots[i] = args[i];
  return true;
}

bool check_required(const Signature& signature, PyObject* const* slots) {
  for (std::size_t i = 0; i < signature.required; ++i) {
    if (slots[i] == nullptr) return missing_required(signature, slots);
  }
  return true;
}

}  // namespace

bool bind_arguments(const Signature& signature, PyObject* const* args, Py_ssize_t nargs,
                    PyObject* kwnames, PyObject** slots) {
  if (!bind_positional(signature, args, nargs, slots)) return false;
  if (kwnames != nullptr) {
    const Py_ssize_t keyword_count = PyTuple_GET_SIZE(kwnames);
    for (Py_ssize_t i = 0; i < keyword_count; ++i) {
      if (!bind_keyword(signature, PyTuple_GET_ITEM(kwnames, i), args[nargs + i], slots)) return false;
    }
  }
  return check_required(signature, slots);
}

bool bind_arguments(const Signature& signature, PyObject* args, PyObject* kwargs, PyObject** slots) {
  if (!bind_positional(signature, &PyTuple_GET_ITEM(args, 0), PyTuple_GET_SIZE(args), slots)) return false;
  if (kwargs != nullptr) {
    Py_ssize_t position = 0;
    PyObject* keyword = nullptr;
    PyObject* value = nullptr;
    while (PyDict_Next(kwargs, &position, &keyword, &value)) {
      if (!bind_keyword(signature, keyword, value, slots)) return false;
    }
  }
  return check_required(signature, slots);
}

}  // namespace corvex::python
