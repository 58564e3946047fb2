// Scoped release of the interpreter lock around pure C++ work: the lock is taken back when
// the scope ends, on every path, before any Python object is touched again.
#pragma once

#include <Python.h>

namespace corvex::python {

class ScopedGilRelease {
 public:
  ScopedGilRelease() : state_(PyEval_SaveThread()) {}
  ~ScopedGilRelease() { PyEval_RestoreThread(state_); }
  ScopedGilRelease(const ScopedGilRelease&) = delete;
  ScopedGilRelease& operator=(const ScopedGilRelease&) = delete;

 private:
  PyThreadState* state_;
};

}  // namespace corvex::python
