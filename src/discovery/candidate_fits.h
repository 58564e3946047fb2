// The fits of discovery candidates: a first pass of every candidate from a start read off the
// data and from related simpler candidates' fits, a second pass of the best from the robust
// starts, their scores, and the second duplicate check, by fitted impedance.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/circuit_ranking.h"
#include "batch/data_start.h"
#include "circuit/circuit.h"
#include "discovery/candidate_grammar.h"
#include "fit/robust_starts.h"
#include "util/cancellation.h"
#include "util/complex.h"
#include "util/spectrum.h"

namespace corvex {

// Candidates (best first after the first pass) that the second pass fits again.
inline constexpr std::size_t kRefinedCandidates = 8;

// Nested candidates, cheapest fit first, whose fitted values start a richer candidate again.
inline constexpr std::size_t kNestedStarts = 2;

// Warm starts run per candidate after its first fit: the cheapest at their values.
inline constexpr std::size_t kWarmStarts = 1;

struct DiscoveredFit {
  RankedFit ranked;                  // outcome (absent on failure), AICc, BIC, bound and identifiability flags
  std::vector<double> start_values;  // the data start, from which the robust starts derive
  std::vector<bool> runaway;         // per parameter: runaway_parameters of the fit
  std::vector<bool> low_exponent;    // per parameter: a CPE exponent below kLowCpeExponent
  std::vector<bool> ideal_exponent;  // per parameter: a CPE exponent at 1, a bound that is no flaw
  std::vector<Complex> model;        // fitted impedance at the measured frequencies
  double runs_p = std::numeric_limits<double>::quiet_NaN();  // runs_test_p of the residuals
  std::string start;                 // label of the winning start: "guess", "data" or a robust start's
  bool duplicate = false;            // same fitted impedance as a candidate with no more parameters

  bool fitted() const { return ranked.outcome.has_value(); }
  // A fit that converged with no parameter on a bound (but CPE exponents at 1), runaway
  // (unresolved values included) or a CPE exponent standing for a resistor.
  bool sound() const;
};

// The first pass: `candidate` (placeholder values) fitted to the spectrum, which must have
// passed the checks, as the ranking fits it (one run from the network guess of a carried
// topology) but from discovery_start for any other, and scored. Never throws for a
// bad candidate: failures, an interruption included, come back in ranked.error. `features`,
// when given, are the spectrum's, read once for all its candidates.
DiscoveredFit fit_discovery_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                                      const CancellationToken& cancellation = no_cancellation(),
                                      const DataFeatures* features = nullptr);

// The candidate fitted again from each of `starts`; a start that ends successfully more than
// a billionth below the fit's cost replaces it (its label becomes the fit's start), and the
// fit is scored again.
void try_discovery_starts(DiscoveredFit* fit, const Spectrum& spectrum, const Circuit& candidate,
                          const std::vector<LabelledStart>& starts,
                          const CancellationToken& cancellation = no_cancellation());

// Warm starts of `candidate` from the candidates nested in it (one element or arc fewer, see
// nested_candidates) that were fitted successfully, the `count` cheapest: their fitted values,
// and `own_start` (its data start) for the part they lack. A richer circuit then starts where
// a simpler one already explains the data, so it rarely ends costlier than the simpler one.
// `by_key` maps canonical keys to indices of `candidates` and `fits`. Labelled "nested " and
// the nested candidate's notation.
std::vector<LabelledStart> nested_fit_starts(const CircuitCandidate& candidate, const std::vector<double>& own_start,
                                             const std::vector<CircuitCandidate>& candidates,
                                             const std::vector<DiscoveredFit>& fits,
                                             const std::unordered_map<std::string, std::size_t>& by_key,
                                             std::size_t count = kNestedStarts);

// `starts` again for each finite-length diffusion element (Wo, Ws) whose values they take from
// `own_start` (the data start, which puts its time constant at the lowest frequency), with
// its time constant at each peak of the relaxation times instead (a diffusion whose knee lies
// inside the window shows there as a peak of its own), a Wo's z0 keeping the measured
// low-frequency reactance and a Ws's the peak's area.
std::vector<LabelledStart> with_diffusion_at_peaks(const SeriesList& candidate, const std::vector<double>& own_start,
                                                   const std::vector<LabelledStart>& starts,
                                                   const DataFeatures& features);

// The `count` of `starts` with the lowest cost at their values (one impedance evaluation
// each), cheapest first.
std::vector<LabelledStart> cheapest_starts(const Circuit& candidate, const Spectrum& spectrum,
                                           std::vector<LabelledStart> starts, std::size_t count);

// The starts a candidate is fitted again from after its first fit: the nested starts and the
// diffusion-at-peaks variants of them and of the data start, the kWarmStarts cheapest.
std::vector<LabelledStart> warm_starts(const CircuitCandidate& candidate, const DiscoveredFit& fit,
                                       const Spectrum& spectrum, const std::vector<CircuitCandidate>& candidates,
                                       const std::vector<DiscoveredFit>& fits,
                                       const std::unordered_map<std::string, std::size_t>& by_key,
                                       const DataFeatures* features);

// The second pass: try_discovery_starts from each robust start derived from its data start
// (arcs swapped, resistances a decade up and down).
void refine_discovery_candidate(DiscoveredFit* fit, const Spectrum& spectrum, const Circuit& candidate,
                                const CancellationToken& cancellation = no_cancellation());

// data_start's values for any candidate: a nested arc, which data_start leaves at the
// catalogue defaults, takes the values it gets when moved to the top level, where it is an
// arc of its own that the peaks feed.
std::vector<double> discovery_start(const SeriesList& candidate, const DataFeatures& features);
// The same with the spectrum's features read first (the catalogue defaults without them, as
// after a stop, which the caller then reads from the token).
std::vector<double> discovery_start(const SeriesList& candidate, const Spectrum& spectrum,
                                    const CancellationToken& cancellation = no_cancellation());

// Marks as duplicate every fit whose fitted impedance matches, within `tolerance` relative
// to the measured |Z| at every frequency, that of another fit with fewer parameters (or as
// many and an earlier index). `fits` must be in candidate order.
void mark_impedance_duplicates(std::vector<DiscoveredFit>& fits, const Spectrum& spectrum, double tolerance = 1e-6);

}  // namespace corvex
