// Relaxation-time distribution: gamma(ln tau) as a sum of Gaussians, the impedance integrals
// by the trapezoid rule (spectrally accurate for these analytic, fast-decaying integrands),
// a derivative penalty in closed form, lambda by GCV of the unconstrained problem, then NNLS.
#include "analysis/relaxation_times.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/nnls.h"
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
// Range of the cross-validation search, log10 of lambda times the square of the largest
// impedance component (so that it means the same smoothing in any unit), and its coarse step.
constexpr double kLogLambdaLow = -10.0;
constexpr double kLogLambdaHigh = 1.0;
constexpr double kLogLambdaStep = 1.0;
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

struct Normal {
  Eigen::MatrixXd ata;
  Eigen::VectorXd atb;
  double ridge = 0.0;  // keeps unpenalised directions solvable
};

Eigen::MatrixXd regularised(const Normal& normal, const Design& d, double lambda) {
  Eigen::MatrixXd g = normal.ata + lambda * d.penalty;
  g.diagonal().array() += normal.ridge;
  return g;
}

// Generalised cross-validation score of the unconstrained solution at lambda, with the
// effective number of parameters (the trace of the influence matrix) counted `factor` times:
// factor 1 is plain GCV, larger factors the modified GCV that counters its undersmoothing.
double gcv_score(const Normal& normal, const Design& d, double lambda, double factor) {
  const Eigen::LLT<Eigen::MatrixXd> llt(regularised(normal, d, lambda));
  const Eigen::VectorXd x = llt.solve(normal.atb);
  const double residual = (d.b - d.a * x).squaredNorm();
  const double trace = llt.solve(normal.ata).trace();
  const double rows = static_cast<double>(d.b.size());
  const double free = rows - factor * trace;
  return rows * residual / (free * free);
}

// The weight minimising the GCV score over lambda = unit * 10^t for t in the search range.
// A stop makes every later score NaN, which ends the search with a meaningless weight.
double choose_lambda(const Normal& normal, const Design& d, double factor, double unit, const DrtOptions& options) {
  auto at = [&](double t) {
    return stop_requested(options) ? NAN : gcv_score(normal, d, unit * std::pow(10.0, t), factor);
  };
  double best_log = kLogLambdaLow;
  double best = at(best_log);
  for (double t = kLogLambdaLow + kLogLambdaStep; t <= kLogLambdaHigh + 1e-9; t += kLogLambdaStep) {
    const double score = at(t);
    if (score < best) {
      best = score;
      best_log = t;
    }
  }
  // Golden-section refinement inside the coarse bracket.
  double lo = best_log - kLogLambdaStep, hi = best_log + kLogLambdaStep;
  const double ratio = 0.6180339887498949;
  double x1 = hi - ratio * (hi - lo), x2 = lo + ratio * (hi - lo);
  double f1 = at(x1), f2 = at(x2);
  for (int k = 0; k < 12; ++k) {
    if (f1 < f2) {
      hi = x2;
      x2 = x1;
      f2 = f1;
      x1 = hi - ratio * (hi - lo);
      f1 = at(x1);
    } else {
      lo = x1;
      x1 = x2;
      f1 = f2;
      x2 = lo + ratio * (hi - lo);
      f2 = at(x2);
    }
  }
  const double refined = f1 < f2 ? x1 : x2;
  return unit * std::pow(10.0, std::min(f1, f2) < best ? refined : best_log);
}

