// Relaxation-time distribution: gamma(ln tau) as a sum of Gaussians, the impedance integrals
// by the trapezoid rule (spectrally accurate for these analytic, fast-decaying integrands),
// a derivative penalty in closed form, lambda by GCV of the unconstrained problem, then NNLS.
#include "analysis/relaxation_times.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <string>

#include "analysis/nnls.h"
#include "analysis/truncated_gaussian.h"
#include "analysis/spectrum_checks.h"
#include "elements/element_impedance.h"

namespace corvex {

namespace {

constexpr double kSqrtHalfPi = 1.2533141373155003;
constexpr double kSqrtLn2 = 0.8325546111576977;
// Trapezoid nodes of the basis integrals in u = eps * (y - y_m): e^{-u^2} < 1e-16 beyond 6.1.
constexpr double kQuadratureStep = 0.2;
constexpr int kQuadratureHalfCount = 31;
// Output grid points per basis spacing.
constexpr int kOutputRefinement = 5;
// Posterior draws discarded before the kept ones (the chain starts at the mode), and the
// quantiles of the credible band.
constexpr std::size_t kBurnIn = 50;
constexpr double kLowerQuantile = 0.01;
constexpr double kUpperQuantile = 0.99;
// Most posterior draws a call may ask for.
constexpr std::size_t kMaxSamples = 100000;
// Beyond this omega * tau the kernels are 0 and -1/(omega tau) to double precision, and their
// textbook forms would overflow (very wide basis functions reach such values).
constexpr double kLargeOmegaTau = 1e150;
// Most basis functions a call may ask for, so a bad option cannot demand a huge matrix.
constexpr std::size_t kMaxCentres = 2000;
// Data points between two looks at the cancellation token while the design is built.
constexpr std::size_t kPointsPerStopCheck = 512;

// Whether the caller asked the computation to stop (a stage left early on a stop checks this).
bool stop_requested(const DrtOptions& options) {
  return options.cancellation != nullptr && options.cancellation->stop_requested();
}

struct Design {
  Eigen::MatrixXd a;        // weighted rows x columns
  Eigen::VectorXd b;        // weighted data
  Eigen::MatrixXd penalty;  // columns x columns, zero outside the gamma block
  Eigen::Index first_gamma = 0;
  Eigen::Index resistance_column = -1;
  Eigen::Index inductance_column = -1;
  Eigen::VectorXd column_scale;  // solution = scaled solution / scale
  std::vector<std::size_t> row_frequency;
  std::vector<bool> row_imaginary;
};

// The trapezoid nodes of the basis integrals in u = eps * (y - y_m): weights e^{-u^2} and
// factors e^{u/eps}, so that omega * tau at node q is omega * tau_m * factor_q.
struct Quadrature {
  double weight[2 * kQuadratureHalfCount + 1];
  double factor[2 * kQuadratureHalfCount + 1];
};

Quadrature make_quadrature(double eps) {
  Quadrature q;
  for (int k = -kQuadratureHalfCount; k <= kQuadratureHalfCount; ++k) {
    const double u = k * kQuadratureStep;
    q.weight[k + kQuadratureHalfCount] = std::exp(-u * u) * kQuadratureStep / eps;
    q.factor[k + kQuadratureHalfCount] = std::exp(u / eps);
  }
  return q;
}

// Integral of the basis function centred at tau_m against the kernels 1/(1 + (w tau)^2)
// (real) and -w tau/(1 + (w tau)^2) (imaginary), for w tau_m = omega_tau.
void basis_integrals(double omega_tau, const Quadrature& q, double* re, double* im) {
  double sum_re = 0.0, sum_im = 0.0;
  for (int k = 0; k < 2 * kQuadratureHalfCount + 1; ++k) {
    const double x = omega_tau * q.factor[k];
    if (x > kLargeOmegaTau) {
      sum_im -= q.weight[k] / x;
      continue;
    }
    const double d = 1.0 / (1.0 + x * x);
    sum_re += q.weight[k] * d;
    sum_im -= q.weight[k] * x * d;
  }
  *re = sum_re;
  *im = sum_im;
}

// Gram matrix of the order-th derivatives of the Gaussians exp(-(eps (y - y_i))^2).
double penalty_entry(double d, double eps, int order) {
  const double e2 = eps * eps;
  const double base = kSqrtHalfPi / eps * std::exp(-e2 * d * d / 2.0);
  const double x = e2 * d * d;
  if (order == 1) return e2 * (1.0 - x) * base;
  return e2 * e2 * (3.0 - 6.0 * x + x * x) * base;
}

Design build_design(const std::vector<double>& omega, const std::vector<Complex>& z, const std::vector<double>& weight,
                    const std::vector<double>& log_centres, double eps, const DrtOptions& options) {
  Design d;
  const std::size_t n = omega.size();
  const bool use_re = options.fit != DrtFit::Imaginary;
  const bool use_im = options.fit != DrtFit::Real;
  const Eigen::Index rows = static_cast<Eigen::Index>((use_re ? n : 0) + (use_im ? n : 0));
  Eigen::Index cols = 0;
  if (options.series_resistance && use_re) d.resistance_column = cols++;
  if (options.series_inductance && use_im) d.inductance_column = cols++;
  d.first_gamma = cols;
  const Eigen::Index m = static_cast<Eigen::Index>(log_centres.size());
  cols += m;
  d.a = Eigen::MatrixXd::Zero(rows, cols);
  d.b.resize(rows);
  const Quadrature quadrature = make_quadrature(eps);
  Eigen::Index row = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (i % kPointsPerStopCheck == 0 && stop_requested(options)) break;
    const Eigen::Index re_row = use_re ? row++ : -1;
    const Eigen::Index im_row = use_im ? row++ : -1;
    if (use_re) {
      d.row_frequency.push_back(i);
      d.row_imaginary.push_back(false);
    }
    if (use_im) {
      d.row_frequency.push_back(i);
      d.row_imaginary.push_back(true);
    }
    for (Eigen::Index k = 0; k < m; ++k) {
      double re = 0.0, im = 0.0;
      basis_integrals(omega[i] * std::exp(log_centres[static_cast<std::size_t>(k)]), quadrature, &re, &im);
      if (use_re) d.a(re_row, d.first_gamma + k) = re * weight[i];
      if (use_im) d.a(im_row, d.first_gamma + k) = im * weight[i];
    }
    if (use_re) {
      if (d.resistance_column >= 0) d.a(re_row, d.resistance_column) = weight[i];
      d.b[re_row] = z[i].re * weight[i];
    }
    if (use_im) {
      if (d.inductance_column >= 0) d.a(im_row, d.inductance_column) = omega[i] * weight[i];
      d.b[im_row] = z[i].im * weight[i];
    }
  }
  // The series terms get unit-length columns so their size does not skew the normal matrix.
  d.column_scale = Eigen::VectorXd::Ones(cols);
  for (Eigen::Index j = 0; j < d.first_gamma; ++j) {
    const double norm = d.a.col(j).norm();
    if (norm > 0.0) {
      d.column_scale[j] = norm;
      d.a.col(j) /= norm;
    }
  }
  d.penalty = Eigen::MatrixXd::Zero(cols, cols);
  for (Eigen::Index i = 0; i < m; ++i) {
    for (Eigen::Index j = 0; j < m; ++j) {
      d.penalty(d.first_gamma + i, d.first_gamma + j) = penalty_entry(
          log_centres[static_cast<std::size_t>(i)] - log_centres[static_cast<std::size_t>(j)], eps,
          options.derivative_order);
    }
  }
  return d;
}

// The index of the lowest gamma in [from, to].
std::size_t lowest(const std::vector<double>& gamma, std::size_t from, std::size_t to) {
  return static_cast<std::size_t>(std::min_element(gamma.begin() + static_cast<std::ptrdiff_t>(from),
                                                   gamma.begin() + static_cast<std::ptrdiff_t>(to) + 1) -
                                  gamma.begin());
}

// The valleys that part each kept maximum from its kept neighbours: the lowest points between
// them, or the grid's ends.
std::vector<std::pair<std::size_t, std::size_t>> valleys(const std::vector<double>& gamma,
                                                         const std::vector<std::size_t>& kept) {
  std::vector<std::pair<std::size_t, std::size_t>> out;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    out.emplace_back(i == 0 ? 0 : lowest(gamma, kept[i - 1], kept[i]),
                     i + 1 == kept.size() ? gamma.size() - 1 : lowest(gamma, kept[i], kept[i + 1]));
  }
  return out;
}

