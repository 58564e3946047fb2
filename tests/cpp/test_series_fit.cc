// Tests of the series fit: the Schur-complement step and covariance against a dense solve of the
// same normal equations, and a joint fit with a shared parameter and a law on exact data.
#include <cmath>
#include <cstdint>
#include <vector>

#include <Eigen/Dense>

#include "check.h"
#include "fit_fixtures.h"
#include "series/schur_solver.h"
#include "series/series_fit.h"

using namespace corvex;
using fit_fixtures::circuit_with;
using fit_fixtures::log_frequencies;
using fit_fixtures::spectrum_of;

namespace {

// Blocks of J^T J and J^T r for random Jacobians of `spectra` spectra with `local` own and
// `global` shared columns, and the same normal equations assembled densely.
struct BlockProblem {
  std::vector<NormalBlocks> blocks;
  Eigen::MatrixXd dense;
  Eigen::VectorXd gradient;
};

BlockProblem random_blocks(std::size_t spectra, Eigen::Index local, Eigen::Index global, std::uint64_t seed) {
  std::uint64_t state = seed;
  auto uniform = [&state]() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
  };
  const Eigen::Index size = static_cast<Eigen::Index>(spectra) * local + global;
  BlockProblem out;
  out.dense = Eigen::MatrixXd::Zero(size, size);
  out.gradient = Eigen::VectorXd::Zero(size);
  for (std::size_t s = 0; s < spectra; ++s) {
    const Eigen::Index rows = 3 * (local + global);
    Eigen::MatrixXd jacobian(rows, local + global);
    Eigen::VectorXd residuals(rows);
    for (Eigen::Index i = 0; i < rows; ++i) {
      residuals[i] = uniform();
      // Columns of very different scale, as solver coordinates give.
      for (Eigen::Index j = 0; j < local + global; ++j) jacobian(i, j) = uniform() * std::pow(10.0, static_cast<double>(j % 3));
    }
    const Eigen::MatrixXd normal = jacobian.transpose() * jacobian;
    const Eigen::VectorXd b = jacobian.transpose() * residuals;
    NormalBlocks block{normal.topLeftCorner(local, local), normal.topRightCorner(local, global),
                       normal.bottomRightCorner(global, global), b.head(local), b.tail(global)};
    const Eigen::Index at = static_cast<Eigen::Index>(s) * local;
    const Eigen::Index g0 = size - global;
    out.dense.block(at, at, local, local) = block.U;
    out.dense.block(at, g0, local, global) = block.W;
    out.dense.block(g0, at, global, local) = block.W.transpose();
    out.dense.block(g0, g0, global, global) += block.V;
    out.gradient.segment(at, local) = block.b_local;
    out.gradient.tail(global) += block.b_global;
    out.blocks.push_back(std::move(block));
  }
  return out;
}

double relative_difference(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b) {
  return (a - b).norm() / b.norm();
}

}  // namespace

TEST_CASE("the damped Schur step equals the dense solve of the same damped normal equations") {
  for (const double lambda : {0.0, 1e-3, 10.0}) {
    const BlockProblem problem = random_blocks(6, 3, 4, 17);
    Result<SchurStep> step = solve_damped(problem.blocks, lambda);
    CHECK(step.ok());
    if (!step.ok()) continue;
    Eigen::MatrixXd damped = problem.dense;
    for (Eigen::Index i = 0; i < damped.rows(); ++i) {
      damped(i, i) += lambda * std::fmin(std::fmax(problem.dense(i, i), kMinDamping), kMaxDamping);
    }
    // The global damping is read off the summed global block, the local one off each block:
    // both are the dense diagonal.
    const Eigen::VectorXd reference = damped.ldlt().solve(-problem.gradient);
    Eigen::VectorXd assembled(reference.size());
    for (std::size_t s = 0; s < 6; ++s) assembled.segment(static_cast<Eigen::Index>(s) * 3, 3) = step->local[s];
    assembled.tail(4) = step->global;
    CHECK(relative_difference(assembled, reference) < 1e-9);
    const double predicted = 0.5 * assembled.dot((damped - problem.dense) * assembled - problem.gradient);
    CHECK_NEAR(step->predicted_reduction, predicted, 1e-9 * std::fabs(predicted));
  }
}

