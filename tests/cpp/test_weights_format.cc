// Tests of the weights reader and model validation: well-formed files in every encoding,
// the exact failure messages, and hostile files that lie about their lengths.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "check.h"
#include "nn/binary16.h"
#include "nn/header_values.h"
#include "nn/model_validation.h"
#include "nn/weights_format.h"
#include "nn_test_models.h"

using corvex::NetworkModel;
using corvex::read_weights;
using nn_test::WeightsFileBuilder;

namespace {

const nn_test::ModelShape kSmallShape = [] {
  nn_test::ModelShape shape;
  shape.channels = 4;
  shape.n_grid = 8;
  shape.kernel = 3;
  shape.groups = 2;
  shape.dilations = {1, 2};
  shape.hidden = 6;
  shape.params = 3;
  return shape;
}();

WeightsFileBuilder small_file() { return nn_test::random_weights_file(kSmallShape, 7); }

std::string read_error(const std::vector<std::uint8_t>& bytes) {
  auto result = read_weights(bytes);
  return result.ok() ? "<ok>" : result.error().message;
}

std::string validation_error(const std::vector<std::uint8_t>& bytes) {
  auto result = read_weights(bytes);
  if (!result.ok()) return "read: " + result.error().message;
  corvex::Status status = corvex::validate_network_model(**result);
  return status.ok() ? "<ok>" : status.error().message;
}

}  // namespace

TEST_CASE("a complete file yields its header values, tables and tensors") {
  auto result = read_weights(small_file().header("unknown_key", "ignored").binary32("unused", {1}, {2.0f}).bytes());
  CHECK(result.ok());
  if (!result.ok()) return;
  const NetworkModel& model = **result;
  CHECK_EQ(model.circuit, "R0-(R1,C1)");
  CHECK(model.param_names == (std::vector<std::string>{"p0", "p1", "p2"}));
  CHECK_EQ(model.config.n_grid, 8u);
  CHECK_EQ(model.config.channels, 4u);
  CHECK_EQ(model.config.kernel, 3u);
  CHECK_EQ(model.config.groups, 2u);
  CHECK(model.config.dilations == (std::vector<std::uint64_t>{1, 2}));
  CHECK_SAME(model.decoding.alpha_min, 0.05);
  CHECK_SAME(model.decoding.alpha_max, 1.0);
  CHECK(model.decoding.log_params == (std::vector<bool>{true, true, false}));
  CHECK_EQ(model.decoding.scaling.size(), 3u);
  CHECK_SAME(model.decoding.scaling[0].impedance_exponent, 1.0);
  CHECK_SAME(model.decoding.scaling[0].frequency_exponent, -1.0);
  CHECK_EQ(model.decoding.scaling[0].alpha_index, -1);
  const corvex::Tensor* stem = model.find_tensor("w.stem.weight");
  CHECK(stem != nullptr && stem->dims == (std::vector<std::uint32_t>{4, 3, 3}) && stem->values.size() == 36);
  CHECK(model.find_tensor("unused") != nullptr);
  CHECK(corvex::validate_network_model(model).ok());
}

