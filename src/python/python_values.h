// New Python lists built from native vectors, all-or-nothing: a failure part way through
// drops what was built and returns nullptr with the Python error set.
#pragma once

#include <Python.h>

#include <span>
#include <string>
#include <string_view>

namespace corvex::python {

PyObject* new_float_list(std::span<const double> values);
PyObject* new_text_list(std::span<const std::string> texts);
PyObject* new_text_list(std::span<const std::string_view> texts);

}  // namespace corvex::python
