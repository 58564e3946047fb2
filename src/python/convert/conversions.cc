// Conversion of bound arguments to native values, each failure reported with the name of
// the argument in front of the conversion's own message.
#include "python/convert/conversions.h"

#include <limits>

#include "python/module/numpy_api.h"
#include "python/module/owned_ref.h"
#include "python/module/python_text.h"

namespace corvex::python {

namespace {

template <class Unsigned>
bool convert_unsigned(PyObject* object, const char* name, Unsigned* out) {
  OwnedRef index(PyNumber_Index(object));
  if (!index) {
    prefix_argument_error(name);
    return false;
  }
  // PyLong_AsUnsignedLongLong refuses negative values and values beyond 64 bits with an
  // OverflowError of its own; the narrower width is checked here with the same wording.
  const unsigned long long value = PyLong_AsUnsignedLongLong(index.get());
  if (value == static_cast<unsigned long long>(-1) && PyErr_Occurred()) {
    prefix_argument_error(name);
    return false;
  }
  if (value > std::numeric_limits<Unsigned>::max()) {
    PyErr_Format(PyExc_OverflowError, "argument '%s': int too big to convert", name);
    return false;
  }
  *out = static_cast<Unsigned>(value);
  return true;
}

}  // namespace

void raise_cannot_convert(PyObject* object, const char* target) {
  const std::string type = type_name_of(object);
  PyErr_Format(PyExc_TypeError, "'%s' object cannot be converted to '%s'", type.c_str(), target);
}

void prefix_argument_error(const char* name) {
  PyObject* raised = PyErr_GetRaisedException();
  if (raised == nullptr) return;
  PyObject* type = reinterpret_cast<PyObject*>(Py_TYPE(raised));
  const bool rewrap = type == PyExc_TypeError || type == PyExc_ValueError || type == PyExc_OverflowError;
  if (!rewrap) {
    PyErr_SetRaisedException(raised);
    return;
  }
  OwnedRef original(raised);
  OwnedRef message(PyObject_Str(raised));
  if (!message) return;
  PyErr_Format(type, "argument '%s': %U", name, message.get());
}

bool convert_double(PyObject* object, const char* name, double* out) {
  const double value = PyFloat_AsDouble(object);
  if (value == -1.0 && PyErr_Occurred()) {
    prefix_argument_error(name);
    return false;
  }
  *out = value;
  return true;
}

bool convert_u32(PyObject* object, const char* name, std::uint32_t* out) {
  return convert_unsigned(object, name, out);
}

bool convert_u64(PyObject* object, const char* name, std::uint64_t* out) {
  return convert_unsigned(object, name, out);
}

bool convert_count(PyObject* object, const char* name, std::uint32_t* out) {
  OwnedRef index(PyNumber_Index(object));
  if (!index) {
    prefix_argument_error(name);
    return false;
  }
  int overflow = 0;
  const long long value = PyLong_AsLongLongAndOverflow(index.get(), &overflow);
  if (value == -1 && PyErr_Occurred()) {
    prefix_argument_error(name);
    return false;
  }
  if (overflow != 0 || value < 0 || value > static_cast<long long>(std::numeric_limits<std::uint32_t>::max())) {
    PyErr_Format(PyExc_ValueError, "argument '%s': expected a whole number from 0 to %u, got %S", name,
                 std::numeric_limits<std::uint32_t>::max(), index.get());
    return false;
  }
  *out = static_cast<std::uint32_t>(value);
  return true;
}

bool convert_optional_u64(PyObject* object, const char* name, std::optional<std::uint64_t>* out) {
  if (object == Py_None) {
    out->reset();
    return true;
  }
  std::uint64_t value = 0;
  if (!convert_u64(object, name, &value)) return false;
  *out = value;
  return true;
}

bool convert_string(PyObject* object, const char* name, std::string* out) {
  if (!PyUnicode_Check(object)) {
    raise_cannot_convert(object, "str");
    prefix_argument_error(name);
    return false;
  }
  std::optional<std::string> text = utf8_of(object);
  if (!text) {
    prefix_argument_error(name);
    return false;
  }
  *out = std::move(*text);
  return true;
}

bool convert_optional_string(PyObject* object, const char* name, std::optional<std::string>* out) {
  if (object == Py_None) {
    out->reset();
    return true;
  }
  std::string value;
  if (!convert_string(object, name, &value)) return false;
  *out = std::move(value);
  return true;
}

bool convert_optional_bool(PyObject* object, const char* name, std::optional<bool>* out) {
  if (object == Py_None) {
    out->reset();
  } else if (PyBool_Check(object)) {
    *out = object == Py_True;
  } else if (PyArray_IsScalar(object, Bool)) {
    *out = PyArrayScalar_VAL(object, Bool) != 0;
  } else {
    raise_cannot_convert(object, "bool");
    prefix_argument_error(name);
    return false;
  }
  return true;
}

}  // namespace corvex::python
