// The particle swarm search of fit() over the search box in solver coordinates, driven by
// one seeded random stream and followed by the polish.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fit/fit_error.h"
#include "fit/search/global_search.h"
#include "fit/search/particle_swarm.h"
#include "fit/search/polish.h"
#include "fit/search/random_stream.h"
#include "fit/search/search_space.h"
#include "fit/solver_coordinates.h"

namespace corvex {

namespace {

// The swarm as flat arrays, particle-major: particle p's coordinates are [p*n, (p+1)*n).
struct Swarm {
  std::vector<double> positions;
  std::vector<double> velocities;
  std::vector<double> best_positions;  // personal bests
  std::vector<double> costs;
  std::vector<double> best_costs;
  std::vector<std::size_t> order;  // particles by ascending initial cost, the visiting order
};

// Bytes of the swarm arrays, or nullopt when the count itself overflows.
std::optional<std::uint64_t> swarm_bytes(std::uint64_t particles, std::size_t n) {
  const std::uint64_t per_particle = (3 * static_cast<std::uint64_t>(n) + 3) * sizeof(double);
  if (particles > std::numeric_limits<std::uint64_t>::max() / per_particle) return std::nullopt;
  return particles * per_particle;
}

std::uint64_t physical_memory_bytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0) return std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
}

Error swarm_too_large(std::uint64_t particles) {
  return memory_error("particle swarm of " + std::to_string(particles) +
                      " particles needs more memory than this machine has");
}

// Refuses swarms larger than physical memory before touching any of it, so a huge
// num_particles is an error rather than an abort or a machine driven into swapping.
Status allocate_swarm(std::uint64_t particles, std::size_t n, Swarm* swarm) {
  const std::optional<std::uint64_t> bytes = swarm_bytes(particles, n);
  if (!bytes || *bytes > physical_memory_bytes()) return swarm_too_large(particles);
  const std::size_t count = static_cast<std::size_t>(particles);
  try {
    swarm->positions.resize(count * n);
    swarm->velocities.resize(count * n);
    swarm->best_positions.resize(count * n);
    swarm->costs.resize(count);
    swarm->best_costs.resize(count);
    swarm->order.resize(count);
  } catch (const std::bad_alloc&) {
    return swarm_too_large(particles);
  }
  return {};
}

// r(a, b): a when a = b, otherwise a draw from [min, max); only the latter uses the stream.
double range_draw(RandomStream* stream, double a, double b) {
  if (a == b) return a;
  return interval_draw(stream, std::min(a, b), std::max(a, b));
}

// A cost that may become a (personal or swarm) best over `incumbent`: NaN never does, and
// anything that is not NaN replaces a NaN incumbent.
bool improves_on(double cost, double incumbent) {
  return cost < incumbent || (std::isnan(incumbent) && !std::isnan(cost));
}

}  // namespace

