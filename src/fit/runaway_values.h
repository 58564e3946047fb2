// Fitted values that mean nothing although the fit converged: resistances far beyond the
// spectrum's own scale, arcs whose time constant lies outside the measured window, and values
// the data leave unresolved; and when such a fit may still win over a sound one.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "circuit/circuit.h"
#include "util/spectrum.h"

namespace corvex {

// A resistance above this multiple of the largest |Z| measured, or below this fraction of the
// smallest, is beyond anything the spectrum can show.
inline constexpr double kRunawayResistanceAbove = 100.0;
inline constexpr double kRunawayResistanceBelow = 1e-4;
// An arc's time constant may lie this factor outside the window 1 / (2 pi f) spans.
inline constexpr double kRunawayWindowFactor = 10.0;
// A standard error above this multiple of its value's magnitude leaves the value unknown.
inline constexpr double kRunawayRelativeError = 1e3;
// Confidence of the F-test by which a fit with runaway values beats a sound one.
inline constexpr double kRunawaySelectionConfidence = 0.99;

// One flag per parameter (in parameter order) of `circuit` at `values`, fitted to `spectrum`:
// - the value of a resistor (R), or the resistance of a K or Zarc, above
//   kRunawayResistanceAbove * max |Z| or below kRunawayResistanceBelow * min |Z|;
// - the resistance and the capacitance (C) or CPE coefficient of an arc, a parallel pair of
//   one resistor and one capacitor or CPE, whose time constant R C or (R Q)^(1 / alpha) lies
//   more than kRunawayWindowFactor beyond [1 / (2 pi f_max), 1 / (2 pi f_min)]; likewise the
//   resistance and time constant tau_k of a K (an R-C) or a Zarc (an R-CPE);
// - a value whose standard error exceeds kRunawayRelativeError times its magnitude
//   (infinite ones, of values the data cannot resolve, included; absent ones are not judged).
// `standard_errors` may be empty (no estimate); otherwise it has one entry per parameter.
std::vector<bool> runaway_parameters(const SeriesList& circuit, const Spectrum& spectrum,
                                     std::span<const double> values,
                                     std::span<const std::optional<double>> standard_errors);

// Whether a converged fit with runaway values beats a converged sound fit of the same model:
// only when its cost is lower by more than the noise explains, i.e. when the ratio of the
// costs (each a sum of squares with `degrees_of_freedom`) exceeds the F distribution's
// kRunawaySelectionConfidence quantile at (degrees_of_freedom, degrees_of_freedom). Never
// without degrees of freedom.
bool runaway_fit_wins(double sound_cost, double runaway_cost, double degrees_of_freedom);

}  // namespace corvex