TEST_CASE("the block covariance holds the dense inverse's global, local and cross blocks") {
  const BlockProblem problem = random_blocks(5, 2, 3, 99);
  Result<BlockCovariance> covariance = block_covariance(problem.blocks, 1e-12);
  CHECK(covariance.ok());
  if (!covariance.ok()) return;
  const Eigen::MatrixXd inverse = problem.dense.inverse();
  const Eigen::Index g0 = inverse.rows() - 3;
  CHECK(relative_difference(covariance->global, inverse.bottomRightCorner(3, 3)) < 1e-9);
  for (std::size_t s = 0; s < 5; ++s) {
    const Eigen::Index at = static_cast<Eigen::Index>(s) * 2;
    CHECK(relative_difference(covariance->local[s], inverse.block(at, at, 2, 2)) < 1e-9);
    CHECK(relative_difference(covariance->cross[s], inverse.block(at, g0, 2, 3)) < 1e-9);
    CHECK(!covariance->local_unresolved[s][0] && !covariance->local_unresolved[s][1]);
  }
}

TEST_CASE("a column that no spectrum sees is unresolved, the others keep their inverse") {
  BlockProblem problem = random_blocks(3, 2, 2, 5);
  for (NormalBlocks& block : problem.blocks) {
    block.V.row(1).setZero();
    block.V.col(1).setZero();
    block.W.col(1).setZero();
  }
  Result<BlockCovariance> covariance = block_covariance(problem.blocks, 1e-12);
  CHECK(covariance.ok());
  if (!covariance.ok()) return;
  CHECK(covariance->global_unresolved[1]);
  CHECK(!covariance->global_unresolved[0]);
  CHECK(std::isfinite(covariance->global(0, 0)) && covariance->global(0, 0) > 0.0);
}

TEST_CASE("a joint fit on exact data recovers the shared value and the law's coefficients") {
  // R0-p(R1,C1): R0 shared, R1 = exp(c0 + c1 / T) over five temperatures, C1 each spectrum's own.
  const std::vector<double> temperatures{250.0, 275.0, 300.0, 325.0, 350.0};
  const double c0 = std::log(0.5), c1 = 900.0, r0 = 12.0;
  SeriesProblem problem;
  problem.circuit = circuit_with("R0-p(R1,C1)", {1.0, 1.0, 1.0}).nodes;
  SeriesLaw law{1, LawLink::Log, 2, {}};
  for (std::size_t s = 0; s < temperatures.size(); ++s) {
    const double r1 = std::exp(c0 + c1 / temperatures[s]);
    const double c = 1e-5 * (1.0 + 0.1 * static_cast<double>(s));
    problem.spectra.push_back(spectrum_of(circuit_with("R0-p(R1,C1)", {r0, r1, c}), log_frequencies(0.1, 1e5, 30)));
    // Starts off the truth by some tens of percent, as independent fits of noisy data would be.
    problem.starts.insert(problem.starts.end(), {r0 * (1.0 + 0.05 * static_cast<double>(s)), r1 * 1.3, c * 0.8});
    law.basis.insert(law.basis.end(), {1.0, 1.0 / temperatures[s]});
  }
  problem.shared = {0};
  problem.laws = {law};
  Result<SeriesSummary> summary = fit_series(problem, SeriesOptions{});
  CHECK(summary.ok());
  if (!summary.ok()) return;
  CHECK(summary->converged);
  CHECK_NEAR(summary->global_values[0], r0, 1e-6 * r0);
  CHECK_NEAR(summary->global_values[1], c0, 1e-6);
  CHECK_NEAR(summary->global_values[2], c1, 1e-4);
  for (std::size_t s = 0; s < temperatures.size(); ++s) {
    CHECK_SAME(summary->values[s * 3 + 0], summary->global_values[0]);
    CHECK_NEAR(summary->values[s * 3 + 1], std::exp(c0 + c1 / temperatures[s]), 1e-6 * std::exp(c0 + c1 / temperatures[s]));
  }
  CHECK_EQ(summary->free_count, std::size_t{5 + 3});
  CHECK_EQ(summary->residual_count, std::size_t{5 * 60});
}

TEST_CASE("a parameter both shared and in a law, or a basis of the wrong size, is refused by name") {
  SeriesProblem problem;
  problem.circuit = circuit_with("R0-p(R1,C1)", {1.0, 1.0, 1.0}).nodes;
  problem.spectra.push_back(spectrum_of(circuit_with("R0-p(R1,C1)", {1.0, 10.0, 1e-5}), log_frequencies(1, 1e4, 10)));
  problem.starts = {1.0, 10.0, 1e-5};
  problem.shared = {1};
  problem.laws = {SeriesLaw{1, LawLink::Identity, 1, {1.0}}};
  Result<SeriesSummary> both = fit_series(problem, SeriesOptions{});
  CHECK(!both.ok() && both.error().message.find("R1.r") != std::string::npos);
  problem.shared.clear();
  problem.laws[0].basis = {1.0, 2.0};
  Result<SeriesSummary> sized = fit_series(problem, SeriesOptions{});
  CHECK(!sized.ok() && sized.error().message.find("one row of basis values per spectrum") != std::string::npos);
}

CHECK_MAIN()
