// What the spectrum rules in or out before any fit: an inductor where the high-frequency end
// shows none, more arcs than the relaxation times show peaks and shoulders, a series resistor.
#pragma once

#include <cstddef>
#include <vector>

#include "discovery/candidate_grammar.h"
#include "util/cancellation.h"
#include "util/spectrum.h"

namespace corvex {

struct SpectrumFeatures {
  bool inductive = false;       // an inductor shows at the high-frequency end (inductive_end)
  std::size_t drt_peaks = 0;    // peaks of the distribution of relaxation times
  std::size_t drt_concave = 0;  // its concave stretches in the window: peaks and shoulders
  bool drt_available = false;   // false when the distribution could not be computed
  bool series_resistance = true;  // the high-frequency real part shows a series resistor
};

// A real part at the highest frequency below this share of the largest |Z| shows no series
// resistance: a fit of R0 would end on its lower bound.
inline constexpr double kNoSeriesResistance = 1e-3;

// A drop of omega (-Im Z) between the two highest frequencies beyond noise: more than this share.
inline constexpr double kInductiveDrop = 0.1;

// Concave stretches of the distribution count only where it reaches this share of its highest
// value inside the measured window: below it, noise and the foot of a tail bend it too.
inline constexpr double kConcaveShare = 0.1;

// Whether the highest frequencies show an inductor: Im Z > 0 at the highest one, or omega (-Im Z)
// falling over the three highest, by more than kInductiveDrop in the last step and twice that
// in both. Without an inductor it
// cannot fall: every R, C, CPE or diffusion term adds to -Im Z a positive part whose
// logarithmic slope in omega is at least -1 (an arc's tends to -1 from above, a CPE's is
// -alpha), so omega (-Im Z) never decreases with frequency; a series inductance lowers it
// more the higher the frequency.
bool inductive_end(const Spectrum& spectrum);

// Whether the real part at the highest frequency reaches kNoSeriesResistance of the largest |Z|.
bool shows_series_resistance(const Spectrum& spectrum);

// Stretches of the grid where gamma, over ln tau, is concave, inside [log_lo, log_hi] and at
// least kConcaveShare of the highest gamma there. Every peak is one; so is a shoulder, the bend of
// an arc that its neighbour's slope swallows: arcs whose distributions overlap (CPE arcs a
// decade apart) merge into one peak but keep their shoulders.
std::size_t concave_stretches(const std::vector<double>& log_tau, const std::vector<double>& gamma, double log_lo,
                              double log_hi);

// A stop asked through `cancellation` ends the DRT early and leaves it unavailable.
SpectrumFeatures spectrum_features(const Spectrum& spectrum, const CancellationToken& cancellation = no_cancellation());

// `limits` fitted to the features: no series inductor unless inductive, at most drt_peaks + 1
// arcs (one merged into a neighbour's peak) or drt_concave, whichever is more, when the
// distribution is available, and chains without a series resistor as well where
// the data show no series resistance.
CandidateLimits pruned_limits(CandidateLimits limits, const SpectrumFeatures& features);

}  // namespace corvex