TEST_CASE("the reader's failure messages") {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::string message;
  };
  const std::vector<std::uint8_t> full = small_file().bytes();
  std::vector<std::uint8_t> bad_magic = full;
  bad_magic[7] = '2';
  std::vector<std::uint8_t> last_short = full;
  last_short.pop_back();
  std::vector<std::uint8_t> bad_utf8_key = WeightsFileBuilder().header("k\xC0\x80", "v").bytes();
  const Case cases[] = {
      {"7 bytes", {'E', 'I', 'S', 'N', 'N', '0', '0'}, "weight file is truncated"},
      {"wrong magic", std::vector<std::uint8_t>(bad_magic.begin(), bad_magic.begin() + 8),
       "not an eisnn weight file (bad magic bytes)"},
      {"last tensor one byte short", last_short, "weight file is truncated"},
      {"overlong UTF-8 in a key", bad_utf8_key, "weight file is truncated"},
      {"encoding 3", small_file().record("x", 3, {1}, {0, 0, 0, 0}).bytes(),
       "weight file uses tensor encoding 3, which this build does not know"},
      {"encoding 255 before its missing data", WeightsFileBuilder().record("x", 255, {1}, {}).bytes(),
       "weight file uses tensor encoding 255, which this build does not know"},
      {"scaling too short", small_file().binary32("scaling", {2, 4}, std::vector<float>(8, 0.0f)).bytes(),
       "tensor scaling has 8 elements, expected 12"},
      {"no scaling", WeightsFileBuilder().binary32("target_mean", {1}, {0}).binary32("target_std", {1}, {1})
                         .binary32("log_params", {1}, {1}).bytes(),
       "weight file is missing scaling"},
      {"no target_mean", WeightsFileBuilder().bytes(), "weight file is missing target_mean"},
      {"kernel 5.0", small_file().header("kernel", "5.0").bytes(),
       "weight file has an unparsable value for kernel"},
      {"alpha_max text", small_file().header("alpha_max", "one").bytes(),
       "weight file has an unparsable value for alpha_max"},
      {"dilations with two commas", small_file().header("dilations", "1,,2").bytes(),
       "weight file has an unparsable value for dilations"},
      {"dilations with a trailing comma", small_file().header("dilations", "1,2,").bytes(),
       "weight file has an unparsable value for dilations"},
      {"empty dilations", small_file().header("dilations", "").bytes(),
       "weight file has an unparsable value for dilations"},
      {"estimator capitalised", small_file().header("estimator", "Reactive_Centroid").bytes(),
       "weight file was normalised with the Reactive_Centroid scale estimator, which this build does not "
       "implement (supported: reactive_centroid)"},
  };
  for (const Case& c : cases) {
    const std::string got = read_error(c.bytes);
    if (got != c.message) check::fail(__FILE__, __LINE__, std::string(c.what) + ": got \"" + got + "\"");
  }
}

TEST_CASE("each missing header key is named, in reading order") {
  const char* keys[] = {"dilations", "estimator", "circuit", "param_names", "n_grid",
                        "channels",  "kernel",    "groups",  "alpha_min",   "alpha_max"};
  for (const char* missing : keys) {
    WeightsFileBuilder file;
    for (const char* key : keys) {
      if (key == missing) continue;
      file.header(key, std::string(key) == "estimator" ? "reactive_centroid" : "1");
    }
    file.binary32("target_mean", {1}, {0}).binary32("target_std", {1}, {1}).binary32("log_params", {1}, {1});
    file.binary32("scaling", {1, 4}, {1, 0, 0, -1});
    CHECK_EQ(read_error(file.bytes()), std::string("weight file is missing ") + missing);
  }
}

TEST_CASE("every strict prefix of a valid file is truncated") {
  const std::vector<std::uint8_t> full = small_file().bytes();
  int wrong = 0;
  for (std::size_t n = 0; n < full.size(); ++n) {
    const std::vector<std::uint8_t> prefix(full.begin(), full.begin() + n);
    if (read_error(prefix) != "weight file is truncated") ++wrong;
  }
  CHECK_EQ(wrong, 0);
  CHECK(read_weights(full).ok());
}

TEST_CASE("lying lengths, ranks and dimensions end as truncated") {
  using B = WeightsFileBuilder;
  const auto with_tail = [](const std::vector<std::uint8_t>& tail) {
    std::vector<std::uint8_t> bytes(8 + tail.size());
    std::memcpy(bytes.data(), corvex::kWeightsMagic, 8);
    std::copy(tail.begin(), tail.end(), bytes.begin() + 8);
    return bytes;
  };
  const std::vector<std::vector<std::uint8_t>> files = {
      with_tail({0xFF, 0xFF, 0xFF, 0xFF}),                          // 4 billion header entries
      with_tail({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'k'}),         // key longer than the file
      with_tail({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}),              // 4 billion tensors
      B().record("x", 0, {}, {}).bytes(),                           // rank 0 without its element
      B().record("x", 0, {0}, {1, 2, 3}).bytes(),                   // zero dimension, 3 of 4 bytes
      B().record("x", 1, {0xFFFFFFFF, 0xFFFFFFFF}, {}).bytes(),     // 2^64 bytes claimed
      B().record("x", 0, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, {}).bytes(),  // product overflows 64 bits
      B().record("x", 2, std::vector<std::uint32_t>(255, 0xFFFFFFFF), {}).bytes(),
      B().record("x", 2, {0x40000000, 0x40000000, 0x40000000}, std::vector<std::uint8_t>(64, 1)).bytes(),
      B().record("x", 2, {}, {0, 0, 0x80}).bytes(),                 // scale cut short
  };
  for (const auto& bytes : files) CHECK_EQ(read_error(bytes), "weight file is truncated");

  // A rank byte promising more dimensions than remain.
  std::vector<std::uint8_t> rank = B().record("x", 0, {1}, {}).bytes();
  rank[rank.size() - 5] = 200;
  CHECK_EQ(read_error(rank), "weight file is truncated");
}

