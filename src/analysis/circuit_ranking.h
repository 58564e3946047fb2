// Ranking of candidate circuits for one spectrum: each topology fitted from its network guess,
// scored by the corrected Akaike and the Bayesian information criteria, suspicious fits flagged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "circuit/circuit.h"
#include "fit/fit_outcome.h"
#include "fit/objective.h"
#include "guess/guess_parameters.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

struct RankingOptions {
  WeightScheme weight = WeightScheme::Modulus;  // residual weighting of every fit
  bool thorough = false;              // false: one lmder run from the guess; true: the full stage from the guess and the robust starts
  std::uint32_t patience = 100;       // lmder evaluation budget factor of each run
  double identifiability_limit = 1.0; // relative standard error above which a parameter is not identifiable
  // false: the single run from the data's values always follows the guess's; true: only when
  // it starts below the guess fit's end, the others left to refit_from_data.
  bool data_start_when_cheaper = false;
};

struct RankedFit {
  std::size_t candidate = 0;           // index into the candidate list
  std::optional<Error> error;          // why this candidate could not be fitted
  bool guessed = false;                // started from a network guess (else from its own values)
  bool from_data = false;              // the kept fit started from the values read off the data
  bool data_tried = false;             // a run from the values read off the data was made
  std::optional<FitOutcome> outcome;
  double aicc = 0.0;
  double bic = 0.0;
  std::vector<bool> at_bound;          // per parameter: ended on (or next to) a bound
  std::vector<bool> not_identifiable;  // per parameter: no or too large a standard error
};

// The fit and scores of one candidate. The spectrum must already have passed the checks.
// The fit asks `cancellation` between evaluations; a stopped one carries the interrupted error.
// `features`, when given, are the spectrum's guess features, computed once for all candidates.
RankedFit fit_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                        const RankingOptions& options, const CancellationToken& cancellation = no_cancellation(),
                        const GuessFeatures* features = nullptr);

// As above, and also fitted from `data_values` (a start read off the spectrum, in parameter
// order; empty for none): of the two single runs the cheaper successful one is kept, and the
// thorough stage runs it among its robust starts.
RankedFit fit_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                        const RankingOptions& options, std::span<const double> data_values,
                        const CancellationToken& cancellation = no_cancellation(),
                        const GuessFeatures* features = nullptr);

// Fills the criteria and the bound and identifiability flags of a fit's outcome on a spectrum
// of `points` frequencies, or turns it into a failure when no criterion is finite.
void score_ranked_fit(RankedFit* fit, std::size_t points, const RankingOptions& options);

// The single run from `data_values` for a fit whose candidate skipped it, kept when cheaper,
// and the fit scored again.
void refit_from_data(RankedFit* fit, const Spectrum& spectrum, const Circuit& candidate, const RankingOptions& options,
                     std::span<const double> data_values, const CancellationToken& cancellation = no_cancellation());

// The fits that skipped the run from the data's values and may have stopped in a worse
// minimum: failed ones, and those whose chi-square is no lower than that of a candidate with
// fewer parameters while none of their parameters sits on a bound (a richer model fits at
// least as well as the simpler one it nests; one that does no better off its bounds has often
// collapsed an element, while one on a bound has reduced to the simpler model).
std::vector<std::size_t> fits_to_refit_from_data(std::span<const RankedFit> fits);

// AICc this close to the best counts as a tie, which the model with fewer parameters wins.
inline constexpr double kAiccParsimonyMargin = 2.0;

// Candidates ordered by BIC or by AICc, best first; failed fits and NaN scores last, ties in
// list order. By AICc, the fit with the fewest parameters within kAiccParsimonyMargin of the
// best AICc comes first (a richer model must earn its parameters by more than noise does).
std::vector<std::size_t> ranking_order(const std::vector<RankedFit>& fits, bool by_bic);

}  // namespace corvex
