// Creation of the module's heap types from PyType_Spec, and the class attributes that are
// added once a type exists (the types are immutable to Python code).
#pragma once

#include <Python.h>

namespace corvex::python {

// A new heap type bound to `module` (so methods find the module state), derived from
// `base` or from object; nullptr with a Python error set on failure.
PyTypeObject* create_heap_type(PyObject* module, PyType_Spec* spec, PyTypeObject* base = nullptr);

// Sets a class attribute on a type created by create_heap_type, immutable or not.
bool add_type_attribute(PyTypeObject* type, const char* name, PyObject* value);

// Releases the instance of a heap type and the reference it holds on its type; for types
// whose instances own C++ members, after those have been destroyed.
void free_heap_instance(PyObject* self);

}  // namespace corvex::python
