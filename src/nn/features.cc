// Scale estimation, feature construction and output decoding. Points are taken in frequency
// order by a stable sort in the IEEE total order, so NaN frequencies have a fixed place too.
#include "nn/features.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "nn/weights_error.h"

namespace corvex {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
// Below this total capacitive weight the weighted means are meaningless.
constexpr double kMinCapacitiveWeight = 1e-9;

// Key whose signed integer order is the IEEE total order of doubles
// (-NaN < -inf < ... < -0 < +0 < ... < +inf < +NaN).
std::int64_t total_order_key(double x) {
  const auto bits = std::bit_cast<std::int64_t>(x);
  return bits ^ static_cast<std::int64_t>(static_cast<std::uint64_t>(bits >> 63) >> 1);
}

bool total_order_less(double a, double b) { return total_order_key(a) < total_order_key(b); }

// Linear interpolation over ascending xs, holding the end values outside the range.
double interp_clamped(const std::vector<double>& xs, const std::vector<double>& ys, double x) {
  if (x <= xs.front()) return ys.front();
  if (x >= xs.back()) return ys.back();
  // The last index below the final point with xs[i] <= x; the bounds keep i valid even for
  // NaN grid values or NaN data, which no ordering governs.
  const auto above = std::upper_bound(xs.begin(), xs.end() - 1, x);
  const std::size_t i = above == xs.begin() ? 0 : static_cast<std::size_t>(above - xs.begin()) - 1;
  return ys[i] + (x - xs[i]) * (ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i]);
}

// Points between two questions to the cancellation token: a few milliseconds of work.
constexpr std::size_t kPointsPerCancellationCheck = std::size_t{1} << 16;

bool stop_at(std::size_t i, const CancellationToken& cancellation) {
  return i % kPointsPerCancellationCheck == 0 && cancellation.stop_requested();
}

// Indices of the points in ascending total order of frequency, stable for equal ones. Measured
// spectra are nearly always swept monotonically, and then the order is known without a sort.
std::vector<std::size_t> frequency_order(const std::vector<double>& f, std::size_t count,
                                         const CancellationToken& cancellation) {
  // Filled as it is checked, so that the first touch of its memory happens between polls.
  std::vector<std::size_t> order;
  order.reserve(count);
  bool ascending = true, descending = true;
  for (std::size_t i = 0; i < count; ++i) {
    if (stop_at(i, cancellation)) return order;
    order.push_back(i);
    if (i == 0) continue;
    ascending = ascending && total_order_less(f[i - 1], f[i]);
    descending = descending && total_order_less(f[i], f[i - 1]);
  }
  if (ascending) return order;
  if (descending) {
    std::reverse(order.begin(), order.end());
    return order;
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) { return total_order_less(f[i], f[j]); });
  return order;
}

}  // namespace

Status check_point_count(const Spectrum& spectrum) {
  const std::size_t count = std::min(spectrum.frequencies.size(), spectrum.impedances.size());
  if (count < 2) return WeightsError::too_few_points(count).to_error();
  return {};
}

ScaleEstimate estimate_scales(const Spectrum& spectrum, const CancellationToken& cancellation) {
  const std::vector<double>& f = spectrum.frequencies;
  const std::vector<Complex>& z = spectrum.impedances;
  const std::size_t count = std::min(f.size(), z.size());
  double s = 0.0;
  double a = 0.0;
  double b = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    if (stop_at(i, cancellation)) return {};
    const double magnitude = std::hypot(z[i].re, z[i].im);
    // Written as rejections so that a NaN frequency or magnitude still contributes.
    if (f[i] <= 0.0 || magnitude <= 0.0) continue;
    const double share = -z[i].im / magnitude;
    const double weight = share > 0.0 ? share : 0.0;
    s += weight;
    a += weight * std::log(magnitude);
    b += weight * std::log(kTwoPi * f[i]);
  }
  ScaleEstimate scales;
  if (s >= kMinCapacitiveWeight) {
    scales.z_scale = std::exp(a / s);
    scales.w_scale = std::exp(b / s);
    return scales;
  }
  double log_sum = 0.0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (stop_at(i, cancellation)) return {};
    log_sum += std::log(kTwoPi * f[i]);
  }
  scales.w_scale = std::exp(log_sum / static_cast<double>(f.size()));
  std::vector<double> magnitudes;
  magnitudes.reserve(z.size());
  for (std::size_t i = 0; i < z.size(); ++i) {
    if (stop_at(i, cancellation)) return {};
    magnitudes.push_back(std::hypot(z[i].re, z[i].im));
  }
  if (magnitudes.empty()) {
    scales.z_scale = std::numeric_limits<double>::quiet_NaN();
    return scales;
  }
  // The upper median: the element a full sort would put in the middle, found in linear time.
  const auto middle = magnitudes.begin() + static_cast<std::ptrdiff_t>(magnitudes.size() / 2);
  std::nth_element(magnitudes.begin(), middle, magnitudes.end(), total_order_less);
  scales.z_scale = *middle;
  return scales;
}

