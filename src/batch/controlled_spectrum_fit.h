// One spectrum fitted under caller controls from fit()'s start: the network guess when the
// policy says so, then the controlled fit with its robust starts and uncertainty.
#pragma once

#include "batch/spectrum_fit.h"
#include "fit/controlled_fit.h"

namespace corvex {

// The start of `start` ("guess" for a network guess, "initial" for the circuit's own
// values, "data" for refined_data_start's values, its brief runs under the controls' held
// parameters and limits), then fit_with_controls; robust fits of placeholder values that no carried network
// fits also start from contained_model_start, and robust fits from a guess or the circuit's
// values also from data_start's values ("data"). Fails with the guess's, the driver's or the controls'
// message, or with the interrupted error when `cancellation` stops the fit.
Result<ControlledFit> fit_spectrum_with_controls(const Circuit& circuit, const Spectrum& spectrum,
                                                 const FitStart& start, const FitOptions& options,
                                                 const FitControls& controls, bool robust,
                                                 const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
