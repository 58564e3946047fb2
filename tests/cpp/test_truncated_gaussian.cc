// The exact-HMC sampler of a Gaussian truncated to x >= 0: the mean of a one-dimensional
// truncated normal in closed form, and a strongly correlated pair against rejection sampling.
#include <Eigen/Dense>
#include <cmath>
#include <random>

#include "analysis/truncated_gaussian.h"
#include "check.h"

namespace {

TEST_CASE("one truncated normal has the closed-form mean and stays in the orthant") {
  // N(-0.5, 1) on x >= 0: mean = mu + phi(a) / (1 - Phi(a)) with a = 0.5.
  Eigen::VectorXd mean(1), start(1);
  mean << -0.5;
  start << 0.3;
  corvex::RandomStream stream(corvex::pcg32_key(7));
  const auto draws = corvex::sample_nonnegative_gaussian(mean, Eigen::MatrixXd::Identity(1, 1), start, 20000, 50,
                                                         &stream);
  CHECK(draws.complete);
  CHECK(draws.wall_hits > 0);
  CHECK(draws.samples.minCoeff() >= 0.0);
  const double a = 0.5;
  const double expected = -0.5 + std::exp(-a * a / 2) / std::sqrt(2 * M_PI) / (0.5 * std::erfc(a / std::sqrt(2.0)));
  CHECK_NEAR(draws.samples.row(0).mean(), expected, 0.03);
}

TEST_CASE("a correlated pair matches rejection sampling") {
  Eigen::VectorXd mean(2), start(2);
  mean << 0.3, -0.2;
  start << 0.5, 0.5;
  Eigen::MatrixXd covariance(2, 2);
  covariance << 1.0, 0.9, 0.9, 1.0;
  corvex::RandomStream stream(corvex::pcg32_key(3));
  const auto draws = corvex::sample_nonnegative_gaussian(mean, covariance.inverse(), start, 20000, 50, &stream);
  CHECK(draws.samples.minCoeff() >= 0.0);
  std::mt19937_64 engine(11);
  std::normal_distribution<double> normal;
  const Eigen::MatrixXd root = covariance.llt().matrixL();
  Eigen::Vector2d sum = Eigen::Vector2d::Zero();
  int kept = 0;
  while (kept < 20000) {
    const Eigen::Vector2d x = mean + root * Eigen::Vector2d(normal(engine), normal(engine));
    if (x.minCoeff() < 0.0) continue;
    sum += x;
    ++kept;
  }
  const Eigen::Vector2d reference = sum / kept;
  const Eigen::Vector2d sampled = draws.samples.rowwise().mean();
  CHECK_NEAR(sampled[0], reference[0], 0.03);
  CHECK_NEAR(sampled[1], reference[1], 0.03);
}

}  // namespace

CHECK_MAIN()
