// The Circuit instance layout, an immutable circuit tree with its explicit-values flag, and
// the creation of the Circuit type whose methods live in the files named below.
#pragma once

#include <Python.h>

#include "circuit/circuit.h"
#include "python/module_state.h"

namespace corvex::python {

struct CircuitObject {
  PyObject_HEAD
  Circuit circuit;
};

inline const Circuit& circuit_of(PyObject* self) { return reinterpret_cast<CircuitObject*>(self)->circuit; }

inline bool is_circuit_object(const ModuleState* state, PyObject* object) {
  return PyObject_TypeCheck(object, state->circuit_type);
}

// A new Circuit instance of `type` owning `circuit`; nullptr with a Python error set.
PyObject* new_circuit_object(PyTypeObject* type, Circuit circuit);

bool create_circuit_type(PyObject* module, ModuleState* state);

}  // namespace corvex::python
