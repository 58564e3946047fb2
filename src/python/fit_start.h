// Where a fit starts: the circuit's own values, or a machine-learning guess, with the
// warning when no guess can be made for the circuit's topology.
#pragma once

#include <optional>
#include <string>

#include "circuit/circuit.h"
#include "util/spectrum.h"

namespace corvex::python {

// fit()'s starting-point policy: a bool guess_init decides alone; None guesses when a
// weights file is named or when the circuit's values are placeholders.
bool decides_to_guess(const std::optional<bool>& guess_init, bool weights_given, bool explicit_values);

// The circuit to start from when the policy says to guess: a copy carrying guessed
// values, or (after the warning) nullopt meaning "start from the circuit as it is". A named
// weights file is always read; without one, a carried model is used when the topology has one.
// Returns false with a Python exception set when the guess fails or the warning is
// turned into an error by the warning filters.
bool guessed_start(const Circuit& circuit, const Spectrum& spectrum, const std::optional<bool>& guess_init,
                   const std::optional<std::string>& weights, std::optional<Circuit>* start);

}  // namespace corvex::python