TEST_CASE("binary16 decoding covers normals, subnormals, infinities and NaN") {
  struct Case {
    std::uint16_t bits;
    double value;
  };
  const Case cases[] = {
      {0x3C00, 1.0},
      {0xC000, -2.0},
      {0x0001, std::ldexp(1.0, -24)},
      {0x03FF, std::ldexp(1023.0, -24)},
      {0x0400, std::ldexp(1.0, -14)},
      {0x7BFF, 65504.0},
      {0x3555, 0.333251953125},
      {0x0000, 0.0},
      {0x8000, -0.0},
      {0x7C00, std::numeric_limits<double>::infinity()},
      {0xFC00, -std::numeric_limits<double>::infinity()},
  };
  for (const Case& c : cases) CHECK_SAME(corvex::decode_binary16(c.bits), c.value);
  for (std::uint16_t nan_bits : {0x7E00, 0x7C01, 0xFE00}) CHECK(std::isnan(corvex::decode_binary16(nan_bits)));
  CHECK(std::signbit(corvex::decode_binary16(0xFE00)));
}

TEST_CASE("records in every encoding, rank 0 and zero dimensions hold one element") {
  auto result = read_weights(small_file()
                                 .binary16("half", {2, 2}, {0x3C00, 0x0001, 0x7C00, 0xC000})
                                 .scaled_int8("int8", {3}, 0.5f, {2, -2, -128})
                                 .binary32("scalar", {}, {2.5f})
                                 .binary32("empty", {3, 0, 7}, {-1.5f})
                                 .binary32("after", {2}, {3.0f, 4.0f})
                                 .bytes());
  CHECK(result.ok());
  if (!result.ok()) return;
  const NetworkModel& model = **result;
  const auto values = [&](const char* name) { return model.find_tensor(name)->values; };
  const std::vector<double> half = values("half");
  CHECK_EQ(half.size(), 4u);
  CHECK_SAME(half[0], 1.0);
  CHECK_SAME(half[1], std::ldexp(1.0, -24));
  CHECK_SAME(half[2], std::numeric_limits<double>::infinity());
  CHECK_SAME(half[3], -2.0);
  CHECK(values("int8") == (std::vector<double>{1.0, -1.0, -64.0}));
  CHECK(values("scalar") == (std::vector<double>{2.5}));
  CHECK(values("empty") == (std::vector<double>{-1.5}));
  CHECK(model.find_tensor("empty")->dims == (std::vector<std::uint32_t>{3, 0, 7}));
  CHECK(values("after") == (std::vector<double>{3.0, 4.0}));
}

TEST_CASE("later header entries and records replace earlier ones") {
  auto result = read_weights(small_file()
                                 .header("kernel", "9")
                                 .header("kernel", "+5")
                                 .binary32("target_mean", {3}, {7.0f, 8.0f, 9.0f})
                                 .bytes());
  CHECK(result.ok());
  if (!result.ok()) return;
  CHECK_EQ((*result)->config.kernel, 5u);
  CHECK((*result)->decoding.target_mean == (std::vector<double>{7.0, 8.0, 9.0}));
}

