// Discovery on impedances of any magnitude: a spectrum scaled by an exact power of two to a
// unit scale before the candidate fits, and the fits' values scaled back afterwards.
#include "discovery/impedance_scale.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "circuit/circuit.h"
#include "elements/element.h"

namespace corvex {

int unit_scale_exponent(const Spectrum& spectrum) {
  std::vector<double> modulus(spectrum.impedances.size());
  for (std::size_t i = 0; i < modulus.size(); ++i) {
    modulus[i] = std::hypot(spectrum.impedances[i].re, spectrum.impedances[i].im);
  }
  if (modulus.empty()) return 0;
  auto middle = modulus.begin() + static_cast<std::ptrdiff_t>(modulus.size() / 2);
  std::nth_element(modulus.begin(), middle, modulus.end());
  const double median = *middle;
  if (median >= std::ldexp(1.0, -kUnitScaleBits) && median <= std::ldexp(1.0, kUnitScaleBits)) return 0;
  int exponent = 0;
  std::frexp(median, &exponent);
  return exponent;
}

Spectrum scaled_to_unit(const Spectrum& spectrum, int exponent) {
  Spectrum out = spectrum;
  for (Complex& z : out.impedances) z = {std::ldexp(z.re, -exponent), std::ldexp(z.im, -exponent)};
  return out;
}

void restore_scale(FitOutcome* outcome, const Spectrum& measured, int exponent) {
  if (exponent == 0) return;
  const std::vector<std::string_view> units = param_units(outcome->circuit.nodes);
  for (std::size_t i = 0; i < units.size() && i < outcome->values.size(); ++i) {
    const int power = impedance_power_of_unit(units[i]) * exponent;
    outcome->values[i] = std::ldexp(outcome->values[i], power);
    if (outcome->standard_errors && i < outcome->standard_errors->size()) {
      (*outcome->standard_errors)[i] = std::ldexp((*outcome->standard_errors)[i], power);
    }
  }
  outcome->circuit.nodes = rebuild_with_values(outcome->circuit.nodes, outcome->values.data());
  outcome->measured = measured;
  outcome->final_jacobian.reset();
}

}  // namespace corvex
