// Normal equations with one block per spectrum and one global block, solved and inverted by
// eliminating the per-spectrum blocks (the Schur complement of the global block).
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include <Eigen/Dense>

#include "util/cancellation.h"
#include "util/result.h"

namespace corvex {

// One spectrum's share of J^T J and J^T r, with its Jacobian split into the columns of its own
// parameters (local, L of them) and of the parameters every spectrum sees (global, G of them):
//   [ U  W ]   local rows          [ b_local  ]
//   [ W' V ]   global rows         [ b_global ]
// V and b_global are this spectrum's contribution only; the global block is their sum.
struct NormalBlocks {
  Eigen::MatrixXd U;         // L x L
  Eigen::MatrixXd W;         // L x G
  Eigen::MatrixXd V;         // G x G
  Eigen::VectorXd b_local;   // L, J_local^T r
  Eigen::VectorXd b_global;  // G, J_global^T r
};

// The step of the damped normal equations (H + lambda * diag(D)) delta = -b, D = diag(H)
// clamped to [kMinDamping, kMaxDamping] as Ceres does, so that a flat direction still gets damped.
struct SchurStep {
  std::vector<Eigen::VectorXd> local;  // one step per spectrum
  Eigen::VectorXd global;
  // delta' (lambda D delta - b) / 2 > 0: the reduction of the cost the linear model predicts.
  double predicted_reduction = 0.0;
};

inline constexpr double kMinDamping = 1e-6;
inline constexpr double kMaxDamping = 1e32;

// Per-spectrum eliminations run on the worker pool; their contributions to the reduced global
// system are summed in spectrum order, so the step is the same whatever the number of threads.
// Fails when a damped block is not positive definite (non-finite entries) or when interrupted.
Result<SchurStep> solve_damped(std::span<const NormalBlocks> blocks, double lambda,
                               const CancellationToken& cancellation = no_cancellation());

// The inverse of the undamped H, in the blocks that a per-spectrum table needs: the global
// block, and each spectrum's own block with its cross block to the globals. Directions whose
// scaled eigenvalue lies below min_reciprocal_condition times the largest are left out of the
// inverse (a pseudo-inverse), and every parameter that takes part in one is marked unresolved.
struct BlockCovariance {
  Eigen::MatrixXd global;                  // G x G
  std::vector<Eigen::MatrixXd> local;      // per spectrum, L x L
  std::vector<Eigen::MatrixXd> cross;      // per spectrum, L x G: cov(local, global)
  std::vector<bool> global_unresolved;     // G
  std::vector<std::vector<bool>> local_unresolved;  // per spectrum, L
};

Result<BlockCovariance> block_covariance(std::span<const NormalBlocks> blocks, double min_reciprocal_condition,
                                         const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
