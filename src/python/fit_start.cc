// Where a fit starts: the circuit's own values, or a machine-learning guess, with the
// warning when no guess can be made for the circuit's topology.
#include "python/fit_start.h"

#include <Python.h>

#include "circuit/named_circuits.h"
#include "python/error_mapping.h"

namespace corvex::python {

bool decides_to_guess(const std::optional<bool>& guess_init, bool weights_given, bool explicit_values) {
  if (guess_init) return *guess_init;
  return weights_given || !explicit_values;
}

// No network is available to this build yet, so every topology is one without a model:
// an explicit request fails, and the default falls back to the placeholder values.
bool guessed_start(const Circuit&, const Spectrum&, const std::optional<bool>& guess_init,
                   const std::optional<std::string>&, std::optional<Circuit>* start) {
  start->reset();
  if (guess_init.value_or(false)) {
    raise_error(value_error(
        "No training data on this circuit. Machine-learning based initial parameters available for " +
        quoted_model_keys()));
    return false;
  }
  const std::string message =
      "There is no ML model to guess initial parameters for this circuit. Supply your own with "
      "Circuit.with_named_values({...}) or Circuit.with_values([...]), or pass guess_init=False to "
      "silence this. Models available for " +
      quoted_model_keys();
  return PyErr_WarnEx(PyExc_UserWarning, message.c_str(), 1) == 0;
}

}  // namespace corvex::python
