// Distribution of relaxation times by Tikhonov regularisation on a Gaussian radial-basis
// discretisation (Wan, Saccoccio, Chen, Ciucci 2015), non-negative, lambda by one of several
// rules; credible bands and peak probabilities from the truncated Gaussian posterior.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/drt_lambda_rules.h"
#include "util/cancellation.h"
#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

enum class DrtFit { Complex, Real, Imaginary };

enum class DrtPeakRule {
  Prominence,    // peak_threshold and peak_prominence of the highest gamma in the window
  Significance,  // posterior probability that the peak rises above its valleys
};

struct DrtOptions {
  DrtFit fit = DrtFit::Complex;        // which part(s) of the data the fit sees
  std::optional<double> lambda;        // regularisation weight; absent: chosen by lambda_rule
  DrtLambdaRule lambda_rule = DrtLambdaRule::Gcv;
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
  DrtPeakRule peak_rule = DrtPeakRule::Prominence;
  double peak_probability = 0.7;       // Significance: the least posterior probability of a reported peak
  std::size_t posterior_samples = 0;   // draws of the posterior for bands and peak probabilities; 0: none
  bool exact_posterior = false;        // draw the truncated posterior exactly (slow) rather than project the
                                       // Gaussian spread around the mode on the orthant
  std::uint64_t seed = 0;              // of the posterior draws, so that a result repeats
  const CancellationToken* cancellation = nullptr;  // asked while the design is built, between the stages
                                                    // and in NNLS; a stop returns the interrupted error
};

struct DrtPeak {
  double tau = 0.0;     // seconds
  double height = 0.0;  // gamma at the peak, ohm
  double area = 0.0;    // integral of gamma over ln tau between the valleys to the neighbouring peaks, ohm
  bool extrapolated = false;  // outside 1/(2 pi f) of the measured frequencies: no data shape it
  double probability = 0.0;   // share of posterior draws in which gamma rises above both valleys; NaN without draws
};

struct DrtOutcome {
  std::vector<double> tau;             // output grid, seconds, ascending (denser than the basis)
  std::vector<double> gamma;           // gamma(tau) on that grid, ohm per unit ln tau
  std::vector<double> centres;         // basis centres, seconds
  std::vector<double> coefficients;    // basis weights, non-negative
  std::vector<DrtPeak> peaks;          // ascending tau
  double lambda = 0.0;                 // the weight used, in 1/ohm^2 like gamma's penalty
  bool lambda_from_gcv = false;       // lambda was chosen by the rule, not given
  std::vector<double> gamma_mean;      // posterior mean of gamma on the output grid; empty without draws
  std::vector<double> gamma_lower;     // its 1 % quantile
  std::vector<double> gamma_upper;     // its 99 % quantile
  double noise = 0.0;                  // estimated standard deviation of the relative residuals
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
