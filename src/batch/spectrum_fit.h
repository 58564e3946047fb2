// The whole fit of one spectrum: where it starts (the circuit's values or a network guess)
// and the fit driver from there. Circuit.fit() and every task of a batch run this one path.
#pragma once

#include <optional>
#include <string>

#include "circuit/circuit.h"
#include "fit/fit_driver.h"
#include "fit/fit_outcome.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

enum class StartKind {
  AsGiven,             // the circuit's own values
  Guess,               // a network guess: from the weights file when one is named, else a carried model
  AsGivenWithWarning,  // the circuit's own values; the caller warns that no model could guess
  Data,                // values read off the spectrum by data_start, for any topology
};

// Where fits of one circuit start, decided from the arguments alone, before any spectrum.
struct FitStart {
  StartKind kind = StartKind::AsGiven;
  std::optional<std::string> weights;  // path of a user weights file for the guess
};

// fit()'s starting-point policy: a bool guess_init decides alone; None guesses when a
// weights file is named or when the circuit's values are placeholders. Without a weights
// file the guess needs a carried model for the topology, unless guess_init is True (then the
// guess itself reports that none exists).
FitStart choose_fit_start(const Circuit& circuit, const std::optional<bool>& guess_init,
                          const std::optional<std::string>& weights);

// The text of the warning for StartKind::AsGivenWithWarning.
std::string no_model_warning_message();

// The starting circuit for `start`, then the driver. Fails with the guess's or the
// driver's message, or with the interrupted error when `cancellation` stops the fit.
Result<FitOutcome> fit_spectrum(const Circuit& circuit, const Spectrum& spectrum, const FitStart& start,
                                const FitOptions& options, const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
