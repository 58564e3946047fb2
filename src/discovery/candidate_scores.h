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

// A BIC difference below this is not worth more than a bare mention (Kass and Raftery 1995):
// such candidates explain the data equally well.
inline constexpr double kAdequateBic = 2.0;

// CPE and diffusion elements in `circuit`: each stands for a distribution of time constants
// where an R, C or L stands for one value.
std::size_t distributed_elements(const SeriesList& circuit);

// Indices of `fits` best first: fitted, non-duplicate fits by BIC, as rank_circuits orders its
// own (flags inform, they do not reorder: a flagged fit of the generating circuit still
// explains the data, and demoting it cost first places on every benchmark set), then
// duplicates and failures; ties keep candidate order. Simplest adequate first: of the fits
// within kAdequateBic of the best one, the one with the fewest parameters, then the fewest
// distributed elements, then the shallowest nesting, then the lowest BIC, takes first place.
std::vector<std::size_t> discovery_order(const std::vector<DiscoveredFit>& fits);

}  // namespace corvex