Features build_features(const Spectrum& spectrum, const ScaleEstimate& scales, std::size_t n_grid,
                        const CancellationToken& cancellation) {
  const std::size_t count = std::min(spectrum.frequencies.size(), spectrum.impedances.size());
  Features features;
  features.map.resize(kInputRows * n_grid);
  if (count == 0) {
    std::fill(features.map.begin(), features.map.end(), std::numeric_limits<double>::quiet_NaN());
    features.extras = {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()};
    return features;
  }

  const std::vector<std::size_t> order = frequency_order(spectrum.frequencies, count, cancellation);
  if (cancellation.stopped()) return features;

  std::vector<double> log_frequency, log_magnitude, phase;
  log_frequency.reserve(count);
  log_magnitude.reserve(count);
  phase.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    if (stop_at(k, cancellation)) return features;
    const Complex& value = spectrum.impedances[order[k]];
    log_frequency.push_back(std::log10(spectrum.frequencies[order[k]]));
    log_magnitude.push_back(std::log10(std::hypot(value.re, value.im)));
    const double theta = std::atan2(value.im, value.re);
    if (k == 0) {
      phase.push_back(theta);
      continue;
    }
    // Step to the nearest equivalent angle; an exact half turn goes the way theta points.
    const double previous = phase[k - 1];
    const double r = theta - previous;
    double delta = r - kTwoPi * std::floor((r + kPi) / kTwoPi);
    if (delta == -kPi && theta > previous) delta = kPi;
    phase.push_back(previous + delta);
  }

  const double lo = log_frequency.front();
  const double hi = log_frequency.back();
  const double step = n_grid >= 2 ? (hi - lo) / static_cast<double>(n_grid - 1) : 0.0;
  const double log_z_scale = std::log10(scales.z_scale);
  const double log_scale_frequency = std::log10(scales.w_scale / kTwoPi);
  double* magnitude_row = features.map.data();
  double* phase_row = magnitude_row + n_grid;
  double* frequency_row = phase_row + n_grid;
  for (std::size_t g = 0; g < n_grid; ++g) {
    const double x = lo + step * static_cast<double>(g);
    magnitude_row[g] = interp_clamped(log_frequency, log_magnitude, x) - log_z_scale;
    phase_row[g] = interp_clamped(log_frequency, phase, x) / kHalfPi;
    frequency_row[g] = (x - log_scale_frequency) * 0.25;
  }
  features.extras = {(hi - lo) * 0.125, std::log10(static_cast<double>(count)) * 0.5};
  return features;
}

Status check_decoding_tables(const NetworkModel& model) {
  const DecodingTables& decoding = model.decoding;
  const std::size_t p = model.param_count();
  const std::pair<const char*, std::size_t> tables[] = {
      {"target_mean", decoding.target_mean.size()},
      {"target_std", decoding.target_std.size()},
      {"log_params", decoding.log_params.size()},
  };
  for (const auto& [name, size] : tables) {
    if (size < p) return WeightsError::element_count(name, size, p).to_error();
  }
  if (std::isnan(decoding.alpha_min)) return WeightsError::unparsable("alpha_min (not a number)").to_error();
  if (std::isnan(decoding.alpha_max)) return WeightsError::unparsable("alpha_max (not a number)").to_error();
  if (decoding.alpha_min > decoding.alpha_max) {
    return WeightsError::unparsable("alpha_min (greater than alpha_max)").to_error();
  }
  for (std::size_t j = 0; j < decoding.scaling.size() && j < p; ++j) {
    const std::int32_t index = decoding.scaling[j].alpha_index;
    if (index >= 0 && static_cast<std::size_t>(index) >= p) {
      return WeightsError::unparsable("scaling (rule " + std::to_string(j) + " takes its alpha from output " +
                                      std::to_string(index) + " of " + std::to_string(p) + ")")
          .to_error();
    }
  }
  return {};
}

Result<std::vector<double>> decode_outputs(const NetworkModel& model, const std::vector<double>& output,
                                           const ScaleEstimate& scales) {
  Status tables = check_decoding_tables(model);
  if (!tables.ok()) return tables.take_error();
  const std::size_t p = model.param_count();
  if (output.size() < p) {
    return WeightsError::unparsable("w.head.4.weight (" + std::to_string(output.size()) + " outputs for " +
                                    std::to_string(p) + " parameters)")
        .to_error();
  }
  const DecodingTables& decoding = model.decoding;
  std::vector<double> values(p);
  for (std::size_t i = 0; i < p; ++i) {
    const double v = output[i] * decoding.target_std[i] + decoding.target_mean[i];
    if (decoding.log_params[i]) {
      values[i] = std::pow(10.0, v);
      continue;
    }
    // Explicit comparisons keep a NaN as NaN.
    double clamped = v;
    if (clamped < decoding.alpha_min) clamped = decoding.alpha_min;
    if (clamped > decoding.alpha_max) clamped = decoding.alpha_max;
    values[i] = clamped;
  }
  // Alpha terms read the clamped values before any of them is scaled.
  const std::vector<double> unscaled = values;
  for (std::size_t j = 0; j < decoding.scaling.size() && j < p; ++j) {
    const ScalingRule& rule = decoding.scaling[j];
    const double t = rule.alpha_index >= 0 ? rule.alpha_coefficient * unscaled[static_cast<std::size_t>(rule.alpha_index)] : 0.0;
    values[j] = std::pow(scales.w_scale, rule.frequency_exponent + t) *
                (unscaled[j] * std::pow(scales.z_scale, rule.impedance_exponent));
  }
  return values;
}

}  // namespace corvex
