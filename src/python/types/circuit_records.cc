// A Circuit to the plain values of its notation record and back, for the document writers
// of corvex.io; the record's checks live in the core, failures surface as ValueError.
#include "python/types/circuit_records.h"

#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit_record.h"
#include "python/types/circuit_object.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/module/owned_ref.h"
#include "python/module/python_text.h"
#include "python/convert/python_values.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

// _circuit_record(circuit) -> (notation, values, explicit_values, unlabelled)
PyObject* circuit_record(PyObject* module, PyObject* circuit) {
  return guarded([&]() -> PyObject* {
    if (!is_circuit_object(module_state(module), circuit)) {
      raise_cannot_convert(circuit, "Circuit");
      return nullptr;
    }
    if (!ensure_walkable(circuit_of(circuit))) return nullptr;
    Result<CircuitRecord> record = record_of(circuit_of(circuit));
    if (!record) return raise_error(record.error());
    OwnedRef notation = text_object(record->notation);
    OwnedRef values(new_float_list(record->values));
    OwnedRef unlabelled(new_list(std::span<const std::size_t>(record->unlabelled),
                                 [](std::size_t position) { return PyLong_FromSize_t(position); }));
    if (!notation || !values || !unlabelled) return nullptr;
    return Py_BuildValue("(OONO)", notation.get(), values.get(), PyBool_FromLong(record->explicit_values),
                         unlabelled.get());
  });
}

std::optional<std::vector<std::size_t>> positions_from(PyObject* object) {
  OwnedRef sequence(PySequence_Fast(object, "unlabelled positions must be a sequence of int"));
  if (!sequence) {
    PyErr_SetString(PyExc_ValueError, "unlabelled positions must be a sequence of int");
    return std::nullopt;
  }
  std::vector<std::size_t> positions;
  for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(sequence.get()); ++i) {
    PyObject* item = PySequence_Fast_GET_ITEM(sequence.get(), i);
    if (!PyLong_Check(item) || PyBool_Check(item)) {
      PyErr_SetString(PyExc_ValueError, "unlabelled positions must be a sequence of int");
      return std::nullopt;
    }
    const std::size_t position = PyLong_AsSize_t(item);
    if (position == static_cast<std::size_t>(-1) && PyErr_Occurred()) {
      PyErr_Clear();
      PyErr_SetString(PyExc_ValueError, "unlabelled positions must be non-negative");
      return std::nullopt;
    }
    positions.push_back(position);
  }
  return positions;
}

// _circuit_from_record(notation, values, explicit_values, unlabelled) -> Circuit
PyObject* circuit_from_record_function(PyObject* module, PyObject* args) {
  return guarded([&]() -> PyObject* {
    PyObject* notation = nullptr;
    PyObject* values = nullptr;
    PyObject* explicit_values = nullptr;
    PyObject* unlabelled = nullptr;
    if (!PyArg_ParseTuple(args, "UOO!O:_circuit_from_record", &notation, &values, &PyBool_Type, &explicit_values,
                          &unlabelled)) {
      return nullptr;
    }
    CircuitRecord record;
    std::optional<std::string> text = utf8_of(notation);
    if (!text) return nullptr;
    record.notation = std::move(*text);
    std::optional<std::vector<double>> numbers = float_list(values);
    if (!numbers) return nullptr;
    record.values = std::move(*numbers);
    record.explicit_values = explicit_values == Py_True;
    std::optional<std::vector<std::size_t>> positions = positions_from(unlabelled);
    if (!positions) return nullptr;
    record.unlabelled = std::move(*positions);
    Result<Circuit> circuit = circuit_from_record(record);
    if (!circuit) return raise_error(circuit.error());
    return new_circuit_object(module_state(module)->circuit_type, std::move(circuit).value());
  });
}

}  // namespace

PyMethodDef circuit_record_functions[] = {
    {"_circuit_record", circuit_record, METH_O, "A circuit's notation record."},
    {"_circuit_from_record", circuit_from_record_function, METH_VARARGS, "The circuit a notation record describes."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
