// The private native entry of corvex.series, added to the module in its exec slot.
#pragma once

#include <Python.h>

namespace corvex::python {

// _series_fit(circuit, spectra, starts, shared, laws, weight, max_iterations, ftol, xtol, covariance) -> dict.
extern PyMethodDef series_functions[];

}  // namespace corvex::python
