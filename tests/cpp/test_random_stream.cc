// Tests of the search generators: the ChaCha block function against published vectors, the
// stream's counter layout and output rule, the PCG32 key expansion, the draws and xorshift128.
#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "check.h"
#include "fit/search/random_stream.h"
#include "fit/search/xorshift128.h"

using corvex::ChaChaKey;
using corvex::ChaChaState;

namespace {

constexpr std::array<std::uint32_t, 4> kSigma = {0x61707865u, 0x3320646eu, 0x79622d32u, 0x6b206574u};

std::uint32_t le_word(const std::array<std::uint8_t, 32>& bytes, std::size_t i) {
  return bytes[4 * i] | (bytes[4 * i + 1] << 8) | (bytes[4 * i + 2] << 16) |
         (static_cast<std::uint32_t>(bytes[4 * i + 3]) << 24);
}

std::string block_hex(const ChaChaState& state) {
  static const char* digits = "0123456789abcdef";
  std::string text;
  for (std::uint32_t word : state) {
    for (int byte = 0; byte < 4; ++byte) {
      const unsigned value = (word >> (8 * byte)) & 0xffu;
      text += digits[value >> 4];
      text += digits[value & 15];
    }
  }
  return text;
}

ChaChaState input_state(const ChaChaKey& key, std::uint32_t w12, std::uint32_t w13, std::uint32_t w14,
                        std::uint32_t w15) {
  ChaChaState s{};
  for (std::size_t i = 0; i < 4; ++i) s[i] = kSigma[i];
  for (std::size_t i = 0; i < 8; ++i) s[4 + i] = key[i];
  s[12] = w12;
  s[13] = w13;
  s[14] = w14;
  s[15] = w15;
  return s;
}

}  // namespace

// The keystream vectors of RFC 7539/8439 (A.1) and djb's all-zero key/nonce vector. The RFC
// layout has a 32-bit counter in word 12 and a 96-bit nonce in words 13-15; with the counter
// and nonce values used here the words coincide with a 64-bit counter and 64-bit nonce.
TEST_CASE("chacha20 block matches the published keystream vectors") {
  struct Vector {
    std::array<std::uint8_t, 32> key;
    std::uint32_t w12, w13, w14, w15;
    const char* keystream;
  };
  std::array<std::uint8_t, 32> zero{}, one{}, ff{};
  one[31] = 1;
  ff[1] = 0xff;
  const Vector vectors[] = {
      {zero, 0, 0, 0, 0,
       "76b8e0ada0f13d90405d6ae55386bd28bdd219b8a08ded1aa836efcc8b770dc7"
       "da41597c5157488d7724e03fb8d84a376a43b8f41518a11cc387b669b2ee6586"},
      {zero, 1, 0, 0, 0,
       "9f07e7be5551387a98ba977c732d080dcb0f29a048e3656912c6533e32ee7aed"
       "29b721769ce64e43d57133b074d839d531ed1f28510afb45ace10a1f4b794d6f"},
      {one, 1, 0, 0, 0,
       "3aeb5224ecf849929b9d828db1ced4dd832025e8018b8160b82284f3c949aa5a"
       "8eca00bbb4a73bdad192b5c42f73f2fd4e273644c8b36125a64addeb006c13a0"},
      {ff, 2, 0, 0, 0,
       "72d54dfbf12ec44b362692df94137f328fea8da73990265ec1bbbea1ae9af0ca"
       "13b25aa26cb4a648cb9b9d1be65b2c0924a66c54d545ec1b7374f4872e99f096"},
      {zero, 0, 0, 0, 0x02000000u,
       "c2c64d378cd536374ae204b9ef933fcd1a8b2288b3dfa49672ab765b54ee27c7"
       "8a970e0e955c14f3a88e741b97c286f75f8fc299e8148362fa198a39531bed6d"},
  };
  for (const Vector& v : vectors) {
    ChaChaKey key;
    for (std::size_t i = 0; i < 8; ++i) key[i] = le_word(v.key, i);
    ChaChaState out;
    corvex::chacha_block(input_state(key, v.w12, v.w13, v.w14, v.w15), 10, &out);
    CHECK_EQ(block_hex(out), std::string(v.keystream));
  }
}

