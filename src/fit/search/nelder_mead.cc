// The nelder-mead global search method of fit(), run over the search coordinates.
// Placeholder entry point while the method is being written.
#include "fit/fit_error.h"
#include "fit/search/global_search.h"

namespace corvex {

Result<FitOutcome> nelder_mead_fit(const FitOptions&, const Circuit&, const Spectrum&) {
  return fit_error(FitErrorKind::Solver, "nelder-mead is not available yet");
}

}  // namespace corvex
