// The instance layout shared by Element and its fourteen variant classes: one catalogue
// element, kind and values, fixed at construction.
#pragma once

#include <Python.h>

#include "elements/element.h"
#include "python/module/module_state.h"

namespace corvex::python {

struct ElementObject {
  PyObject_HEAD
  Element element;
};

inline const Element& element_of(PyObject* self) { return reinterpret_cast<ElementObject*>(self)->element; }

inline bool is_element_object(const ModuleState* state, PyObject* object) {
  return PyObject_TypeCheck(object, state->element_type);
}

// Creates Element, its variants, the class attributes Element.R ... Element.T, and fills
// the state's type slots. The module attributes are added by the module itself.
bool create_element_types(PyObject* module, ModuleState* state);

}  // namespace corvex::python
