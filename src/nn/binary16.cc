// Half-precision decoding by placing sign, exponent and significand into a double's bit
// fields directly, so no rounding is involved and NaN payloads survive.
#include "nn/binary16.h"

#include <bit>
#include <cmath>

namespace corvex {

double decode_binary16(std::uint16_t bits) {
  const std::uint64_t sign = static_cast<std::uint64_t>(bits >> 15) << 63;
  const unsigned exponent = (bits >> 10) & 0x1F;
  const std::uint64_t significand = bits & 0x3FF;
  if (exponent == 0) {
    // Zero or subnormal: significand · 2^-24, exact in a double.
    const double magnitude = std::ldexp(static_cast<double>(significand), -24);
    return sign ? -magnitude : magnitude;
  }
  if (exponent == 0x1F) {
    // Infinity, or NaN with its payload moved to the top of the double's significand and
    // the quiet bit set, as a format conversion does.
    std::uint64_t out = sign | (std::uint64_t{0x7FF} << 52) | (significand << 42);
    if (significand != 0) out |= std::uint64_t{1} << 51;
    return std::bit_cast<double>(out);
  }
  const std::uint64_t biased = exponent - 15 + 1023;
  return std::bit_cast<double>(sign | (biased << 52) | (significand << 42));
}

}  // namespace corvex
