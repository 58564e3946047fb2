// The linear Kramers-Kronig test of Schoenleber, Klotz and Ivers-Tiffee (2014): a chain of
// fixed-time-constant RC elements fitted by linear least squares, with automatic length.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// Which part of the data the linear fit uses; residuals are reported for both parts always.
enum class KramersKronigFit { Complex, Real, Imaginary };

struct KramersKronigOptions {
  KramersKronigFit fit = KramersKronigFit::Complex;  // the part(s) the least-squares fit sees
  std::optional<std::size_t> rc_count;                // M; absent: counted up by the mu criterion
  double mu_threshold = 0.85;                         // automatic M stops once mu <= this
  std::size_t max_rc_count = 50;                      // cap of the automatic search (and of M)
  bool series_capacitance = false;                    // adds 1/(jwC) for blocking electrodes
  std::optional<double> noise_level;                  // relative noise (0.01 = 1 %); absent: estimated
};

struct KramersKronigOutcome {
  std::size_t rc_count = 0;            // M used
  bool rc_count_capped = false;        // automatic M reached the cap before mu fell to the threshold
  double mu = 0.0;                     // 1 - sum|R_k<0| / sum|R_k>=0|
  std::vector<double> time_constants;  // tau_k, seconds, ascending
  std::vector<double> resistances;     // R_k, ohm
  double series_resistance = 0.0;      // ohm
  double series_inductance = 0.0;      // henry
  double series_capacitance = 0.0;     // farad; infinity when not part of the model
  std::vector<Complex> model;          // the fitted chain at each point, input order
  std::vector<double> residuals_real;  // (Z' - Zfit') / |Z|, input order
  std::vector<double> residuals_imag;  // (Z'' - Zfit'') / |Z|, input order
  double pseudo_chi_square = 0.0;      // sum of both residuals squared
  double noise_level = 0.0;            // the given level, or the estimate from the residuals
  bool noise_estimated = false;
  double chi_square_limit = 0.0;       // pass when pseudo_chi_square <= this
  bool passed = false;
};

// Fewest points a test can run on.
inline constexpr std::size_t kKramersKronigMinPoints = 3;

// Runs the test on one spectrum. Fails with a ValueError-kind message for bad input and for
// an M the data cannot determine.
Result<KramersKronigOutcome> kramers_kronig_test(const Spectrum& spectrum, const KramersKronigOptions& options);

}  // namespace corvex
