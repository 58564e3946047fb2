// The Circuit instance layout: an immutable circuit tree with its explicit-values flag, and
// the tree compiled for evaluation once, when the instance is made.
#pragma once

#include <Python.h>

#include <vector>

#include "circuit/circuit.h"
#include "circuit/eval_plan.h"
#include "python/module/module_state.h"

namespace corvex::python {

// What impedance() needs besides the tree, kept with it since the tree never changes.
struct CompiledCircuit {
  EvalPlan plan;
  std::vector<double> values;  // the stored values in parameter order
};

struct CircuitObject {
  PyObject_HEAD
  Circuit circuit;
  CompiledCircuit compiled;
};

inline const Circuit& circuit_of(PyObject* self) { return reinterpret_cast<CircuitObject*>(self)->circuit; }
inline const CompiledCircuit& compiled_of(PyObject* self) { return reinterpret_cast<CircuitObject*>(self)->compiled; }

inline bool is_circuit_object(const ModuleState* state, PyObject* object) {
  return PyObject_TypeCheck(object, state->circuit_type);
}

// False with the nesting-depth ValueError set when `circuit` nests deeper than the calling
// thread's free stack allows for the recursive walks over it (copies, names, text, fits).
// A circuit built on a large stack may be used on a smaller one, so every entry point that
// walks a tree asks here first.
bool ensure_walkable(const Circuit& circuit);

// A new Circuit instance of `type` owning `circuit`; nullptr with a Python error set.
PyObject* new_circuit_object(PyTypeObject* type, Circuit circuit);

bool create_circuit_type(PyObject* module, ModuleState* state);

}  // namespace corvex::python
