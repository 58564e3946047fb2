// The Circuit class: construction from notation or a carried model's name, the parameter
// table text form, and the method table in the order Python users see it.
#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "circuit/notation.h"
#include "python/convert/arg_binder.h"
#include "python/types/circuit_methods.h"
#include "python/types/circuit_object.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/module/owned_ref.h"
#include "python/types/pickling.h"
#include "python/module/python_text.h"
#include "python/module/type_creation.h"
#include "util/number_text.h"
#include "util/quote.h"

namespace corvex::python {

namespace {

constexpr char kCircuitDoc[] = "Circuit(s)\n--\n\n";

constexpr const char* kConstructorNames[] = {"s"};
constexpr Signature kConstructorSignature{"Circuit.__new__()", kConstructorNames, 1};

PyObject* circuit_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  return guarded([&]() -> PyObject* {
    PyObject* bound[1];
    if (!bind_arguments(kConstructorSignature, args, kwargs, bound)) return nullptr;
    std::string text;
    if (!convert_string(bound[0], "s", &text)) return nullptr;
    Result<Circuit> circuit = circuit_from_text(text);
    if (!circuit) return raise_error(circuit.error());
    return new_circuit_object(type, std::move(circuit).value());
  });
}

void circuit_dealloc(PyObject* self) {
  reinterpret_cast<CircuitObject*>(self)->compiled.~CompiledCircuit();
  reinterpret_cast<CircuitObject*>(self)->circuit.~Circuit();
  free_heap_instance(self);
}

void pad_right(std::string* text, std::size_t width) {
  const std::size_t length = code_point_count(*text);
  if (length < width) text->append(width - length, ' ');
}

// «Circuit (3 parameters)» then one line per parameter: name, value, unit and bounds.
std::string circuit_text(const Circuit& circuit) {
  const std::vector<std::string> names = param_names(circuit.nodes);
  const std::vector<double> values = param_values(circuit.nodes);
  const std::vector<ParamBounds> bounds = param_bounds(circuit.nodes);
  const std::vector<std::string_view> units = param_units(circuit.nodes);
  std::size_t name_width = 0;
  for (const std::string& name : names) name_width = std::max(name_width, code_point_count(name));

  std::string text = "Circuit (" + std::to_string(names.size()) + " parameter" + (names.size() == 1 ? "" : "s") + ")\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += '\n';
    std::string name = names[i];
    pad_right(&name, name_width);
    std::string value = number_text(values[i]);
    pad_right(&value, 10);
    text += "  " + name + " = " + value + " [" + std::string(units[i]) + "]  bounds (" + number_text(bounds[i].lo) +
            ", " + number_text(bounds[i].hi) + ")";
  }
  return text;
}

PyObject* circuit_repr(PyObject* self) {
  return guarded([&]() -> PyObject* {
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    return text_object(circuit_text(circuit_of(self))).release();
  });
}

constexpr int kArgsMethod = METH_METHOD | METH_FASTCALL | METH_KEYWORDS;

