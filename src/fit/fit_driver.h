// The single entry into fitting: options of a fit, validation and dispatch by method name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fit/fit_outcome.h"
#include "fit/objective.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

struct FitOptions {
  std::string method = "levenberg_marquardt";  // exact name of the fitting method
  std::uint32_t max_iterations = 200;          // levenberg_marquardt: patience of each lmder run
  double ftol = 1e-8;                          // levenberg_marquardt only
  double xtol = 1e-8;                          // levenberg_marquardt only
  WeightScheme weight = WeightScheme::Modulus; // every method
  std::uint64_t num_particles = 200;           // particle_swarm
  std::uint64_t generations = 1000;            // particle_swarm
  std::optional<std::uint64_t> seed;           // particle_swarm, simulated_annealing, basin_hopping
  std::uint64_t nelder_mead_iterations = 2000; // nelder_mead
  std::uint64_t de_evaluations = 20000;        // differential_evolution: evaluations per run
  std::uint64_t sa_iterations = 5000;          // simulated_annealing
  double sa_initial_temperature = 2.0;         // simulated_annealing
  std::uint32_t basin_hopping_hops = 20;       // basin_hopping
  double basin_hopping_step_size = 1.0;        // basin_hopping
  double basin_hopping_temperature = 1.0;      // basin_hopping
};

// True when `name` is exactly the name of a fitting method.
bool known_fit_method(std::string_view name);

// Runs the method named in options on the circuit (which carries the starting values).
// An unknown method is reported before any problem with the data. Every method asks
// `cancellation` between evaluations and stops with the interrupted error when told to.
Result<FitOutcome> fit_driver(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                              const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
