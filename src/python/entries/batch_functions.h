// The private native entry of corvex.batch, added to the module in its exec slot.
#pragma once

#include <Python.h>

namespace corvex::python {

// _batch_fit(circuit, spectra, workers, refine, series, progress, <fit keywords>) -> dict of columns.
extern PyMethodDef batch_functions[];

}  // namespace corvex::python
