// Spectrum features for pruning: the sign of the reactance at the high-frequency end and the
// peak count of the regularised distribution of relaxation times (GCV-chosen lambda).
#include "discovery/candidate_pruning.h"

#include <algorithm>

#include "analysis/relaxation_times.h"

namespace corvex {

SpectrumFeatures spectrum_features(const Spectrum& spectrum) {
  SpectrumFeatures features;
  const auto& f = spectrum.frequencies;
  if (f.empty() || spectrum.impedances.size() != f.size()) return features;
  const std::size_t top = static_cast<std::size_t>(std::max_element(f.begin(), f.end()) - f.begin());
  features.inductive = spectrum.impedances[top].im > 0.0;
  if (f.size() < kDrtMinPoints) return features;
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
  if (features.drt_available) limits.max_arcs = std::min(limits.max_arcs, features.drt_peaks + 1);
  return limits;
}

}  // namespace corvex
