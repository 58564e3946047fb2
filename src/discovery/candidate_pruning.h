// What the spectrum rules out before any fit: an inductor where the high-frequency end shows
// none, and more arcs than the distribution of relaxation times shows peaks (plus one it may
// have merged).
#pragma once

#include <cstddef>

#include "discovery/candidate_grammar.h"
#include "util/spectrum.h"

namespace corvex {

struct SpectrumFeatures {
  bool inductive = false;       // an inductor shows at the high-frequency end (inductive_end)
  std::size_t drt_peaks = 0;    // peaks of the distribution of relaxation times
  bool drt_available = false;   // false when the distribution could not be computed
};

// A drop of omega (-Im Z) between the two highest frequencies beyond noise: more than this share.
inline constexpr double kInductiveDrop = 0.1;

// Whether the highest frequencies show an inductor: Im Z > 0 at the highest one, or omega (-Im Z)
// falling over the three highest, by more than kInductiveDrop in the last step and twice that
// in both. Without an inductor it
// cannot fall: every R, C, CPE or diffusion term adds to -Im Z a positive part whose
// logarithmic slope in omega is at least -1 (an arc's tends to -1 from above, a CPE's is
// -alpha), so omega (-Im Z) never decreases with frequency; a series inductance lowers it
// more the higher the frequency.
bool inductive_end(const Spectrum& spectrum);

SpectrumFeatures spectrum_features(const Spectrum& spectrum);

// `limits` narrowed by the features: no series inductor unless inductive, at most
// drt_peaks + 1 arcs when the distribution is available.
CandidateLimits pruned_limits(CandidateLimits limits, const SpectrumFeatures& features);

}  // namespace corvex
