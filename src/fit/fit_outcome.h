// What every fitting method returns, and the final statistics that produce it: cost,
// chi-square and standard errors at the final point.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "fit/objective.h"
#include "util/spectrum.h"

namespace corvex {

// The Jacobian the standard errors were judged with (column-major, every parameter, central
// differences), the rounding noise of its columns, and the problem it was evaluated on: the
// covariance of the same fit on the same problem needs no second evaluation of it.
struct FinalJacobian {
  std::vector<double> values;    // the point
  std::vector<double> jacobian;  // residual_count() rows, one column per parameter
  double column_noise = 0.0;     // largest_column_noise over every column
  // The residual function's inputs besides the circuit: the Jacobian holds for a problem
  // with these, and for no other.
  std::vector<double> omega;
  std::vector<Complex> measured;
  std::vector<double> weights;
  std::vector<double> imaginary_weights;

  // Whether this Jacobian is the one `problem` gives at `x`.
  bool matches(const FitProblem& problem, std::span<const double> x) const;
};

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
  // At `values`, when the statistics computed one; shared between copies, and dropped where a
  // result is kept (a batch row, a FitResult), since it is a hundred times the values' size.
  std::shared_ptr<const FinalJacobian> final_jacobian;
};

// Clamps x into the bounds, evaluates cost and the Jacobian at it, and builds the outcome.
// `circuit` supplies structure and names; the counter of `problem` is read last.
FitOutcome fit_statistics(const SeriesList& circuit, std::vector<double> x, bool success,
                          std::uint64_t iterations, const FitProblem& problem);

}  // namespace corvex
