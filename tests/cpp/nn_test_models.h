// Helpers for the network tests: a writer of weights-file bytes record by record, and small
// complete models with reproducible pseudo-random weights.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "nn/network_model.h"

namespace nn_test {

// Appends the pieces of a weights file in the order they are given.
class WeightsFileBuilder {
 public:
  WeightsFileBuilder& header(std::string key, std::string value) {
    headers_.push_back({std::move(key), std::move(value)});
    return *this;
  }

  // A record with raw data bytes, for any encoding code.
  WeightsFileBuilder& record(const std::string& name, std::uint8_t code, const std::vector<std::uint32_t>& dims,
                             const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> bytes;
    put_string(&bytes, name);
    bytes.push_back(code);
    bytes.push_back(static_cast<std::uint8_t>(dims.size()));
    for (std::uint32_t dim : dims) put_u32(&bytes, dim);
    bytes.insert(bytes.end(), data.begin(), data.end());
    records_.push_back(std::move(bytes));
    return *this;
  }

  WeightsFileBuilder& binary32(const std::string& name, const std::vector<std::uint32_t>& dims,
                               const std::vector<float>& values) {
    std::vector<std::uint8_t> data;
    for (float value : values) put_float(&data, value);
    return record(name, 0, dims, data);
  }

  WeightsFileBuilder& binary16(const std::string& name, const std::vector<std::uint32_t>& dims,
                               const std::vector<std::uint16_t>& bits) {
    std::vector<std::uint8_t> data;
    for (std::uint16_t b : bits) {
      data.push_back(static_cast<std::uint8_t>(b & 0xFF));
      data.push_back(static_cast<std::uint8_t>(b >> 8));
    }
    return record(name, 1, dims, data);
  }

  WeightsFileBuilder& scaled_int8(const std::string& name, const std::vector<std::uint32_t>& dims, float scale,
                                  const std::vector<std::int8_t>& q) {
    std::vector<std::uint8_t> data;
    put_float(&data, scale);
    for (std::int8_t v : q) data.push_back(static_cast<std::uint8_t>(v));
    return record(name, 2, dims, data);
  }

  std::vector<std::uint8_t> bytes() const {
    std::vector<std::uint8_t> out = {'E', 'I', 'S', 'N', 'N', '0', '0', '1'};
    put_u32(&out, static_cast<std::uint32_t>(headers_.size()));
    for (const auto& [key, value] : headers_) {
      put_string(&out, key);
      put_string(&out, value);
    }
    put_u32(&out, static_cast<std::uint32_t>(records_.size()));
    for (const auto& record : records_) out.insert(out.end(), record.begin(), record.end());
    return out;
  }

  static void put_u32(std::vector<std::uint8_t>* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  static void put_float(std::vector<std::uint8_t>* out, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    put_u32(out, bits);
  }
  static void put_string(std::vector<std::uint8_t>* out, const std::string& s) {
    put_u32(out, static_cast<std::uint32_t>(s.size()));
    out->insert(out->end(), s.begin(), s.end());
  }

 private:
  std::vector<std::pair<std::string, std::string>> headers_;
  std::vector<std::vector<std::uint8_t>> records_;
};

// Reproducible values in [-scale, scale) that are exact in binary32.
class Lcg {
 public:
  explicit Lcg(std::uint64_t seed) : state_(seed) {}
  float next(float scale) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    const auto top = static_cast<std::int32_t>(state_ >> 40) - (1 << 23);
    return scale * static_cast<float>(top) / static_cast<float>(1 << 23);
  }

 private:
  std::uint64_t state_;
};

struct ModelShape {
  std::uint32_t channels = 8;
  std::uint32_t n_grid = 64;
  std::uint32_t kernel = 5;
  std::uint32_t groups = 4;
  std::vector<std::uint32_t> dilations = {1, 2, 4, 8};
  std::uint32_t hidden = 16;
  std::uint32_t params = 3;
};

inline std::string join_dilations(const std::vector<std::uint32_t>& dilations) {
  std::string text;
  for (std::size_t i = 0; i < dilations.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(dilations[i]);
  }
  return text;
}

// A complete file of the given shape: all tensors binary32, parameters named p0, p1, ...,
// the last parameter non-logarithmic and every rule without an alpha term.
inline WeightsFileBuilder random_weights_file(const ModelShape& shape, std::uint64_t seed) {
  Lcg lcg(seed);
  const auto random = [&](std::size_t n, float scale) {
    std::vector<float> values(n);
    for (float& v : values) v = lcg.next(scale);
    return values;
  };
  const std::uint32_t c = shape.channels, k = shape.kernel, w = shape.hidden, p = shape.params;
  std::string names;
  for (std::uint32_t i = 0; i < p; ++i) {
    names += i > 0 ? ",p" : "p";
    names += std::to_string(i);
  }

  WeightsFileBuilder file;
  file.header("circuit", "R0-(R1,C1)")
      .header("param_names", names)
      .header("estimator", "reactive_centroid")
      .header("n_grid", std::to_string(shape.n_grid))
      .header("channels", std::to_string(c))
      .header("kernel", std::to_string(k))
      .header("groups", std::to_string(shape.groups))
      .header("dilations", join_dilations(shape.dilations))
      .header("alpha_min", "0.05")
      .header("alpha_max", "1.0");
  file.binary32("w.stem.weight", {c, 3, k}, random(c * 3 * k, 0.5f));
  file.binary32("w.stem.bias", {c}, random(c, 0.1f));
  for (std::size_t b = 0; b < shape.dilations.size(); ++b) {
    const std::string prefix = "w.blocks." + std::to_string(b) + ".";
    for (const char* conv : {"conv1", "conv2"}) {
      file.binary32(prefix + conv + ".weight", {c, c, k}, random(c * c * k, 0.3f));
      file.binary32(prefix + conv + ".bias", {c}, random(c, 0.1f));
    }
    for (const char* norm : {"norm1", "norm2"}) {
      std::vector<float> gamma = random(c, 0.2f);
      for (float& g : gamma) g += 1.0f;
      file.binary32(prefix + norm + ".weight", {c}, gamma);
      file.binary32(prefix + norm + ".bias", {c}, random(c, 0.1f));
    }
  }
  file.binary32("w.head.0.weight", {w, 2 * c + 2}, random(w * (2 * c + 2), 0.3f));
  file.binary32("w.head.0.bias", {w}, random(w, 0.1f));
  file.binary32("w.head.2.weight", {w, w}, random(w * w, 0.3f));
  file.binary32("w.head.2.bias", {w}, random(w, 0.1f));
  file.binary32("w.head.4.weight", {2 * p, w}, random(2 * p * w, 0.3f));
  file.binary32("w.head.4.bias", {2 * p}, random(2 * p, 0.1f));
  file.binary32("target_mean", {p}, random(p, 1.0f));
  std::vector<float> std_values = random(p, 0.5f);
  for (float& s : std_values) s += 1.0f;
  file.binary32("target_std", {p}, std_values);
  std::vector<float> log_flags(p, 1.0f);
  log_flags.back() = 0.0f;
  file.binary32("log_params", {p}, log_flags);
  std::vector<float> rules;
  for (std::uint32_t i = 0; i < p; ++i) rules.insert(rules.end(), {1.0f, -1.0f, 0.0f, -1.0f});
  file.binary32("scaling", {p, 4}, rules);
  return file;
}

}  // namespace nn_test
