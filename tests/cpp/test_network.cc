// Tests of the forward pass: each layer on inputs whose result is known exactly, and whole
// networks against a direct position-by-position evaluation, compared bit for bit.
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "check.h"
#include "nn/network.h"
#include "nn/weights_format.h"
#include "nn_test_models.h"

using corvex::ActivationMap;
using corvex::NetworkModel;

namespace {

NetworkModel model_of_shape(const nn_test::ModelShape& shape, std::uint64_t seed) {
  auto result = corvex::read_weights(nn_test::random_weights_file(shape, seed).bytes());
  CHECK(result.ok());
  return **result;
}

void set_tensor(NetworkModel* model, const std::string& name, std::vector<std::uint32_t> dims,
                std::vector<double> values) {
  model->tensors[name] = corvex::Tensor{name, std::move(dims), std::move(values)};
}

const std::vector<double>& values_of(const NetworkModel& model, const std::string& name) {
  return model.find_tensor(name)->values;
}

// The network evaluated the plain way: one output value at a time, every index bounds-tested.
std::vector<double> direct_conv(const NetworkModel& m, const std::string& layer, const std::vector<double>& in,
                                std::size_t c_in, std::size_t length, std::size_t dilation) {
  const auto& w = values_of(m, "w." + layer + ".weight");
  const auto& b = values_of(m, "w." + layer + ".bias");
  const std::size_t c_out = m.find_tensor("w." + layer + ".weight")->dims[0];
  const long k_len = static_cast<long>(m.config.kernel);
  const long pad = static_cast<long>(dilation) * (k_len - 1) / 2;
  std::vector<double> out(c_out * length);
  for (std::size_t o = 0; o < c_out; ++o) {
    for (long l = 0; l < static_cast<long>(length); ++l) {
      double acc = b[o];
      for (std::size_t j = 0; j < c_in; ++j) {
        for (long k = 0; k < k_len; ++k) {
          const long index = l + k * static_cast<long>(dilation) - pad;
          const double weight = w[(o * c_in + j) * k_len + k];
          if (index < 0 || index >= static_cast<long>(length) || weight == 0.0) continue;
          acc += weight * in[j * length + index];
        }
      }
      out[o * length + l] = acc;
    }
  }
  return out;
}

void direct_norm(const NetworkModel& m, const std::string& layer, std::vector<double>* x, std::size_t length) {
  const auto& gamma = values_of(m, "w." + layer + ".weight");
  const auto& beta = values_of(m, "w." + layer + ".bias");
  const std::size_t per_group = m.config.channels / m.config.groups;
  const std::size_t n = per_group * length;
  for (std::size_t g = 0; g < m.config.groups; ++g) {
    double* v = x->data() + g * n;
    double sum = 0.0, squares = 0.0;
    for (std::size_t i = 0; i < n; ++i) sum += v[i];
    const double mean = sum / static_cast<double>(n);
    for (std::size_t i = 0; i < n; ++i) squares += (v[i] - mean) * (v[i] - mean);
    const double s = 1.0 / std::sqrt(squares / static_cast<double>(n) + 1e-5);
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t c = g * per_group + i / length;
      v[i] = (s * (v[i] - mean)) * gamma[c] + beta[c];
    }
  }
}

double direct_gelu(double x) {
  const double t = x + (x * (x * (0.044715 * x)));
  return (0.5 * x) * (1.0 + std::tanh(0.7978845608028654 * t));
}

std::vector<double> direct_linear(const NetworkModel& m, const std::string& layer, const std::vector<double>& v) {
  const auto& w = values_of(m, "w." + layer + ".weight");
  const auto& b = values_of(m, "w." + layer + ".bias");
  const std::size_t n_out = m.find_tensor("w." + layer + ".weight")->dims[0];
  std::vector<double> y(n_out);
  for (std::size_t o = 0; o < n_out; ++o) {
    double sum = 0.0;
    for (std::size_t i = 0; i < v.size(); ++i) sum += w[o * v.size() + i] * v[i];
    y[o] = sum + b[o];
  }
  return y;
}

