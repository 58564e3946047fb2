// Damped steps and the covariance of block-structured normal equations: each spectrum's block
// is eliminated on the worker pool and the reduced global system is assembled in spectrum order.
#include "series/schur_solver.h"

#include <algorithm>
#include <cmath>

#include "util/worker_pool.h"

namespace corvex {
namespace {

// An eigenvector component above this marks its parameter as part of an unresolved direction.
constexpr double kUnresolvedComponent = 1e-3;

Eigen::VectorXd damping_of(const Eigen::MatrixXd& block) {
  Eigen::VectorXd d = block.diagonal();
  for (Eigen::Index i = 0; i < d.size(); ++i) {
    // fmin/fmax map a NaN diagonal to the floor; the factorization then reports the NaN entries.
    d[i] = std::fmin(std::fmax(d[i], kMinDamping), kMaxDamping);
  }
  return d;
}

// The pseudo-inverse of a symmetric positive semi-definite matrix, computed on its unit-diagonal
// scaling so that parameters of very different magnitudes are judged alike. Marks in
// `unresolved` (resized to the order) every index that takes part in a dropped direction.
Eigen::MatrixXd scaled_pseudo_inverse(const Eigen::MatrixXd& a, double min_reciprocal_condition,
                                      std::vector<bool>* unresolved) {
  const Eigen::Index n = a.rows();
  unresolved->assign(static_cast<std::size_t>(n), false);
  if (n == 0) return Eigen::MatrixXd(0, 0);
  Eigen::VectorXd scale(n);
  for (Eigen::Index i = 0; i < n; ++i) {
    const double diagonal = a(i, i);
    scale[i] = diagonal > 0.0 && std::isfinite(diagonal) ? 1.0 / std::sqrt(diagonal) : 0.0;
    if (scale[i] == 0.0) (*unresolved)[static_cast<std::size_t>(i)] = true;
  }
  const Eigen::MatrixXd scaled = scale.asDiagonal() * a * scale.asDiagonal();
  Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eigen(scaled);
  Eigen::MatrixXd inverse = Eigen::MatrixXd::Zero(n, n);
  if (eigen.info() != Eigen::Success) {
    unresolved->assign(static_cast<std::size_t>(n), true);
    return inverse;
  }
  const double largest = eigen.eigenvalues().maxCoeff();
  for (Eigen::Index k = 0; k < n; ++k) {
    const double value = eigen.eigenvalues()[k];
    const Eigen::VectorXd vector = eigen.eigenvectors().col(k);
    if (!(value > min_reciprocal_condition * largest)) {
      for (Eigen::Index i = 0; i < n; ++i) {
        if (std::fabs(vector[i]) > kUnresolvedComponent) (*unresolved)[static_cast<std::size_t>(i)] = true;
      }
      continue;
    }
    inverse += (vector / value) * vector.transpose();
  }
  return scale.asDiagonal() * inverse * scale.asDiagonal();
}

std::size_t global_size(std::span<const NormalBlocks> blocks) {
  return blocks.empty() ? 0 : static_cast<std::size_t>(blocks.front().V.rows());
}

}  // namespace

Result<SchurStep> solve_damped(std::span<const NormalBlocks> blocks, double lambda,
                               const CancellationToken& cancellation) {
  const std::size_t count = blocks.size();
  const auto g = static_cast<Eigen::Index>(global_size(blocks));
  // Per spectrum: the damped block's inverse applied to W and to b_local, and its damping.
  std::vector<Eigen::MatrixXd> solved_w(count);
  std::vector<Eigen::VectorXd> solved_b(count);
  std::vector<Eigen::VectorXd> damping(count);
  std::vector<char> failed(count, 0);
  auto eliminate = [&](std::size_t s) {
    const NormalBlocks& block = blocks[s];
    damping[s] = damping_of(block.U);
    Eigen::MatrixXd damped = block.U;
    damped.diagonal() += lambda * damping[s];
    Eigen::LLT<Eigen::MatrixXd> factor(damped);
    if (factor.info() != Eigen::Success) {
      failed[s] = 1;
      return;
    }
    solved_w[s] = factor.solve(block.W);
    solved_b[s] = factor.solve(block.b_local);
  };
  if (!parallel_for(count, TaskRef(eliminate), cancellation)) return interrupted_error();

  Eigen::MatrixXd reduced = Eigen::MatrixXd::Zero(g, g);
  Eigen::VectorXd gradient = Eigen::VectorXd::Zero(g);
  Eigen::VectorXd eliminated = Eigen::VectorXd::Zero(g);
  Eigen::MatrixXd eliminated_block = Eigen::MatrixXd::Zero(g, g);
  for (std::size_t s = 0; s < count; ++s) {
    if (failed[s] != 0) return value_error("the damped normal equations are not positive definite");
    reduced += blocks[s].V;
    gradient += blocks[s].b_global;
    eliminated_block.noalias() += blocks[s].W.transpose() * solved_w[s];
    eliminated.noalias() += blocks[s].W.transpose() * solved_b[s];
  }
  const Eigen::VectorXd global_damping = damping_of(reduced);
  reduced.diagonal() += lambda * global_damping;
  reduced -= eliminated_block;
  SchurStep step;
  step.global = Eigen::VectorXd::Zero(g);
  if (g > 0) {
    Eigen::LLT<Eigen::MatrixXd> factor(reduced);
    if (factor.info() != Eigen::Success) return value_error("the reduced normal equations are not positive definite");
    step.global = factor.solve(eliminated - gradient);
  }
  step.local.resize(count);
  auto back_substitute = [&](std::size_t s) { step.local[s] = -(solved_b[s] + solved_w[s] * step.global); };
  if (!parallel_for(count, TaskRef(back_substitute), cancellation)) return interrupted_error();

  double predicted = 0.0;
  for (std::size_t s = 0; s < count; ++s) {
    const Eigen::VectorXd& delta = step.local[s];
    predicted += delta.dot(lambda * damping[s].cwiseProduct(delta) - blocks[s].b_local);
  }
  predicted += step.global.dot(lambda * global_damping.cwiseProduct(step.global) - gradient);
  step.predicted_reduction = 0.5 * predicted;
  return step;
}

Result<BlockCovariance> block_covariance(std::span<const NormalBlocks> blocks, double min_reciprocal_condition,
                                         const CancellationToken& cancellation) {
  const std::size_t count = blocks.size();
  const auto g = static_cast<Eigen::Index>(global_size(blocks));
  BlockCovariance out;
  out.local.resize(count);
  out.cross.resize(count);
  out.local_unresolved.resize(count);
  std::vector<Eigen::MatrixXd> solved_w(count);  // U^+ W
  auto invert_local = [&](std::size_t s) {
    out.local[s] = scaled_pseudo_inverse(blocks[s].U, min_reciprocal_condition, &out.local_unresolved[s]);
    solved_w[s] = out.local[s] * blocks[s].W;
  };
  if (!parallel_for(count, TaskRef(invert_local), cancellation)) return interrupted_error();

  Eigen::MatrixXd reduced = Eigen::MatrixXd::Zero(g, g);
  for (std::size_t s = 0; s < count; ++s) {
    reduced += blocks[s].V;
    reduced.noalias() -= blocks[s].W.transpose() * solved_w[s];
  }
  // Rounding leaves the difference a hair off symmetric; the eigen-solver reads one triangle.
  const Eigen::MatrixXd symmetric = 0.5 * (reduced + reduced.transpose());
  out.global = scaled_pseudo_inverse(symmetric, min_reciprocal_condition, &out.global_unresolved);

  auto spread_global = [&](std::size_t s) {
    out.cross[s] = -solved_w[s] * out.global;
    out.local[s].noalias() += solved_w[s] * out.global * solved_w[s].transpose();
  };
  if (!parallel_for(count, TaskRef(spread_global), cancellation)) return interrupted_error();
  return out;
}

}  // namespace corvex
