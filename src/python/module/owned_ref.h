// Move-only holder of one strong Python reference, so every new reference the binding code
// receives is released exactly once on every path, error paths included.
#pragma once

#include <Python.h>

#include <utility>

namespace corvex::python {

class OwnedRef {
 public:
  OwnedRef() = default;
  // Takes over a new reference (or nullptr after a failed call; then a Python error is set).
  explicit OwnedRef(PyObject* object) : object_(object) {}
  // Adds a reference to a borrowed object.
  static OwnedRef from_borrowed(PyObject* object) {
    Py_XINCREF(object);
    return OwnedRef(object);
  }

  OwnedRef(const OwnedRef&) = delete;
  OwnedRef& operator=(const OwnedRef&) = delete;
  OwnedRef(OwnedRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  OwnedRef& operator=(OwnedRef&& other) noexcept {
    if (this != &other) reset(std::exchange(other.object_, nullptr));
    return *this;
  }
  ~OwnedRef() { Py_XDECREF(object_); }

  PyObject* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Hands the reference to the caller, typically as a function's return value.
  [[nodiscard]] PyObject* release() { return std::exchange(object_, nullptr); }

  void reset(PyObject* object = nullptr) {
    PyObject* old = std::exchange(object_, object);
    Py_XDECREF(old);
  }

 private:
  PyObject* object_ = nullptr;
};

}  // namespace corvex::python
