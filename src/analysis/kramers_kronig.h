// The linear Kramers-Kronig test (Schoenleber, Klotz and Ivers-Tiffee 2014; Boukamp 1995 for the
// admittance form): a chain of fixed-time-constant RC elements fitted by linear least squares.
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

// How M is chosen when it is not given.
enum class KramersKronigMethod {
  // A fixed density of time constants per decade over the extended window: dense enough that
  // an ideal RC element between two time constants leaves residuals far below any noise.
  Density,
  // Counts M up until the mu criterion of Schoenleber et al. (2014) is met.
  Mu,
};

// The quantity the chain describes: the impedance (a series R, L, C and parallel RC elements)
// or the admittance (Boukamp 1995: a parallel conductance, capacitance, inductance and series
// R-C branches). A spectrum dominated by a parallel path is described by fewer terms in the
// admittance, one dominated by a series path in the impedance.
enum class KramersKronigRepresentation { Impedance, Admittance };

struct KramersKronigOptions {
  KramersKronigMethod method = KramersKronigMethod::Mu;  // how M is chosen when rc_count is absent
  KramersKronigRepresentation representation = KramersKronigRepresentation::Impedance;
  KramersKronigFit fit = KramersKronigFit::Complex;  // the part(s) the least-squares fit sees
  std::optional<std::size_t> rc_count;                // M; absent: chosen by the method
  double mu_threshold = 0.85;                         // Mu: automatic M stops once mu <= this
  std::size_t max_rc_count = 50;                      // cap of the automatic choice (and of M)
  double rc_per_decade = 4.0;                         // Density: time constants per decade
  double tau_extension = 0.0;                         // decades the time constants reach beyond the data
  bool series_capacitance = false;                    // adds the 1/(jw) term (series C; parallel L in admittance)
  std::optional<double> noise_level;                  // relative noise (0.01 = 1 %); absent: estimated
  double noise_floor = 5e-3;                          // least estimated noise level
};

struct KramersKronigOutcome {
  std::size_t rc_count = 0;            // M used
  bool rc_count_capped = false;        // automatic M reached the cap before mu fell to the threshold
  double mu = 0.0;                     // 1 - sum|R_k<0| / sum|R_k>=0|
  std::vector<double> time_constants;  // tau_k, seconds, ascending
  std::vector<double> resistances;     // R_k, ohm (admittance: 1/G_k of the series R-C branches)
  // The terms outside the RC elements; in the admittance representation the parallel ones:
  // resistance 1/G0, capacitance and inductance of the 1/(jw) term, in the fields of the same unit.
  double series_resistance = 0.0;      // ohm
  double series_inductance = 0.0;      // henry (admittance: parallel inductance, infinity when absent)
  double series_capacitance = 0.0;     // farad; infinity when not part of the model (admittance: parallel C)
  std::vector<Complex> model;          // the fitted chain at each point, input order
  std::vector<double> residuals_real;  // (Z' - Zfit') / |Z| (admittance: of Y), input order
  std::vector<double> residuals_imag;  // (Z'' - Zfit'') / |Z| (admittance: of Y), input order
  double pseudo_chi_square = 0.0;      // sum of both residuals squared
  double noise_level = 0.0;            // the given level, or the estimate from the residuals
  bool noise_estimated = false;
  double chi_square_limit = 0.0;       // pass when pseudo_chi_square <= this
  // Within the limit; with a noise level estimated above the floor (not by Mu), the runs test
  // must not reject white residuals at the 1 % level either.
  bool passed = false;
  // M exceeds the number of frequencies: the chain has more time constants than the data
  // have points and can follow deviations the test is meant to catch.
  bool too_flexible = false;
  // One-sided p-value of the runs test on the signs of the residuals ordered by frequency:
  // small when neighbours share their sign, as a systematic deviation makes them.
  double whiteness_p = 1.0;
  // p-value of the Jarque-Bera test of all residuals for a normal distribution.
  double normality_p = 1.0;
};

// Fewest points a test can run on.
inline constexpr std::size_t kKramersKronigMinPoints = 3;

// Runs the test on one spectrum. Fails with a ValueError-kind message for bad input and for
// an M the data cannot determine.
Result<KramersKronigOutcome> kramers_kronig_test(const Spectrum& spectrum, const KramersKronigOptions& options);

}  // namespace corvex
