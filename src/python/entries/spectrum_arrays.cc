// Private entry points that hand measured spectra to the Python submodules as NumPy arrays,
// so pictures and tables read data exactly as fit() does instead of re-implementing it.
#include "python/entries/spectrum_arrays.h"

#include <cstring>

#include "python/convert/arg_binder.h"
#include "python/module/error_mapping.h"
#include "python/types/fit_result_object.h"
#include "python/module/numpy_api.h"
#include "python/module/owned_ref.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

constexpr const char* kSpectrumNames[] = {"frequencies", "impedances"};
constexpr Signature kSpectrumSignature{"_spectrum()", kSpectrumNames, 1};

template <class T>
PyObject* new_array(const std::vector<T>& values, int type_number) {
  npy_intp length = static_cast<npy_intp>(values.size());
  PyObject* array = PyArray_SimpleNew(1, &length, type_number);
  if (array != nullptr && !values.empty()) {
    std::memcpy(PyArray_DATA(reinterpret_cast<PyArrayObject*>(array)), values.data(), values.size() * sizeof(T));
  }
  return array;
}

// (frequencies as float64, impedances as complex128), one new pair of arrays.
PyObject* spectrum_tuple(const Spectrum& spectrum) {
  OwnedRef frequencies(new_array(spectrum.frequencies, NPY_DOUBLE));
  OwnedRef impedances(new_array(spectrum.impedances, NPY_CDOUBLE));
  if (!frequencies || !impedances) return nullptr;
  return PyTuple_Pack(2, frequencies.get(), impedances.get());
}

PyObject* spectrum_function(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    PyObject* bound[2] = {};
    if (!bind_arguments(kSpectrumSignature, args, nargs, kwnames, bound)) return nullptr;
    std::optional<Spectrum> spectrum = spectrum_from(bound[0], bound[1] == nullptr ? Py_None : bound[1]);
    if (!spectrum) return nullptr;
    return spectrum_tuple(*spectrum);
  });
}

// None for a result that carries no spectrum (one rebuilt from its attributes).
PyObject* fit_spectrum_function(PyObject* module, PyObject* result) {
  return guarded([&]() -> PyObject* {
    const ModuleState* state = module_state(module);
    if (!PyObject_TypeCheck(result, state->fit_result_type)) {
      return raise_error(Error{ErrorKind::Type, "expected a FitResult"});
    }
    const Spectrum& measured = reinterpret_cast<FitResultObject*>(result)->outcome.measured;
    if (measured.frequencies.empty()) Py_RETURN_NONE;
    return spectrum_tuple(measured);
  });
}

template <class Function>
PyCFunction as_cfunction(Function function) {
  return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

PyMethodDef spectrum_array_functions[] = {
    {"_spectrum", as_cfunction(spectrum_function), METH_FASTCALL | METH_KEYWORDS,
     "_spectrum(frequencies, impedances=None)\n--\n\n"
     "(frequencies, impedances) as float64 and complex128 arrays, read from any input\n"
     "fit() accepts by fit()'s own rules."},
    {"_fit_spectrum", fit_spectrum_function, METH_O,
     "_fit_spectrum(result)\n--\n\nThe spectrum a FitResult was fitted to, as (frequencies, impedances)\n"
     "arrays, or None when the result does not carry one."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
