// New Python lists built from native vectors, all-or-nothing: a failure part way through
// drops what was built and returns nullptr with the Python error set.
#include "python/convert/python_values.h"

#include "python/module/python_text.h"

namespace corvex::python {

PyObject* new_float_list(std::span<const double> values) { return new_list(values, PyFloat_FromDouble); }

PyObject* new_text_list(std::span<const std::string> texts) {
  return new_list(texts, [](const std::string& text) { return text_object(text).release(); });
}

PyObject* new_text_list(std::span<const std::string_view> texts) {
  return new_list(texts, [](std::string_view text) { return text_object(text).release(); });
}

}  // namespace corvex::python
