// What every fitting method returns, and the final statistics that produce it: cost,
// chi-square and standard errors at the final point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "fit/objective.h"
#include "util/spectrum.h"

namespace corvex {

struct FitOutcome {
  Circuit circuit;                                     // fitted values, explicit_values true
  std::vector<std::string> names;                      // parameter names, parameter order
  std::vector<double> values;                          // final values, clamped into bounds
  std::optional<std::vector<double>> standard_errors;  // absent when J^T J is singular or m <= n
  std::uint64_t iterations = 0;                        // the method's own iteration figure
  std::uint64_t impedance_evals = 0;                   // the problem's counter after the statistics
  double cost = 0.0;                                   // 0.5 * sum r^2
  double chi_square = 0.0;                             // cost + cost
  bool success = false;
  Spectrum measured;  // the spectrum the fit was made to, so a result can be drawn on its own
};

// Clamps x into the bounds, evaluates cost and the Jacobian at it, and builds the outcome.
// `circuit` supplies structure and names; the counter of `problem` is read last.
FitOutcome fit_statistics(const SeriesList& circuit, std::vector<double> x, bool success,
                          std::uint64_t iterations, const FitProblem& problem);

}  // namespace corvex
