// fit()'s start policy in front of the controlled fit: the guess replaces the circuit's
// values exactly as it does for fit(), so the "guess" start of a plain fit is fit()'s.
#include "batch/controlled_spectrum_fit.h"

#include <vector>

#include "batch/contained_model_start.h"
#include "batch/data_start.h"
#include "batch/refined_data_start.h"
#include "guess/guess_parameters.h"

namespace corvex {

namespace {

// The start read off the data, for the robust starts of a fit that begins elsewhere: it
// reaches fits whose guess or placeholders lie in the wrong basin. None when the spectrum
// gives no start (the first start then reports the spectrum's fault itself).
// The nearest member of the family only: the brief runs that refine start="data" would cost
// every robust fit some twelve fits more. A stop leaves none too; the caller asks the token.
std::optional<LabelledStart> data_values_for(const Circuit& circuit, const Spectrum& spectrum, bool robust,
                                             const CancellationToken& cancellation) {
  if (!robust) return std::nullopt;
  Result<std::vector<double>> values = data_start(circuit.nodes, spectrum, cancellation);
  if (!values.ok()) return std::nullopt;
  return LabelledStart{"data", std::move(values).value()};
}

// start="data"'s refined start, its brief runs on the problem the final fit solves: under the
// held parameters, limits and a weighting of the controlled fit's own when there are any.
// Controls the fit will refuse leave the runs as without them, and the fit reports the fault.
Result<std::vector<double>> data_start_under(const Circuit& circuit, const Spectrum& spectrum,
                                             const FitOptions& options, const FitControls& controls,
                                             const CancellationToken& cancellation) {
  const bool own_weighting =
      controls.weighting != ResidualWeighting::Modulus && controls.weighting != ResidualWeighting::Unit;
  if (controls.constrains_parameters() || own_weighting) {
    const Result<ResolvedControls> resolved = resolve_controls(circuit.nodes, controls);
    if (resolved.ok() && validate_weighting(controls, spectrum).ok()) {
      return refined_data_start(circuit.nodes, spectrum, options, BriefRunControls{controls, *resolved}, cancellation);
    }
  }
  return refined_data_start(circuit.nodes, spectrum, options, cancellation);
}

}  // namespace

Result<ControlledFit> fit_spectrum_with_controls(const Circuit& circuit, const Spectrum& spectrum,
                                                 const FitStart& start, const FitOptions& options,
                                                 const FitControls& controls, bool robust,
                                                 const CancellationToken& cancellation) {
  if (start.kind == StartKind::Data) {
    Result<std::vector<double>> values = data_start_under(circuit, spectrum, options, controls, cancellation);
    if (!values.ok()) return values.take_error();
    const Circuit started{rebuild_with_values(circuit.nodes, values->data()), true};
    return fit_with_controls(started, spectrum, options, controls, robust, "data", cancellation);
  }
  if (start.kind != StartKind::Guess) {
    // Placeholder values with no network for the whole circuit: a network may still fit part of it.
    std::optional<LabelledStart> seed;
    if (robust && start.kind == StartKind::AsGivenWithWarning) seed = contained_model_start(circuit.nodes, spectrum, cancellation);
    std::optional<LabelledStart> data_values = data_values_for(circuit, spectrum, robust, cancellation);
    if (cancellation.stopped()) return interrupted_error();
    return fit_with_controls(circuit, spectrum, options, controls, robust, "initial", cancellation, seed,
                             std::move(data_values));
  }
  Result<std::vector<double>> values = guess_parameters(circuit.nodes, spectrum, start.weights, cancellation);
  if (!values.ok()) return values.take_error();
  const Circuit guessed{rebuild_with_values(circuit.nodes, values->data()), true};
  std::optional<LabelledStart> data_values = data_values_for(circuit, spectrum, robust, cancellation);
  if (cancellation.stopped()) return interrupted_error();
  return fit_with_controls(guessed, spectrum, options, controls, robust, "guess", cancellation, std::nullopt,
                           std::move(data_values));
}

}  // namespace corvex