// Share of the posterior draws (columns of `draws`, gamma on the output grid) in which gamma
// at the peak rises above both its valleys; NaN without draws.
double rise_probability(const Eigen::MatrixXd& draws, std::size_t peak, std::size_t left, std::size_t right) {
  if (draws.cols() == 0) return std::numeric_limits<double>::quiet_NaN();
  const auto k = static_cast<Eigen::Index>(peak), l = static_cast<Eigen::Index>(left),
             r = static_cast<Eigen::Index>(right);
  Eigen::Index rising = 0;
  for (Eigen::Index s = 0; s < draws.cols(); ++s) {
    if (draws(k, s) > std::max(draws(l, s), draws(r, s))) ++rising;
  }
  return static_cast<double>(rising) / static_cast<double>(draws.cols());
}

// Local maxima of gamma of at least `peak_threshold` of the reference height (the highest gamma
// inside the measured window [log_lo, log_hi], since beyond it no data shape the distribution).
// By prominence they must also rise `peak_prominence` of the reference above the higher of
// the two valleys that part them from higher ground (or from the grid's ends): ripples and the
// shoulders of a monotonic tail have little prominence whatever their height. By significance
// the least probable maximum (see rise_probability) merges into its neighbours while it is
// below `peak_probability`, so a small process stands when the data demand it and a ripple
// as wide as the posterior's own spread does not. A peak's area runs between its valleys, so
// the areas add up to the whole distribution.
std::vector<DrtPeak> find_peaks(const std::vector<double>& log_tau, const std::vector<double>& gamma,
                                const Eigen::MatrixXd& draws, const DrtOptions& options, double log_lo,
                                double log_hi) {
  std::vector<DrtPeak> peaks;
  const std::size_t n = gamma.size();
  if (n < 3) return peaks;
  double reference = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    if (log_tau[k] >= log_lo && log_tau[k] <= log_hi) reference = std::max(reference, gamma[k]);
  }
  if (!(reference > 0.0)) reference = *std::max_element(gamma.begin(), gamma.end());
  if (!(reference > 0.0)) return peaks;
  const bool by_prominence = options.peak_rule == DrtPeakRule::Prominence;
  std::vector<std::size_t> kept;
  for (std::size_t k = 1; k + 1 < n; ++k) {
    if (!(gamma[k] > gamma[k - 1] && gamma[k] >= gamma[k + 1]) || gamma[k] < options.peak_threshold * reference) {
      continue;
    }
    if (by_prominence) {
      double left = gamma[k], right = gamma[k];
      for (std::size_t j = k; j-- > 0 && !(gamma[j] > gamma[k]);) left = std::min(left, gamma[j]);
      for (std::size_t j = k + 1; j < n && !(gamma[j] > gamma[k]); ++j) right = std::min(right, gamma[j]);
      if (gamma[k] - std::max(left, right) < options.peak_prominence * reference) continue;
    }
    kept.push_back(k);
  }
  std::vector<double> probability(kept.size());
  while (true) {
    const auto bounds = valleys(gamma, kept);
    for (std::size_t i = 0; i < kept.size(); ++i) {
      probability[i] = rise_probability(draws, kept[i], bounds[i].first, bounds[i].second);
    }
    if (by_prominence || kept.empty()) break;
    const std::size_t weakest = static_cast<std::size_t>(
        std::min_element(probability.begin(), probability.begin() + static_cast<std::ptrdiff_t>(kept.size())) -
        probability.begin());
    if (probability[weakest] >= options.peak_probability) break;
    kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(weakest));
    probability.pop_back();
  }
  const auto bounds = valleys(gamma, kept);
  const double h = log_tau[1] - log_tau[0];
  const double tolerance = 1e-9 * std::max(std::fabs(log_lo), std::fabs(log_hi));
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const std::size_t k = kept[i];
    double area = 0.0;
    for (std::size_t j = bounds[i].first; j < bounds[i].second; ++j) area += 0.5 * (gamma[j] + gamma[j + 1]) * h;
    // Vertex of the parabola through the three points around the maximum.
    const double curvature = gamma[k - 1] - 2.0 * gamma[k] + gamma[k + 1];
    const double shift = curvature < 0.0 ? 0.5 * (gamma[k - 1] - gamma[k + 1]) / curvature : 0.0;
    const double log_peak = log_tau[k] + shift * h;
    peaks.push_back({std::exp(log_peak), gamma[k] - 0.25 * (gamma[k - 1] - gamma[k + 1]) * shift, area,
                     log_peak < log_lo - tolerance || log_peak > log_hi + tolerance, probability[i]});
  }
  return peaks;
}

