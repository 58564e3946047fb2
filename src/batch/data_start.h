// A start for any circuit read off the measured spectrum: the high-frequency intercept, the
// DRT's peaks and the low-frequency tail, each given to the elements that produce it.
#pragma once

#include <vector>

#include "circuit/circuit.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// Values in parameter order. Top-level resistors take the high-frequency intercept (the
// first one; later ones a tenth of it), inductors the inductive tail (or a hundredth of the
// smallest |Z| at the highest frequency when there is none); arcs, that is top-level parallel
// groups of a resistor with a C or CPE branch and top-level K and Zarc elements, take the
// DRT's peaks in time-constant order (R the peak's area, C = tau / R, CPE q = tau^alpha / R
// with alpha from the peak's height over its area, as for a Cole-Cole distribution). With
// more peaks than arcs, consecutive peaks are merged into one wider arc or the extra ones
// dropped (outside the window first, then the smallest); an arc without a peak goes into the
// widest gap in log tau, as large as its neighbours or small, or two arcs share one peak.
// Of these candidates the one whose impedance lies nearest the data wins.
// Diffusion elements (W, Wo, Ws) and top-level C and CPE take the low-frequency tail:
// tau = 1 / the lowest angular frequency, magnitudes from the imaginary part there, a CPE's
// exponent from its slope. Everything else keeps the catalogue default. Fails only for a
// spectrum without a usable point.
Result<std::vector<double>> data_start(const SeriesList& circuit, const Spectrum& spectrum);

}  // namespace corvex
