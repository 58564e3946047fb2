// What every global search shares: the prepared fit problem with its bounds and starting
// values, the cost of a point in solver coordinates, and the box the population methods fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "circuit/circuit.h"
#include "elements/element.h"
#include "fit/objective.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// One fit's search inputs. Holds references to the caller's circuit and spectrum, which
// outlive the search.
struct SearchSpace {
  SearchSpace(const Circuit& circuit, const Spectrum& spectrum, WeightScheme scheme,
              const CancellationToken& cancellation);
  SearchSpace(const SearchSpace&) = delete;
  SearchSpace& operator=(const SearchSpace&) = delete;

  const Circuit& circuit;           // the starting circuit; the polish rebuilds it
  const Spectrum& spectrum;         // handed on to the polish's Levenberg-Marquardt stage
  WeightScheme scheme;              // the user's weighting, also used by the polish
  FitProblem problem;               // with the counter that becomes impedance_evals and the token
  std::vector<ParamBounds> bounds;  // per parameter, parameter order
  std::vector<double> start;        // the circuit's current values
  std::size_t dimension;            // min(bounds, start): the number of searched coordinates
};

// The input checks of every fit (lengths, emptiness, parameters), then the preparation.
Result<std::unique_ptr<SearchSpace>> prepare_search(const Circuit& circuit, const Spectrum& spectrum,
                                                    WeightScheme scheme,
                                                    const CancellationToken& cancellation = no_cancellation());

// Whether the search should stop now (the token of its problem asks to).
inline bool search_interrupted(const SearchSpace& space) { return space.problem.cancellation.stop_requested(); }

// Buffers of search_cost, sized on first use so that later costs allocate nothing.
struct CostScratch {
  std::vector<double> x;          // the point in physical coordinates
  std::vector<double> residuals;  // 2N interleaved residuals
};

// 0.5 * sum r^2 at the physical image of the solver point y; one model evaluation. Never
// fails: NaN and infinity pass through to the search.
double search_cost(const FitProblem& problem, std::span<const ParamBounds> bounds, std::span<const double> y,
                   CostScratch* scratch);

// What a search hands to the polish: its best point and its own iteration figure.
struct SearchResult {
  std::vector<double> best_point;  // physical coordinates
  std::uint64_t iterations = 0;
};

// Limits of the population searches in solver coordinates.
struct SearchBox {
  std::vector<double> lower;
  std::vector<double> upper;
};

// Bounded parameters keep their bounds; open-bound ones span four decades either side of
// the magnitude of their start (at least 1e-6), measured above the lower bound.
SearchBox search_box(std::span<const ParamBounds> bounds, std::span<const double> start);

}  // namespace corvex
