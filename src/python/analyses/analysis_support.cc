// Batch conversion, per-item errors and NumPy result arrays for the analysis entries.
#include "python/analyses/analysis_support.h"

#include <algorithm>

#include "python/convert/conversions.h"
#include "python/module/numpy_api.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

// The message of the pending exception, which is cleared.
std::string take_exception_message() {
  PyObject* exception = PyErr_GetRaisedException();
  std::string message = "spectrum could not be converted";
  if (exception != nullptr) {
    OwnedRef text(PyObject_Str(exception));
    if (text) {
      const char* utf8 = PyUnicode_AsUTF8(text.get());
      if (utf8 != nullptr) message = utf8;
    }
    PyErr_Clear();
    Py_DECREF(exception);
  }
  return message;
}

}  // namespace

bool spectrum_batch_from(PyObject* pairs, SpectrumBatch* batch) {
  if (!PyList_Check(pairs)) {
    PyErr_SetString(PyExc_TypeError, "spectra must be a list of (frequencies, impedances) pairs");
    return false;
  }
  // A snapshot, and a strong reference to each pair: conversions run Python code (__float__,
  // a frame's __getitem__) that could otherwise change the list under the loop.
  OwnedRef snapshot(PyList_AsTuple(pairs));
  if (!snapshot) return false;
  const Py_ssize_t count = PyTuple_GET_SIZE(snapshot.get());
  batch->spectra.resize(static_cast<std::size_t>(count));
  batch->conversion_errors.resize(static_cast<std::size_t>(count));
  for (Py_ssize_t i = 0; i < count; ++i) {
    OwnedRef pair = OwnedRef::from_borrowed(PyTuple_GET_ITEM(snapshot.get(), i));
    if (!PyTuple_Check(pair.get()) || PyTuple_GET_SIZE(pair.get()) != 2) {
      PyErr_SetString(PyExc_TypeError, "spectra must be a list of (frequencies, impedances) pairs");
      return false;
    }
    std::optional<Spectrum> spectrum = spectrum_from(PyTuple_GET_ITEM(pair.get(), 0), PyTuple_GET_ITEM(pair.get(), 1));
    if (spectrum) {
      batch->spectra[static_cast<std::size_t>(i)] = std::move(*spectrum);
    } else if (PyErr_ExceptionMatches(PyExc_TypeError) || PyErr_ExceptionMatches(PyExc_ValueError) ||
               PyErr_ExceptionMatches(PyExc_OverflowError)) {
      batch->conversion_errors[static_cast<std::size_t>(i)] = take_exception_message();
    } else {
      return false;  // KeyboardInterrupt, MemoryError and the like stop the whole call
    }
  }
  return true;
}

bool convert_workers(PyObject* object, std::size_t* workers) {
  std::uint64_t value = 0;
  if (!convert_u64(object, "n_jobs", &value)) return false;
  *workers = static_cast<std::size_t>(std::max<std::uint64_t>(value, 1));
  return true;
}

PyObject* error_item(const SpectrumBatch& batch, std::size_t i, const Error* error) {
  const std::string& message = batch.conversion_errors[i] ? *batch.conversion_errors[i] : error->message;
  return PyUnicode_FromStringAndSize(message.data(), static_cast<Py_ssize_t>(message.size()));
}

PyObject* float_array(const std::vector<double>& values) {
  npy_intp length = static_cast<npy_intp>(values.size());
  PyObject* array = PyArray_SimpleNew(1, &length, NPY_DOUBLE);
  if (array != nullptr) {
    std::copy(values.begin(), values.end(), static_cast<double*>(PyArray_DATA(reinterpret_cast<PyArrayObject*>(array))));
  }
  return array;
}

PyObject* complex_array(const std::vector<Complex>& values) {
  npy_intp length = static_cast<npy_intp>(values.size());
  PyObject* array = PyArray_SimpleNew(1, &length, NPY_CDOUBLE);
  if (array != nullptr) {
    std::copy(values.begin(), values.end(), static_cast<Complex*>(PyArray_DATA(reinterpret_cast<PyArrayObject*>(array))));
  }
  return array;
}

bool put(PyObject* dict, const char* key, PyObject* value) {
  OwnedRef owned(value);
  return owned && PyDict_SetItemString(dict, key, owned.get()) == 0;
}

PyObject* name_list(const std::vector<std::string>& names, const std::vector<bool>& flags) {
  OwnedRef list(PyList_New(0));
  if (!list) return nullptr;
  for (std::size_t i = 0; i < names.size() && i < flags.size(); ++i) {
    if (!flags[i]) continue;
    OwnedRef text(PyUnicode_FromStringAndSize(names[i].data(), static_cast<Py_ssize_t>(names[i].size())));
    if (!text || PyList_Append(list.get(), text.get()) != 0) return nullptr;
  }
  return list.release();
}

}  // namespace corvex::python
