// The seeded random streams of the global searches: a ChaCha generator with 12 rounds whose
// key comes from a PCG32 expansion of the seed, or from the operating system without one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "util/result.h"

namespace corvex {

using ChaChaState = std::array<std::uint32_t, 16>;
using ChaChaKey = std::array<std::uint32_t, 8>;

// One ChaCha block: `double_rounds` column-and-diagonal round pairs over `input`, then the
// input added word by word. ChaCha20 is 10 double rounds, ChaCha12 is 6.
void chacha_block(const ChaChaState& input, int double_rounds, ChaChaState* output);

// ChaCha12 keystream read as 64-bit values. The 64-bit block counter sits in state words
// 12-13 (low word first) and the stream number, always 0, in words 14-15.
class RandomStream {
 public:
  static constexpr int kDoubleRounds = 6;
  static constexpr std::size_t kBufferWords = 64;  // four blocks per refill

  explicit RandomStream(const ChaChaKey& key);

  // The next buffer word.
  std::uint32_t next_u32();
  // Two buffer words, the first one the low half. When only the last word is left it
  // becomes the low half and the high half is the first word of the next buffer.
  std::uint64_t next_u64();

 private:
  void refill();

  ChaChaKey key_;
  std::uint64_t block_counter_ = 0;
  std::array<std::uint32_t, kBufferWords> buffer_{};
  std::size_t read_index_ = kBufferWords;  // kBufferWords: buffer empty
};

// The key a seed expands to: eight PCG32 outputs, each taken after advancing the state.
ChaChaKey pcg32_key(std::uint64_t seed);

// A stream keyed by the seed, or by 32 fresh bytes of operating-system entropy without one.
Result<RandomStream> seeded_stream(std::optional<std::uint64_t> seed);

// (u >> 11) * 2^-53 for the next 64-bit output u: a double in [0, 1).
double unit_draw(RandomStream* stream);

// a + (b - a) * t with t = (u >> 12) * 2^-52 for the next 64-bit output u.
double interval_draw(RandomStream* stream, double a, double b);

}  // namespace corvex
