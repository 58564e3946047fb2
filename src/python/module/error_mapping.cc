// The one place where failures of the native core become Python exceptions: the error's
// kind chooses the exception type and its message is used unchanged.
#include "python/module/error_mapping.h"

#include "python/module/owned_ref.h"
#include "python/module/python_text.h"

namespace corvex::python {

namespace {

PyObject* exception_type_for(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Value:
      return PyExc_ValueError;
    case ErrorKind::Type:
      return PyExc_TypeError;
    case ErrorKind::Overflow:
      return PyExc_OverflowError;
    case ErrorKind::Memory:
      return PyExc_MemoryError;
    case ErrorKind::Internal:
    case ErrorKind::Interrupted:
      break;
  }
  return PyExc_RuntimeError;
}

}  // namespace

bool pending_error_must_propagate() {
  PyObject* pending = PyErr_Occurred();
  if (pending == nullptr) return false;
  return !PyErr_GivenExceptionMatches(pending, PyExc_Exception) ||
         PyErr_GivenExceptionMatches(pending, PyExc_MemoryError);
}

PyObject* raise_error(const Error& error) {
  // The poll that stopped the work left the signal handler's exception set; keep it.
  if (error.kind == ErrorKind::Interrupted) {
    if (!PyErr_Occurred()) PyErr_SetNone(PyExc_KeyboardInterrupt);
    return nullptr;
  }
  OwnedRef message = text_object(error.message);
  if (message) PyErr_SetObject(exception_type_for(error.kind), message.get());
  return nullptr;
}

}  // namespace corvex::python
