// The private entry behind corvex.fitting: one fit with held parameters, limits, weights
// and robust starts, returned with the uncertainty of every value.
#pragma once

#include <Python.h>

namespace corvex::python {

// Added to the module by its exec slot.
extern PyMethodDef controlled_fit_functions[];

}  // namespace corvex::python
