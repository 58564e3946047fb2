// Pickling of Element variants, Circuit and FitResult. A circuit travels as a flat tuple of
// tokens (no nesting, so deep trees pickle without recursion) and floats travel as floats,
// so every value, label and flag comes back bit for bit in another process.
#include "python/types/pickling.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "python/types/circuit_object.h"
#include "python/types/element_object.h"
#include "python/module/error_mapping.h"
#include "python/types/fit_result_object.h"
#include "python/module/owned_ref.h"
#include "python/module/python_text.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

// Tokens of a circuit's state: an element is a tuple (code, label or None, values); a
// parallel node is "(", then "|" before each branch's nodes, then ")". A node list ends at
// "|", ")" or the end of the tokens.
constexpr char kOpenGroup[] = "(";
constexpr char kBranch[] = "|";
constexpr char kCloseGroup[] = ")";

PyObject* raise_corrupt(const std::string& what) {
  return raise_error(value_error("cannot rebuild a saved corvex object: " + what));
}

PyObject* private_function(PyObject* self, const char* name) {
  PyObject* module = PyType_GetModuleByDef(Py_TYPE(self), &corvex_module_def);
  return module == nullptr ? nullptr : PyObject_GetAttrString(module, name);
}

PyObject* values_tuple(const double* values, std::size_t count) {
  OwnedRef tuple(PyTuple_New(static_cast<Py_ssize_t>(count)));
  if (!tuple) return nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    PyObject* value = PyFloat_FromDouble(values[i]);
    if (value == nullptr) return nullptr;
    PyTuple_SET_ITEM(tuple.get(), static_cast<Py_ssize_t>(i), value);
  }
  return tuple.release();
}

PyObject* element_token(const ElementNode& node) {
  OwnedRef code = text_object(kind_info(node.element.kind).code);
  OwnedRef label = node.label ? text_object(*node.label) : OwnedRef::from_borrowed(Py_None);
  OwnedRef values(values_tuple(node.element.values.data(), node.element.param_count()));
  if (!code || !label || !values) return nullptr;
  return PyTuple_Pack(3, code.get(), label.get(), values.get());
}

bool append_text(PyObject* list, const char* text) {
  OwnedRef token(PyUnicode_FromString(text));
  return token && PyList_Append(list, token.get()) == 0;
}

bool append_tokens(const SeriesList& nodes, PyObject* list) {
  for (const Node& node : nodes) {
    if (node.is_element()) {
      OwnedRef token(element_token(node.element_node()));
      if (!token || PyList_Append(list, token.get()) < 0) return false;
      continue;
    }
    if (!append_text(list, kOpenGroup)) return false;
    for (const SeriesList& branch : node.parallel_node().branches) {
      if (!append_text(list, kBranch) || !append_tokens(branch, list)) return false;
    }
    if (!append_text(list, kCloseGroup)) return false;
  }
  return true;
}

PyObject* circuit_tokens(const Circuit& circuit) {
  OwnedRef list(PyList_New(0));
  if (!list || !append_tokens(circuit.nodes, list.get())) return nullptr;
  return PyList_AsTuple(list.get());
}

std::optional<ElementKind> kind_from_code(PyObject* code) {
  if (!PyUnicode_Check(code)) return std::nullopt;
  for (ElementKind kind : all_element_kinds()) {
    const std::string name(kind_info(kind).code);
    if (PyUnicode_CompareWithASCIIString(code, name.c_str()) == 0) return kind;
  }
  return std::nullopt;
}

// An element of `kind` with exactly its parameter count of values from a sequence of floats.
std::optional<Element> element_from_values(ElementKind kind, PyObject* values) {
  std::optional<std::vector<double>> numbers = float_list(values);
  if (!numbers) return std::nullopt;
  if (numbers->size() != param_count(kind)) {
    raise_corrupt("element " + std::string(kind_info(kind).code) + " needs " + std::to_string(param_count(kind)) +
                  " values, got " + std::to_string(numbers->size()));
    return std::nullopt;
  }
  Element element{kind, {}};
  std::copy(numbers->begin(), numbers->end(), element.values.begin());
  return element;
}

bool is_token(PyObject* item, const char* text) {
  return PyUnicode_Check(item) && PyUnicode_CompareWithASCIIString(item, text) == 0;
}

// Rebuilds a tree from the token tuple, refusing anything malformed with a ValueError.
class TokenReader {
 public:
  explicit TokenReader(PyObject* tokens) : tokens_(tokens), count_(PyTuple_GET_SIZE(tokens)) {}

