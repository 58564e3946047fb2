// The one place where failures of the native core become Python exceptions: the error's
// kind chooses the exception type and its message is used unchanged.
#pragma once

#include <Python.h>

#include <exception>
#include <new>

#include "util/result.h"

namespace corvex::python {

// Sets the Python exception for `error` and returns nullptr, so callers can write
// `return raise_error(result.error());`.
PyObject* raise_error(const Error& error);

// Whether the pending exception must reach the caller as itself, whatever the code was about
// to report instead: KeyboardInterrupt, SystemExit and any other that is not an Exception,
// and MemoryError. Conversions that try one reading after another check this before clearing.
bool pending_error_must_propagate();

// Runs a binding body and turns a C++ exception escaping it (an allocation that failed, in
// practice) into a Python exception instead of letting it cross the C boundary.
template <class Body>
auto guarded(Body&& body) noexcept -> decltype(body()) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    raise_error(memory_error("out of memory"));
  } catch (const std::exception& exception) {
    raise_error(internal_error(exception.what()));
  } catch (...) {
    raise_error(internal_error("unexpected native exception"));
  }
  return {};
}

}  // namespace corvex::python
