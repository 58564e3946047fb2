// Parameter uncertainty from the singular values of the column-scaled Jacobian: the scaling
// keeps resistances and capacitances decades apart comparable, and the singular values show
// the directions the data cannot resolve instead of inverting them into round-off.
#include "fit/fit_uncertainty.h"

#include <Eigen/Dense>

#include <cfloat>
#include <cmath>
#include <limits>

#include "fit/student_t.h"
#include "util/worker_pool.h"

namespace corvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A parameter takes part in an unresolved direction when that direction moves it by more
// than this share of a unit step (squared components summed over all such directions).
constexpr double kNullShare = 1e-2;

FitUncertainty without_estimate(std::size_t n, double degrees_of_freedom) {
  FitUncertainty out;
  out.covariance.assign(n * n, kNaN);
  out.correlation.assign(n * n, kNaN);
  out.standard_errors.assign(n, std::nullopt);
  out.interval_low.assign(n, kNaN);
  out.interval_high.assign(n, kNaN);
  out.identifiable.assign(n, false);
  out.degrees_of_freedom = degrees_of_freedom;
  out.t_quantile = kNaN;
  return out;
}

// The quantile is a root search over the incomplete beta function, a good share of the whole
// uncertainty, and fits of spectra of one length ask for the same degrees of freedom one after
// another: each thread keeps its last answer.
double interval_t_quantile(double degrees_of_freedom) {
  thread_local double last_degrees = kNaN;
  thread_local double last_quantile = kNaN;
  if (degrees_of_freedom != last_degrees) {
    last_quantile = student_t_quantile(0.5 + 0.5 * kIntervalConfidence, degrees_of_freedom);
    last_degrees = degrees_of_freedom;
  }
  return last_quantile;
}

