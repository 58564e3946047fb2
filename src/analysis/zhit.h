// Z-HIT (Ehm et al. 2000; Schiller et al. 2001): the modulus of an impedance reconstructed from
// its phase by the Hilbert relation over ln(omega), as a check of the measured modulus.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

struct ZhitOptions {
  // Points of the local quadratic fit over ln(omega) that smooths the phase and gives its
  // slope (a Savitzky-Golay filter for uneven spacing); odd, at least 3 (3: no smoothing).
  std::size_t smoothing_points = 5;
  // The frequencies, in Hz, between which the offset ln|Z| - ln|Z_HIT| is averaged; absent:
  // the lowest and highest measured frequency.
  std::optional<double> window_low;
  std::optional<double> window_high;
  // The verdict's bound on |(|Z| - |Z_HIT|) / |Z|| inside the window. The second-order
  // approximation itself deviates by up to about 1.3 % at an ideal RC element.
  double tolerance = 0.02;
};

struct ZhitOutcome {
  std::vector<double> modulus;            // |Z_HIT|, ohm, input order
  std::vector<double> phase;              // the measured phase, rad, input order
  std::vector<double> smoothed_phase;     // rad, input order
  std::vector<Complex> model;             // |Z_HIT| exp(j phase), input order
  std::vector<double> residuals_modulus;  // (|Z| - |Z_HIT|) / |Z|, input order
  std::vector<double> residuals_real;     // (Z' - Z_HIT') / |Z|, input order
  std::vector<double> residuals_imag;     // (Z'' - Z_HIT'') / |Z|, input order
  std::vector<bool> in_window;            // whether the point lies in the offset window
  double window_low = 0.0;                // Hz
  double window_high = 0.0;               // Hz
  double offset = 0.0;                    // the fitted ln|Z| - ln|Z_HIT| before correction
  double largest_residual = 0.0;          // largest |residuals_modulus| inside the window
  double rms_residual = 0.0;              // root mean square of residuals_modulus inside the window
  bool passed = false;                    // largest_residual <= tolerance
};

// Fewest points Z-HIT can run on.
inline constexpr std::size_t kZhitMinPoints = 5;

// Reconstructs the modulus of one spectrum. Fails with a ValueError-kind message for bad input
// and for a window that holds no point.
Result<ZhitOutcome> zhit(const Spectrum& spectrum, const ZhitOptions& options);

}  // namespace corvex