TEST_CASE("dilation items are trimmed of white space") {
  auto result = read_weights(small_file().header("dilations", " 1 ,\t2,4\n, \xC2\xA0" "8\xE3\x80\x80").bytes());
  CHECK(result.ok());
  if (result.ok()) CHECK((*result)->config.dilations == (std::vector<std::uint64_t>{1, 2, 4, 8}));
  CHECK_EQ(read_error(small_file().header("dilations", "1, 2 3").bytes()),
           "weight file has an unparsable value for dilations");
}

TEST_CASE("integer header syntax") {
  struct Case {
    const char* text;
    bool ok;
    std::uint64_t value;
  };
  const Case cases[] = {
      {"5", true, 5},
      {"+5", true, 5},
      {"007", true, 7},
      {"18446744073709551615", true, 18446744073709551615ULL},
      {"18446744073709551616", false, 0},
      {"-1", false, 0},
      {"-0", false, 0},
      {"", false, 0},
      {"+", false, 0},
      {" 5", false, 0},
      {"5 ", false, 0},
      {"5.0", false, 0},
      {"1e3", false, 0},
      {"0x10", false, 0},
      {"++5", false, 0},
  };
  for (const Case& c : cases) {
    const auto parsed = corvex::parse_header_integer(c.text);
    if (parsed.has_value() != c.ok || (c.ok && *parsed != c.value)) {
      check::fail(__FILE__, __LINE__, std::string("integer \"") + c.text + "\"");
    }
  }
}

TEST_CASE("float header syntax") {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* text;
    double value;  // NaN marks a refused text, except in the NaN rows below
  };
  const Case accepted[] = {
      {"0.05", 0.05}, {"1.0", 1.0},         {"1e-3", 1e-3},   {"-2.5E+2", -250.0}, {"+1", 1.0},
      {".5", 0.5},    {"5.", 5.0},          {"-0", -0.0},     {"inf", inf},        {"-Infinity", -inf},
      {"INF", inf},   {"1e400", inf},       {"-1e400", -inf}, {"1e-400", 0.0},     {"4.9e-324", 4.9e-324},
      {"0e999999999999999999", 0.0},
  };
  for (const Case& c : accepted) {
    const auto parsed = corvex::parse_header_float(c.text);
    if (!parsed || !check::same_bits(*parsed, c.value)) check::fail(__FILE__, __LINE__, std::string("float \"") + c.text + "\"");
  }
  for (const char* text : {"nan", "NaN", "-nAn"}) {
    const auto parsed = corvex::parse_header_float(text);
    CHECK(parsed && std::isnan(*parsed));
  }
  for (const char* text : {"", " 1", "1 ", ".", "e5", "1e", "1e+", "-", "0x1p3", "infinit", "--1", "1.2.3", "1,0",
                           "nan(1)", "+-1", "1_000"}) {
    if (corvex::parse_header_float(text)) check::fail(__FILE__, __LINE__, std::string("accepted \"") + text + "\"");
  }
}

TEST_CASE("alpha indices round half away from zero and saturate") {
  struct Case {
    double d;
    std::int32_t index;
  };
  const Case cases[] = {
      {2.0, 2},        {2.5, 3},          {-2.5, -3},
      {1.4999, 1},     {-0.5, -1},        {-0.4, 0},
      {1e20, 2147483647}, {-1e20, -2147483647 - 1}, {std::numeric_limits<double>::infinity(), 2147483647},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) CHECK_EQ(corvex::decode_scaling_rule(1, 2, 3, c.d).alpha_index, c.index);
}

