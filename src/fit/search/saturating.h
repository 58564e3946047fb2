// Counter arithmetic that stops at the largest unsigned 64-bit value instead of wrapping,
// for evaluation and iteration totals that huge user-chosen counts could overflow.
#pragma once

#include <cstdint>
#include <limits>

namespace corvex {

inline std::uint64_t saturating_add(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t sum = a + b;
  return sum < a ? std::numeric_limits<std::uint64_t>::max() : sum;
}

}  // namespace corvex
