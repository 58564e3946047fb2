// Decoding of IEEE 754 binary16 (half-precision) values, the storage format of most network
// tensors, into doubles; every half value, subnormals and NaN payloads included, is exact in a double.
#pragma once

#include <cstdint>

namespace corvex {

double decode_binary16(std::uint16_t bits);

}  // namespace corvex
