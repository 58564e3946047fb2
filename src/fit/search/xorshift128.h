// Marsaglia's xorshift128 generator with the draws differential evolution makes from it:
// single-precision floats, float ranges and unbiased indices.
#pragma once

#include <array>
#include <cstdint>

#include "util/result.h"

namespace corvex {

class Xorshift128 {
 public:
  // `words` are x, y, z, w; they must not all be 0 (the generator would only yield 0).
  explicit Xorshift128(const std::array<std::uint32_t, 4>& words);

  std::uint32_t next_u32();
  // Two outputs, the first one the low half.
  std::uint64_t next_u64();

  // 1.0f with the low 23 output bits as mantissa, minus 1.0f: a float in [0, 1).
  float unit_float();
  // a + (b - a) * u in single precision.
  float float_in(float a, float b);
  // Uniform in [0, m) for m >= 1: 64-bit values at or above the largest multiple of m not
  // exceeding 2^64 - 1 are rejected, so every residue is equally likely.
  std::uint64_t index_below(std::uint64_t m);

 private:
  std::uint32_t x_, y_, z_, w_;
};

// A generator seeded with four words of operating-system entropy, redrawn while all are 0.
Result<Xorshift128> os_seeded_xorshift128();

}  // namespace corvex
