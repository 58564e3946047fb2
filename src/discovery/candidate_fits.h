// The fits of discovery candidates: a first pass of every candidate from a start read off the
// data, a second pass of the best from the robust starts, their scores, and the second
// duplicate check, by fitted impedance.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "analysis/circuit_ranking.h"
#include "circuit/circuit.h"
#include "util/cancellation.h"
#include "util/complex.h"
#include "util/spectrum.h"

namespace corvex {

// Candidates (best first after the first pass) that the second pass fits again.
inline constexpr std::size_t kRefinedCandidates = 8;

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
// bad candidate: failures, an interruption included, come back in ranked.error.
DiscoveredFit fit_discovery_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                                      const CancellationToken& cancellation = no_cancellation());

// The second pass: the candidate fitted again from each robust start derived from its data
// start (arcs swapped, resistances a decade up and down); a start that ends successfully
// more than a billionth below the fit's cost replaces it, and the fit is scored again.
void refine_discovery_candidate(DiscoveredFit* fit, const Spectrum& spectrum, const Circuit& candidate,
                                const CancellationToken& cancellation = no_cancellation());

// data_start's values for any candidate: a nested arc, which data_start leaves at the
// catalogue defaults, takes the values it gets when moved to the top level, where it is an
// arc of its own that the peaks feed.
std::vector<double> discovery_start(const SeriesList& candidate, const Spectrum& spectrum);

// Marks as duplicate every fit whose fitted impedance matches, within `tolerance` relative
// to the measured |Z| at every frequency, that of another fit with fewer parameters (or as
// many and an earlier index). `fits` must be in candidate order.
void mark_impedance_duplicates(std::vector<DiscoveredFit>& fits, const Spectrum& spectrum, double tolerance = 1e-6);

}  // namespace corvex
