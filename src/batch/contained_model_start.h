// A start for a circuit no carried network fits: the guess of the largest carried topology
// among its top-level parts, with values from the spectrum's scales for the parts left over.
#pragma once

#include <optional>

#include "circuit/circuit.h"
#include "fit/robust_starts.h"
#include "util/cancellation.h"
#include "util/spectrum.h"

namespace corvex {

// Over the subsets of the circuit's top-level series nodes (up to 12 nodes), the remainder
// with the most parameters whose topology a carried model matches; its guess gives those
// values, and each left-over element gets values from the spectrum: ohm-valued parameters
// the spread of the real part, time constants the reciprocal of the geometric-mean angular
// frequency (of the lowest for diffusion elements), capacitances, inductances, Warburg and CPE coefficients from those two, unitless
// ones the catalogue default. Labelled "guess_<key>"; nullopt when no part matches or the
// guess fails, or once `cancellation` stops (which the caller reads from the token).
std::optional<LabelledStart> contained_model_start(const SeriesList& circuit, const Spectrum& spectrum,
                                                   const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
