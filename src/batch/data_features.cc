// What the spectrum shows for any circuit's start: the high-frequency intercept, the inductive
// tail, the DRT's peaks with their Cole-Cole exponents and the low-frequency tail.
#include "batch/data_features.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <optional>

#include "elements/element_impedance.h"

namespace corvex {
namespace {

constexpr std::size_t kTailPoints = 3;  // lowest-frequency points whose slope gives the tail's exponent
constexpr double kPeakProminence = 0.03;  // share of the highest peak a peak must rise above its valleys

}  // namespace

// The exponent of a Zarc from its DRT peak. The Zarc's distribution is the Cole-Cole one,
// g(x) = R sin(theta) / (2 pi (cosh(alpha x) - cos(theta))) over x = ln(tau / tau0) with
// theta = (1 - alpha) pi, whose height over area is cot(theta / 2) / (2 pi): so
// alpha = 1 - (2 / pi) atan(area / (2 pi height)). The regularised DRT widens every peak by
// its Gaussian basis (full width at half maximum ln(10) / points_per_decade / shape_factor);
// widths of such bells add about in quadrature, so the basis's own area-over-height
// (a Gaussian's: 1.0645 times its width) comes off first. Without it an ideal capacitor
// would read as alpha 0.93.
double alpha_of_peak(const DrtPeak& peak, const DrtOptions& options) {
  if (!(peak.height > 0.0) || !(peak.area > 0.0)) return kind_info(ElementKind::Cpe).defaults[1];
  const double basis_width = std::log(10.0) / options.points_per_decade / options.shape_factor;
  const double basis_ratio = 1.0645 * basis_width;
  const double ratio = peak.area / peak.height;
  const double own = std::sqrt(std::max(ratio * ratio - basis_ratio * basis_ratio, 0.0));
  return std::clamp(1.0 - (4.0 / kTwoPi) * std::atan(own / kTwoPi), kLowestPeakExponent, 1.0);
}

std::optional<DataFeatures> data_features(const Spectrum& spectrum, const CancellationToken& cancellation) {
  Spectrum clean;
  const std::size_t n = std::min(spectrum.frequencies.size(), spectrum.impedances.size());
  for (std::size_t i = 0; i < n; ++i) {
    const double f = spectrum.frequencies[i];
    const Complex z = spectrum.impedances[i];
    if (!(f > 0.0) || !std::isfinite(f) || !std::isfinite(z.re) || !std::isfinite(z.im)) continue;
    clean.frequencies.push_back(f);
    clean.impedances.push_back(z);
  }
  const std::size_t m = clean.frequencies.size();
  if (m == 0) return std::nullopt;
  std::vector<std::size_t> order(m);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return clean.frequencies[a] < clean.frequencies[b]; });

  DataFeatures out;
  out.clean = clean;
  double re_min = INFINITY, re_max = -INFINITY, modulus_min = INFINITY, modulus_max = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    const Complex z = clean.impedances[i];
    re_min = std::min(re_min, z.re);
    re_max = std::max(re_max, z.re);
    modulus_min = std::min(modulus_min, std::hypot(z.re, z.im));
    modulus_max = std::max(modulus_max, std::hypot(z.re, z.im));
  }
  if (!(modulus_max > 0.0)) return std::nullopt;
  const Complex z_high = clean.impedances[order.back()];
  const Complex z_low = clean.impedances[order.front()];
  out.omega_high = kTwoPi * clean.frequencies[order.back()];
  out.omega_low = kTwoPi * clean.frequencies[order.front()];
  out.spread = std::max(re_max - re_min, 1e-3 * modulus_max);
  const double floor = std::max(modulus_min, 1e-3 * modulus_max);
  out.inductance = z_high.im > 0.0 ? z_high.im / out.omega_high : 0.01 * floor / out.omega_high;
  out.series_resistance = std::max(z_high.re, 1e-3 * floor);
  out.tail_imaginary = std::max(-z_low.im, 1e-3 * modulus_max);

  // The tail's exponent: a straight line through log(-Im Z) against log omega.
  const std::size_t tail = std::min(kTailPoints, m);
  double sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
  std::size_t used = 0;
  for (std::size_t k = 0; k < tail; ++k) {
    const std::size_t i = order[k];
    if (!(-clean.impedances[i].im > 0.0)) continue;
    const double x = std::log(kTwoPi * clean.frequencies[i]), y = std::log(-clean.impedances[i].im);
    sx += x, sy += y, sxx += x * x, sxy += x * y;
    ++used;
  }
  const double denominator = static_cast<double>(used) * sxx - sx * sx;
  if (used >= 2 && denominator > 0.0) {
    const double slope = (static_cast<double>(used) * sxy - sx * sy) / denominator;
    out.tail_alpha = std::clamp(-slope, 0.3, 1.0);
  }

  if (m >= kDrtMinPoints) {
    DrtOptions& options = out.drt;
    options.series_inductance = z_high.im > 0.0;
    // Small arcs count here: a peak too many is dropped later, a missing one must be invented.
    options.peak_prominence = kPeakProminence;
    DrtOptions stoppable = options;  // the features keep no pointer to the caller's token
    stoppable.cancellation = &cancellation;
    if (Result<DrtOutcome> drt = relaxation_times(clean, stoppable); drt.ok()) {
      if (drt->series_resistance > 0.0) out.series_resistance = drt->series_resistance;
      if (options.series_inductance && drt->series_inductance > 0.0) out.inductance = drt->series_inductance;
      for (const DrtPeak& peak : drt->peaks) {
        if (peak.tau > 0.0 && peak.area > 0.0 && std::isfinite(peak.tau) && std::isfinite(peak.area)) {
          out.peaks.push_back(peak);
        }
      }
    }
  }
  return out;
}

}  // namespace corvex
