// The corvex extension module: multi-phase initialisation, the module state holding the
// type objects, and the nineteen exported names in their fixed order.
#define CORVEX_IMPORTS_NUMPY_API
#include "python/module/numpy_api.h"

#include <array>
#include <string>

#include "python/entries/batch_functions.h"
#include "python/entries/series_functions.h"
#include "python/analyses/analysis_entries.h"
#include "python/types/circuit_methods.h"
#include "python/types/circuit_object.h"
#include "python/types/circuit_records.h"
#include "python/types/composition.h"
#include "python/entries/controlled_fit_entry.h"
#include "python/types/element_object.h"
#include "python/types/fit_result_object.h"
#include "python/module/module_state.h"
#include "python/module/owned_ref.h"
#include "python/module/thread_stops.h"
#include "python/types/pickling.h"
#include "python/entries/spectrum_arrays.h"

namespace corvex::python {

namespace {

template <class Function>
PyCFunction as_cfunction(Function function) {
  return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

PyMethodDef module_functions[] = {
    {"Series", as_cfunction(series_function), METH_FASTCALL | METH_KEYWORDS, kSeriesDoc},
    {"Parallel", as_cfunction(parallel_function), METH_FASTCALL | METH_KEYWORDS, kParallelDoc},
    {nullptr, nullptr, 0, nullptr},
};

// Adds `value` as a module attribute and appends its name to __all__.
bool export_name(PyObject* module, PyObject* all, const char* name, PyObject* value) {
  OwnedRef text(PyUnicode_FromString(name));
  return text && PyModule_AddObjectRef(module, name, value) == 0 && PyList_Append(all, text.get()) == 0;
}

int corvex_exec(PyObject* module) {
  // The slot below keeps isolated interpreters out; legacy ones that share the main GIL skip
  // that check and would get NumPy arrays of the wrong interpreter, so they are refused here.
  if (PyInterpreterState_Get() != PyInterpreterState_Main()) {
    PyErr_SetString(PyExc_ImportError, "corvex can only be imported in the main interpreter");
    return -1;
  }
  if (PyArray_ImportNumPyAPI() < 0) return -1;
  ModuleState* state = module_state(module);
  if (!create_element_types(module, state) || !create_circuit_type(module, state) ||
      !create_fit_result_type(module, state)) {
    return -1;
  }
  if (PyModule_AddFunctions(module, pickling_functions) < 0) return -1;
  if (PyModule_AddFunctions(module, spectrum_array_functions) < 0) return -1;
  if (PyModule_AddFunctions(module, circuit_record_functions) < 0) return -1;
  if (PyModule_AddFunctions(module, controlled_fit_functions) < 0) return -1;
  if (PyModule_AddFunctions(module, guess_functions) < 0) return -1;
  OwnedRef series(PyObject_GetAttrString(module, "Series"));
  OwnedRef parallel(PyObject_GetAttrString(module, "Parallel"));
  OwnedRef all(PyList_New(0));
  if (!series || !parallel || !all) return -1;

  // Series and Parallel are already attributes (from the function table); exporting them
  // again here puts every name into __all__ in the one published order.
  const bool exported =
      export_name(module, all.get(), "Element", reinterpret_cast<PyObject*>(state->element_type)) &&
      export_name(module, all.get(), "Circuit", reinterpret_cast<PyObject*>(state->circuit_type)) &&
      export_name(module, all.get(), "FitResult", reinterpret_cast<PyObject*>(state->fit_result_type)) &&
      export_name(module, all.get(), "Series", series.get()) &&
      export_name(module, all.get(), "Parallel", parallel.get());
  if (!exported) return -1;
  for (std::size_t k = 0; k < kElementKindCount; ++k) {
    const std::string code(kind_info(all_element_kinds()[k]).code);
    if (!export_name(module, all.get(), code.c_str(), reinterpret_cast<PyObject*>(state->variant_types[k]))) {
      return -1;
    }
  }
  if (PyModule_AddObjectRef(module, "__all__", all.get()) != 0) return -1;
  // The package's version as its metadata gives it (pyproject.toml through the build), outside __all__.
  if (PyModule_AddStringConstant(module, "__version__", CORVEX_VERSION) != 0) return -1;
  // Private entry points of the Python submodules, one table per capability.
  if (PyModule_AddFunctions(module, batch_functions) != 0) return -1;
  if (PyModule_AddFunctions(module, series_functions) != 0) return -1;
  if (PyModule_AddFunctions(module, analysis_functions) != 0) return -1;
  if (PyModule_AddFunctions(module, thread_stop_functions) != 0) return -1;
  return 0;
}

template <class Visit>
void for_each_type(ModuleState* state, Visit visit) {
  visit(reinterpret_cast<PyObject**>(&state->element_type));
  for (PyTypeObject*& variant : state->variant_types) visit(reinterpret_cast<PyObject**>(&variant));
  visit(reinterpret_cast<PyObject**>(&state->circuit_type));
  visit(reinterpret_cast<PyObject**>(&state->fit_result_type));
}

int corvex_traverse(PyObject* module, visitproc visit, void* arg) {
  ModuleState* state = module_state(module);
  if (state == nullptr) return 0;
  int result = 0;
  for_each_type(state, [&](PyObject** slot) {
    if (result == 0 && *slot != nullptr) result = visit(*slot, arg);
  });
  return result;
}

int corvex_clear(PyObject* module) {
  ModuleState* state = module_state(module);
  if (state != nullptr) for_each_type(state, [](PyObject** slot) { Py_CLEAR(*slot); });
  return 0;
}

void corvex_free(void* module) { corvex_clear(static_cast<PyObject*>(module)); }

PyModuleDef_Slot module_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(corvex_exec)},
    // The worker pool, NumPy and the type objects are per process: one interpreter only.
    {Py_mod_multiple_interpreters, Py_MOD_MULTIPLE_INTERPRETERS_NOT_SUPPORTED},
    {0, nullptr},
};

}  // namespace

PyModuleDef corvex_module_def = {
    PyModuleDef_HEAD_INIT,
    "corvex",
    "Equivalent-circuit modelling and fitting for electrochemical impedance spectroscopy.",
    static_cast<Py_ssize_t>(sizeof(ModuleState)),
    module_functions,
    module_slots,
    corvex_traverse,
    corvex_clear,
    corvex_free,
};

}  // namespace corvex::python

PyMODINIT_FUNC PyInit_corvex(void) { return PyModuleDef_Init(&corvex::python::corvex_module_def); }
