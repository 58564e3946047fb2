// Entry into fitting: the method is selected by its exact name before anything else is
// looked at, then the method validates the data and runs.
#include "fit/fit_driver.h"

#include <string_view>

#include "fit/fit_error.h"
#include "fit/lm_stage.h"
#include "fit/search/global_search.h"

namespace corvex {
namespace {

// The gtol of the levenberg_marquardt method; fit() does not expose it.
constexpr double kDefaultGtol = 1e-8;

using MethodEntry = Result<FitOutcome> (*)(const FitOptions&, const Circuit&, const Spectrum&,
                                           const CancellationToken&);

Result<FitOutcome> levenberg_marquardt_fit(const FitOptions& options, const Circuit& circuit,
                                           const Spectrum& spectrum, const CancellationToken& cancellation) {
  const LmSettings settings{.ftol = options.ftol, .xtol = options.xtol, .gtol = kDefaultGtol,
                            .patience = options.max_iterations};
  return lm_stage(circuit, spectrum, options.weight, settings, cancellation);
}

struct Method {
  std::string_view name;
  MethodEntry run;
};

constexpr Method kMethods[] = {
    {"levenberg_marquardt", levenberg_marquardt_fit},
    {"nelder_mead", nelder_mead_fit},
    {"particle_swarm", particle_swarm_fit},
    {"simulated_annealing", simulated_annealing_fit},
    {"differential_evolution", differential_evolution_fit},
    {"basin_hopping", basin_hopping_fit},
};

}  // namespace

bool known_fit_method(std::string_view name) {
  for (const Method& method : kMethods) {
    if (name == method.name) return true;
  }
  return false;
}

Result<FitOutcome> fit_driver(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                              const CancellationToken& cancellation) {
  for (const Method& method : kMethods) {
    if (options.method != method.name) continue;
    Result<FitOutcome> outcome = method.run(options, circuit, spectrum, cancellation);
    if (outcome) outcome->measured = spectrum;
    return outcome;
  }
  return fit_error(FitErrorKind::UnknownMethod, options.method);
}

}  // namespace corvex