bool all_finite(std::span<const double> values) {
  for (const double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace

FitUncertainty fit_uncertainty(std::span<const double> free_jacobian, std::size_t m, std::span<const double> x,
                               const std::vector<bool>& held, double chi_square,
                               double min_reciprocal_condition) {
  const std::size_t n = x.size();
  std::vector<std::size_t> free;
  for (std::size_t j = 0; j < n; ++j) {
    if (j >= held.size() || !held[j]) free.push_back(j);
  }
  const std::size_t k = free.size();
  const double degrees_of_freedom = static_cast<double>(m) - static_cast<double>(k);
  FitUncertainty out = without_estimate(n, degrees_of_freedom);
  for (std::size_t j = 0; j < n; ++j) {
    if (j < held.size() && held[j]) {
      for (std::size_t i = 0; i < n; ++i) out.covariance[j * n + i] = out.covariance[i * n + j] = 0.0;
    }
  }
  if (k == 0 || !(degrees_of_freedom > 0.0) || !std::isfinite(chi_square) || free_jacobian.size() < m * k ||
      !all_finite(free_jacobian.first(m * k))) {
    return out;
  }

  // Column norms as the scaling; a zero column is a direction the data cannot see at all.
  Eigen::Map<const Eigen::MatrixXd> jacobian(free_jacobian.data(), static_cast<Eigen::Index>(m),
                                             static_cast<Eigen::Index>(k));
  Eigen::VectorXd norms = jacobian.colwise().norm().transpose();
  Eigen::MatrixXd scaled = jacobian;
  for (Eigen::Index c = 0; c < scaled.cols(); ++c) {
    if (norms(c) > 0.0) scaled.col(c) /= norms(c);
  }
  Eigen::JacobiSVD<Eigen::MatrixXd> svd(scaled, Eigen::ComputeThinV);
  const Eigen::VectorXd& s = svd.singularValues();
  const Eigen::MatrixXd& v = svd.matrixV();
  const double s_max = s.size() ? s(0) : 0.0;

  // Pseudo-inverse over the resolved directions; the shares of each parameter in the others.
  Eigen::MatrixXd scaled_covariance = Eigen::MatrixXd::Zero(static_cast<Eigen::Index>(k), static_cast<Eigen::Index>(k));
  Eigen::VectorXd null_share = Eigen::VectorXd::Zero(static_cast<Eigen::Index>(k));
  for (Eigen::Index d = 0; d < s.size(); ++d) {
    const Eigen::VectorXd direction = v.col(d);
    if (s(d) * s(d) > min_reciprocal_condition * (s_max * s_max)) {
      scaled_covariance.noalias() += (direction * direction.transpose()) / (s(d) * s(d));
    } else {
      null_share += direction.cwiseAbs2();
    }
  }
  const double variance_scale = chi_square / degrees_of_freedom;
  std::vector<bool> unresolved(k);
  for (std::size_t a = 0; a < k; ++a) {
    const auto ia = static_cast<Eigen::Index>(a);
    unresolved[a] = !(norms(ia) > 0.0) || null_share(ia) > kNullShare;
  }

  out.t_quantile = interval_t_quantile(degrees_of_freedom);
  for (std::size_t a = 0; a < k; ++a) {
    const std::size_t pa = free[a];
    const auto ia = static_cast<Eigen::Index>(a);
    for (std::size_t b = 0; b < k; ++b) {
      const std::size_t pb = free[b];
      const auto ib = static_cast<Eigen::Index>(b);
      out.covariance[pa * n + pb] = (unresolved[a] || unresolved[b])
                                        ? kNaN
                                        : variance_scale * scaled_covariance(ia, ib) / (norms(ia) * norms(ib));
    }
    if (unresolved[a]) {
      out.standard_errors[pa] = kInf;
      out.interval_low[pa] = -kInf;
      out.interval_high[pa] = kInf;
      continue;
    }
    // A standard error below the value's own rounding is round-off, not precision.
    double se = std::sqrt(out.covariance[pa * n + pa]);
    se = std::fmax(se, DBL_EPSILON * std::fabs(x[pa]));
    if (!(se > 0.0)) se = DBL_MIN;
    out.standard_errors[pa] = se;
    out.interval_low[pa] = x[pa] - out.t_quantile * se;
    out.interval_high[pa] = x[pa] + out.t_quantile * se;
    out.identifiable[pa] = std::isfinite(se) && se <= std::fabs(x[pa]);
  }
  for (std::size_t a = 0; a < k; ++a) {
    for (std::size_t b = 0; b < k; ++b) {
      const std::size_t pa = free[a], pb = free[b];
      const double c = out.covariance[pa * n + pb];
      out.correlation[pa * n + pb] =
          pa == pb && std::isfinite(c) ? 1.0 : c / std::sqrt(out.covariance[pa * n + pa] * out.covariance[pb * n + pb]);
    }
  }
  return out;
}

FitUncertainty uncertainty_at(const FitProblem& problem, std::span<const double> x, const std::vector<bool>& held,
                              double chi_square) {
  const std::size_t m = problem.residual_count();
  std::vector<std::size_t> free;
  for (std::size_t j = 0; j < x.size(); ++j) {
    if (j >= held.size() || !held[j]) free.push_back(j);
  }
  std::vector<double> jacobian(free.size() * m);
  auto column = [&](std::size_t c) {
    // Cannot fail for a full-length x; a short one leaves NaN columns and no estimate.
    Status status = jacobian_column(problem, x, free[c], std::span<double>(jacobian.data() + c * m, m));
    if (!status) std::fill(jacobian.begin() + c * m, jacobian.begin() + (c + 1) * m, kNaN);
  };
  parallel_for(free.size(), TaskRef(column));
  const Result<std::vector<double>> residuals = residual_vector(problem, x);
  const double noise = residuals.ok() ? largest_column_noise(problem, x, *residuals, jacobian, free)
                                      : std::numeric_limits<double>::quiet_NaN();
  return fit_uncertainty(jacobian, m, x, held, chi_square, min_reciprocal_condition(noise));
}

}  // namespace corvex
