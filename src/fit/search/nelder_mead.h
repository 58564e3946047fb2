// The Nelder-Mead downhill simplex search in solver coordinates: its settings and the search
// itself, which the nelder_mead_fit entry point follows with the polish.
#pragma once

#include <cstdint>

#include "fit/search/search_space.h"
#include "util/result.h"

namespace corvex {

struct NelderMeadSettings {
  double reflection = 1.0;                 // alpha: reflected point = centroid + alpha (centroid - worst)
  double expansion = 2.0;                  // gamma: expanded point = centroid + gamma (reflected - centroid)
  double contraction = 0.5;                // rho: contracted point halfway towards reflected or worst
  double shrink = 0.5;                     // sigma: every vertex moves halfway towards the best
  double cost_spread_tolerance = 0x1p-52;  // converged when the costs' standard deviation is below
  std::uint64_t max_iterations = 2000;     // nelder_mead_iterations
};

// The simplex search from the space's starting values. Fails when a NaN cost leaves the
// reflection undecidable, or when every cost it saw was NaN.
Result<SearchResult> nelder_mead_search(const SearchSpace& space, const NelderMeadSettings& settings);

}  // namespace corvex
