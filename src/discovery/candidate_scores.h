// Scores a discovery adds to the ranking's criteria: the runs test of residual signs, the
// CPE exponents that stand for a resistor, and the order, simplest adequate fit first.
#pragma once

#include <cstddef>
#include <vector>

#include "circuit/circuit.h"
#include "util/complex.h"
#include "util/spectrum.h"

namespace corvex {

struct DiscoveredFit;

// A CPE with a smaller exponent behaves more like a resistor than like a capacitor.
inline constexpr double kLowCpeExponent = 0.5;

// The one-sided (too few runs) p-value of the Wald-Wolfowitz runs test on the signs of the
// real and of the imaginary residuals, each taken in frequency order, their run counts and
// normal approximations added. Long runs of one sign mean structure the model misses. NaN
// when neither part has both signs.
double runs_test_p(const Spectrum& spectrum, const std::vector<Complex>& model);

// Per parameter of `circuit`: a CPE exponent below kLowCpeExponent.
std::vector<bool> low_cpe_exponents(const SeriesList& circuit, const std::vector<double>& values);

// Per parameter of `circuit`: a CPE exponent at 1 (within kIdealExponentMargin), where the CPE
// is a capacitor. Such a bound is no flaw: the fit is that of the circuit with a C in its place.
inline constexpr double kIdealExponentMargin = 1e-6;
std::vector<bool> ideal_cpe_exponents(const SeriesList& circuit, const std::vector<double>& values);

// Indices of the `count` fitted candidates with the lowest BIC, flags aside: those the
// second pass refines. Ties keep candidate order.
std::vector<std::size_t> lowest_bic(const std::vector<DiscoveredFit>& fits, std::size_t count);

// BIC differences up to this are too small to choose between circuits on: a Bayes factor
// below e^1.5, weak evidence at best (Kass and Raftery 1995). Measured against 2 on the
// discovery benchmark's synthetic and carried-topology sets, 3 ranked the generating circuit
// first as often or more on each.
inline constexpr double kAdequateBic = 3.0;

// Indices of `fits` best first: fitted, non-duplicate fits by BIC, as rank_circuits orders its
// own (flags inform, they do not reorder: a flagged fit of the generating circuit still
// explains the data, and demoting flagged fits cost agreement with the ranking and the
// measured files' AICc while gaining no first place on the synthetic set), then
// duplicates and failures; ties keep candidate order. Simplest adequate first: of the fits
// within kAdequateBic of the best one, a carried topology (the field's common circuits, which
// the data then cannot rule out), then the fewest parameters, then the shallowest nesting,
// then the lowest BIC, takes first place.
std::vector<std::size_t> discovery_order(const std::vector<DiscoveredFit>& fits);

}  // namespace corvex