// Draws of the coefficients from the posterior of a Gaussian likelihood with the residuals'
// variance and a Gaussian prior whose precision is lambda times the penalty, under
// non-negativity (Ciucci & Chen 2015; Effat & Ciucci 2017). The variance is the residual sum
// of squares at the mode over the rows less the effective parameter count. Exact draws of the
// truncated posterior come from Hamiltonian Monte Carlo; the default draws are the Gaussian
// posterior's spread around the non-negative mode, projected on the orthant, which costs a
// triangular product a draw where the exact chain may reflect thousands of times when the
// unconstrained mean lies far outside the orthant.
struct Posterior {
  Eigen::MatrixXd samples;  // scaled coefficients, one draw per column (none without draws)
  double noise = 0.0;
};

Posterior sample_posterior(const Design& d, const Eigen::MatrixXd& gram, const Eigen::VectorXd& mode,
                           const DrtOptions& options) {
  Posterior out;
  const Eigen::LLT<Eigen::MatrixXd> llt(gram);
  const double rows = static_cast<double>(d.b.size());
  const double trace = llt.solve(d.a.transpose() * d.a).trace();
  const double residual = (d.b - d.a * mode).squaredNorm();
  out.noise = std::sqrt(residual / std::max(rows - trace, 1.0));
  const Eigen::Index n = mode.size();
  out.samples.resize(n, 0);
  if (options.posterior_samples == 0) return out;
  // The variance of an exact spectrum is round-off: a floor keeps the precision finite.
  const double variance = std::max(out.noise * out.noise, 1e-24);
  RandomStream stream(pcg32_key(options.seed));
  if (options.exact_posterior) {
    const Eigen::VectorXd mean = llt.solve(d.a.transpose() * d.b);
    const Eigen::VectorXd spread = llt.solve(Eigen::MatrixXd::Identity(n, n)).diagonal().cwiseSqrt();
    // A start strictly inside the orthant: the mode lifted off its walls by a little of the spread.
    const Eigen::VectorXd start = mode.cwiseMax(1e-3 * std::sqrt(variance) * spread);
    out.samples = sample_nonnegative_gaussian(mean, gram / variance, start, options.posterior_samples, kBurnIn,
                                              &stream).samples;
    return out;
  }
  // mode + sigma L^-T e with gram = L L' has the posterior's covariance sigma^2 gram^-1.
  Eigen::MatrixXd noise(n, static_cast<Eigen::Index>(options.posterior_samples));
  for (Eigen::Index s = 0; s < noise.cols(); ++s) {
    for (Eigen::Index i = 0; i < n; ++i) noise(i, s) = standard_normal(&stream);
  }
  llt.matrixU().solveInPlace(noise);
  out.samples = ((std::sqrt(variance) * noise).colwise() + mode).cwiseMax(0.0);
  return out;
}

