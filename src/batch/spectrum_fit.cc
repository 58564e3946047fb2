// The whole fit of one spectrum: the start policy, the network guess when it applies, and
// the fit driver, shared by Circuit.fit() and the batch so both give the same numbers.
#include "batch/spectrum_fit.h"

#include <vector>

#include "batch/refined_data_start.h"
#include "circuit/named_circuits.h"
#include "models/model_registry.h"
#include "guess/guess_parameters.h"

namespace corvex {

FitStart choose_fit_start(const Circuit& circuit, const std::optional<bool>& guess_init,
                          const std::optional<std::string>& weights) {
  const bool guess = guess_init ? *guess_init : weights.has_value() || !circuit.explicit_values;
  if (!guess) return {};
  if (weights) return {StartKind::Guess, weights};
  if (guess_init.value_or(false) || lookup_registry(circuit.nodes).has_value()) return {StartKind::Guess, {}};
  return {StartKind::AsGivenWithWarning, {}};
}

std::string no_model_warning_message() {
  return "There is no ML model to guess initial parameters for this circuit. Supply your own with "
         "Circuit.with_named_values({...}) or Circuit.with_values([...]), or pass guess_init=False to "
         "silence this. Models available for " +
         quoted_model_keys();
}

Result<FitOutcome> fit_spectrum(const Circuit& circuit, const Spectrum& spectrum, const FitStart& start,
                                const FitOptions& options, const CancellationToken& cancellation) {
  if (start.kind == StartKind::Data) {
    Result<std::vector<double>> values = refined_data_start(circuit.nodes, spectrum, options, cancellation);
    if (!values.ok()) return values.take_error();
    return fit_driver(options, Circuit{rebuild_with_values(circuit.nodes, values->data()), true}, spectrum, cancellation);
  }
  if (start.kind != StartKind::Guess) return fit_driver(options, circuit, spectrum, cancellation);
  Result<std::vector<double>> values = guess_parameters(circuit.nodes, spectrum, start.weights, cancellation);
  if (!values.ok()) return values.take_error();
  const Circuit guessed{rebuild_with_values(circuit.nodes, values->data()), true};
  return fit_driver(options, guessed, spectrum, cancellation);
}

}  // namespace corvex