TEST_CASE("validation refuses files the network cannot use safely") {
  struct Case {
    const char* what;
    WeightsFileBuilder file;
    std::string message;
  };
  Case cases[] = {
      {"groups 0", small_file().header("groups", "0"), "weight file has an unparsable value for groups (0 groups)"},
      {"channels not divisible", small_file().header("groups", "3"),
       "weight file has an unparsable value for channels (4 channels do not divide into 3 groups)"},
      {"huge grid", small_file().header("n_grid", "18446744073709551615"),
       "weight file has an unparsable value for n_grid (18446744073709551615; between 1 and 65536 are supported)"},
      {"kernel 0", small_file().header("kernel", "0"),
       "weight file has an unparsable value for kernel (0; between 1 and 1024 are supported)"},
      {"huge dilation", small_file().header("dilations", "1,99999999"),
       "weight file has an unparsable value for dilations (99999999; between 0 and 1048576 are supported)"},
      {"missing block tensor", small_file().header("dilations", "1,2,4"), "weight file is missing w.blocks.2.conv1.weight"},
      {"short stem", small_file().binary32("w.stem.weight", {4, 3, 2}, std::vector<float>(24, 0.0f)),
       "tensor w.stem.weight has 24 elements, expected 36"},
      {"stem of other width", small_file().binary32("w.stem.weight", {8, 3, 3}, std::vector<float>(72, 0.0f))
                                 .binary32("w.stem.bias", {8}, std::vector<float>(8, 0.0f)),
       "weight file has an unparsable value for w.stem.weight (8 output channels where the network has 4)"},
      {"short norm shift", small_file().binary32("w.blocks.1.norm2.bias", {3}, {0, 0, 0}),
       "tensor w.blocks.1.norm2.bias has 3 elements, expected 4"},
      {"head.0 input", small_file().binary32("w.head.0.weight", {6, 11}, std::vector<float>(66, 0.0f)),
       "tensor head.0 has 10 elements, expected 11"},
      {"rank-1 head", small_file().binary32("w.head.2.weight", {36}, std::vector<float>(36, 0.0f)),
       "weight file has an unparsable value for w.head.2.weight (rank 1, a linear layer needs 2 dimensions)"},
      {"head weight with a zero dimension", small_file().binary32("w.head.4.weight", {6, 6, 0}, {1.0f}),
       "tensor w.head.4.weight has 1 elements, expected 36"},
      {"too few outputs", small_file().binary32("w.head.4.weight", {2, 6}, std::vector<float>(12, 0.0f))
                              .binary32("w.head.4.bias", {2}, {0, 0}),
       "weight file has an unparsable value for w.head.4.weight (2 outputs for 3 parameters)"},
      {"short target_std", small_file().binary32("target_std", {2}, {1, 1}),
       "tensor target_std has 2 elements, expected 3"},
      {"more names than outputs", small_file().header("param_names", "a,b,c,d").binary32("w.head.4.weight", {3, 6},
                                                                                        std::vector<float>(18, 0.0f)),
       "weight file has an unparsable value for w.head.4.weight (3 outputs for 4 parameters)"},
      {"alpha bounds crossed", small_file().header("alpha_min", "0.9").header("alpha_max", "0.5"),
       "weight file has an unparsable value for alpha_min (greater than alpha_max)"},
      {"alpha_max NaN", small_file().header("alpha_max", "NaN"),
       "weight file has an unparsable value for alpha_max (not a number)"},
      {"alpha index beyond P", small_file().binary32("scaling", {3, 4}, {1, 0, 0, -1, 1, 0, -1, 2.5f, 0, 0, 0, -1}),
       "weight file has an unparsable value for scaling (rule 1 takes its alpha from output 3 of 3)"},
  };
  for (Case& c : cases) {
    const std::string got = validation_error(c.file.bytes());
    if (got != c.message) check::fail(__FILE__, __LINE__, std::string(c.what) + ": got \"" + got + "\"");
  }
}

TEST_CASE("files beyond the work or memory budget are refused before they cost it") {
  // Well formed, but a guess would take many times the allowed multiply-adds.
  nn_test::ModelShape wide = kSmallShape;
  wide.n_grid = 65536;
  wide.kernel = 1024;
  wide.dilations = {1};
  const std::string costly = validation_error(nn_test::random_weights_file(wide, 7).bytes());
  CHECK(costly.starts_with("weight file needs ") &&
        costly.ends_with(" multiply-adds per guess, more than the 268435456 allowed"));
  // Half a million one-value tensors: a few megabytes of file, far more once decoded.
  WeightsFileBuilder tiny = small_file();
  for (int i = 0; i < 500000; ++i) tiny.binary32(std::string("t").append(std::to_string(i)), {}, {1.0f});
  const std::string refused = read_error(tiny.bytes());
  CHECK(refused.starts_with("weight file needs ") && refused.ends_with(" bytes of memory decoded, more than the "
                                                                       "67108864 allowed"));
}

CHECK_MAIN()
