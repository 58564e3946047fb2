// Distribution of relaxation times by Tikhonov regularisation on a Gaussian radial-basis
// discretisation (Wan, Saccoccio, Chen, Ciucci 2015), non-negative, lambda by generalised
// cross-validation.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "util/cancellation.h"
#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

enum class DrtFit { Complex, Real, Imaginary };

struct DrtOptions {
  DrtFit fit = DrtFit::Complex;        // which part(s) of the data the fit sees
  std::optional<double> lambda;        // regularisation weight; absent: generalised cross-validation
  double gcv_factor = 2.0;             // weight of the effective parameter count in the GCV score (1: plain GCV)
  int derivative_order = 2;            // penalised derivative of gamma: 1 or 2
  double points_per_decade = 8.0;      // basis centres per decade of tau
  double extend_decades = 1.0;         // the tau grid reaches this far beyond 1/(2 pi f) at both ends
  double shape_factor = 0.5;           // basis width: full width at half maximum = spacing / shape_factor
  bool series_resistance = true;       // fit R_inf
  bool series_inductance = false;      // fit a series inductance
  double peak_threshold = 0.01;        // peaks lower than this share of the highest are ignored
  double peak_prominence = 0.15;       // peaks rising less than this share of the highest measured one above
                                       // the valleys that separate them from higher ground are ignored
  const CancellationToken* cancellation = nullptr;  // asked while the design, the lambda search and NNLS run;
                                                    // a stop returns the interrupted error
};

struct DrtPeak {
  double tau = 0.0;     // seconds
  double height = 0.0;  // gamma at the peak, ohm
  double area = 0.0;    // integral of gamma over ln tau between the valleys to the neighbouring peaks, ohm
  bool extrapolated = false;  // outside 1/(2 pi f) of the measured frequencies: no data shape it
};

struct DrtOutcome {
  std::vector<double> tau;             // output grid, seconds, ascending (denser than the basis)
  std::vector<double> gamma;           // gamma(tau) on that grid, ohm per unit ln tau
  std::vector<double> centres;         // basis centres, seconds
  std::vector<double> coefficients;    // basis weights, non-negative
  std::vector<DrtPeak> peaks;          // ascending tau
  double lambda = 0.0;                 // the weight used, in 1/ohm^2 like gamma's penalty
  bool lambda_from_gcv = false;
  double series_resistance = 0.0;      // ohm
  double series_inductance = 0.0;      // henry
  std::vector<Complex> model;          // fitted impedance, input order
  std::vector<double> residuals_real;  // (Z' - Zfit') / |Z|
  std::vector<double> residuals_imag;  // (Z'' - Zfit'') / |Z|
  bool nnls_converged = false;
};

inline constexpr std::size_t kDrtMinPoints = 5;

Result<DrtOutcome> relaxation_times(const Spectrum& spectrum, const DrtOptions& options);

}  // namespace corvex