// RFC 7539 section 2.3.2: key 00..1f, counter 1, nonce 00:00:00:09:00:00:00:4a:00:00:00:00.
// In 64-bit layout the counter's high word holds the nonce's first word.
TEST_CASE("chacha20 block matches the RFC 7539 block function vector") {
  std::array<std::uint8_t, 32> bytes;
  for (std::size_t i = 0; i < 32; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  ChaChaKey key;
  for (std::size_t i = 0; i < 8; ++i) key[i] = le_word(bytes, i);
  ChaChaState out;
  corvex::chacha_block(input_state(key, 1, 0x09000000u, 0x4a000000u, 0), 10, &out);
  const ChaChaState expected = {0xe4e7f110, 0x15593bd1, 0x1fdd0f50, 0xc47120a3, 0xc7f4d1c7, 0x0368c033,
                                0x9aaa2204, 0x4e6cd4c3, 0x466482d2, 0x09aa9f07, 0x05d7c214, 0xa2028bd9,
                                0xd19c12b5, 0xb94e16de, 0xe883d0cb, 0x4e3c50a2};
  CHECK(out == expected);
}

TEST_CASE("chacha12 block with all-zero key and nonce") {
  ChaChaState out;
  corvex::chacha_block(input_state(ChaChaKey{}, 0, 0, 0, 0), 6, &out);
  CHECK_EQ(block_hex(out), std::string("9bf49a6a0755f953811fce125f2683d50429c3bb49e074147e0089a52eae155f"
                                       "0564f879d27ae3c02ce82834acfa8c793a629f2ca0de6919610be82f411326be"));
}

TEST_CASE("pcg32 key expansion of fixed seeds") {
  struct Pin {
    std::uint64_t seed;
    ChaChaKey key;
  };
  const Pin pins[] = {
      {0, {0xf973f2ec, 0x45cdb581, 0x7346f087, 0xad6cad06, 0xe3a3d0d0, 0x67e71733, 0x72ea9bf2, 0xfe7d8ad7}},
      {42, {0x7ba18fa4, 0x0a3d3258, 0xcca1b8ea, 0xb8140169, 0x75c88c2b, 0x54f7b418, 0xa16e448d, 0xf220dfe4}},
      {0xffffffffffffffffull,
       {0xe392472f, 0x102810d6, 0x952d5435, 0x435ef92c, 0x7b34e99a, 0x37c5dd03, 0xb0c77a63, 0x3e612043}},
  };
  for (const Pin& pin : pins) CHECK(corvex::pcg32_key(pin.seed) == pin.key);
}

// Four blocks per refill with counters 0-3, then 4-7; words read in block order, low first.
TEST_CASE("stream reads four chacha12 blocks per refill in counter order") {
  const ChaChaKey key = corvex::pcg32_key(7);
  std::array<std::uint32_t, 128> words;
  for (std::uint32_t block = 0; block < 8; ++block) {
    ChaChaState out;
    corvex::chacha_block(input_state(key, block, 0, 0, 0), 6, &out);
    for (std::size_t i = 0; i < 16; ++i) words[16 * block + i] = out[i];
  }
  corvex::RandomStream stream(key);
  bool all_match = true;
  for (std::size_t i = 0; i < 128; i += 2) {
    const std::uint64_t expected = words[i] | (static_cast<std::uint64_t>(words[i + 1]) << 32);
    all_match = all_match && stream.next_u64() == expected;
  }
  CHECK(all_match);
}

TEST_CASE("seeded streams give the pinned first outputs") {
  auto zero = corvex::seeded_stream(0);
  CHECK(zero.ok());
  CHECK_EQ(zero->next_u64(), 0xbb2a3fb2cd2c6f7full);
  CHECK_EQ(zero->next_u64(), 0xc6017c948e27697bull);
  auto max_seed = corvex::seeded_stream(0xffffffffffffffffull);
  CHECK_EQ(max_seed->next_u64(), 0x0fa798482e3d5fb8ull);
}

// With one word consumed, the 32nd 64-bit read finds only word 63 left: it is the low half
// and the first word of the next buffer the high half; reading continues at index 1.
TEST_CASE("a 64-bit read straddling the refill takes the last word as its low half") {
  auto stream = corvex::seeded_stream(42);
  CHECK_EQ(stream->next_u32(), 0x222724a2u);
  for (int i = 0; i < 31; ++i) stream->next_u64();
  CHECK_EQ(stream->next_u64(), 0xee66b7a9e373bd00ull);
  CHECK_EQ(stream->next_u64(), 0x6c100e0fec0619b0ull);
}

TEST_CASE("unit and interval draws") {
  auto stream = corvex::seeded_stream(0);
  const double unit = corvex::unit_draw(&stream.value());
  const double interval = corvex::interval_draw(&stream.value(), -2.0, 2.0);
  CHECK_SAME(unit, 0.7311134158637046);
  CHECK_SAME(interval, 1.0938407374129522);

  bool in_range = true;
  for (int i = 0; i < 10000; ++i) {
    const double u = corvex::unit_draw(&stream.value());
    const double v = corvex::interval_draw(&stream.value(), -0.5, 3.0);
    in_range = in_range && u >= 0.0 && u < 1.0 && v >= -0.5 && v < 3.0;
  }
  CHECK(in_range);
  const double degenerate = corvex::interval_draw(&stream.value(), 1.25, 1.25);
  CHECK_SAME(degenerate, 1.25);
}

TEST_CASE("unseeded streams take fresh keys") {
  auto a = corvex::seeded_stream(std::nullopt);
  auto b = corvex::seeded_stream(std::nullopt);
  CHECK(a.ok() && b.ok());
  CHECK(a->next_u64() != b->next_u64());
}

// Marsaglia's example seed and the first outputs of xor128.
TEST_CASE("xorshift128 outputs and draws") {
  corvex::Xorshift128 generator({123456789u, 362436069u, 521288629u, 88675123u});
  CHECK_EQ(generator.next_u32(), 3701687786u);
  CHECK_EQ(generator.next_u64(), 458299110ull | (2500872618ull << 32));
  // 3633119408 = 0xd88d00b0: low 23 bits 0x0d00b0 as the mantissa of a float in [1, 2).
  const float u = generator.unit_float();
  CHECK_SAME(u, static_cast<double>(0x0d00b0) / 8388608.0);

  auto seeded = corvex::os_seeded_xorshift128();
  CHECK(seeded.ok());
  std::set<std::uint64_t> seen;
  bool in_range = true;
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t k = seeded->index_below(7);
    seen.insert(k);
    const float f = seeded->float_in(0.1f, 1.0f);
    in_range = in_range && k < 7 && f >= 0.1f && f < 1.0f;
  }
  CHECK(in_range);
  CHECK_EQ(seen.size(), 7u);
  CHECK_EQ(seeded->index_below(1), 0u);
}

CHECK_MAIN()
