// The full check of a parsed weights file before it is trusted for guessing: every tensor
// the network binds and every decoding table, so later runs cannot fail on the file itself.
#pragma once

#include "nn/network_model.h"
#include "util/result.h"

namespace corvex {

// Fails with the first problem found: header limits (groups, channels, sizes), network tensors
// missing or too short, linear layers whose sizes do not chain, an output layer with fewer
// outputs than parameters, and unusable decoding tables.
Status validate_network_model(const NetworkModel& model);

}  // namespace corvex
