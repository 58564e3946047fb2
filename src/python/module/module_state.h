// Per-module state of corvex: the type objects the module creates, reachable from the
// module, from its types and from every method through its defining class.
#pragma once

#include <Python.h>

#include <array>

#include "elements/element.h"

namespace corvex::python {

struct ModuleState {
  PyTypeObject* element_type = nullptr;
  std::array<PyTypeObject*, kElementKindCount> variant_types{};  // catalogue order
  PyTypeObject* circuit_type = nullptr;
  PyTypeObject* fit_result_type = nullptr;
};

extern PyModuleDef corvex_module_def;

inline ModuleState* module_state(PyObject* module) {
  return static_cast<ModuleState*>(PyModule_GetState(module));
}

// State of the module that defined `type` or one of its bases; nullptr with a Python
// error set for a type from elsewhere.
inline ModuleState* module_state_of_type(PyTypeObject* type) {
  PyObject* module = PyType_GetModuleByDef(type, &corvex_module_def);
  return module == nullptr ? nullptr : module_state(module);
}

}  // namespace corvex::python
