// What the spectrum rules out before any fit: an inductor without inductive points, and more
// arcs than the distribution of relaxation times shows peaks (plus one it may have merged).
#pragma once

#include <cstddef>

#include "discovery/candidate_grammar.h"
#include "util/spectrum.h"

namespace corvex {

struct SpectrumFeatures {
  bool inductive = false;       // Im Z > 0 at the highest frequency
  std::size_t drt_peaks = 0;    // peaks of the distribution of relaxation times
  bool drt_available = false;   // false when the distribution could not be computed
};

SpectrumFeatures spectrum_features(const Spectrum& spectrum);

// `limits` narrowed by the features: no series inductor unless inductive, at most
// drt_peaks + 1 arcs when the distribution is available.
CandidateLimits pruned_limits(CandidateLimits limits, const SpectrumFeatures& features);

}  // namespace corvex
