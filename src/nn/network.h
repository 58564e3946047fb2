// Forward pass of the guessing network: a stem convolution, residual blocks of dilated
// convolutions with group normalisation, global pooling and a three-layer fully connected head.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "nn/network_model.h"
#include "util/result.h"

namespace corvex {

// Sizes a weights file may declare. They bound the work and the buffers of one run; files
// beyond them are refused rather than allowed to demand arbitrary memory or overflow offsets.
inline constexpr std::uint64_t kMaxGridPoints = std::uint64_t{1} << 16;
inline constexpr std::uint64_t kMaxChannels = std::uint64_t{1} << 12;
inline constexpr std::uint64_t kMaxActivationValues = std::uint64_t{1} << 20;  // channels · n_grid
inline constexpr std::uint64_t kMaxKernel = std::uint64_t{1} << 10;
inline constexpr std::uint64_t kMaxDilation = std::uint64_t{1} << 20;

// Work one forward pass may take, as multiply-adds of its convolutions and dense layers: some
// 25 times the largest carried model (about 1.1e7), a few tenths of a second.
inline constexpr std::uint64_t kMaxInferenceMultiplyAdds = std::uint64_t{1} << 28;

inline constexpr std::size_t kInputRows = 3;   // log-magnitude, phase, log-frequency
inline constexpr std::size_t kExtraCount = 2;  // appended to the pooled vector

// Rows of equal length stored channel-major: all positions of channel 0, then channel 1, ...
struct ActivationMap {
  std::size_t channels = 0;
  std::size_t length = 0;
  std::vector<double> values;

  void resize(std::size_t new_channels, std::size_t new_length) {
    channels = new_channels;
    length = new_length;
    values.resize(new_channels * new_length);
  }
  double* row(std::size_t channel) { return values.data() + channel * length; }
  const double* row(std::size_t channel) const { return values.data() + channel * length; }
};

// Views into a model's tensors, checked to be long enough for the shapes they are used with.
// They point into the model, which must outlive them.
struct ConvWeights {
  const double* weight = nullptr;  // [out_channels, in_channels, kernel]
  const double* bias = nullptr;    // [out_channels]
  std::size_t out_channels = 0;
  std::size_t in_channels = 0;
  std::size_t kernel = 0;
};

struct NormWeights {
  const double* scale = nullptr;  // gamma, one per channel
  const double* shift = nullptr;  // beta, one per channel
  std::size_t channels = 0;
  std::size_t groups = 0;
};

struct LinearWeights {
  const double* weight = nullptr;  // [out_size, in_size]
  const double* bias = nullptr;    // [out_size]
  std::size_t in_size = 0;
  std::size_t out_size = 0;
};

struct ResidualBlockWeights {
  std::uint64_t dilation = 1;
  ConvWeights conv1;
  NormWeights norm1;
  ConvWeights conv2;
  NormWeights norm2;
};

// Everything one forward pass reads, bound and checked once.
struct NetworkWeights {
  std::size_t n_grid = 0;
  std::size_t channels = 0;
  ConvWeights stem;
  std::vector<ResidualBlockWeights> blocks;
  LinearWeights head0;
  LinearWeights head2;
  LinearWeights head4;
};

// Header limits of the network: groups at least 1 and dividing channels, sizes within the limits above.
Status check_network_config(const NetworkConfig& config);

// Binds every layer in the order a forward pass meets them, failing with the first missing
// tensor, mis-sized linear input or tensor too short for its use.
Result<NetworkWeights> bind_network_weights(const NetworkModel& model);

// Multiply-adds of one forward pass, saturated at the largest 64-bit value.
std::uint64_t inference_multiply_adds(const NetworkWeights& weights);

// The head's output (one value per row of "w.head.4.weight") for a 3 × n_grid feature map
// and the two extras.
Result<std::vector<double>> run_network(const NetworkModel& model, const std::vector<double>& features,
                                        const std::array<double, kExtraCount>& extras);

// Single layers, each reading its tensors from the model by layer name ("stem",
// "blocks.0.conv1", "head.0", ...).
Status conv1d(const NetworkModel& model, const ActivationMap& input, std::size_t in_channels,
              std::string_view layer, std::uint64_t dilation, ActivationMap* output);
Status group_norm(const NetworkModel& model, std::string_view layer, ActivationMap* map);
Result<std::vector<double>> linear_layer(const NetworkModel& model, const std::vector<double>& input,
                                         std::string_view layer);

// Tanh approximation of the Gaussian error linear unit.
double gelu(double x);

}  // namespace corvex
