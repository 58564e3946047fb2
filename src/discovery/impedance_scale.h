// Discovery on impedances of any magnitude: a spectrum scaled by an exact power of two to a
// unit scale before the candidate fits, and the fits' values scaled back afterwards.
#pragma once

#include "fit/fit_outcome.h"
#include "util/spectrum.h"

namespace corvex {

// Median |Z| outside [2^-kUnitScaleBits, 2^kUnitScaleBits] is rescaled; inside, nothing is.
inline constexpr int kUnitScaleBits = 64;

// The power of two e such that the impedances times 2^-e have a median modulus in [1/2, 1),
// or 0 when the median modulus already lies within the unit range above, so a spectrum of
// ordinary scale is fitted exactly as measured. The spectrum must have passed the checks.
int unit_scale_exponent(const Spectrum& spectrum);

// The spectrum with every impedance times 2^-exponent: exact, mantissas unchanged (a
// subnormal scaled up loses nothing).
Spectrum scaled_to_unit(const Spectrum& spectrum, int exponent);

// A fit made to scaled_to_unit(measured, exponent) turned into the fit to `measured`: every
// value and standard error times 2 to the exponent times the power of ohms in its unit (the
// discovery's elements have no La, the one kind without such a power), and
// the measured spectrum put back. Costs need nothing, since discovery weighs residuals by
// the modulus, and relative residuals do not depend on the scale. The final Jacobian, which
// belongs to the scaled problem, is dropped. Nothing changes when `exponent` is 0.
void restore_scale(FitOutcome* outcome, const Spectrum& measured, int exponent);

}  // namespace corvex
