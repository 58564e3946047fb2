// The guess pipeline: choose a network for the circuit's topology (a carried model or a
// user's weights file), run it on the spectrum and return values in the circuit's order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "nn/features.h"
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

// What a guess reads from the spectrum alone, whatever the topology: its scales and its
// feature map on the carried models' grid. Computed once, it serves the guesses of several
// topologies on the same spectrum (ranking, the starts of one fit).
struct GuessFeatures {
  ScaleEstimate scales;
  std::size_t n_grid = 0;
  Features features;
};

// The features of `spectrum` on the carried models' grid; fails as guess_parameters would on
// too few points, or with the interrupted error when `cancellation` stops the work.
Result<GuessFeatures> carried_guess_features(const Spectrum& spectrum,
                                             const CancellationToken& cancellation = no_cancellation());

// The carried model's guess for `circuit` from features of the same spectrum: the same values,
// bit for bit, and the same failures as guess_parameters(circuit, spectrum, std::nullopt).
// A model on another grid than the features' computes its own.
Result<std::vector<double>> guess_from_features(const SeriesList& circuit, const Spectrum& spectrum,
                                                const GuessFeatures& features,
                                                const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
