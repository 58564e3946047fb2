// Access to NumPy's C API from every file of the module through one shared function table,
// which the module's initialisation imports.
#pragma once

#include <Python.h>

#define PY_ARRAY_UNIQUE_SYMBOL corvex_numpy_api
#ifndef CORVEX_IMPORTS_NUMPY_API
#define NO_IMPORT_ARRAY
#endif
#include <numpy/arrayobject.h>
#include <numpy/arrayscalars.h>
