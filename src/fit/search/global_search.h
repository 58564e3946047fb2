// Entry points of the global search methods, each preparing its own problem from the fit
// inputs and ending (except basin hopping) with a Levenberg-Marquardt polish.
#pragma once

#include "circuit/circuit.h"
#include "fit/fit_driver.h"
#include "fit/fit_outcome.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// Each stops with the interrupted error when `cancellation` asks to.

Result<FitOutcome> nelder_mead_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                   const CancellationToken& cancellation = no_cancellation());
Result<FitOutcome> particle_swarm_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                      const CancellationToken& cancellation = no_cancellation());
Result<FitOutcome> simulated_annealing_fit(const FitOptions& options, const Circuit& circuit,
                                           const Spectrum& spectrum, const CancellationToken& cancellation = no_cancellation());
Result<FitOutcome> differential_evolution_fit(const FitOptions& options, const Circuit& circuit,
                                              const Spectrum& spectrum, const CancellationToken& cancellation = no_cancellation());
Result<FitOutcome> basin_hopping_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                     const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