Status check_options(const DrtOptions& o) {
  if (o.derivative_order != 1 && o.derivative_order != 2) return value_error("derivative_order must be 1 or 2");
  if (!(o.points_per_decade > 0.0 && o.points_per_decade <= 100.0)) {
    return value_error("points_per_decade must lie in (0, 100]");
  }
  if (!(o.extend_decades >= 0.0 && o.extend_decades <= 5.0)) return value_error("extend_decades must lie in [0, 5]");
  if (!(o.shape_factor > 0.0 && o.shape_factor <= 10.0)) return value_error("shape_factor must lie in (0, 10]");
  if (o.lambda && !(*o.lambda > 0.0 && std::isfinite(*o.lambda))) {
    return value_error("lambda must be a finite positive number");
  }
  if (!(o.gcv_factor >= 1.0 && o.gcv_factor <= 10.0)) return value_error("gcv_factor must lie in [1, 10]");
  if (!(o.peak_threshold >= 0.0 && o.peak_threshold < 1.0)) return value_error("peak_threshold must lie in [0, 1)");
  if (!(o.peak_prominence >= 0.0 && o.peak_prominence < 1.0)) {
    return value_error("peak_prominence must lie in [0, 1)");
  }
  if (!(o.peak_probability >= 0.0 && o.peak_probability <= 1.0)) {
    return value_error("peak_probability must lie in [0, 1]");
  }
  if (o.posterior_samples > kMaxSamples) return value_error("posterior_samples must be at most 100000");
  if (o.peak_rule == DrtPeakRule::Significance && o.posterior_samples == 0) {
    return value_error("peaks by significance need posterior_samples > 0");
  }
  if (o.lambda_rule == DrtLambdaRule::ReImDiscrepancy && o.fit != DrtFit::Complex && !o.lambda) {
    return value_error("the re-im discrepancy rule needs fit=\"complex\"");
  }
  return {};
}

}  // namespace

