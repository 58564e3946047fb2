// Text crossing the boundary: Python str to the UTF-8 the core works on and back, and the
// type names that conversion messages quote.
#include "python/module/python_text.h"

namespace corvex::python {

std::optional<std::string> utf8_of(PyObject* text) {
  OwnedRef bytes(PyUnicode_AsEncodedString(text, "utf-8", "surrogatepass"));
  if (!bytes) return std::nullopt;
  char* data = nullptr;
  Py_ssize_t size = 0;
  if (PyBytes_AsStringAndSize(bytes.get(), &data, &size) < 0) return std::nullopt;
  return std::string(data, static_cast<std::size_t>(size));
}

OwnedRef text_object(std::string_view utf8) {
  const auto size = static_cast<Py_ssize_t>(utf8.size());
  OwnedRef text(PyUnicode_DecodeUTF8(utf8.data(), size, "surrogatepass"));
  if (text || !PyErr_ExceptionMatches(PyExc_UnicodeDecodeError)) return text;
  PyErr_Clear();
  return OwnedRef(PyUnicode_DecodeUTF8(utf8.data(), size, "replace"));
}

std::string type_name_of(PyObject* object) {
  OwnedRef name(PyType_GetName(Py_TYPE(object)));
  if (name) {
    Py_ssize_t size = 0;
    if (const char* data = PyUnicode_AsUTF8AndSize(name.get(), &size)) {
      return std::string(data, static_cast<std::size_t>(size));
    }
  }
  // A name that cannot be read must not replace the error being reported.
  PyErr_Clear();
  return Py_TYPE(object)->tp_name;
}

}  // namespace corvex::python
