// The methods of Circuit, implemented in one file per group and gathered into the type's
// method table in circuit_type.cc.
#pragma once

#include <Python.h>

namespace corvex::python {

// guess_methods.cc
PyObject* circuit_guess(PyObject* self, PyTypeObject* defining_class, PyObject* const* args, Py_ssize_t nargs,
                        PyObject* kwnames);
PyObject* circuit_ml_circuits(PyObject* unused_class, PyObject* unused);
// _guess_path(), for the module's exec slot.
extern PyMethodDef guess_functions[];

// circuit_parameters.cc
PyObject* circuit_param_names(PyObject* self, PyObject* unused);
PyObject* circuit_param_values(PyObject* self, PyObject* unused);
PyObject* circuit_param_bounds(PyObject* self, PyObject* unused);
PyObject* circuit_param_units(PyObject* self, PyObject* unused);
PyObject* circuit_with_values(PyObject* self, PyTypeObject* defining_class, PyObject* const* args,
                              Py_ssize_t nargs, PyObject* kwnames);
PyObject* circuit_with_named_values(PyObject* self, PyTypeObject* defining_class, PyObject* const* args,
                                    Py_ssize_t nargs, PyObject* kwnames);

// circuit_impedance.cc
PyObject* circuit_impedance(PyObject* self, PyTypeObject* defining_class, PyObject* const* args,
                            Py_ssize_t nargs, PyObject* kwnames);

// objective_methods.cc
PyObject* circuit_residuals(PyObject* self, PyTypeObject* defining_class, PyObject* const* args,
                            Py_ssize_t nargs, PyObject* kwnames);
PyObject* circuit_jacobian(PyObject* self, PyTypeObject* defining_class, PyObject* const* args,
                           Py_ssize_t nargs, PyObject* kwnames);

// fit_method.cc
PyObject* circuit_fit(PyObject* self, PyTypeObject* defining_class, PyObject* const* args, Py_ssize_t nargs,
                      PyObject* kwnames);

}  // namespace corvex::python
