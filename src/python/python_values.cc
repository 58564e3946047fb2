// New Python lists built from native vectors, all-or-nothing: a failure part way through
// drops what was built and returns nullptr with the Python error set.
#include "python/python_values.h"

#include "python/owned_ref.h"
#include "python/python_text.h"

namespace corvex::python {

namespace {

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

}  // namespace

PyObject* new_float_list(std::span<const double> values) { return new_list(values, PyFloat_FromDouble); }

PyObject* new_text_list(std::span<const std::string> texts) {
  return new_list(texts, [](const std::string& text) { return text_object(text).release(); });
}

PyObject* new_text_list(std::span<const std::string_view> texts) {
  return new_list(texts, [](std::string_view text) { return text_object(text).release(); });
}

}  // namespace corvex::python
