// The module functions Series() and Parallel(), which join elements and circuits into a
// new circuit.
#pragma once

#include <Python.h>

namespace corvex::python {

PyObject* series_function(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* parallel_function(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);

inline constexpr char kSeriesDoc[] = "Series(parts)\n--\n\nConnect elements and circuits end to end.";
inline constexpr char kParallelDoc[] = "Parallel(parts)\n--\n\nConnect elements and circuits as parallel branches.";

}  // namespace corvex::python