std::vector<double> direct_forward(const NetworkModel& m, const std::vector<double>& features,
                                   const std::array<double, 2>& extras) {
  const std::size_t length = m.config.n_grid, c = m.config.channels;
  std::vector<double> x = direct_conv(m, "stem", features, 3, length, 1);
  for (std::size_t i = 0; i < m.config.dilations.size(); ++i) {
    const std::string block = "blocks." + std::to_string(i) + ".";
    const std::size_t d = m.config.dilations[i];
    std::vector<double> h = direct_conv(m, block + "conv1", x, c, length, d);
    direct_norm(m, block + "norm1", &h, length);
    for (double& v : h) v = direct_gelu(v);
    h = direct_conv(m, block + "conv2", h, c, length, d);
    direct_norm(m, block + "norm2", &h, length);
    for (std::size_t k = 0; k < x.size(); ++k) x[k] = direct_gelu(x[k] + h[k]);
  }
  std::vector<double> pooled(2 * c + 2);
  for (std::size_t ch = 0; ch < c; ++ch) {
    double sum = 0.0, largest = -std::numeric_limits<double>::infinity();
    for (std::size_t l = 0; l < length; ++l) {
      const double v = x[ch * length + l];
      sum += v;
      if (!std::isnan(v) && v > largest) largest = v;
    }
    pooled[ch] = sum / static_cast<double>(length);
    pooled[c + ch] = largest;
  }
  pooled[2 * c] = extras[0];
  pooled[2 * c + 1] = extras[1];
  std::vector<double> v = direct_linear(m, "head.0", pooled);
  for (double& e : v) e = direct_gelu(e);
  v = direct_linear(m, "head.2", v);
  for (double& e : v) e = direct_gelu(e);
  return direct_linear(m, "head.4", v);
}

std::vector<double> feature_map(std::size_t length, std::uint64_t seed) {
  nn_test::Lcg lcg(seed);
  std::vector<double> map(3 * length);
  for (double& v : map) v = lcg.next(2.0f);
  return map;
}

}  // namespace

TEST_CASE("whole networks equal a direct evaluation bit for bit") {
  struct Shape {
    std::uint32_t channels, n_grid, kernel, groups;
    std::vector<std::uint32_t> dilations;
    std::uint32_t hidden, params;
  };
  const Shape shapes[] = {
      {8, 64, 5, 4, {1, 2, 4, 8}, 32, 3},
      {6, 17, 4, 3, {3, 1}, 10, 2},    // even kernel: taps reach further right than left
      {4, 1, 5, 2, {1}, 5, 1},          // one grid point
      {4, 12, 5, 2, {8, 3}, 6, 2},      // padding wider than the grid
      {16, 64, 5, 8, {1, 2, 4, 8}, 64, 3},
  };
  for (const Shape& s : shapes) {
    nn_test::ModelShape shape{s.channels, s.n_grid, s.kernel, s.groups, s.dilations, s.hidden, s.params};
    NetworkModel model = model_of_shape(shape, s.channels * 31 + s.n_grid);
    // Exact zeros among the weights, which both evaluations skip.
    std::vector<double>& stem = model.tensors["w.stem.weight"].values;
    for (std::size_t i = 0; i < stem.size(); i += 3) stem[i] = 0.0;
    const std::vector<double> features = feature_map(s.n_grid, s.hidden);
    const std::array<double, 2> extras = {0.75, 0.6};
    auto out = corvex::run_network(model, features, extras);
    CHECK(out.ok());
    if (!out.ok()) continue;
    const std::vector<double> expected = direct_forward(model, features, extras);
    CHECK_EQ(out->size(), 2u * s.params);
    for (std::size_t i = 0; i < expected.size() && i < out->size(); ++i) CHECK_SAME((*out)[i], expected[i]);
  }
}

TEST_CASE("gelu") {
  CHECK_SAME(corvex::gelu(0.0), 0.0);
  CHECK_NEAR(corvex::gelu(1.0), 0.8411919906082768, 1e-16);
  CHECK_NEAR(corvex::gelu(-1.0), -0.15880800939172324, 1e-16);
  CHECK_SAME(corvex::gelu(10.0), 10.0);
  CHECK_NEAR(corvex::gelu(-10.0), 0.0, 1e-300);
  CHECK(std::isnan(corvex::gelu(std::numeric_limits<double>::quiet_NaN())));
}