// Local maxima of gamma that stand out: at least `peak_threshold` of the reference height
// and rising at least `peak_prominence` of it above the higher of the two valleys that part
// them from higher ground (or from the grid's ends). Ripples of a lightly smoothed solution
// and the shoulders of a monotonic tail have little prominence whatever their height. The
// reference is the highest gamma inside the measured window [log_lo, log_hi], since beyond it
// no data shape the distribution. A peak's area runs between the lowest points towards its
// kept neighbours (or the grid's ends), so the areas add up to the whole distribution.
std::vector<DrtPeak> find_peaks(const std::vector<double>& log_tau, const std::vector<double>& gamma,
                                const DrtOptions& options, double log_lo, double log_hi) {
  std::vector<DrtPeak> peaks;
  const std::size_t n = gamma.size();
  if (n < 3) return peaks;
  double reference = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    if (log_tau[k] >= log_lo && log_tau[k] <= log_hi) reference = std::max(reference, gamma[k]);
  }
  if (!(reference > 0.0)) reference = *std::max_element(gamma.begin(), gamma.end());
  if (!(reference > 0.0)) return peaks;
  std::vector<std::size_t> kept;
  for (std::size_t k = 1; k + 1 < n; ++k) {
    if (!(gamma[k] > gamma[k - 1] && gamma[k] >= gamma[k + 1]) || gamma[k] < options.peak_threshold * reference) {
      continue;
    }
    double left = gamma[k], right = gamma[k];
    for (std::size_t j = k; j-- > 0 && !(gamma[j] > gamma[k]);) left = std::min(left, gamma[j]);
    for (std::size_t j = k + 1; j < n && !(gamma[j] > gamma[k]); ++j) right = std::min(right, gamma[j]);
    if (gamma[k] - std::max(left, right) >= options.peak_prominence * reference) kept.push_back(k);
  }
  auto lowest = [&](std::size_t from, std::size_t to) {
    return static_cast<std::size_t>(std::min_element(gamma.begin() + static_cast<std::ptrdiff_t>(from),
                                                     gamma.begin() + static_cast<std::ptrdiff_t>(to) + 1) -
                                    gamma.begin());
  };
  const double h = log_tau[1] - log_tau[0];
  const double tolerance = 1e-9 * std::max(std::fabs(log_lo), std::fabs(log_hi));
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const std::size_t k = kept[i];
    const std::size_t from = i == 0 ? 0 : lowest(kept[i - 1], k);
    const std::size_t to = i + 1 == kept.size() ? n - 1 : lowest(k, kept[i + 1]);
    double area = 0.0;
    for (std::size_t j = from; j < to; ++j) area += 0.5 * (gamma[j] + gamma[j + 1]) * h;
    // Vertex of the parabola through the three points around the maximum.
    const double curvature = gamma[k - 1] - 2.0 * gamma[k] + gamma[k + 1];
    const double shift = curvature < 0.0 ? 0.5 * (gamma[k - 1] - gamma[k + 1]) / curvature : 0.0;
    const double log_peak = log_tau[k] + shift * h;
    peaks.push_back({std::exp(log_peak), gamma[k] - 0.25 * (gamma[k - 1] - gamma[k + 1]) * shift, area,
                     log_peak < log_lo - tolerance || log_peak > log_hi + tolerance});
  }
  return peaks;
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
  Normal normal;
  normal.ata = d.a.transpose() * d.a;
  normal.atb = d.a.transpose() * d.b;
  normal.ridge = 1e-12 * normal.ata.diagonal().maxCoeff();

  DrtOutcome out;
  out.lambda_from_gcv = !options.lambda;
  const double lambda =
      scaled_lambda ? *scaled_lambda : choose_lambda(normal, d, options.gcv_factor, unit_ratio * unit_ratio, options);
  out.lambda = options.lambda ? *options.lambda : std::ldexp(lambda, -2 * unit_exponent);
  Eigen::VectorXd x;
  out.nnls_converged =
      solve_nnls(regularised(normal, d, lambda), normal.atb, &x,
                 options.cancellation != nullptr ? *options.cancellation : no_cancellation()).converged;
  if (stop_requested(options)) return interrupted_error();
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
  out.peaks = find_peaks(log_tau, out.gamma, options, -std::log(kTwoPi * f_max), -std::log(kTwoPi * f_min));

  // Back to the data's unit.
  auto restore = [&](double value) { return std::ldexp(value, unit_exponent); };
  out.series_resistance = restore(out.series_resistance);
  out.series_inductance = restore(out.series_inductance);
  for (double& value : out.coefficients) value = restore(value);
  for (double& value : out.gamma) value = restore(value);
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
