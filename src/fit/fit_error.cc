// The five failure kinds of fitting with their exact messages, and the input checks every
// fitting method makes, in the order that decides which failure is reported.
#include "fit/fit_error.h"

#include <string>

#include "util/quote.h"

namespace corvex {

Error fit_error(FitErrorKind kind, std::string_view detail) {
  switch (kind) {
    case FitErrorKind::LengthMismatch:
      return value_error("frequencies and impedances must have the same length");
    case FitErrorKind::Empty:
      return value_error("frequencies and impedances must not be empty");
    case FitErrorKind::NoParameters:
      return value_error("circuit topology has no parameters to fit");
    case FitErrorKind::Solver:
      return value_error("solver error: " + std::string(detail));
    case FitErrorKind::UnknownMethod:
      break;
  }
  return value_error("unknown fit method " + quoted(detail) +
                     ", expected one of \"levenberg_marquardt\", \"particle_swarm\", \"nelder_mead\", "
                     "\"differential_evolution\", \"simulated_annealing\", \"basin_hopping\"");
}

Status validate_fit_inputs(const Circuit& circuit, const Spectrum& spectrum) {
  if (spectrum.frequencies.size() != spectrum.impedances.size()) return fit_error(FitErrorKind::LengthMismatch);
  if (spectrum.frequencies.empty()) return fit_error(FitErrorKind::Empty);
  if (parameter_count(circuit.nodes) == 0) return fit_error(FitErrorKind::NoParameters);
  return {};
}

}  // namespace corvex
