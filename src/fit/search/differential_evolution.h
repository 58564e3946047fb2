// The differential evolution search: ten self-adaptive DE/rand/1/bin runs (jDE style) in
// single precision over the search box, each on a generator seeded by the operating system.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fit/search/search_space.h"
#include "util/result.h"

namespace corvex {

struct EvolutionSettings {
  std::size_t population = 100;     // individuals per array; at least 3 distinct parents are drawn
  float crossover_low = 0.0f;       // a new crossover rate is uniform in [low, high)
  float crossover_high = 1.0f;
  float mutation_low = 0.1f;        // a new mutation factor is uniform in [low, high)
  float mutation_high = 1.0f;
  float redraw_probability = 0.1f;  // chance that a trial draws a new cr, and a new f
  std::uint64_t evaluations = 20000;  // de_evaluations: cost evaluations of each run (at least 1)
  int runs = 10;                    // independent runs, each with a fresh generator
};

// The ten runs and the best of their end points. A run costs max(1, evaluations) plus
// one to recompute its end point in double precision; the iteration figure is the total of
// the former (saturating). Fails when a dimension's single-precision range is empty or not
// finite, and when no run produced a usable point.
Result<SearchResult> differential_evolution_search(const SearchSpace& space, const EvolutionSettings& settings);

}  // namespace corvex