  std::optional<SeriesList> read() {
    std::optional<SeriesList> nodes = series(0);
    if (nodes && next_ != count_) {
      raise_corrupt("unbalanced group tokens");
      return std::nullopt;
    }
    return nodes;
  }

 private:
  std::optional<SeriesList> series(std::size_t depth) {
    SeriesList nodes;
    while (next_ < count_) {
      PyObject* item = PyTuple_GET_ITEM(tokens_, next_);
      if (is_token(item, kBranch) || is_token(item, kCloseGroup)) break;
      ++next_;
      if (is_token(item, kOpenGroup)) {
        std::optional<ParallelNode> group = parallel(depth + 1);
        if (!group) return std::nullopt;
        nodes.push_back(Node{std::move(*group)});
      } else {
        std::optional<ElementNode> element = element_node(item);
        if (!element) return std::nullopt;
        nodes.push_back(Node{std::move(*element)});
      }
    }
    return nodes;
  }

  std::optional<ParallelNode> parallel(std::size_t depth) {
    if (depth > depth_limit_) {
      raise_corrupt(nesting_depth_message());
      return std::nullopt;
    }
    ParallelNode group;
    while (next_ < count_ && is_token(PyTuple_GET_ITEM(tokens_, next_), kBranch)) {
      ++next_;
      std::optional<SeriesList> branch = series(depth);
      if (!branch) return std::nullopt;
      group.branches.push_back(std::move(*branch));
    }
    if (next_ == count_ || !is_token(PyTuple_GET_ITEM(tokens_, next_), kCloseGroup)) {
      raise_corrupt("unbalanced group tokens");
      return std::nullopt;
    }
    ++next_;
    return group;
  }

  std::optional<ElementNode> element_node(PyObject* item) {
    if (!PyTuple_Check(item) || PyTuple_GET_SIZE(item) != 3) {
      raise_corrupt("an element token must be a (code, label, values) tuple");
      return std::nullopt;
    }
    const std::optional<ElementKind> kind = kind_from_code(PyTuple_GET_ITEM(item, 0));
    if (!kind) {
      raise_corrupt("unknown element code");
      return std::nullopt;
    }
    PyObject* label = PyTuple_GET_ITEM(item, 1);
    ElementNode node;
    if (label != Py_None) {
      if (!PyUnicode_Check(label)) {
        raise_corrupt("an element label must be a str or None");
        return std::nullopt;
      }
      std::optional<std::string> text = utf8_of(label);
      if (!text) return std::nullopt;
      node.label = std::move(*text);
    }
    std::optional<Element> element = element_from_values(*kind, PyTuple_GET_ITEM(item, 2));
    if (!element) return std::nullopt;
    node.element = *element;
    return node;
  }

  PyObject* tokens_;
  Py_ssize_t count_;
  Py_ssize_t next_ = 0;
  std::size_t depth_limit_ = nesting_depth_limit();  // of the thread that unpickles
};

std::optional<std::uint64_t> count_from(PyObject* object, const char* what) {
  if (!PyLong_Check(object)) {
    raise_corrupt(std::string(what) + " must be an int");
    return std::nullopt;
  }
  const unsigned long long value = PyLong_AsUnsignedLongLong(object);
  if (value == static_cast<unsigned long long>(-1) && PyErr_Occurred()) {
    if (!PyErr_ExceptionMatches(PyExc_OverflowError)) return std::nullopt;
    PyErr_Clear();
    raise_corrupt(std::string(what) + " must be a count from 0 to 2**64 - 1");
    return std::nullopt;
  }
  return value;
}

std::optional<double> float_from(PyObject* object, const char* what) {
  if (!PyFloat_Check(object)) {
    raise_corrupt(std::string(what) + " must be a float");
    return std::nullopt;
  }
  return PyFloat_AS_DOUBLE(object);
}

std::optional<std::vector<std::string>> text_list(PyObject* object) {
  if (!PyTuple_Check(object)) {
    raise_corrupt("parameter names must be a tuple of str");
    return std::nullopt;
  }
  std::vector<std::string> texts;
  for (Py_ssize_t i = 0; i < PyTuple_GET_SIZE(object); ++i) {
    PyObject* item = PyTuple_GET_ITEM(object, i);
    if (!PyUnicode_Check(item)) {
      raise_corrupt("parameter names must be a tuple of str");
      return std::nullopt;
    }
    std::optional<std::string> text = utf8_of(item);
    if (!text) return std::nullopt;
    texts.push_back(std::move(*text));
  }
  return texts;
}

