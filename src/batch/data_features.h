// What the spectrum shows for any circuit's start, read once: the intercept, the inductive
// tail, the DRT's peaks and the low-frequency tail.
#pragma once

#include <optional>
#include <vector>

#include "analysis/relaxation_times.h"
#include "util/cancellation.h"
#include "util/spectrum.h"

namespace corvex {

// Lowest CPE exponent a peak's shape may give: broader peaks are arcs merged into one.
inline constexpr double kLowestPeakExponent = 0.5;

// What the spectrum shows, read once: what every circuit's start is assigned from.
struct DataFeatures {
  DrtOptions drt;                  // the DRT's settings, which shape its peaks
  Spectrum clean;                  // the usable points, which score the candidate assignments
  double series_resistance = 0.0;  // ohm
  double inductance = 0.0;         // henry
  std::vector<DrtPeak> peaks;      // ascending tau
  double omega_low = 0.0;          // lowest angular frequency, 1/s
  double omega_high = 0.0;         // highest
  double spread = 0.0;             // range of the real part, ohm
  double tail_imaginary = 0.0;     // -Im Z at the lowest frequency, floored to a positive value
  double tail_alpha = 0.8;         // minus the log-log slope of -Im Z over the lowest points
};

// The features of the spectrum's usable points; none when no point is usable. A stop asked
// through `cancellation` ends the DRT early and leaves its peaks out: callers that honour the
// stop ask the token (stopped()) afterwards.
std::optional<DataFeatures> data_features(const Spectrum& spectrum,
                                          const CancellationToken& cancellation = no_cancellation());

// The CPE exponent of a DRT peak of these options, read as a Cole-Cole distribution.
double alpha_of_peak(const DrtPeak& peak, const DrtOptions& options);

}  // namespace corvex
