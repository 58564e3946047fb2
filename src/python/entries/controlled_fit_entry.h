// The private entry behind corvex.fitting: one fit with held parameters, limits, weights
// and robust starts, returned with the uncertainty of every value.
#pragma once

#include <Python.h>

#include "batch/spectrum_fit.h"
#include "fit/fit_controls.h"
#include "python/convert/fit_arguments.h"

namespace corvex::python {

// The controls of a fit from their keywords (nullptr where omitted): fixed as (name, value)
// pairs, bounds as (name, (low, high)) pairs with None for an open side, and the weight
// keyword of `arguments` ("modulus", "unit", "proportional", or "sigma" with the two arrays
// of standard deviations), which also sets the scheme fit()'s own path uses. False with a
// Python error set.
bool convert_fit_controls(PyObject* fixed, PyObject* bounds, PyObject* sigma_real, PyObject* sigma_imaginary,
                          FitArguments* arguments, FitControls* controls);

// The start keyword: omitted or None keeps fit()'s start policy, "data" starts from values
// read off each spectrum (data_start). False with a Python error set for anything else.
bool convert_start_keyword(PyObject* object, FitStart* start);

// Added to the module by its exec slot.
extern PyMethodDef controlled_fit_functions[];

}  // namespace corvex::python
