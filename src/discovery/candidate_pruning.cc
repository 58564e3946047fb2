// Spectrum features for pruning: the reactance at the high-frequency end and the peak count of
// the regularised distribution of relaxation times (GCV-chosen lambda).
#include "discovery/candidate_pruning.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "analysis/relaxation_times.h"

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

SpectrumFeatures spectrum_features(const Spectrum& spectrum) {
  SpectrumFeatures features;
  features.inductive = inductive_end(spectrum);
  features.series_resistance = shows_series_resistance(spectrum);
  if (spectrum.frequencies.size() < kDrtMinPoints) return features;
  DrtOptions options;
  options.series_inductance = features.inductive;
  Result<DrtOutcome> drt = relaxation_times(spectrum, options);
  if (drt) {
    features.drt_peaks = drt->peaks.size();
    features.drt_available = true;
  }
  return features;
}

CandidateLimits pruned_limits(CandidateLimits limits, const SpectrumFeatures& features) {
  limits.inductor = limits.inductor && features.inductive;
  limits.without_resistor = limits.without_resistor || !features.series_resistance;
  if (features.drt_available) limits.max_arcs = std::min(limits.max_arcs, features.drt_peaks + 1);
  return limits;
}

}  // namespace corvex
