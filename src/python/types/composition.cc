// The module functions Series() and Parallel(): the `parts` argument read as a sequence of
// Element or Circuit objects, then joined by the core.
#include <string>
#include <vector>

#include "python/convert/arg_binder.h"
#include "python/types/circuit_object.h"
#include "python/types/composition.h"
#include "python/convert/conversions.h"
#include "python/types/element_object.h"
#include "python/module/error_mapping.h"
#include "python/module/owned_ref.h"
#include "python/module/python_text.h"

namespace corvex::python {

namespace {

constexpr const char* kPartsNames[] = {"parts"};
constexpr Signature kSeriesSignature{"Series()", kPartsNames, 1};
constexpr Signature kParallelSignature{"Parallel()", kPartsNames, 1};

// The item is neither alternative of the Part union; each alternative reports its own
// conversion failure on a line of its own.
void raise_not_a_part(PyObject* item) {
  const std::string type = type_name_of(item);
  PyErr_Format(PyExc_TypeError,
               "argument 'parts': failed to extract enum Part ('Element | Circuit')\n"
               "- variant Element (Element): '%s' object cannot be converted to 'Element'\n"
               "- variant Circuit (Circuit): '%s' object cannot be converted to 'Circuit'",
               type.c_str(), type.c_str());
}

// The parts as the core takes them. Circuits are referenced, not copied: `sequence` keeps
// them alive and nothing runs Python code before the core has copied them.
bool parts_from(const ModuleState* state, PyObject* object, OwnedRef* sequence, std::vector<CircuitPart>* parts) {
  if (PyUnicode_Check(object) || !PySequence_Check(object)) {
    raise_cannot_convert(object, "Sequence");
    prefix_argument_error("parts");
    return false;
  }
  *sequence = OwnedRef(PySequence_Fast(object, ""));
  if (!*sequence) {
    if (PyErr_ExceptionMatches(PyExc_TypeError)) {
      PyErr_Clear();
      raise_cannot_convert(object, "Sequence");
    }
    prefix_argument_error("parts");
    return false;
  }
  const Py_ssize_t count = PySequence_Fast_GET_SIZE(sequence->get());
  parts->reserve(static_cast<std::size_t>(count));
  for (Py_ssize_t i = 0; i < count; ++i) {
    PyObject* item = PySequence_Fast_GET_ITEM(sequence->get(), i);
    if (is_element_object(state, item)) {
      parts->emplace_back(element_of(item));
    } else if (is_circuit_object(state, item)) {
      if (!ensure_walkable(circuit_of(item))) return false;
      parts->emplace_back(&circuit_of(item));
    } else {
      raise_not_a_part(item);
      return false;
    }
  }
  return true;
}

template <class Join>
PyObject* join_parts(const Signature& signature, Join join, PyObject* module, PyObject* const* args,
                     Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    PyObject* bound[1];
    if (!bind_arguments(signature, args, nargs, kwnames, bound)) return nullptr;
    const ModuleState* state = module_state(module);
    OwnedRef sequence;
    std::vector<CircuitPart> parts;
    if (!parts_from(state, bound[0], &sequence, &parts)) return nullptr;
    Result<Circuit> circuit = join(parts);
    if (!circuit) return raise_error(circuit.error());
    return new_circuit_object(state->circuit_type, std::move(circuit).value());
  });
}

}  // namespace

PyObject* series_function(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return join_parts(kSeriesSignature, series_of, module, args, nargs, kwnames);
}

PyObject* parallel_function(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return join_parts(kParallelSignature, parallel_of, module, args, nargs, kwnames);
}

}  // namespace corvex::python
