// Linear Kramers-Kronig test: RC chains with time constants spread over the measured window,
// fitted by a column-pivoted QR of the 1/|Z|-weighted system; M is either set by a density of
// time constants per decade or grown until the share of negative resistances (the mu
// criterion) shows the chain starts fitting noise.
#include "analysis/kramers_kronig.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "analysis/spectrum_checks.h"
#include "elements/element_impedance.h"

namespace corvex {

namespace {

// Two-sided 99.9 % point of the standard normal, for the chi-square limit of the pass test.
constexpr double kNormalQuantile = 3.090232306167813;
// An estimated-noise verdict fails when the runs test rejects white residuals at this level.
constexpr double kWhitenessLevel = 0.01;

struct Chain {
  std::vector<double> tau;
  std::vector<double> r;
  double r0 = 0.0;
  double inductance = 0.0;
  double inverse_capacitance = 0.0;
  Eigen::MatrixXd design;  // the weighted system of a complex fit, rows (re, im) per point
};

struct Problem {
  std::vector<double> omega;
  std::vector<double> weight;  // 1 / |Z| (admittance: 1 / |Y|)
  std::vector<Complex> z;      // the impedance, or the admittance in that representation
  bool admittance = false;
  std::size_t n() const { return omega.size(); }
};

// Least squares by column-pivoted Householder QR after scaling the columns to unit length,
// so that time constants, inductance and capacitance terms of very different size are
// treated alike. Columns that are entirely zero get a zero coefficient.
Eigen::VectorXd solve_least_squares(Eigen::MatrixXd a, const Eigen::VectorXd& b) {
  Eigen::VectorXd scale = a.colwise().norm().transpose();
  for (Eigen::Index j = 0; j < scale.size(); ++j) {
    if (!(scale[j] > 0.0)) scale[j] = 1.0;
  }
  a = a * scale.cwiseInverse().asDiagonal();
  Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(a);
  return qr.solve(b).cwiseQuotient(scale);
}

std::vector<double> time_constants(std::size_t m, double tau_min, double tau_max) {
  std::vector<double> tau(m);
  const double lo = std::log10(tau_min);
  const double span = std::log10(tau_max) - lo;
  for (std::size_t k = 0; k < m; ++k) {
    tau[k] = m == 1 ? tau_min : std::pow(10.0, lo + span * static_cast<double>(k) / static_cast<double>(m - 1));
  }
  return tau;
}

// Real and imaginary parts of R/(1 + j w tau) per unit R.
double rc_real(double omega, double tau) { return 1.0 / (1.0 + omega * tau * omega * tau); }
double rc_imag(double omega, double tau) { return -omega * tau / (1.0 + omega * tau * omega * tau); }

// Real and imaginary parts of a chain term per unit coefficient: R/(1 + j w tau) in the
// impedance, G j w tau/(1 + j w tau) (a series R-C branch) in the admittance.
double term_real(const Problem& p, double omega, double tau) {
  return p.admittance ? omega * tau * omega * tau / (1.0 + omega * tau * omega * tau) : rc_real(omega, tau);
}
double term_imag(const Problem& p, double omega, double tau) {
  return p.admittance ? -rc_imag(omega, tau) : rc_imag(omega, tau);
}

std::size_t unknowns(KramersKronigFit fit, std::size_t m, bool capacitance) {
  switch (fit) {
    case KramersKronigFit::Real: return m + 1;
    case KramersKronigFit::Imaginary: return m + 1 + (capacitance ? 1 : 0);
    case KramersKronigFit::Complex: break;
  }
  return m + 2 + (capacitance ? 1 : 0);
}

std::size_t equations(KramersKronigFit fit, std::size_t n) { return fit == KramersKronigFit::Complex ? 2 * n : n; }

Chain fit_chain(const Problem& p, std::size_t m, double tau_min, double tau_max, const KramersKronigOptions& options) {
  Chain chain;
  chain.tau = time_constants(m, tau_min, tau_max);
  const std::size_t n = p.n();
  const bool cap = options.series_capacitance;
  const Eigen::Index mi = static_cast<Eigen::Index>(m);
  auto imag_tail = [&](Eigen::MatrixXd& a, Eigen::Index row, Eigen::Index col, std::size_t i) {
    a(row, col) = p.omega[i] * p.weight[i];
    if (cap) a(row, col + 1) = -p.weight[i] / p.omega[i];
  };

  if (options.fit == KramersKronigFit::Complex) {
    const Eigen::Index cols = static_cast<Eigen::Index>(unknowns(options.fit, m, cap));
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(static_cast<Eigen::Index>(2 * n), cols);
    Eigen::VectorXd b(static_cast<Eigen::Index>(2 * n));
    for (std::size_t i = 0; i < n; ++i) {
      const Eigen::Index re = static_cast<Eigen::Index>(2 * i), im = re + 1;
      a(re, 0) = p.weight[i];
      for (std::size_t k = 0; k < m; ++k) {
        a(re, 1 + static_cast<Eigen::Index>(k)) = term_real(p, p.omega[i], chain.tau[k]) * p.weight[i];
        a(im, 1 + static_cast<Eigen::Index>(k)) = term_imag(p, p.omega[i], chain.tau[k]) * p.weight[i];
      }
      imag_tail(a, im, 1 + mi, i);
      b[re] = p.z[i].re * p.weight[i];
      b[im] = p.z[i].im * p.weight[i];
    }
    chain.design = a;
    const Eigen::VectorXd x = solve_least_squares(std::move(a), b);
    chain.r0 = x[0];
    chain.r.assign(x.data() + 1, x.data() + 1 + m);
    chain.inductance = x[1 + mi];
    if (cap) chain.inverse_capacitance = x[2 + mi];
    return chain;
  }

  const Eigen::Index rows = static_cast<Eigen::Index>(n);
  Eigen::VectorXd b_re(rows), b_im(rows);
  for (std::size_t i = 0; i < n; ++i) {
    b_re[static_cast<Eigen::Index>(i)] = p.z[i].re * p.weight[i];
    b_im[static_cast<Eigen::Index>(i)] = p.z[i].im * p.weight[i];
  }
  if (options.fit == KramersKronigFit::Real) {
    // The real part fixes R0 and the R_k; the inductance and capacitance, invisible to it,
    // are then fitted to what the chain leaves of the imaginary part.
    Eigen::MatrixXd a(rows, mi + 1);
    for (std::size_t i = 0; i < n; ++i) {
      const Eigen::Index row = static_cast<Eigen::Index>(i);
      a(row, 0) = p.weight[i];
      for (std::size_t k = 0; k < m; ++k) a(row, 1 + static_cast<Eigen::Index>(k)) = term_real(p, p.omega[i], chain.tau[k]) * p.weight[i];
    }
    const Eigen::VectorXd x = solve_least_squares(std::move(a), b_re);
    chain.r0 = x[0];
    chain.r.assign(x.data() + 1, x.data() + 1 + m);
    Eigen::MatrixXd tail(rows, cap ? 2 : 1);
    Eigen::VectorXd rest(rows);
    for (std::size_t i = 0; i < n; ++i) {
      const Eigen::Index row = static_cast<Eigen::Index>(i);
      double chain_im = 0.0;
      for (std::size_t k = 0; k < m; ++k) chain_im += chain.r[k] * term_imag(p, p.omega[i], chain.tau[k]);
      rest[row] = b_im[row] - chain_im * p.weight[i];
      imag_tail(tail, row, 0, i);
    }
    const Eigen::VectorXd t = solve_least_squares(std::move(tail), rest);
    chain.inductance = t[0];
    if (cap) chain.inverse_capacitance = t[1];
    return chain;
  }

  // Imaginary fit: the R_k, the inductance and the capacitance; R0 is then the weighted mean
  // of what the chain leaves of the real part.
  Eigen::MatrixXd a(rows, static_cast<Eigen::Index>(unknowns(options.fit, m, cap)));
  for (std::size_t i = 0; i < n; ++i) {
    const Eigen::Index row = static_cast<Eigen::Index>(i);
    for (std::size_t k = 0; k < m; ++k) a(row, static_cast<Eigen::Index>(k)) = term_imag(p, p.omega[i], chain.tau[k]) * p.weight[i];
    imag_tail(a, row, mi, i);
  }
  const Eigen::VectorXd x = solve_least_squares(std::move(a), b_im);
  chain.r.assign(x.data(), x.data() + m);
  chain.inductance = x[mi];
  if (cap) chain.inverse_capacitance = x[mi + 1];
  double num = 0.0, den = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    double chain_re = 0.0;
    for (std::size_t k = 0; k < m; ++k) chain_re += chain.r[k] * term_real(p, p.omega[i], chain.tau[k]);
    const double w2 = p.weight[i] * p.weight[i];
    num += w2 * (p.z[i].re - chain_re);
    den += w2;
  }
  chain.r0 = num / den;
  return chain;
}

double mu_of(const std::vector<double>& r) {
  double negative = 0.0, positive = 0.0;
  for (double value : r) (value < 0.0 ? negative : positive) += std::fabs(value);
  return positive > 0.0 ? 1.0 - negative / positive : -std::numeric_limits<double>::infinity();
}

// The chain's impedance, or its admittance in that representation.
Complex chain_value(const Problem& p, const Chain& chain, double omega) {
  Complex z{chain.r0, omega * chain.inductance - chain.inverse_capacitance / omega};
  for (std::size_t k = 0; k < chain.r.size(); ++k) {
    z.re += chain.r[k] * term_real(p, omega, chain.tau[k]);
    z.im += chain.r[k] * term_imag(p, omega, chain.tau[k]);
  }
  return z;
}

// Runs test (Wald-Wolfowitz) on the signs of each part's residuals in frequency order, the
// two sequences pooled: the lower-tail p-value of the number of runs under independence.
double runs_test_p(const KramersKronigOutcome& out, const std::vector<std::size_t>& order) {
  double runs = 0.0, mean = 0.0, variance = 0.0;
  for (const std::vector<double>* part : {&out.residuals_real, &out.residuals_imag}) {
    double positive = 0.0, negative = 0.0;
    int previous = 0;
    for (std::size_t index : order) {
      const double value = (*part)[index];
      if (value == 0.0) continue;
      const int sign = value > 0.0 ? 1 : -1;
      (sign > 0 ? positive : negative) += 1.0;
      if (sign != previous) runs += 1.0;
      previous = sign;
    }
    const double total = positive + negative;
    if (positive == 0.0 || negative == 0.0) {
      mean += 1.0;  // one run whatever happens: adds nothing to the variance
      continue;
    }
    const double product = 2.0 * positive * negative;
    mean += product / total + 1.0;
    variance += product * (product - total) / (total * total * (total - 1.0));
  }
  if (!(variance > 0.0)) return 1.0;
  const double z = (runs - mean) / std::sqrt(variance);
  return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

// Jarque-Bera test of all residuals: skewness and excess kurtosis against a normal sample.
double jarque_bera_p(const KramersKronigOutcome& out) {
  double count = 0.0, sum = 0.0;
  for (const std::vector<double>* part : {&out.residuals_real, &out.residuals_imag}) {
    for (double value : *part) {
      sum += value;
      count += 1.0;
    }
  }
  const double mean = sum / count;
  double m2 = 0.0, m3 = 0.0, m4 = 0.0;
  for (const std::vector<double>* part : {&out.residuals_real, &out.residuals_imag}) {
    for (double value : *part) {
      const double d = value - mean, d2 = d * d;
      m2 += d2;
      m3 += d2 * d;
      m4 += d2 * d2;
    }
  }
  m2 /= count;
  m3 /= count;
  m4 /= count;
  if (!(m2 > 0.0)) return 1.0;
  const double skewness = m3 / std::pow(m2, 1.5);
  const double kurtosis = m4 / (m2 * m2) - 3.0;
  const double statistic = count / 6.0 * (skewness * skewness + 0.25 * kurtosis * kurtosis);
  return std::exp(-0.5 * statistic);  // chi-square with two degrees of freedom
}

// White-noise scale of the residuals from the differences of neighbours in frequency: a
// smooth systematic deviation (drift, a wrong model) hardly changes neighbours' differences,
// so it shows up in the pseudo chi-square but not in this estimate.
double scatter_estimate(const KramersKronigOutcome& out, const std::vector<std::size_t>& order) {
  std::vector<double> differences;
  differences.reserve(2 * order.size());
  for (std::size_t k = 1; k < order.size(); ++k) {
    differences.push_back(std::fabs(out.residuals_real[order[k]] - out.residuals_real[order[k - 1]]));
    differences.push_back(std::fabs(out.residuals_imag[order[k]] - out.residuals_imag[order[k - 1]]));
  }
  const auto middle = differences.begin() + static_cast<std::ptrdiff_t>(differences.size() / 2);
  std::nth_element(differences.begin(), middle, differences.end());
  // The median of |d| for d ~ N(0, 2 sigma^2) is 0.6745 * sqrt(2) * sigma.
  return *middle / (0.6744897501960817 * 1.4142135623730951);
}

// The same estimate for a complex fit, with each neighbours' difference divided by its own
// standard deviation under white noise: a residual is (I - H) times the noise, H the projection
// onto the fitted columns, and a chain with about as many time constants as points takes up a
// good part of the point-to-point scatter too, which the plain estimate would read as low noise.
double projected_scatter_estimate(const KramersKronigOutcome& out, const std::vector<std::size_t>& order,
                                  const Eigen::MatrixXd& design) {
  Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(design);
  const Eigen::MatrixXd q = qr.householderQ() * Eigen::MatrixXd::Identity(design.rows(), qr.rank());
  auto variance = [&](Eigen::Index a, Eigen::Index b) {
    // Var(r_a - r_b) / sigma^2 = (1 - H_aa) + (1 - H_bb) + 2 H_ab
    return 2.0 - q.row(a).squaredNorm() - q.row(b).squaredNorm() + 2.0 * q.row(a).dot(q.row(b));
  };
  std::vector<double> scaled;
  scaled.reserve(2 * order.size());
  for (std::size_t k = 1; k < order.size(); ++k) {
    const Eigen::Index a = static_cast<Eigen::Index>(2 * order[k]), b = static_cast<Eigen::Index>(2 * order[k - 1]);
    const double real_variance = variance(a, b), imag_variance = variance(a + 1, b + 1);
    if (real_variance > 1e-12) {
      scaled.push_back(std::fabs(out.residuals_real[order[k]] - out.residuals_real[order[k - 1]]) / std::sqrt(real_variance));
    }
    if (imag_variance > 1e-12) {
      scaled.push_back(std::fabs(out.residuals_imag[order[k]] - out.residuals_imag[order[k - 1]]) / std::sqrt(imag_variance));
    }
  }
  if (scaled.empty()) return 0.0;
  const auto middle = scaled.begin() + static_cast<std::ptrdiff_t>(scaled.size() / 2);
  std::nth_element(scaled.begin(), middle, scaled.end());
  return *middle / 0.6744897501960817;  // the median of |d| for d ~ N(0, 1)
}

// Upper point of the chi-square distribution by the Wilson-Hilferty cube-root approximation.
double chi_square_quantile(double dof, double z) {
  const double c = 2.0 / (9.0 * dof);
  const double t = 1.0 - c + z * std::sqrt(c);
  return dof * t * t * t;
}

// Upper point of the F distribution with (d1, d2) degrees of freedom by Paulson's cube-root
// approximation, solved for F at the normal quantile z.
double f_quantile(double d1, double d2, double z) {
  const double a = 1.0 - 2.0 / (9.0 * d2), b = 1.0 - 2.0 / (9.0 * d1);
  const double c = 2.0 / (9.0 * d2), d = 2.0 / (9.0 * d1);
  const double leading = a * a - z * z * c;
  if (!(leading > 0.0)) return std::numeric_limits<double>::infinity();
  const double u = (a * b + std::sqrt(a * a * b * b - leading * (b * b - z * z * d))) / leading;
  return u * u * u;
}

// The number of RC elements the density method gives over `decades` of time constants.
std::size_t density_rc_count(double rc_per_decade, double decades) {
  return static_cast<std::size_t>(std::ceil(rc_per_decade * decades)) + 1;
}

}  // namespace

Result<KramersKronigOutcome> kramers_kronig_test(const Spectrum& spectrum, const KramersKronigOptions& options) {
  if (Status checked = check_analysis_spectrum(spectrum, kKramersKronigMinPoints, "the Kramers-Kronig test"); !checked) {
    return checked.take_error();
  }
  if (!(options.mu_threshold > 0.0 && options.mu_threshold <= 1.0)) {
    return value_error("mu_threshold must lie in (0, 1]");
  }
  if (options.noise_level && !(*options.noise_level > 0.0 && std::isfinite(*options.noise_level))) {
    return value_error("noise_level must be a finite positive number");
  }
  if (!(options.rc_per_decade > 0.0 && options.rc_per_decade <= 100.0)) {
    return value_error("rc_per_decade must lie in (0, 100]");
  }
  if (!(options.tau_extension >= 0.0 && options.tau_extension <= 10.0)) {
    return value_error("tau_extension must lie in [0, 10] decades");
  }
  if (!(options.noise_floor >= 0.0 && std::isfinite(options.noise_floor))) {
    return value_error("noise_floor must be a finite number >= 0");
  }
  if (options.rc_count && *options.rc_count == 0) return value_error("rc_count must be at least 1");
  if (options.max_rc_count == 0) return value_error("max_rc_count must be at least 1");

  // The fit runs on the impedance (or admittance) divided by the power of two at or below its
  // largest component, so that the column norms of the weighted system neither overflow nor
  // underflow in any unit; the division is exact, so results in ordinary units are unchanged.
  const std::size_t n = spectrum.frequencies.size();
  Problem p;
  p.admittance = options.representation == KramersKronigRepresentation::Admittance;
  p.omega.resize(n);
  p.weight.resize(n);
  p.z.resize(n);
  double largest = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const Complex& value = spectrum.impedances[i];
    if (p.admittance) {
      const double squared = value.re * value.re + value.im * value.im;
      p.z[i] = {value.re / squared, -value.im / squared};
    } else {
      p.z[i] = value;
    }
    largest = std::max({largest, std::fabs(p.z[i].re), std::fabs(p.z[i].im)});
  }
  int exponent = 0;
  std::frexp(largest, &exponent);
  const int unit_exponent = exponent - 1;
  for (std::size_t i = 0; i < n; ++i) p.z[i] = {std::ldexp(p.z[i].re, -unit_exponent), std::ldexp(p.z[i].im, -unit_exponent)};
  double f_min = spectrum.frequencies[0], f_max = spectrum.frequencies[0];
  for (std::size_t i = 0; i < n; ++i) {
    p.omega[i] = kTwoPi * spectrum.frequencies[i];
    p.weight[i] = 1.0 / std::hypot(p.z[i].re, p.z[i].im);
    f_min = std::min(f_min, spectrum.frequencies[i]);
    f_max = std::max(f_max, spectrum.frequencies[i]);
  }
  // The extension multiplies and divides by an exact power of ten only when it is non-zero,
  // so that a test without extension keeps its time constants to the last bit.
  double tau_min = 1.0 / (kTwoPi * f_max);
  double tau_max = 1.0 / (kTwoPi * f_min);
  if (options.tau_extension > 0.0) {
    const double factor = std::pow(10.0, options.tau_extension);
    tau_min /= factor;
    tau_max *= factor;
  }

