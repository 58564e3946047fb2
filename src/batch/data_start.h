// A start for any circuit read off the measured spectrum: the high-frequency intercept, the
// DRT's peaks and the low-frequency tail, each given to the elements that produce it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "batch/data_features.h"
#include "circuit/circuit.h"
#include "util/cancellation.h"
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
// spectrum without a usable point, or with the interrupted error once `cancellation` stops.
Result<std::vector<double>> data_start(const SeriesList& circuit, const Spectrum& spectrum,
                                       const CancellationToken& cancellation = no_cancellation());

// data_start from features read once, for many circuits fitted to one spectrum: the nearest
// member of the plain reading of data_start_candidates.
std::vector<double> data_start_from(const SeriesList& circuit, const DataFeatures& features);

// One member of the family of starts read off the data.
struct DataStartCandidate {
  std::vector<double> values;  // parameter order
  double distance;             // sum of squared residuals relative to |Z| at these values
  std::size_t reading;         // which reading of the spectrum made it; 0 is the plain one
};

// Every start read off the data, nearest first. Beside the
// plain reading above, each that applies to the circuit and its combinations: the first arc
// takes the high-frequency intercept with a time constant faster than the window and the
// series resistor a hundredth of it; a diffusion element owns the DRT's slowest peak, which
// no arc takes then; a Wo's or Ws's bend lies beyond the window (30 / the lowest angular
// frequency); arcs the DRT shows depressed get an exponent of at least 0.9; arcs of different
// make-up (one holding more than its R and C or CPE, or C beside CPE) take the peaks in the
// reverse order. Deterministic.
std::vector<DataStartCandidate> data_start_candidates(const SeriesList& circuit, const DataFeatures& features);

// `values` (parameter order) with every diffusion element (W, Wo, Ws) whose magnitude a fit
// drove to nothing, below a millionth of what the low-frequency tail reads for it, read
// again from the tail with its bend at the window's edge; none when no such element is left.
// A faint diffusion element a fit removed early often holds the lowest cost once it is back.
std::optional<std::vector<double>> revived_diffusion(const SeriesList& circuit, const DataFeatures& features,
                                                     std::vector<double> values);

}  // namespace corvex