Result<DrtOutcome> relaxation_times(const Spectrum& spectrum, const DrtOptions& options) {
  if (Status s = check_analysis_spectrum(spectrum, kDrtMinPoints, "the relaxation-time distribution"); !s) {
    return s.take_error();
  }
  if (Status s = check_options(options); !s) return s.take_error();

  // The problem runs on the impedance divided by the power of two at or below its largest
  // component: the numbers stay far from overflow and underflow in any unit, and the division
  // is exact, so a given lambda means what it means on the raw data. The lambda search spans
  // a range relative to that largest component, so the chosen smoothing is unit-free.
  const std::size_t n = spectrum.frequencies.size();
  double largest = 0.0;
  for (const Complex& value : spectrum.impedances) largest = std::max({largest, std::fabs(value.re), std::fabs(value.im)});
  int exponent = 0;
  std::frexp(largest, &exponent);
  const int unit_exponent = exponent - 1;
  const double unit_ratio = std::ldexp(1.0, unit_exponent) / largest;  // in (1/2, 1]
  std::vector<Complex> z(n);
  for (std::size_t i = 0; i < n; ++i) {
    z[i] = {std::ldexp(spectrum.impedances[i].re, -unit_exponent), std::ldexp(spectrum.impedances[i].im, -unit_exponent)};
  }
  std::optional<double> scaled_lambda;
  if (options.lambda) {
    scaled_lambda = std::ldexp(*options.lambda, 2 * unit_exponent);
    if (!std::isnormal(*scaled_lambda)) {
      return value_error("lambda is too large or too small for the scale of these impedances");
    }
  }

  std::vector<double> omega(n), weight(n);
  double f_min = spectrum.frequencies[0], f_max = spectrum.frequencies[0];
  for (std::size_t i = 0; i < n; ++i) {
    omega[i] = kTwoPi * spectrum.frequencies[i];
    weight[i] = 1.0 / std::hypot(z[i].re, z[i].im);
    f_min = std::min(f_min, spectrum.frequencies[i]);
    f_max = std::max(f_max, spectrum.frequencies[i]);
  }
  const double log_lo = std::log10(1.0 / (kTwoPi * f_max)) - options.extend_decades;
  const double log_hi = std::log10(1.0 / (kTwoPi * f_min)) + options.extend_decades;
  const double decades = std::max(log_hi - log_lo, 0.0);
  const std::size_t count = static_cast<std::size_t>(std::llround(decades * options.points_per_decade)) + 1;
  if (count < 3) return value_error("the tau grid needs at least 3 basis functions; widen it with extend_decades");
  if (count > kMaxCentres) return value_error("the tau grid would need more than 2000 basis functions");
  std::vector<double> log_centres(count);  // natural log of tau
  for (std::size_t k = 0; k < count; ++k) {
    log_centres[k] = (log_lo + decades * static_cast<double>(k) / static_cast<double>(count - 1)) * 2.302585092994046;
  }
  const double spacing = log_centres[1] - log_centres[0];
  const double eps = 2.0 * kSqrtLn2 * options.shape_factor / spacing;

  const Design d = build_design(omega, z, weight, log_centres, eps, options);
  if (stop_requested(options)) return interrupted_error();
  const Eigen::MatrixXd ata = d.a.transpose() * d.a;
  const Eigen::VectorXd atb = d.a.transpose() * d.b;
  RegularisedProblem problem{&d.a, &d.b, &d.penalty, &ata, &atb, 1e-12 * ata.diagonal().maxCoeff(),
                             d.row_frequency, d.row_imaginary, d.first_gamma};

  DrtOutcome out;
  out.lambda_from_gcv = !options.lambda;
  const double lambda = scaled_lambda ? *scaled_lambda
                                      : choose_lambda(problem, options.lambda_rule, options.gcv_factor,
                                                      unit_ratio * unit_ratio);
  out.lambda = options.lambda ? *options.lambda : std::ldexp(lambda, -2 * unit_exponent);
  Eigen::MatrixXd gram = ata + lambda * d.penalty;
  gram.diagonal().array() += problem.ridge;
  Eigen::VectorXd x;
  if (stop_requested(options)) return interrupted_error();
  out.nnls_converged =
      solve_nnls(gram, atb, &x, options.cancellation != nullptr ? *options.cancellation : no_cancellation())
          .converged;
  if (stop_requested(options)) return interrupted_error();
  const Posterior posterior = sample_posterior(d, gram, x, options);
  out.noise = posterior.noise;
  x = x.cwiseQuotient(d.column_scale);

  if (d.resistance_column >= 0) out.series_resistance = x[d.resistance_column];
  if (d.inductance_column >= 0) out.series_inductance = x[d.inductance_column];
  out.centres.resize(count);
  out.coefficients.resize(count);
  for (std::size_t k = 0; k < count; ++k) {
    out.centres[k] = std::exp(log_centres[k]);
    out.coefficients[k] = x[d.first_gamma + static_cast<Eigen::Index>(k)];
  }

  // The fitted spectrum from the full design (both parts, whatever the fit used).
  DrtOptions both = options;
  both.fit = DrtFit::Complex;
  both.series_resistance = both.series_inductance = false;
  const Design full = build_design(omega, z, weight, log_centres, eps, both);
  if (stop_requested(options)) return interrupted_error();
  out.model.resize(n);
  out.residuals_real.resize(n);
  out.residuals_imag.resize(n);
  const Eigen::VectorXd gamma_part = full.a * Eigen::Map<const Eigen::VectorXd>(out.coefficients.data(), static_cast<Eigen::Index>(count));
  if (options.fit == DrtFit::Imaginary && options.series_resistance) {
    // The imaginary part cannot see R_inf: it is what the distribution leaves of the real part.
    double num = 0.0, den = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
      num += weight[i] * (z[i].re * weight[i] - gamma_part[static_cast<Eigen::Index>(2 * i)]);
      den += weight[i] * weight[i];
    }
    out.series_resistance = std::max(num / den, 0.0);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const double re = gamma_part[static_cast<Eigen::Index>(2 * i)] / weight[i] + out.series_resistance;
    const double im = gamma_part[static_cast<Eigen::Index>(2 * i + 1)] / weight[i] + omega[i] * out.series_inductance;
    out.model[i] = {re, im};
    out.residuals_real[i] = (z[i].re - re) * weight[i];
    out.residuals_imag[i] = (z[i].im - im) * weight[i];
  }

  const std::size_t fine = (count - 1) * kOutputRefinement + 1;
  std::vector<double> log_tau(fine);
  out.tau.resize(fine);
  out.gamma.assign(fine, 0.0);
  for (std::size_t j = 0; j < fine; ++j) {
    log_tau[j] = log_centres[0] + (log_centres[count - 1] - log_centres[0]) * static_cast<double>(j) / static_cast<double>(fine - 1);
    out.tau[j] = std::exp(log_tau[j]);
    double g = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
      const double u = eps * (log_tau[j] - log_centres[k]);
      if (out.coefficients[k] != 0.0 && u * u < 40.0) g += out.coefficients[k] * std::exp(-u * u);
    }
    out.gamma[j] = g;
  }
  // gamma of every posterior draw on the output grid, and its band.
  Eigen::MatrixXd basis(static_cast<Eigen::Index>(fine), static_cast<Eigen::Index>(count));
  for (std::size_t j = 0; j < fine; ++j) {
    for (std::size_t k = 0; k < count; ++k) {
      const double u = eps * (log_tau[j] - log_centres[k]);
      basis(static_cast<Eigen::Index>(j), static_cast<Eigen::Index>(k)) = u * u < 40.0 ? std::exp(-u * u) : 0.0;
    }
  }
  const Eigen::MatrixXd draws = basis * posterior.samples.bottomRows(static_cast<Eigen::Index>(count));
  if (draws.cols() > 0) {
    out.gamma_mean.resize(fine);
    out.gamma_lower.resize(fine);
    out.gamma_upper.resize(fine);
    std::vector<double> row(static_cast<std::size_t>(draws.cols()));
    const auto at = [&](double q) { return static_cast<std::ptrdiff_t>(std::llround(q * static_cast<double>(row.size() - 1))); };
    for (std::size_t j = 0; j < fine; ++j) {
      const auto r = static_cast<Eigen::Index>(j);
      out.gamma_mean[j] = draws.row(r).mean();
      for (std::size_t s = 0; s < row.size(); ++s) row[s] = draws(r, static_cast<Eigen::Index>(s));
      std::nth_element(row.begin(), row.begin() + at(kLowerQuantile), row.end());
      out.gamma_lower[j] = row[static_cast<std::size_t>(at(kLowerQuantile))];
      std::nth_element(row.begin(), row.begin() + at(kUpperQuantile), row.end());
      out.gamma_upper[j] = row[static_cast<std::size_t>(at(kUpperQuantile))];
    }
  }
  out.peaks = find_peaks(log_tau, out.gamma, draws, options, -std::log(kTwoPi * f_max), -std::log(kTwoPi * f_min));

  // Back to the data's unit.
  auto restore = [&](double value) { return std::ldexp(value, unit_exponent); };
  out.series_resistance = restore(out.series_resistance);
  out.series_inductance = restore(out.series_inductance);
  for (double& value : out.coefficients) value = restore(value);
  for (double& value : out.gamma) value = restore(value);
  for (auto* band : {&out.gamma_mean, &out.gamma_lower, &out.gamma_upper}) {
    for (double& value : *band) value = restore(value);
  }
  for (Complex& value : out.model) value = {restore(value.re), restore(value.im)};
  for (DrtPeak& peak : out.peaks) {
    peak.height = restore(peak.height);
    peak.area = restore(peak.area);
  }
  bool finite = std::isfinite(out.series_resistance) && std::isfinite(out.series_inductance);
  for (const Complex& value : out.model) finite = finite && std::isfinite(value.re) && std::isfinite(value.im);
  for (double value : out.gamma) finite = finite && std::isfinite(value);
  if (!finite) {
    return value_error("the relaxation-time distribution has no finite solution for these data and options");
  }
  return out;
}

}  // namespace corvex