template <class Function>
PyCFunction as_cfunction(Function function) {
  return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

PyMethodDef circuit_methods[] = {
    {"ml_circuits", circuit_ml_circuits, METH_NOARGS | METH_STATIC,
     "ml_circuits()\n--\n\nNames accepted by the constructor that have trained initial-parameter\n"
     "models, and so get a guessed starting point from `fit()` by default."},
    {"guess", as_cfunction(circuit_guess), kArgsMethod,
     "guess($self, frequencies, impedances=None, weights=None)\n--\n\n"
     "Machine-learning guess of starting parameters for this circuit's\ntopology, in `param_names()` order.\n\n"
     "Series and parallel elements may be written with any order and labels:\n"
     "`(R1,C2)-R3` uses the same model as `R0-(R1,C1)`. `K` and `Zarc` reach\n"
     "the models trained on the pairs they abbreviate, so `R0-Zarc1` uses the\n"
     "`R0-(R1,CPE1)` model and gets its guess back as `r`, `tau_k`, `gamma`.\n\n"
     "`weights` loads a `.eisnn` file from disk instead of looking for a\nbundled model.\n\n"
     "Raises if no model has been trained for this topology, or if `weights`\nwas trained for a different one."},
    {"param_names", circuit_param_names, METH_NOARGS,
     "param_names($self)\n--\n\nParameter names, in the same order `with_values()` consumes and\n"
     "`with_named_values()` expects as keys."},
    {"with_values", as_cfunction(circuit_with_values), kArgsMethod,
     "with_values($self, values)\n--\n\nRebuild this circuit with a new flat parameter vector, assigned\n"
     "positionally in `param_names()` order."},
    {"with_named_values", as_cfunction(circuit_with_named_values), kArgsMethod,
     "with_named_values($self, values)\n--\n\nRebuild this circuit with parameter values looked up by name (see\n"
     "`param_names()`). Every name must be present and no unknown names\nmay be supplied."},
    {"impedance", as_cfunction(circuit_impedance), kArgsMethod, "impedance($self, frequencies)\n--\n\n"},
    {"param_values", circuit_param_values, METH_NOARGS,
     "param_values($self)\n--\n\nCurrent parameter values, in `param_names()` order."},
    {"param_bounds", circuit_param_bounds, METH_NOARGS,
     "param_bounds($self)\n--\n\nDefault physical-validity `(lo, hi)` bounds per parameter, in\n"
     "`param_names()` order. `hi` is `inf` for open-bound parameters."},
    {"param_units", circuit_param_units, METH_NOARGS, "param_units($self)\n--\n\nPhysical units per parameter"},
    {"residuals", as_cfunction(circuit_residuals), kArgsMethod,
     "residuals($self, params, frequencies, impedances=None, weight=\"modulus\")\n--\n\n"
     "Weighted residual vector (interleaved `[re0, im0, re1, im1, ...]`) for an\n"
     "arbitrary parameter vector -- the same building block `fit()` uses\n"
     "internally for Levenberg-Marquardt, exposed so an external optimizer (e.g.\n"
     "`scipy.optimize.least_squares`) can drive this circuit's math directly."},
    {"jacobian", as_cfunction(circuit_jacobian), kArgsMethod,
     "jacobian($self, params, frequencies, impedances=None, weight=\"modulus\")\n--\n\n"
     "Central-difference Jacobian of `residuals()` at `params`, shape `(2 *\n"
     "len(frequencies), len(params))` -- rows are residuals, columns are\n"
     "parameters, matching what `scipy.optimize.least_squares(jac=...)` expects."},
    {"fit", as_cfunction(circuit_fit), kArgsMethod,
     "fit($self, frequencies, impedances=None, guess_init=None, weights=None, weight=\"modulus\", "
     "method=\"levenberg_marquardt\", max_iterations=200, ftol=1e-8, xtol=1e-8, num_particles=200, "
     "generations=1000, nelder_mead_iterations=2000, de_evaluations=20000, sa_iterations=5000, "
     "sa_initial_temperature=2.0, basin_hopping_hops=20, basin_hopping_step_size=1.0, "
     "basin_hopping_temperature=1.0, seed=None)\n--\n\n"
     "Fit this circuit's parameters to a measured spectrum.\n\n"
     "Accepts two sequences of frequencies and impedances, or a single battery\n"
     "data format dataframe (`impedances` left as None).\n\n"
     "`guess_init` unset means start from a machine-learning guess whenever the\n"
     "circuit is not explicitly given starting parameters. If no model has been\n"
     "trained for the topology it warns and starts from placeholder values.\n\n"
     "`True` always guesses, and raises rather than warns when it cannot.\n"
     "`False` never guesses."},
    {"__reduce__", circuit_reduce, METH_NOARGS, kReduceDoc},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot circuit_slots[] = {
    {Py_tp_doc, const_cast<char*>(kCircuitDoc)},
    {Py_tp_new, reinterpret_cast<void*>(circuit_new)},
    {Py_tp_dealloc, reinterpret_cast<void*>(circuit_dealloc)},
    {Py_tp_repr, reinterpret_cast<void*>(circuit_repr)},
    {Py_tp_methods, circuit_methods},
    {0, nullptr},
};

PyType_Spec circuit_spec = {
    "corvex.Circuit",
    static_cast<int>(sizeof(CircuitObject)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_IMMUTABLETYPE,
    circuit_slots,
};

}  // namespace

bool ensure_walkable(const Circuit& circuit) {
  if (nesting_depth(circuit.nodes) <= nesting_depth_limit()) return true;
  raise_error(value_error(nesting_depth_message()));
  return false;
}

PyObject* new_circuit_object(PyTypeObject* type, Circuit circuit) {
  CompiledCircuit compiled{compile_plan(circuit.nodes), param_values(circuit.nodes)};
  PyObject* self = type->tp_alloc(type, 0);
  if (self == nullptr) return nullptr;
  auto* object = reinterpret_cast<CircuitObject*>(self);
  new (&object->circuit) Circuit(std::move(circuit));
  new (&object->compiled) CompiledCircuit(std::move(compiled));
  return self;
}

bool create_circuit_type(PyObject* module, ModuleState* state) {
  state->circuit_type = create_heap_type(module, &circuit_spec);
  return state->circuit_type != nullptr;
}

}  // namespace corvex::python
