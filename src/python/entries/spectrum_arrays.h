// Private entry points that hand measured spectra to the Python submodules as NumPy arrays:
// any input fit() accepts, converted by fit()'s own rules, and the spectrum a fit was made to.
#pragma once

#include <Python.h>

namespace corvex::python {

// _spectrum(frequencies, impedances=None) and _fit_spectrum(result), for the module's exec slot.
extern PyMethodDef spectrum_array_functions[];

}  // namespace corvex::python
