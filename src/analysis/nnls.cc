// Lawson-Hanson active set on the normal matrix: variables enter the passive set by largest
// gradient; an infeasible unconstrained step is cut back to the boundary and the variables
// it zeroes leave again. Each subproblem is a Cholesky solve of the passive block.
#include "analysis/nnls.h"

#include <cmath>
#include <limits>
#include <vector>

namespace corvex {

namespace {

// Unconstrained minimiser on the passive set; the other entries of s are zero.
void passive_solve(const Eigen::MatrixXd& gram, const Eigen::VectorXd& rhs, const std::vector<bool>& passive,
                   Eigen::VectorXd* s) {
  std::vector<Eigen::Index> index;
  for (Eigen::Index j = 0; j < rhs.size(); ++j) {
    if (passive[static_cast<std::size_t>(j)]) index.push_back(j);
  }
  const Eigen::Index k = static_cast<Eigen::Index>(index.size());
  Eigen::MatrixXd block(k, k);
  Eigen::VectorXd b(k);
  for (Eigen::Index a = 0; a < k; ++a) {
    b[a] = rhs[index[static_cast<std::size_t>(a)]];
    for (Eigen::Index c = 0; c < k; ++c) block(a, c) = gram(index[static_cast<std::size_t>(a)], index[static_cast<std::size_t>(c)]);
  }
  const Eigen::VectorXd solution = block.ldlt().solve(b);
  s->setZero(rhs.size());
  for (Eigen::Index a = 0; a < k; ++a) (*s)[index[static_cast<std::size_t>(a)]] = solution[a];
}

}  // namespace

NnlsSummary solve_nnls(const Eigen::MatrixXd& gram, const Eigen::VectorXd& rhs, Eigen::VectorXd* x,
                       const CancellationToken& cancellation) {
  const Eigen::Index n = rhs.size();
  NnlsSummary summary;
  x->setZero(n);
  std::vector<bool> passive(static_cast<std::size_t>(n), false);
  // Gradient entries below this are zero to rounding.
  const double tolerance = 1e-12 * std::max(rhs.cwiseAbs().maxCoeff(), std::numeric_limits<double>::min()) *
                           static_cast<double>(n);
  Eigen::VectorXd w = rhs;
  Eigen::VectorXd s(n);
  const std::size_t most = 3 * static_cast<std::size_t>(n);
  while (summary.iterations < most && !cancellation.stop_requested()) {
    Eigen::Index entering = -1;
    double largest = tolerance;
    for (Eigen::Index j = 0; j < n; ++j) {
      if (!passive[static_cast<std::size_t>(j)] && w[j] > largest) {
        largest = w[j];
        entering = j;
      }
    }
    if (entering < 0) {
      summary.converged = true;
      break;
    }
    ++summary.iterations;
    passive[static_cast<std::size_t>(entering)] = true;
    for (;;) {
      passive_solve(gram, rhs, passive, &s);
      // The step towards s stops where the first passive variable reaches zero; that one
      // (and any other that rounding put at or below zero) leaves the passive set.
      double step = 1.0;
      Eigen::Index blocking = -1;
      for (Eigen::Index j = 0; j < n; ++j) {
        if (passive[static_cast<std::size_t>(j)] && s[j] <= 0.0) {
          const double ratio = (*x)[j] / ((*x)[j] - s[j]);
          if (blocking < 0 || ratio < step) {
            step = ratio;
            blocking = j;
          }
        }
      }
      if (blocking < 0) {
        *x = s;
        break;
      }
      *x += step * (s - *x);
      (*x)[blocking] = 0.0;
      for (Eigen::Index j = 0; j < n; ++j) {
        if (passive[static_cast<std::size_t>(j)] && (*x)[j] <= 0.0) {
          passive[static_cast<std::size_t>(j)] = false;
          (*x)[j] = 0.0;
        }
      }
    }
    w = rhs - gram * (*x);
  }
  return summary;
}

}  // namespace corvex
