// Pickle support for the element variants, Circuit and FitResult: __reduce__ methods that
// hand pickle a private module function and the plain values that rebuild the object exactly.
#pragma once

#include <Python.h>

namespace corvex::python {

// __reduce__ of each type (METH_NOARGS), for the types' method tables.
PyObject* element_reduce(PyObject* self, PyObject* unused);
PyObject* circuit_reduce(PyObject* self, PyObject* unused);
PyObject* fit_result_reduce(PyObject* self, PyObject* unused);
inline constexpr char kReduceDoc[] = "__reduce__($self, /)\n--\n\nHelper for pickle.";

// The private rebuilding functions (_restore_element, _restore_circuit, _restore_fit_result)
// that pickles name; added to the module beside its public functions.
extern PyMethodDef pickling_functions[];

}  // namespace corvex::python
