// Element and its fourteen variant classes Element_R ... Element_T: float-protocol
// constructors, read-only attributes, __match_args__ and the debug text form.
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "python/convert/arg_binder.h"
#include "python/convert/conversions.h"
#include "python/types/element_object.h"
#include "python/module/owned_ref.h"
#include "python/types/pickling.h"
#include "python/module/python_text.h"
#include "python/module/type_creation.h"
#include "util/number_text.h"

namespace corvex::python {

namespace {

constexpr char kElementDoc[] =
    "A single circuit element.\n\nThese are Python subclasses taking its fields as arguments.\n"
    "They are combined with `Series()` and `Parallel()`.";

// Everything a variant type needs to exist, built from the catalogue once per process and
// never freed, since type objects keep pointers into it.
struct VariantDefinition {
  ElementKind kind{};
  std::string qualified_name;  // "corvex.Element_Cpe"
  std::string doc;             // "Element_Cpe(q, alpha)\n--\n\n": the text signature
  std::string callable;        // "Element_Cpe.__new__()"
  std::array<std::string, kMaxElementParams> field_names;
  std::array<const char*, kMaxElementParams> field_name_pointers{};
  std::array<PyGetSetDef, kMaxElementParams + 1> getset{};
  std::array<PyType_Slot, 5> slots{};
  PyType_Spec spec{};
  Signature signature{};
};

PyObject* get_field(PyObject* self, void* closure) {
  const auto index = reinterpret_cast<std::uintptr_t>(closure);
  return PyFloat_FromDouble(element_of(self).values[index]);
}

PyObject* new_variant(PyTypeObject* type, const VariantDefinition& definition, PyObject* args, PyObject* kwargs);

template <std::size_t Index>
PyObject* variant_new(PyTypeObject* type, PyObject* args, PyObject* kwargs);

template <std::size_t... Index>
constexpr std::array<newfunc, sizeof...(Index)> variant_constructors(std::index_sequence<Index...>) {
  return {&variant_new<Index>...};
}

std::array<VariantDefinition, kElementKindCount> build_variant_definitions() {
  constexpr auto constructors = variant_constructors(std::make_index_sequence<kElementKindCount>());
  std::array<VariantDefinition, kElementKindCount> definitions;
  for (std::size_t k = 0; k < kElementKindCount; ++k) {
    VariantDefinition& definition = definitions[k];
    definition.kind = all_element_kinds()[k];
    const ElementKindInfo& info = kind_info(definition.kind);
    const std::string class_name = "Element_" + std::string(info.code);
    definition.qualified_name = "corvex." + class_name;
    definition.callable = class_name + ".__new__()";
    std::string parameters;
    for (std::size_t i = 0; i < info.param_count; ++i) {
      definition.field_names[i] = std::string(info.param_names[i]);
      definition.field_name_pointers[i] = definition.field_names[i].c_str();
      definition.getset[i] = {definition.field_name_pointers[i], get_field, nullptr, nullptr,
                              reinterpret_cast<void*>(static_cast<std::uintptr_t>(i))};
      if (i > 0) parameters += ", ";
      parameters += definition.field_names[i];
    }
    definition.doc = class_name + "(" + parameters + ")\n--\n\n";
    definition.slots = {{{Py_tp_new, reinterpret_cast<void*>(constructors[k])},
                         {Py_tp_doc, const_cast<char*>(definition.doc.c_str())},
                         {Py_tp_getset, definition.getset.data()},
                         {0, nullptr}}};
    definition.spec = {definition.qualified_name.c_str(), static_cast<int>(sizeof(ElementObject)), 0,
                       Py_TPFLAGS_DEFAULT | Py_TPFLAGS_IMMUTABLETYPE, definition.slots.data()};
    definition.signature = {definition.callable.c_str(),
                            std::span<const char* const>(definition.field_name_pointers.data(), info.param_count),
                            info.param_count};
  }
  return definitions;
}

std::array<VariantDefinition, kElementKindCount>& variant_definitions() {
  static auto* definitions = new std::array<VariantDefinition, kElementKindCount>(build_variant_definitions());
  return *definitions;
}

template <std::size_t Index>
PyObject* variant_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  return new_variant(type, variant_definitions()[Index], args, kwargs);
}

PyObject* new_variant(PyTypeObject* type, const VariantDefinition& definition, PyObject* args, PyObject* kwargs) {
  std::array<PyObject*, kMaxElementParams> bound{};
  if (!bind_arguments(definition.signature, args, kwargs, bound.data())) return nullptr;
  Element element{definition.kind, {}};
  for (std::size_t i = 0; i < definition.signature.names.size(); ++i) {
    if (!convert_double(bound[i], definition.field_name_pointers[i], &element.values[i])) return nullptr;
  }
  PyObject* self = type->tp_alloc(type, 0);
  if (self == nullptr) return nullptr;
  reinterpret_cast<ElementObject*>(self)->element = element;
  return self;
}

// «Element.Cpe(q=0.001, alpha=0.8)»
PyObject* element_repr(PyObject* self) {
  const Element& element = element_of(self);
  const ElementKindInfo& info = kind_info(element.kind);
  std::string text = "Element." + std::string(info.code) + "(";
  for (std::size_t i = 0; i < info.param_count; ++i) {
    if (i > 0) text += ", ";
    text += info.param_names[i];
    text += '=';
    text += debug_number_text(element.values[i]);
  }
  text += ')';
  return text_object(text).release();
}

PyMethodDef element_methods[] = {
    {"__reduce__", element_reduce, METH_NOARGS, kReduceDoc},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot element_slots[] = {
    {Py_tp_doc, const_cast<char*>(kElementDoc)},
    {Py_tp_methods, element_methods},
    {Py_tp_repr, reinterpret_cast<void*>(element_repr)},
    {0, nullptr},
};

PyType_Spec element_spec = {
    "corvex.Element",
    static_cast<int>(sizeof(ElementObject)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE | Py_TPFLAGS_IMMUTABLETYPE | Py_TPFLAGS_DISALLOW_INSTANTIATION,
    element_slots,
};

OwnedRef match_args(const VariantDefinition& definition) {
  const auto count = static_cast<Py_ssize_t>(definition.signature.names.size());
  OwnedRef names(PyTuple_New(count));
  if (!names) return names;
  for (Py_ssize_t i = 0; i < count; ++i) {
    PyObject* name = PyUnicode_FromString(definition.field_name_pointers[i]);
    if (name == nullptr) return OwnedRef();
    PyTuple_SET_ITEM(names.get(), i, name);
  }
  return names;
}

}  // namespace

bool create_element_types(PyObject* module, ModuleState* state) {
  state->element_type = create_heap_type(module, &element_spec);
  if (state->element_type == nullptr) return false;
  for (std::size_t k = 0; k < kElementKindCount; ++k) {
    VariantDefinition& definition = variant_definitions()[k];
    PyTypeObject* variant = create_heap_type(module, &definition.spec, state->element_type);
    if (variant == nullptr) return false;
    state->variant_types[k] = variant;
    OwnedRef names = match_args(definition);
    if (!names || !add_type_attribute(variant, "__match_args__", names.get())) return false;
    const std::string code(kind_info(definition.kind).code);
    if (!add_type_attribute(state->element_type, code.c_str(), reinterpret_cast<PyObject*>(variant))) return false;
  }
  return true;
}

}  // namespace corvex::python
