// Where a fit starts: the circuit's own values, or a machine-learning guess, with the
// warning when no guess can be made for the circuit's topology.
#include "python/fit_start.h"

#include <Python.h>

#include <vector>

#include "circuit/named_circuits.h"
#include "models/model_registry.h"
#include "nn/guess_parameters.h"
#include "python/error_mapping.h"

namespace corvex::python {

bool decides_to_guess(const std::optional<bool>& guess_init, bool weights_given, bool explicit_values) {
  if (guess_init) return *guess_init;
  return weights_given || !explicit_values;
}

namespace {

// Replaces *start with a copy of the circuit carrying the guessed values.
bool start_from_guess(const Circuit& circuit, const Spectrum& spectrum, const std::optional<std::string>& weights,
                      std::optional<Circuit>* start) {
  Result<std::vector<double>> values = guess_parameters(circuit.nodes, spectrum, weights);
  if (!values.ok()) {
    raise_error(values.error());
    return false;
  }
  start->emplace(Circuit{rebuild_with_values(circuit.nodes, values->data()), true});
  return true;
}

}  // namespace

bool guessed_start(const Circuit& circuit, const Spectrum& spectrum, const std::optional<bool>& guess_init,
                   const std::optional<std::string>& weights, std::optional<Circuit>* start) {
  start->reset();
  if (weights) return start_from_guess(circuit, spectrum, weights, start);
  const bool carried_model = lookup_registry(circuit.nodes).has_value();
  if (guess_init.value_or(false) || carried_model) return start_from_guess(circuit, spectrum, std::nullopt, start);
  const std::string message =
      "There is no ML model to guess initial parameters for this circuit. Supply your own with "
      "Circuit.with_named_values({...}) or Circuit.with_values([...]), or pass guess_init=False to "
      "silence this. Models available for " +
      quoted_model_keys();
  return PyErr_WarnEx(PyExc_UserWarning, message.c_str(), 1) == 0;
}

}  // namespace corvex::python
