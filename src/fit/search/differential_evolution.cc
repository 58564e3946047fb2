// The differential evolution search of fit(): ten self-adaptive DE/rand/1/bin runs (jDE
// style) in single precision over the search box, each on its own xorshift128 generator
// seeded by the operating system, then the polish of the best end point.
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fit/fit_error.h"
#include "fit/search/differential_evolution.h"
#include "fit/search/global_search.h"
#include "fit/search/polish.h"
#include "fit/search/saturating.h"
#include "fit/search/search_space.h"
#include "fit/search/xorshift128.h"
#include "fit/solver_coordinates.h"
#include "util/quote.h"

namespace corvex {

namespace {

struct Individual {
  std::vector<float> position;  // solver coordinates
  std::optional<float> cost;    // absent until evaluated
  float crossover = 0.0f;       // cr
  float mutation = 0.0f;        // f
};

// Search-box limits in single precision.
struct Limits {
  std::vector<float> lower;
  std::vector<float> upper;
};

// The end point of one run in physical coordinates, with its cost in double precision.
struct RunResult {
  std::optional<std::vector<double>> point;
  double cost = 0.0;
  std::uint64_t evaluations = 0;
  bool interrupted = false;  // the search's token stopped the run
};

// A cost may become the best over `incumbent` unless it is NaN; anything else replaces NaN.
bool improves_on(float cost, float incumbent) {
  return cost < incumbent || (std::isnan(incumbent) && !std::isnan(cost));
}

class EvolutionRun {
 public:
  EvolutionRun(const SearchSpace& space, const Limits& limits, const EvolutionSettings& settings,
               Xorshift128 generator)
      : space_(space), limits_(limits), settings_(settings), generator_(generator), n_(limits.lower.size()) {}

  RunResult run() {
    initialise();
    RunResult result;
    const std::uint64_t steps = settings_.evaluations > 0 ? settings_.evaluations : 1;
    for (std::uint64_t step = 0; step < steps; ++step) {
      if (search_interrupted(space_)) {
        result.interrupted = true;
        return result;
      }
      if (countdown_ > 0) {
        --countdown_;
      } else {
        end_generation();
        countdown_ = settings_.population - 1;
      }
      Individual& individual = current_[countdown_];
      const float cost = evaluate(individual.position);
      individual.cost = cost;
      ++result.evaluations;
      if (!std::isnan(cost) && (!best_index_ || cost < best_cost_)) {
        best_index_ = countdown_;
        best_cost_ = cost;
      }
    }
    if (!best_index_) return result;

    const Individual& trial = current_[*best_index_];
    const Individual& parent = parents_[*best_index_];
    const bool take_trial = !parent.cost || (trial.cost && improves_on(*trial.cost, *parent.cost));
    const std::vector<float>& position = take_trial ? trial.position : parent.position;
    for (std::size_t i = 0; i < n_; ++i) y_[i] = position[i];
    std::vector<double> x = from_solver(y_, space_.bounds);
    auto residuals = residual_vector(space_.problem, x);
    result.cost = residuals ? half_sum_of_squares(*residuals) : std::nan("");
    result.point = std::move(x);
    return result;
  }

 private:
  void initialise() {
    const std::size_t size = settings_.population;
    current_.assign(size, Individual{std::vector<float>(n_), std::nullopt, 0.0f, 0.0f});
    parents_ = current_;
    y_.assign(n_, 0.0);
    for (Individual& individual : current_) {
      individual.crossover = generator_.float_in(settings_.crossover_low, settings_.crossover_high);
      individual.mutation = generator_.float_in(settings_.mutation_low, settings_.mutation_high);
      for (std::size_t d = 0; d < n_; ++d) {
        individual.position[d] = generator_.float_in(limits_.lower[d], limits_.upper[d]);
      }
    }
    countdown_ = size;
  }

  float evaluate(const std::vector<float>& position) {
    for (std::size_t i = 0; i < n_; ++i) y_[i] = position[i];
    return static_cast<float>(search_cost(space_.problem, space_.bounds, y_, &scratch_));
  }

