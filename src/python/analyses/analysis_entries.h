// Private entries of corvex.analysis: the Kramers-Kronig test, Z-HIT, the distribution of
// relaxation times, the circuit ranking and the circuit discovery, each over a list of spectra.
#pragma once

#include <Python.h>

namespace corvex::python {

PyObject* analysis_kramers_kronig(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* analysis_zhit(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* analysis_relaxation_times(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* analysis_rank_circuits(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* analysis_discover(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);

// The table module.cc adds to the module.
extern PyMethodDef analysis_functions[];

}  // namespace corvex::python
