// Input checks shared by the Kramers-Kronig test, the relaxation-time distribution and the
// circuit ranking: a bad spectrum is refused with a message naming the first bad point.
#include "analysis/spectrum_checks.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

namespace corvex {

Status check_analysis_spectrum(const Spectrum& spectrum, std::size_t min_points, std::string_view what) {
  const std::size_t n = spectrum.frequencies.size();
  if (n != spectrum.impedances.size()) return value_error("frequencies and impedances must have the same length");
  if (n == 0) return value_error("frequencies and impedances must not be empty");
  for (std::size_t i = 0; i < n; ++i) {
    const double f = spectrum.frequencies[i];
    if (!std::isfinite(f) || !(f > 0.0)) {
      return value_error("frequency at position " + std::to_string(i) + " is not a finite positive number");
    }
    const Complex z = spectrum.impedances[i];
    if (!std::isfinite(z.re) || !std::isfinite(z.im)) {
      return value_error("impedance at position " + std::to_string(i) + " is not finite");
    }
    if (z.re == 0.0 && z.im == 0.0) return value_error("impedance at position " + std::to_string(i) + " is zero");
  }
  if (n < min_points) {
    return value_error(std::string(what) + " needs at least " + std::to_string(min_points) + " points, got " +
                       std::to_string(n));
  }
  return {};
}

std::vector<std::size_t> ascending_frequency_order(const Spectrum& spectrum) {
  std::vector<std::size_t> order(spectrum.frequencies.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return spectrum.frequencies[a] < spectrum.frequencies[b];
  });
  return order;
}

}  // namespace corvex
