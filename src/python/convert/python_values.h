// New Python lists built from native vectors, all-or-nothing: a failure part way through
// drops what was built and returns nullptr with the Python error set.
#pragma once

#include <Python.h>

#include <span>
#include <string>
#include <string_view>

#include "python/module/owned_ref.h"

namespace corvex::python {

// A list with make_item(item) for each item; make_item returns a new reference or nullptr.
template <class Item, class MakeItem>
PyObject* new_list(std::span<const Item> items, MakeItem make_item) {
  OwnedRef list(PyList_New(static_cast<Py_ssize_t>(items.size())));
  if (!list) return nullptr;
  for (std::size_t i = 0; i < items.size(); ++i) {
    PyObject* item = make_item(items[i]);
    if (item == nullptr) return nullptr;
    PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), item);
  }
  return list.release();
}

PyObject* new_float_list(std::span<const double> values);
PyObject* new_text_list(std::span<const std::string> texts);
PyObject* new_text_list(std::span<const std::string_view> texts);

}  // namespace corvex::python
