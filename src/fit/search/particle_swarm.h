// The particle swarm search over the search box in solver coordinates: its settings and the
// search itself, which the particle_swarm_fit entry point follows with the polish.
#pragma once

#include <cstdint>
#include <optional>

#include "fit/search/search_space.h"
#include "util/result.h"

namespace corvex {

struct ParticleSwarmSettings {
  double inertia = 0.7213475204444817;    // w = 1 / (2 ln 2): share of the velocity kept
  double cognitive = 1.1931471805599454;  // c1 = 0.5 + ln 2: pull towards the personal best
  double social = 1.1931471805599454;     // c2 = 0.5 + ln 2: pull towards the swarm best
  std::uint64_t particles = 200;          // num_particles
  std::uint64_t generations = 1000;       // iterations after the initial swarm; no other stop
  std::optional<std::uint64_t> seed;      // key of the one random stream; absent: OS entropy
};

// The swarm search: particles x (1 + generations) cost evaluations. Fails when no cost was
// usable (every one NaN, or no particles) and, with a Memory error, when the swarm cannot
// be held in memory.
Result<SearchResult> particle_swarm_search(const SearchSpace& space, const ParticleSwarmSettings& settings);

}  // namespace corvex
