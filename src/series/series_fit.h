// One least-squares fit of a circuit to a whole series of spectra: parameters of each spectrum,
// parameters shared by all, and parameters that follow a law in a column of the series.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "fit/objective.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// How a law's linear combination of basis values becomes the parameter.
enum class LawLink {
  Identity,  // value = sum_j c_j * basis_j(column)
  Log,       // value = exp(sum_j c_j * basis_j(column)): Arrhenius, any positive power law
};

// A circuit parameter replaced in every spectrum by a law of a column value (temperature,
// state of charge, cycle). The caller evaluates the basis functions at each spectrum's value,
// so the core needs no knowledge of columns or formulas.
struct SeriesLaw {
  std::size_t parameter = 0;         // index in the circuit's parameter order
  LawLink link = LawLink::Identity;
  std::size_t coefficient_count = 0;  // basis functions, at least 1
  std::vector<double> basis;          // spectra x coefficient_count, row-major, all finite
};

struct SeriesProblem {
  SeriesList circuit;              // layout, names and catalogue bounds of every spectrum's parameters
  std::vector<Spectrum> spectra;   // each with at least one point
  // spectra x parameters, row-major, physical values: each spectrum's own start (its independent
  // fit). A non-finite entry starts from the circuit's value instead.
  std::vector<double> starts;
  std::vector<std::size_t> shared;  // parameter indices with one value for every spectrum
  std::vector<SeriesLaw> laws;      // parameter indices that follow a law; none also shared
  WeightScheme weighting = WeightScheme::Modulus;
};

struct SeriesOptions {
  // Levenberg-Marquardt iterations at most, rejected trial steps included.
  std::size_t max_iterations = 200;
  // An accepted step that lowers the cost by less than this fraction of it ends the fit.
  double function_tolerance = 1e-10;
  // A step shorter than this fraction of the solver-coordinate vector's length ends the fit.
  double parameter_tolerance = 1e-10;
  // The damping of the first step, relative to the diagonal of J^T J.
  double initial_damping = 1e-4;
  // Before the joint steps, refit each spectrum's own parameters with its shared and law values
  // held at their starts (the multistart stage of every fit), keeping refits that lower its cost.
  bool refit_locals = true;
  // Standard errors and the global covariance at the solution (one more Jacobian of every spectrum).
  bool covariance = true;
};

struct SeriesSummary {
  std::size_t spectrum_count = 0;
  std::size_t parameter_count = 0;    // per spectrum, the circuit's
  // spectra x parameters, row-major: every spectrum's physical values, shared and law ones included.
  std::vector<double> values;
  // spectra x parameters, row-major: standard errors from the joint covariance; inf for a value
  // the series cannot resolve, NaN when no estimate exists (no degrees of freedom left).
  std::vector<double> standard_errors;
  // Shared values (physical, in `shared` order), then each law's coefficients in `laws` order.
  std::vector<double> global_values;
  // G x G, row-major, in the coordinates of global_values: their joint covariance.
  std::vector<double> global_covariance;
  std::vector<bool> global_unresolved;   // G
  std::vector<double> spectrum_costs;    // 0.5 * sum r^2 of each spectrum at the solution
  std::vector<std::size_t> spectrum_points;  // points of each spectrum (2 residuals each)
  double cost = 0.0;                     // their sum, in spectrum order
  std::size_t residual_count = 0;        // 2 per point over every spectrum
  std::size_t free_count = 0;            // local parameters of every spectrum plus the globals
  double residual_variance = 0.0;        // 2 * cost / (residuals - free), which scales the covariance
  double t_quantile = 0.0;               // 97.5 % quantile of Student's t at residuals - free degrees
  std::size_t iterations = 0;            // Levenberg-Marquardt iterations run
  std::uint64_t evaluations = 0;         // residual vectors computed, over every spectrum
  bool converged = false;                // a tolerance ended the fit (not the iteration limit)
  std::string termination;               // why the fit ended, in words
};

// Fails with a value error naming what is wrong in the problem (a spectrum without points, a
// parameter both shared and in a law, a law without spectra enough to start from, ...), and
// with the interrupted error when `cancellation` asks to stop. The same problem gives the same
// summary bit for bit whatever the number of threads: every sum over spectra runs in order.
Result<SeriesSummary> fit_series(const SeriesProblem& problem, const SeriesOptions& options,
                                 const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