// _restore_element(code, values)
PyObject* restore_element(PyObject* module, PyObject* args) {
  return guarded([&]() -> PyObject* {
    PyObject* code = nullptr;
    PyObject* values = nullptr;
    if (!PyArg_ParseTuple(args, "OO:_restore_element", &code, &values)) return nullptr;
    const std::optional<ElementKind> kind = kind_from_code(code);
    if (!kind) return raise_corrupt("unknown element code");
    std::optional<Element> element = element_from_values(*kind, values);
    if (!element) return nullptr;
    PyTypeObject* type = module_state(module)->variant_types[static_cast<std::size_t>(*kind)];
    PyObject* self = type->tp_alloc(type, 0);
    if (self != nullptr) reinterpret_cast<ElementObject*>(self)->element = *element;
    return self;
  });
}

// _restore_circuit(tokens, explicit_values)
PyObject* restore_circuit(PyObject* module, PyObject* args) {
  return guarded([&]() -> PyObject* {
    PyObject* tokens = nullptr;
    PyObject* explicit_values = nullptr;
    if (!PyArg_ParseTuple(args, "O!O!:_restore_circuit", &PyTuple_Type, &tokens, &PyBool_Type, &explicit_values)) {
      return nullptr;
    }
    std::optional<SeriesList> nodes = TokenReader(tokens).read();
    if (!nodes) return nullptr;
    return new_circuit_object(module_state(module)->circuit_type,
                              Circuit{std::move(*nodes), explicit_values == Py_True});
  });
}

// The measured spectrum a result carries for its pictures: frequencies, and the impedances
// as interleaved real and imaginary parts.
bool restore_measured(PyObject* frequencies, PyObject* impedance_parts, FitOutcome* outcome) {
  std::optional<std::vector<double>> frequency_list = float_list(frequencies);
  if (!frequency_list) return false;
  std::optional<std::vector<double>> parts = float_list(impedance_parts);
  if (!parts) return false;
  if (parts->size() != 2 * frequency_list->size()) {
    raise_corrupt("one real and one imaginary part per measured frequency expected");
    return false;
  }
  outcome->measured.frequencies = std::move(*frequency_list);
  outcome->measured.impedances.resize(outcome->measured.frequencies.size());
  for (std::size_t i = 0; i < outcome->measured.impedances.size(); ++i) {
    outcome->measured.impedances[i] = Complex{(*parts)[2 * i], (*parts)[2 * i + 1]};
  }
  return true;
}

// _restore_fit_result(circuit, names, values, stderr, iterations, impedance_evals, cost,
// chi_square, success[, measured frequencies, measured impedance parts])
PyObject* restore_fit_result(PyObject* module, PyObject* args) {
  return guarded([&]() -> PyObject* {
    const ModuleState* state = module_state(module);
    PyObject* circuit = nullptr;
    PyObject* names = nullptr;
    PyObject* values = nullptr;
    PyObject* errors = nullptr;
    PyObject* iterations = nullptr;
    PyObject* evals = nullptr;
    PyObject* cost = nullptr;
    PyObject* chi_square = nullptr;
    PyObject* success = nullptr;
    PyObject* frequencies = nullptr;
    PyObject* impedance_parts = nullptr;
    if (!PyArg_ParseTuple(args, "O!OOOOOOOO!|OO:_restore_fit_result", state->circuit_type, &circuit, &names, &values,
                          &errors, &iterations, &evals, &cost, &chi_square, &PyBool_Type, &success, &frequencies,
                          &impedance_parts)) {
      return nullptr;
    }
    FitOutcome outcome;
    if (!ensure_walkable(circuit_of(circuit))) return nullptr;
    outcome.circuit = circuit_of(circuit);
    std::optional<std::vector<std::string>> name_list = text_list(names);
    if (!name_list) return nullptr;
    if (*name_list != param_names(outcome.circuit.nodes)) {
      return raise_corrupt("the parameter names do not match the circuit's");
    }
    outcome.names = std::move(*name_list);
    std::optional<std::vector<double>> value_list = float_list(values);
    if (!value_list) return nullptr;
    if (value_list->size() != outcome.names.size()) return raise_corrupt("one value per parameter expected");
    // The circuit carries the fitted values too; pictures and impedance use it, tables the values.
    const std::vector<double> circuit_values = param_values(outcome.circuit.nodes);
    for (std::size_t i = 0; i < circuit_values.size(); ++i) {
      const double a = (*value_list)[i];
      const double b = circuit_values[i];
      if (!(a == b || (std::isnan(a) && std::isnan(b)))) {
        return raise_corrupt("the parameter values do not match the circuit's");
      }
    }
    outcome.values = std::move(*value_list);
    if (errors != Py_None) {
      std::optional<std::vector<double>> error_list = float_list(errors);
      if (!error_list) return nullptr;
      if (error_list->size() != outcome.names.size()) return raise_corrupt("one standard error per parameter expected");
      outcome.standard_errors = std::move(*error_list);
    }
    const std::optional<std::uint64_t> iteration_count = count_from(iterations, "iterations");
    if (!iteration_count) return nullptr;
    const std::optional<std::uint64_t> eval_count = count_from(evals, "impedance_evals");
    if (!eval_count) return nullptr;
    const std::optional<double> cost_value = float_from(cost, "cost");
    if (!cost_value) return nullptr;
    const std::optional<double> chi_square_value = float_from(chi_square, "chi_square");
    if (!chi_square_value) return nullptr;
    outcome.iterations = *iteration_count;
    outcome.impedance_evals = *eval_count;
    outcome.cost = *cost_value;
    outcome.chi_square = *chi_square_value;
    outcome.success = success == Py_True;
    if (frequencies != nullptr && impedance_parts != nullptr && !restore_measured(frequencies, impedance_parts, &outcome)) {
      return nullptr;
    }
    return new_fit_result_object(state, std::move(outcome));
  });
}

}  // namespace

