// Binding of positional and keyword arguments against a fixed parameter list, with the
// TypeError messages CPython itself gives for functions written in Python.
#pragma once

#include <Python.h>

#include <cstddef>
#include <span>

namespace corvex::python {

// The parameters of one callable. Every parameter may be passed by position or by keyword;
// the first `required` ones have no default.
struct Signature {
  const char* callable;  // as messages name it: "Circuit.fit()", "Series()", "Element_R.__new__()"
  std::span<const char* const> names;
  std::size_t required;
};

// Binds a METH_FASTCALL | METH_KEYWORDS call. On success slots[i] holds a borrowed
// reference to the argument of parameter i, or nullptr when it was omitted (its default
// applies); `slots` has names.size() entries. On failure a TypeError is set.
bool bind_arguments(const Signature& signature, PyObject* const* args, Py_ssize_t nargs,
                    PyObject* kwnames, PyObject** slots);

// The same for a call that arrives as a tuple and an optional dict (tp_new).
bool bind_arguments(const Signature& signature, PyObject* args, PyObject* kwargs, PyObject** slots);

}  // namespace corvex::python