TEST_CASE("group norm of a constant map gives each channel its shift") {
  NetworkModel model = model_of_shape({}, 3);
  set_tensor(&model, "w.n.weight", {8}, {1, 2, 3, 4, 5, 6, 7, 8});
  set_tensor(&model, "w.n.bias", {8}, {-1, -2, -3, -4, 0.5, 0.25, 9, 10});
  ActivationMap map;
  map.resize(8, 5);
  std::fill(map.values.begin(), map.values.end(), 3.75);
  CHECK(corvex::group_norm(model, "n", &map).ok());
  const double beta[] = {-1, -2, -3, -4, 0.5, 0.25, 9, 10};
  for (std::size_t c = 0; c < 8; ++c) {
    for (std::size_t l = 0; l < 5; ++l) CHECK_SAME(map.row(c)[l], beta[c]);
  }
  set_tensor(&model, "w.n.bias", {7}, {0, 0, 0, 0, 0, 0, 0});
  CHECK_EQ(corvex::group_norm(model, "n", &map).error().message, "tensor w.n.bias has 7 elements, expected 8");
}

TEST_CASE("dilated taps at the edge and exactly zero weights") {
  NetworkModel model = model_of_shape({}, 5);
  set_tensor(&model, "w.c.weight", {2, 1, 5}, {1, 10, 100, 1000, 10000, 0, 0, 2, 0, 0});
  set_tensor(&model, "w.c.bias", {2}, {0.5, -0.25});
  ActivationMap input;
  input.resize(1, 64);
  for (std::size_t l = 0; l < 64; ++l) input.values[l] = static_cast<double>(l + 1);
  input.values[40] = std::numeric_limits<double>::infinity();
  ActivationMap output;
  CHECK(corvex::conv1d(model, input, 1, "c", 8, &output).ok());
  CHECK_EQ(output.channels, 2u);
  // Position 0 sees taps 2, 3 and 4 at inputs 0, 8 and 16; pad is 16.
  CHECK_SAME(output.row(0)[0], 0.5 + 100.0 * 1 + 1000.0 * 9 + 10000.0 * 17);
  // Position 63 sees taps 0, 1 and 2 at inputs 47, 55 and 63.
  CHECK_SAME(output.row(0)[63], 0.5 + 1.0 * 48 + 10.0 * 56 + 100.0 * 64);
  // Channel 1 has only its centre tap; the zero taps never touch the infinite input at 40.
  for (std::size_t l = 0; l < 64; ++l) {
    const double expected = -0.25 + 2.0 * input.values[l];
    CHECK_SAME(output.row(1)[l], expected);
  }
}

TEST_CASE("missing tensors and mis-sized linear inputs end the run with their message") {
  const nn_test::ModelShape shape{16, 8, 5, 8, {1}, 12, 2};
  NetworkModel model = model_of_shape(shape, 11);
  const std::vector<double> features = feature_map(8, 1);
  CHECK(corvex::run_network(model, features, {0, 0}).ok());

  NetworkModel wrong_head = model;
  set_tensor(&wrong_head, "w.head.0.weight", {12, 66}, std::vector<double>(12 * 66, 0.0));
  CHECK_EQ(corvex::run_network(wrong_head, features, {0, 0}).error().message,
           "tensor head.0 has 34 elements, expected 66");
  CHECK_EQ(corvex::linear_layer(model, std::vector<double>(5, 1.0), "head.2").error().message,
           "tensor head.2 has 5 elements, expected 12");

  NetworkModel no_stem = model;
  no_stem.tensors.erase("w.stem.weight");
  CHECK_EQ(corvex::run_network(no_stem, features, {0, 0}).error().message, "weight file is missing w.stem.weight");

  NetworkModel two_blocks = model;
  two_blocks.config.dilations = {1, 2};
  CHECK_EQ(corvex::run_network(two_blocks, features, {0, 0}).error().message,
           "weight file is missing w.blocks.1.conv1.weight");
  CHECK(!corvex::run_network(model, feature_map(7, 1), {0, 0}).ok());
}

CHECK_MAIN()
