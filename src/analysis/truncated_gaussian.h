// Draws from a multivariate Gaussian restricted to the non-negative orthant, by exact
// Hamiltonian Monte Carlo (Pakman & Paninski 2014): the posterior of a non-negative DRT.
#pragma once

#include <Eigen/Dense>
#include <cstddef>

#include "fit/search/random_stream.h"

namespace corvex {

struct TruncatedGaussianDraws {
  Eigen::MatrixXd samples;   // one draw per column
  std::size_t wall_hits = 0;  // reflections off x_i = 0 over all trajectories
  bool complete = true;       // false: some trajectory stopped at the reflection limit
};

// A standard normal draw (Box-Muller).
double standard_normal(RandomStream* stream);

// `count` draws (after `burn_in` discarded ones) from N(mean, precision^-1) restricted to
// x >= 0, starting at `start`, which must be feasible. `precision` is symmetric positive
// definite. Each draw ends a trajectory of time pi/2 in the whitened coordinates.
TruncatedGaussianDraws sample_nonnegative_gaussian(const Eigen::VectorXd& mean, const Eigen::MatrixXd& precision,
                                                   const Eigen::VectorXd& start, std::size_t count,
                                                   std::size_t burn_in, RandomStream* stream);

}  // namespace corvex
