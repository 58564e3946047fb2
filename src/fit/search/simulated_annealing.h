// The simulated annealing walk in solver coordinates with the fast 1/k cooling schedule:
// its settings and the walk itself, which simulated_annealing_fit follows with the polish.
#pragma once

#include <cstdint>
#include <optional>

#include "fit/search/search_space.h"
#include "util/result.h"

namespace corvex {

// The annealer's stall and re-annealing limits are the largest unsigned 64-bit value, so
// they never end the walk nor restart the schedule; only these settings shape it.
struct AnnealingSettings {
  double initial_temperature = 2.0;    // T0; iteration k moves and accepts at T0 / k
  std::uint64_t max_iterations = 5000; // sa_iterations
  std::optional<std::uint64_t> seed;   // neighbour stream from seed, acceptance from seed + 1
};

// The walk: 1 + max_iterations cost evaluations. Fails for an initial temperature that is
// not > 0 or whose neighbour interval [-T0, T0] is not finite, and when every cost was NaN.
Result<SearchResult> simulated_annealing_search(const SearchSpace& space, const AnnealingSettings& settings);

}  // namespace corvex
