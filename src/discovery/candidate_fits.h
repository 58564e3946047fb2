// The fit of one discovery candidate from the data start and the robust starts, its scores,
// and the second duplicate check, by fitted impedance.
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

struct DiscoveredFit {
  RankedFit ranked;                  // outcome (absent on failure), AICc, BIC, bound and identifiability flags
  std::vector<bool> runaway;         // per parameter: runaway_parameters of the fit
  std::vector<bool> low_exponent;    // per parameter: a CPE exponent below kLowCpeExponent
  std::vector<Complex> model;        // fitted impedance at the measured frequencies
  double runs_p = std::numeric_limits<double>::quiet_NaN();  // runs_test_p of the residuals
  std::string start;                 // label of the winning start
  bool duplicate = false;            // same fitted impedance as a candidate with no more parameters

  bool fitted() const { return ranked.outcome.has_value(); }
  // A fit that converged with no parameter on a bound, unidentifiable, runaway or a CPE
  // exponent standing for a resistor.
  bool sound() const;
};

// Fits `candidate` (placeholder values) to the spectrum, which must have passed the checks,
// from data_start and the robust starts, and scores it. Never throws for a bad candidate:
// failures, an interruption included, come back in ranked.error.
DiscoveredFit fit_discovery_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                                      const CancellationToken& cancellation = no_cancellation());

// Marks as duplicate every fit whose fitted impedance matches, within `tolerance` relative
// to the measured |Z| at every frequency, that of another fit with fewer parameters (or as
// many and an earlier index). `fits` must be in candidate order.
void mark_impedance_duplicates(std::vector<DiscoveredFit>& fits, const Spectrum& spectrum, double tolerance = 1e-6);

}  // namespace corvex
