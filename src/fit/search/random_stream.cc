// ChaCha block function, the buffered ChaCha12 stream with its 64-bit output rule, the PCG32
// seed expansion and the two conversions of stream output into doubles.
#include "fit/search/random_stream.h"

#include <bit>
#include <cstring>

#include "fit/search/os_entropy.h"

namespace corvex {

namespace {

// "expand 32-byte k" as four little-endian words.
constexpr std::array<std::uint32_t, 4> kSigma = {0x61707865u, 0x3320646eu, 0x79622d32u, 0x6b206574u};

inline void quarter_round(ChaChaState& s, int a, int b, int c, int d) {
  s[a] += s[b]; s[d] = std::rotl(s[d] ^ s[a], 16);
  s[c] += s[d]; s[b] = std::rotl(s[b] ^ s[c], 12);
  s[a] += s[b]; s[d] = std::rotl(s[d] ^ s[a], 8);
  s[c] += s[d]; s[b] = std::rotl(s[b] ^ s[c], 7);
}

}  // namespace

void chacha_block(const ChaChaState& input, int double_rounds, ChaChaState* output) {
  ChaChaState s = input;
  for (int round = 0; round < double_rounds; ++round) {
    quarter_round(s, 0, 4, 8, 12);
    quarter_round(s, 1, 5, 9, 13);
    quarter_round(s, 2, 6, 10, 14);
    quarter_round(s, 3, 7, 11, 15);
    quarter_round(s, 0, 5, 10, 15);
    quarter_round(s, 1, 6, 11, 12);
    quarter_round(s, 2, 7, 8, 13);
    quarter_round(s, 3, 4, 9, 14);
  }
  for (std::size_t i = 0; i < 16; ++i) (*output)[i] = s[i] + input[i];
}

RandomStream::RandomStream(const ChaChaKey& key) : key_(key) {}

void RandomStream::refill() {
  ChaChaState input{};
  for (std::size_t i = 0; i < 4; ++i) input[i] = kSigma[i];
  for (std::size_t i = 0; i < 8; ++i) input[4 + i] = key_[i];
  // Words 14 and 15 hold the stream number, which is always 0.
  for (std::size_t block = 0; block < kBufferWords / 16; ++block) {
    input[12] = static_cast<std::uint32_t>(block_counter_);
    input[13] = static_cast<std::uint32_t>(block_counter_ >> 32);
    ChaChaState out;
    chacha_block(input, kDoubleRounds, &out);
    std::memcpy(buffer_.data() + 16 * block, out.data(), sizeof out);
    ++block_counter_;
  }
  read_index_ = 0;
}

std::uint32_t RandomStream::next_u32() {
  if (read_index_ >= kBufferWords) refill();
  return buffer_[read_index_++];
}

std::uint64_t RandomStream::next_u64() {
  if (read_index_ >= kBufferWords) refill();
  if (read_index_ == kBufferWords - 1) {
    const std::uint64_t low = buffer_[kBufferWords - 1];
    refill();
    read_index_ = 1;
    return low | (static_cast<std::uint64_t>(buffer_[0]) << 32);
  }
  const std::uint64_t low = buffer_[read_index_];
  const std::uint64_t high = buffer_[read_index_ + 1];
  read_index_ += 2;
  return low | (high << 32);
}

ChaChaKey pcg32_key(std::uint64_t seed) {
  constexpr std::uint64_t kMultiplier = 0x5851f42d4c957f2dull;
  constexpr std::uint64_t kIncrement = 0xa17654e46fbe17f3ull;
  ChaChaKey key;
  std::uint64_t state = seed;
  for (std::uint32_t& word : key) {
    state = state * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>((state >> 45) ^ (state >> 27));
    word = std::rotr(xorshifted, static_cast<int>(state >> 59));
  }
  return key;
}

Result<RandomStream> seeded_stream(std::optional<std::uint64_t> seed) {
  if (seed) return RandomStream(pcg32_key(*seed));
  std::array<std::byte, 32> bytes;
  if (Status status = fill_os_entropy(bytes); !status) return status.take_error();
  // The key words are read little-endian from the 32 bytes, as a byte-oriented key would be.
  ChaChaKey key;
  for (std::size_t i = 0; i < key.size(); ++i) {
    key[i] = static_cast<std::uint32_t>(bytes[4 * i]) | (static_cast<std::uint32_t>(bytes[4 * i + 1]) << 8) |
             (static_cast<std::uint32_t>(bytes[4 * i + 2]) << 16) |
             (static_cast<std::uint32_t>(bytes[4 * i + 3]) << 24);
  }
  return RandomStream(key);
}

double unit_draw(RandomStream* stream) {
  return static_cast<double>(stream->next_u64() >> 11) * 0x1p-53;
}

double interval_draw(RandomStream* stream, double a, double b) {
  // The double with the exponent of 1.0 and the top 52 bits as mantissa, minus 1.0, is exactly
  // (u >> 12) * 2^-52.
  const double t = std::bit_cast<double>(0x3ff0000000000000ull | (stream->next_u64() >> 12)) - 1.0;
  return a + (b - a) * t;
}

}  // namespace corvex