PyObject* element_reduce(PyObject* self, PyObject*) {
  return guarded([&]() -> PyObject* {
    OwnedRef restore(private_function(self, "_restore_element"));
    const Element& element = element_of(self);
    OwnedRef code = text_object(kind_info(element.kind).code);
    OwnedRef values(values_tuple(element.values.data(), element.param_count()));
    if (!restore || !code || !values) return nullptr;
    return Py_BuildValue("O(OO)", restore.get(), code.get(), values.get());
  });
}

PyObject* circuit_reduce(PyObject* self, PyObject*) {
  return guarded([&]() -> PyObject* {
    OwnedRef restore(private_function(self, "_restore_circuit"));
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    OwnedRef tokens(circuit_tokens(circuit_of(self)));
    if (!restore || !tokens) return nullptr;
    return Py_BuildValue("O(ON)", restore.get(), tokens.get(), PyBool_FromLong(circuit_of(self).explicit_values));
  });
}

PyObject* fit_result_reduce(PyObject* self, PyObject*) {
  return guarded([&]() -> PyObject* {
    const ModuleState* state = module_state_of_type(Py_TYPE(self));
    if (state == nullptr) return nullptr;
    const FitOutcome& outcome = reinterpret_cast<FitResultObject*>(self)->outcome;
    OwnedRef restore(private_function(self, "_restore_fit_result"));
    if (!ensure_walkable(outcome.circuit)) return nullptr;
    OwnedRef circuit(new_circuit_object(state->circuit_type, outcome.circuit));
    OwnedRef names(PyList_New(0));
    if (!restore || !circuit || !names) return nullptr;
    for (const std::string& name : outcome.names) {
      OwnedRef text = text_object(name);
      if (!text || PyList_Append(names.get(), text.get()) < 0) return nullptr;
    }
    OwnedRef name_tuple(PyList_AsTuple(names.get()));
    OwnedRef values(values_tuple(outcome.values.data(), outcome.values.size()));
    OwnedRef errors = outcome.standard_errors
                          ? OwnedRef(values_tuple(outcome.standard_errors->data(), outcome.standard_errors->size()))
                          : OwnedRef::from_borrowed(Py_None);
    const Spectrum& measured = outcome.measured;
    OwnedRef frequencies(values_tuple(measured.frequencies.data(), measured.frequencies.size()));
    std::vector<double> parts;
    parts.reserve(2 * measured.impedances.size());
    for (const Complex& z : measured.impedances) {
      parts.push_back(z.re);
      parts.push_back(z.im);
    }
    OwnedRef impedance_parts(values_tuple(parts.data(), parts.size()));
    if (!name_tuple || !values || !errors || !frequencies || !impedance_parts) return nullptr;
    return Py_BuildValue("O(OOOOKKddNOO)", restore.get(), circuit.get(), name_tuple.get(), values.get(), errors.get(),
                         static_cast<unsigned long long>(outcome.iterations),
                         static_cast<unsigned long long>(outcome.impedance_evals), outcome.cost, outcome.chi_square,
                         PyBool_FromLong(outcome.success), frequencies.get(), impedance_parts.get());
  });
}

PyMethodDef pickling_functions[] = {
    {"_restore_element", restore_element, METH_VARARGS, "Rebuilds a pickled element."},
    {"_restore_circuit", restore_circuit, METH_VARARGS, "Rebuilds a pickled circuit."},
    {"_restore_fit_result", restore_fit_result, METH_VARARGS, "Rebuilds a pickled fit result."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