  // The largest M whose unknowns the data can determine.
  const std::size_t rows = equations(options.fit, n);
  const std::size_t fixed = unknowns(options.fit, 0, options.series_capacitance);
  const std::size_t most = rows > fixed ? rows - fixed : 0;
  if (options.rc_count && *options.rc_count > most) {
    return value_error("rc_count=" + std::to_string(*options.rc_count) + " needs at least " +
                       std::to_string(unknowns(options.fit, *options.rc_count, options.series_capacitance)) +
                       " equations, but the fit has " + std::to_string(rows) + " from " + std::to_string(n) +
                       " points");
  }
  if (most == 0) {
    return value_error("the Kramers-Kronig test needs more points: " + std::to_string(n) +
                       " points leave no room for a single RC element");
  }

  KramersKronigOutcome out;
  Chain chain;
  double mu = 0.0;
  if (options.rc_count) {
    chain = fit_chain(p, *options.rc_count, tau_min, tau_max, options);
    mu = mu_of(chain.r);
  } else if (options.method == KramersKronigMethod::Density) {
    // Never more time constants than frequencies: beyond that the chain follows deviations
    // the test is meant to catch.
    const std::size_t wanted = density_rc_count(options.rc_per_decade, std::log10(tau_max / tau_min));
    const std::size_t m = std::min({wanted, n, most, options.max_rc_count});
    out.rc_count_capped = m < std::min(wanted, n);
    chain = fit_chain(p, m, tau_min, tau_max, options);
    mu = mu_of(chain.r);
  } else {
    const std::size_t cap = std::min(options.max_rc_count, most);
    for (std::size_t m = 1;; ++m) {
      chain = fit_chain(p, m, tau_min, tau_max, options);
      mu = mu_of(chain.r);
      if (mu <= options.mu_threshold) break;
      if (m == cap) {
        out.rc_count_capped = true;
        break;
      }
    }
  }

