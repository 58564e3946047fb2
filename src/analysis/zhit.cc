// Z-HIT: ln|Z(w0)| = C + (2/pi) int_{w_min}^{w0} phi d ln w + gamma dphi/d ln w (w0), with
// gamma = -pi/6 (Ehm et al. 2000); the phase is smoothed first, C is fitted in a window.
#include "analysis/zhit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/spectrum_checks.h"
#include "elements/element_impedance.h"

namespace corvex {

namespace {

constexpr double kPi = 3.141592653589793;
// The coefficient of the second-order term of the Hilbert relation between ln|Z| and the phase.
constexpr double kGamma = -kPi / 6.0;

struct Smoothed {
  double value = 0.0;
  double slope = 0.0;
};

// Value and slope at x[i] of the quadratic least-squares fit to the `width` points around i (the
// window slides inward at the ends). Falls back to the point itself and a zero slope where the
// window holds fewer than three distinct abscissae.
Smoothed local_quadratic(const std::vector<double>& x, const std::vector<double>& y, std::size_t i, std::size_t width) {
  const std::size_t n = x.size();
  const std::size_t half = width / 2;
  std::size_t lo = i > half ? i - half : 0;
  if (lo + width > n) lo = n - width;
  Eigen::Matrix3d normal = Eigen::Matrix3d::Zero();
  Eigen::Vector3d right = Eigen::Vector3d::Zero();
  for (std::size_t k = lo; k < lo + width; ++k) {
    const double d = x[k] - x[i];
    const Eigen::Vector3d row(1.0, d, d * d);
    normal += row * row.transpose();
    right += row * y[k];
  }
  const Eigen::FullPivLU<Eigen::Matrix3d> lu(normal);
  if (lu.rank() < 3) return {y[i], 0.0};
  const Eigen::Vector3d c = lu.solve(right);
  return {c[0], c[1]};
}

}  // namespace

Result<ZhitOutcome> zhit(const Spectrum& spectrum, const ZhitOptions& options) {
  if (Status checked = check_analysis_spectrum(spectrum, kZhitMinPoints, "Z-HIT"); !checked) {
    return checked.take_error();
  }
  const std::size_t n = spectrum.frequencies.size();
  if (options.smoothing_points < 3 || options.smoothing_points % 2 == 0 || options.smoothing_points > n) {
    return value_error("smoothing_points must be an odd number from 3 to the number of points (" + std::to_string(n) +
                       "), got " + std::to_string(options.smoothing_points));
  }
  if (!(options.tolerance > 0.0 && std::isfinite(options.tolerance))) {
    return value_error("tolerance must be a finite positive number");
  }
  for (const std::optional<double>* bound : {&options.window_low, &options.window_high}) {
    if (*bound && !(**bound > 0.0 && std::isfinite(**bound))) {
      return value_error("the window's frequencies must be finite and positive");
    }
  }

  const std::vector<std::size_t> order = ascending_frequency_order(spectrum);
  std::vector<double> x(n), phase(n), log_modulus(n);
  for (std::size_t k = 0; k < n; ++k) {
    const Complex& z = spectrum.impedances[order[k]];
    x[k] = std::log(kTwoPi * spectrum.frequencies[order[k]]);
    phase[k] = std::atan2(z.im, z.re);
    log_modulus[k] = std::log(std::hypot(z.re, z.im));
  }

  ZhitOutcome out;
  out.window_low = options.window_low.value_or(spectrum.frequencies[order.front()]);
  out.window_high = options.window_high.value_or(spectrum.frequencies[order.back()]);
  if (out.window_low > out.window_high) std::swap(out.window_low, out.window_high);

  // The integral runs from the lowest frequency by the trapezoidal rule over the smoothed phase.
  std::vector<double> reconstructed(n), smoothed(n);
  double integral = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    const Smoothed s = local_quadratic(x, phase, k, options.smoothing_points);
    smoothed[k] = s.value;
    if (k > 0) integral += 0.5 * (x[k] - x[k - 1]) * (smoothed[k] + smoothed[k - 1]);
    reconstructed[k] = 2.0 / kPi * integral + kGamma * s.slope;
  }

  double offset = 0.0, inside = 0.0;
  std::vector<bool> in_window(n);
  for (std::size_t k = 0; k < n; ++k) {
    const double f = spectrum.frequencies[order[k]];
    in_window[k] = f >= out.window_low && f <= out.window_high;
    if (!in_window[k]) continue;
    offset += log_modulus[k] - reconstructed[k];
    inside += 1.0;
  }
  if (inside == 0.0) return value_error("the Z-HIT window holds no measured frequency");
  out.offset = offset / inside;

  out.modulus.resize(n);
  out.phase.resize(n);
  out.smoothed_phase.resize(n);
  out.model.resize(n);
  out.residuals_modulus.resize(n);
  out.residuals_real.resize(n);
  out.residuals_imag.resize(n);
  out.in_window.resize(n);
  double squares = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = order[k];
    const Complex& z = spectrum.impedances[i];
    const double measured = std::exp(log_modulus[k]);
    const double modulus = std::exp(reconstructed[k] + out.offset);
    out.modulus[i] = modulus;
    out.phase[i] = phase[k];
    out.smoothed_phase[i] = smoothed[k];
    out.model[i] = {modulus * std::cos(phase[k]), modulus * std::sin(phase[k])};
    out.residuals_modulus[i] = (measured - modulus) / measured;
    out.residuals_real[i] = (z.re - out.model[i].re) / measured;
    out.residuals_imag[i] = (z.im - out.model[i].im) / measured;
    out.in_window[i] = in_window[k];
    if (!in_window[k]) continue;
    out.largest_residual = std::max(out.largest_residual, std::fabs(out.residuals_modulus[i]));
    squares += out.residuals_modulus[i] * out.residuals_modulus[i];
  }
  out.rms_residual = std::sqrt(squares / inside);
  out.passed = out.largest_residual <= options.tolerance;
  return out;
}

}  // namespace corvex
