// The guess pipeline: choose a network for the circuit's topology (a carried model or a
// user's weights file), run it on the spectrum and return values in the circuit's order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// Starting values for every parameter of `circuit`, in its parameter order. Without a path
// the registry supplies the model; with one, the weights cache does (the registry is not
// consulted). Fails with the exact message of the first problem met, or with the interrupted
// error when `cancellation` stops the reading of a weights file.
Result<std::vector<double>> guess_parameters(const SeriesList& circuit, const Spectrum& spectrum,
                                             const std::optional<std::string>& weights_path,
                                             const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
