// Non-negative least squares by the active-set method of Lawson and Hanson, in the form
// that works on the normal matrix (as Bro and de Jong arranged it): min 1/2 x'Gx - h'x, x >= 0.
#pragma once

#include <Eigen/Dense>
#include <cstddef>

#include "util/cancellation.h"

namespace corvex {

struct NnlsSummary {
  bool converged = false;       // the optimality conditions hold within the tolerance
  std::size_t iterations = 0;   // outer iterations (variables freed)
};

// gram = A'A (+ any penalty), rhs = A'b; gram must be symmetric positive definite on every
// subset of variables the iteration visits (a ridge or a penalty makes sure of that).
// x receives the solution. Stops after 3 * n outer iterations at most, or unconverged once
// `cancellation` asks to stop.
NnlsSummary solve_nnls(const Eigen::MatrixXd& gram, const Eigen::VectorXd& rhs, Eigen::VectorXd* x,
                       const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