  out.rc_count = chain.r.size();
  out.too_flexible = out.rc_count > n;
  out.mu = mu;
  auto restore = [&](double value) { return std::ldexp(value, unit_exponent); };
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  out.model.resize(n);
  out.residuals_real.resize(n);
  out.residuals_imag.resize(n);
  double chi = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const Complex fit = chain_value(p, chain, p.omega[i]);
    if (p.admittance) {
      const Complex y{restore(fit.re), restore(fit.im)};
      const double squared = y.re * y.re + y.im * y.im;
      out.model[i] = {y.re / squared, -y.im / squared};
    } else {
      out.model[i] = {restore(fit.re), restore(fit.im)};
    }
    out.residuals_real[i] = (p.z[i].re - fit.re) * p.weight[i];
    out.residuals_imag[i] = (p.z[i].im - fit.im) * p.weight[i];
    chi += out.residuals_real[i] * out.residuals_real[i] + out.residuals_imag[i] * out.residuals_imag[i];
  }
  out.pseudo_chi_square = chi;
  out.time_constants = std::move(chain.tau);
  out.resistances = std::move(chain.r);
  if (p.admittance) {
    // Conductances in the fit; reported as the resistances (parallel inductance, capacitance)
    // they stand for.
    for (double& value : out.resistances) value = 1.0 / restore(value);
    out.series_resistance = 1.0 / restore(chain.r0);
    out.series_capacitance = restore(chain.inductance);
    out.series_inductance = options.series_capacitance ? 1.0 / restore(chain.inverse_capacitance) : kInfinity;
  } else {
    for (double& value : out.resistances) value = restore(value);
    out.series_resistance = restore(chain.r0);
    out.series_inductance = restore(chain.inductance);
    out.series_capacitance =
        options.series_capacitance ? std::ldexp(1.0 / chain.inverse_capacitance, -unit_exponent) : kInfinity;
  }

  const std::vector<std::size_t> order = ascending_frequency_order(spectrum);
  if (options.noise_level) {
    out.noise_level = *options.noise_level;
  } else {
    // The original test keeps its plain estimate, so that its verdicts are reproduced.
    const bool projected = options.method != KramersKronigMethod::Mu && options.fit == KramersKronigFit::Complex;
    const double scatter = projected ? projected_scatter_estimate(out, order, chain.design) : scatter_estimate(out, order);
    out.noise_level = std::max(scatter, options.noise_floor);
    out.noise_estimated = true;
  }
  const std::size_t used = unknowns(options.fit, out.rc_count, options.series_capacitance);
  const double dof = static_cast<double>(2 * n > used ? 2 * n - used : 1);
  // An estimated level is itself uncertain: the pseudo chi-square over dof is then compared with
  // it as an F ratio, the estimate counting as a chi-square of half as many degrees of freedom as
  // there are neighbours' differences. What that allowance would let through, a smooth deviation
  // such as drift, leaves runs of residuals of one sign: the runs test must not reject then.
  const bool f_ratio = out.noise_estimated && options.method != KramersKronigMethod::Mu && out.noise_level > options.noise_floor;
  const double quantile = f_ratio ? dof * f_quantile(dof, 0.5 * static_cast<double>(2 * (n - 1)), kNormalQuantile)
                                  : chi_square_quantile(dof, kNormalQuantile);
  out.chi_square_limit = out.noise_level * out.noise_level * quantile;
  out.whiteness_p = runs_test_p(out, order);
  out.passed = out.pseudo_chi_square <= out.chi_square_limit && !(f_ratio && out.whiteness_p < kWhitenessLevel);
  out.normality_p = jarque_bera_p(out);
  return out;
}

}  // namespace corvex
