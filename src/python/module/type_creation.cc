// Creation of the module's heap types from PyType_Spec, and the class attributes that are
// added once a type exists (the types are immutable to Python code).
#include "python/module/type_creation.h"

#include "python/module/owned_ref.h"

namespace corvex::python {

PyTypeObject* create_heap_type(PyObject* module, PyType_Spec* spec, PyTypeObject* base) {
  return reinterpret_cast<PyTypeObject*>(
      PyType_FromModuleAndSpec(module, spec, reinterpret_cast<PyObject*>(base)));
}

bool add_type_attribute(PyTypeObject* type, const char* name, PyObject* value) {
  OwnedRef dict(PyType_GetDict(type));
  if (!dict || PyDict_SetItemString(dict.get(), name, value) < 0) return false;
  // The type caches attribute lookups; a direct change of its dict must invalidate them.
  PyType_Modified(type);
  return true;
}

void free_heap_instance(PyObject* self) {
  PyTypeObject* type = Py_TYPE(self);
  type->tp_free(self);
  Py_DECREF(type);
}

}  // namespace corvex::python
