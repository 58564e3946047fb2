// The basin hopping global search method of fit(), run over the search coordinates.
// Placeholder entry point while the method is being written.
#include "fit/fit_error.h"
#include "fit/search/global_search.h"

namespace corvex {

Result<FitOutcome> basin_hopping_fit(const FitOptions&, const Circuit&, const Spectrum&) {
  return fit_error(FitErrorKind::Solver, "basin hopping is not available yet");
}

}  // namespace corvex