Result<SearchResult> particle_swarm_search(const SearchSpace& space, const ParticleSwarmSettings& settings) {
  const SearchBox box = search_box(space.bounds, space.start);
  auto stream_result = seeded_stream(settings.seed);
  if (!stream_result) return fit_error(FitErrorKind::Solver, stream_result.error().message);
  RandomStream& stream = stream_result.value();
  if (settings.particles == 0) return fit_error(FitErrorKind::Solver, "particle swarm found no best position");

  const std::size_t n = space.dimension;
  Swarm swarm;
  if (Status status = allocate_swarm(settings.particles, n, &swarm); !status) return status.take_error();
  const std::size_t count = swarm.costs.size();
  CostScratch scratch;
  const auto cost_of = [&](std::size_t p) {
    return search_cost(space.problem, space.bounds, std::span<const double>(&swarm.positions[p * n], n), &scratch);
  };

  for (std::size_t p = 0; p < count; ++p) {
    for (std::size_t i = 0; i < n; ++i) swarm.positions[p * n + i] = range_draw(&stream, box.lower[i], box.upper[i]);
  }
  for (std::size_t p = 0; p < count; ++p) {
    for (std::size_t i = 0; i < n; ++i) {
      const double extent = box.upper[i] - box.lower[i];
      swarm.velocities[p * n + i] = range_draw(&stream, -extent, extent);
    }
  }
  for (std::size_t p = 0; p < count; ++p) {
    if (search_interrupted(space)) return interrupted_error();
    swarm.costs[p] = cost_of(p);
  }
  swarm.best_positions = swarm.positions;
  swarm.best_costs = swarm.costs;

  // Ascending cost, ties in particle order; NaN costs go last so that they cannot hide a
  // usable particle from the swarm best.
  std::iota(swarm.order.begin(), swarm.order.end(), std::size_t{0});
  try {
    std::stable_sort(swarm.order.begin(), swarm.order.end(), [&](std::size_t a, std::size_t b) {
      return improves_on(swarm.costs[a], swarm.costs[b]);
    });
  } catch (const std::bad_alloc&) {
    return swarm_too_large(settings.particles);
  }

  std::vector<double> swarm_best(n);
  double swarm_best_cost = std::numeric_limits<double>::quiet_NaN();
  bool has_swarm_best = false;
  if (!std::isnan(swarm.costs[swarm.order[0]])) {
    std::copy_n(&swarm.positions[swarm.order[0] * n], n, swarm_best.begin());
    swarm_best_cost = swarm.costs[swarm.order[0]];
    has_swarm_best = true;
  }

  std::vector<double> cognitive(n);
  std::uint64_t iterations = 0;
  for (; iterations < settings.generations; ++iterations) {
    for (const std::size_t p : swarm.order) {
      double* position = &swarm.positions[p * n];
      double* velocity = &swarm.velocities[p * n];
      const double* personal_best = &swarm.best_positions[p * n];
      for (std::size_t i = 0; i < n; ++i) {
        cognitive[i] = settings.cognitive * range_draw(&stream, 0.0, personal_best[i] - position[i]);
      }
      for (std::size_t i = 0; i < n; ++i) {
        // Without a swarm best (every cost so far NaN) there is nothing to be pulled towards.
        const double social =
            has_swarm_best ? settings.social * range_draw(&stream, 0.0, swarm_best[i] - position[i]) : 0.0;
        velocity[i] = settings.inertia * velocity[i] + cognitive[i] + social;
        double moved = position[i] + velocity[i];
        moved = moved > box.lower[i] ? moved : box.lower[i];
        moved = moved < box.upper[i] ? moved : box.upper[i];
        position[i] = moved;
      }
    }
    for (const std::size_t p : swarm.order) {
      if (search_interrupted(space)) return interrupted_error();
      swarm.costs[p] = cost_of(p);
    }
    for (const std::size_t p : swarm.order) {
      if (!improves_on(swarm.costs[p], swarm.best_costs[p])) continue;
      std::copy_n(&swarm.positions[p * n], n, &swarm.best_positions[p * n]);
      swarm.best_costs[p] = swarm.costs[p];
      if (!has_swarm_best || swarm.costs[p] < swarm_best_cost) {
        std::copy_n(&swarm.positions[p * n], n, swarm_best.begin());
        swarm_best_cost = swarm.costs[p];
        has_swarm_best = true;
      }
    }
  }

  if (!has_swarm_best) return fit_error(FitErrorKind::Solver, "particle swarm found no best position");
  return SearchResult{from_solver(swarm_best, space.bounds), iterations};
}

Result<FitOutcome> particle_swarm_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                   const CancellationToken& cancellation) {
  ParticleSwarmSettings settings;
  settings.particles = options.num_particles;
  settings.generations = options.generations;
  settings.seed = options.seed;
  return search_then_polish(circuit, spectrum, options.weight, cancellation,
                            [&](const SearchSpace& space) { return particle_swarm_search(space, settings); });
}

}  // namespace corvex
