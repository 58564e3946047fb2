// The FitResult instance layout: the outcome of one fit, immutable, exposed through
// read-only attributes and its text form.
#pragma once

#include <Python.h>

#include "fit/fit_outcome.h"
#include "python/module/module_state.h"

namespace corvex::python {

struct FitResultObject {
  PyObject_HEAD
  FitOutcome outcome;
};

// A new FitResult owning `outcome`; nullptr with a Python error set.
PyObject* new_fit_result_object(const ModuleState* state, FitOutcome outcome);

bool create_fit_result_type(PyObject* module, ModuleState* state);

}  // namespace corvex::python