  // Selection of the evaluated trials against their parents, then a new trial per index.
  void end_generation() {
    const std::size_t size = settings_.population;
    for (std::size_t i = 0; i < size; ++i) {
      const bool trial_wins = !parents_[i].cost || (current_[i].cost && *current_[i].cost <= *parents_[i].cost);
      if (trial_wins) std::swap(current_[i], parents_[i]);
    }
    for (std::size_t k = 0; k < size; ++k) {
      const std::size_t r1 = generator_.index_below(size);
      std::size_t r2 = generator_.index_below(size);
      while (r2 == r1) r2 = generator_.index_below(size);
      std::size_t r3 = generator_.index_below(size);
      while (r3 == r1 || r3 == r2) r3 = generator_.index_below(size);

      Individual& trial = current_[k];
      const Individual& parent = parents_[k];
      trial.crossover = generator_.unit_float() < settings_.redraw_probability
                            ? generator_.float_in(settings_.crossover_low, settings_.crossover_high)
                            : parent.crossover;
      trial.mutation = generator_.unit_float() < settings_.redraw_probability
                           ? generator_.float_in(settings_.mutation_low, settings_.mutation_high)
                           : parent.mutation;
      const std::size_t forced = generator_.index_below(n_);
      const std::vector<float>& a = parents_[r1].position;
      const std::vector<float>& b = parents_[r2].position;
      const std::vector<float>& base = parents_[r3].position;
      for (std::size_t l = 0; l < n_; ++l) {
        const bool crossed = l == forced || generator_.unit_float() < trial.crossover;
        trial.position[l] = crossed ? base[l] + trial.mutation * (a[l] - b[l]) : parent.position[l];
      }
      trial.cost.reset();
    }
  }

  const SearchSpace& space_;
  const Limits& limits_;
  const EvolutionSettings& settings_;
  Xorshift128 generator_;
  std::size_t n_;
  std::vector<Individual> current_;  // trials, evaluated from the last index down
  std::vector<Individual> parents_;
  std::size_t countdown_ = 0;
  std::optional<std::size_t> best_index_;
  float best_cost_ = 0.0f;
  std::vector<double> y_;  // a position widened to double precision
  CostScratch scratch_;
};

}  // namespace

Result<SearchResult> differential_evolution_search(const SearchSpace& space, const EvolutionSettings& settings) {
  const SearchBox box = search_box(space.bounds, space.start);
  Limits limits{std::vector<float>(box.lower.begin(), box.lower.end()),
                std::vector<float>(box.upper.begin(), box.upper.end())};
  // Sampling a dimension needs a non-empty range of finite width in single precision; an
  // infinite starting value, for one, gives none.
  const std::vector<std::string> names = param_names(space.circuit.nodes);
  for (std::size_t d = 0; d < limits.lower.size(); ++d) {
    if (!(limits.lower[d] < limits.upper[d]) || !std::isfinite(limits.upper[d] - limits.lower[d])) {
      const std::string name = d < names.size() ? quoted(names[d]) : std::to_string(d);
      return fit_error(FitErrorKind::Solver, "differential evolution cannot sample parameter " + name +
                                                 ": its search range is empty or not finite");
    }
  }

  std::optional<std::vector<double>> best_point;
  double best_cost = 0.0;
  std::uint64_t total_evaluations = 0;
  for (int run = 0; run < settings.runs; ++run) {
    auto generator = os_seeded_xorshift128();
    if (!generator) return fit_error(FitErrorKind::Solver, generator.error().message);
    EvolutionRun evolution(space, limits, settings, generator.value());
    RunResult result = evolution.run();
    if (result.interrupted) return interrupted_error();
    total_evaluations = saturating_add(total_evaluations, result.evaluations);
    if (result.point && !std::isnan(result.cost) && (!best_point || best_cost > result.cost)) {
      best_point = std::move(result.point);
      best_cost = result.cost;
    }
  }

  if (!best_point) return fit_error(FitErrorKind::Solver, "differential evolution found no best position");
  return SearchResult{std::move(*best_point), total_evaluations};
}

Result<FitOutcome> differential_evolution_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                   const CancellationToken& cancellation) {
  EvolutionSettings settings;
  settings.evaluations = options.de_evaluations;
  return search_then_polish(circuit, spectrum, options.weight, cancellation,
                            [&](const SearchSpace& space) { return differential_evolution_search(space, settings); });
}

}  // namespace corvex
