// Spectrum features for pruning: the reactance at the high-frequency end and the peaks and
// shoulders of the regularised distribution of relaxation times (GCV-chosen lambda).
#include "discovery/candidate_pruning.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "analysis/relaxation_times.h"
#include "elements/element_impedance.h"

namespace corvex {

bool inductive_end(const Spectrum& spectrum) {
  const auto& f = spectrum.frequencies;
  if (f.empty() || spectrum.impedances.size() != f.size()) return false;
  std::vector<std::size_t> order(f.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return f[a] > f[b]; });
  if (spectrum.impedances[order[0]].im > 0.0) return true;
  if (f.size() < 3) return false;
  auto reactive = [&](std::size_t rank) { return -f[order[rank]] * spectrum.impedances[order[rank]].im; };
  // Two falling steps, the last by more than the drop: one noisy point does not make an inductor.
  return reactive(0) < (1.0 - kInductiveDrop) * reactive(1) && reactive(1) < reactive(2) &&
         reactive(0) < (1.0 - 2.0 * kInductiveDrop) * reactive(2);
}

bool shows_series_resistance(const Spectrum& spectrum) {
  const auto& f = spectrum.frequencies;
  if (f.empty() || spectrum.impedances.size() != f.size()) return true;
  std::size_t top = 0;
  double largest = 0.0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (f[i] > f[top]) top = i;
    largest = std::max(largest, std::hypot(spectrum.impedances[i].re, spectrum.impedances[i].im));
  }
  return !(spectrum.impedances[top].re < kNoSeriesResistance * largest);
}

std::size_t concave_stretches(const std::vector<double>& log_tau, const std::vector<double>& gamma, double log_lo,
                              double log_hi) {
  const std::size_t n = std::min(log_tau.size(), gamma.size());
  if (n < 3) return 0;
  double highest = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    if (log_tau[k] >= log_lo && log_tau[k] <= log_hi) highest = std::max(highest, gamma[k]);
  }
  if (!(highest > 0.0)) return 0;
  std::size_t stretches = 0;
  bool inside_one = false;
  for (std::size_t k = 1; k + 1 < n; ++k) {
    const double left = (gamma[k] - gamma[k - 1]) / (log_tau[k] - log_tau[k - 1]);
    const double right = (gamma[k + 1] - gamma[k]) / (log_tau[k + 1] - log_tau[k]);
    const bool concave = right < left && log_tau[k] >= log_lo && log_tau[k] <= log_hi &&
                         gamma[k] >= kConcaveShare * highest;
    stretches += concave && !inside_one;
    inside_one = concave;
  }
  return stretches;
}

SpectrumFeatures spectrum_features(const Spectrum& spectrum, const CancellationToken& cancellation) {
  SpectrumFeatures features;
  features.inductive = inductive_end(spectrum);
  features.series_resistance = shows_series_resistance(spectrum);
  if (spectrum.frequencies.size() < kDrtMinPoints) return features;
  DrtOptions options;
  options.series_inductance = features.inductive;
  options.cancellation = &cancellation;
  Result<DrtOutcome> drt = relaxation_times(spectrum, options);
  if (drt) {
    features.drt_peaks = drt->peaks.size();
    const auto [lowest, highest] = std::minmax_element(spectrum.frequencies.begin(), spectrum.frequencies.end());
    std::vector<double> log_tau(drt->tau.size());
    std::transform(drt->tau.begin(), drt->tau.end(), log_tau.begin(), [](double tau) { return std::log(tau); });
    features.drt_concave = concave_stretches(log_tau, drt->gamma, -std::log(kTwoPi * *highest),
                                           -std::log(kTwoPi * *lowest));
    features.drt_available = true;
  }
  return features;
}

CandidateLimits pruned_limits(CandidateLimits limits, const SpectrumFeatures& features) {
  limits.inductor = limits.inductor && features.inductive;
  limits.without_resistor = limits.without_resistor || !features.series_resistance;
  if (features.drt_available) {
    limits.max_arcs = std::min(limits.max_arcs, std::max(features.drt_peaks + 1, features.drt_concave));
  }
  return limits;
}

}  // namespace corvex
