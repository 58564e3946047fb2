// Marsaglia's xorshift128 generator (four 32-bit words, shifts 11, 19 and 8) and its float
// and index draws, seeded from the operating system for every differential-evolution run.
#include "fit/search/xorshift128.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>

#include "fit/search/os_entropy.h"

namespace corvex {

Xorshift128::Xorshift128(const std::array<std::uint32_t, 4>& words)
    : x_(words[0]), y_(words[1]), z_(words[2]), w_(words[3]) {}

std::uint32_t Xorshift128::next_u32() {
  const std::uint32_t t = x_ ^ (x_ << 11);
  x_ = y_;
  y_ = z_;
  z_ = w_;
  w_ = w_ ^ (w_ >> 19) ^ t ^ (t >> 8);
  return w_;
}

std::uint64_t Xorshift128::next_u64() {
  const std::uint64_t low = next_u32();
  const std::uint64_t high = next_u32();
  return low | (high << 32);
}

float Xorshift128::unit_float() {
  return std::bit_cast<float>(0x3f800000u | (next_u32() & 0x007fffffu)) - 1.0f;
}

float Xorshift128::float_in(float a, float b) { return a + (b - a) * unit_float(); }

std::uint64_t Xorshift128::index_below(std::uint64_t m) {
  const std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
  const std::uint64_t zone = max - max % m;
  for (;;) {
    const std::uint64_t value = next_u64();
    if (value < zone) return value % m;
  }
}

Result<Xorshift128> os_seeded_xorshift128() {
  std::array<std::uint32_t, 4> words{};
  while (words[0] == 0 && words[1] == 0 && words[2] == 0 && words[3] == 0) {
    std::array<std::byte, sizeof words> bytes;
    if (Status status = fill_os_entropy(bytes); !status) return status.take_error();
    std::memcpy(words.data(), bytes.data(), sizeof words);
  }
  return Xorshift128(words);
}

}  // namespace corvex
