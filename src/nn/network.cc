// The forward pass. Every tensor is bound and length-checked before the first arithmetic, so
// the loops below index without checks; sums run in the fixed orders that make guesses reproducible.
#include "nn/network.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "nn/network_path.h"
#include "nn/weights_error.h"

namespace corvex {
namespace {

constexpr double kNormEpsilon = 1e-5;

// a · b · c, or the largest integer when the product does not fit (no tensor is that long).
std::uint64_t saturating_product(std::uint64_t a, std::uint64_t b, std::uint64_t c = 1) {
  constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
  if (b != 0 && a > max / b) return max;
  const std::uint64_t ab = a * b;
  if (c != 0 && ab > max / c) return max;
  return ab * c;
}

Error out_of_range(const char* key, std::uint64_t value, std::uint64_t lo, std::uint64_t hi) {
  return WeightsError::unparsable(std::string(key) + " (" + std::to_string(value) + "; between " +
                                  std::to_string(lo) + " and " + std::to_string(hi) + " are supported)");
}

Status check_dilation(std::uint64_t dilation) {
  if (dilation > kMaxDilation) return out_of_range("dilations", dilation, 0, kMaxDilation);
  return {};
}

std::string weight_name(std::string_view layer) { return "w." + std::string(layer) + ".weight"; }
std::string bias_name(std::string_view layer) { return "w." + std::string(layer) + ".bias"; }

// A tensor of the model that must hold at least `needed` values.
Result<const Tensor*> tensor_with_length(const NetworkModel& model, const std::string& name, std::uint64_t needed) {
  Result<const Tensor*> tensor = model.tensor(name);
  if (tensor.ok() && (*tensor)->values.size() < needed) {
    return WeightsError::element_count(name, (*tensor)->values.size(), needed).to_error();
  }
  return tensor;
}

Result<ConvWeights> bind_conv(const NetworkModel& model, std::string_view layer, std::size_t in_channels) {
  const std::string name = weight_name(layer);
  Result<const Tensor*> weight = model.tensor(name);
  if (!weight.ok()) return weight.take_error();
  if ((*weight)->dims.empty()) {
    return WeightsError::unparsable(name + " (rank 0, without an output channel dimension)").to_error();
  }
  ConvWeights conv;
  conv.out_channels = (*weight)->dims[0];
  conv.in_channels = in_channels;
  conv.kernel = static_cast<std::size_t>(model.config.kernel);
  if (conv.out_channels > kMaxChannels) return out_of_range(name.c_str(), conv.out_channels, 0, kMaxChannels);
  const std::uint64_t needed = saturating_product(conv.out_channels, in_channels, conv.kernel);
  if ((*weight)->values.size() < needed) {
    return WeightsError::element_count(name, (*weight)->values.size(), needed).to_error();
  }
  Result<const Tensor*> bias = tensor_with_length(model, bias_name(layer), conv.out_channels);
  if (!bias.ok()) return bias.take_error();
  conv.weight = (*weight)->values.data();
  conv.bias = (*bias)->values.data();
  return conv;
}

// A block convolution must keep the channel count, or the residual sum would mix shapes.
Result<ConvWeights> bind_network_conv(const NetworkModel& model, std::string_view layer, std::size_t in_channels) {
  Result<ConvWeights> conv = bind_conv(model, layer, in_channels);
  if (conv.ok() && conv->out_channels != model.config.channels) {
    return WeightsError::unparsable(weight_name(layer) + " (" + std::to_string(conv->out_channels) +
                                    " output channels where the network has " +
                                    std::to_string(model.config.channels) + ")")
        .to_error();
  }
  return conv;
}

Result<NormWeights> bind_norm(const NetworkModel& model, std::string_view layer, std::size_t channels) {
  Result<const Tensor*> scale = tensor_with_length(model, weight_name(layer), channels);
  if (!scale.ok()) return scale.take_error();
  Result<const Tensor*> shift = tensor_with_length(model, bias_name(layer), channels);
  if (!shift.ok()) return shift.take_error();
  NormWeights norm;
  norm.scale = (*scale)->values.data();
  norm.shift = (*shift)->values.data();
  norm.channels = channels;
  norm.groups = static_cast<std::size_t>(model.config.groups);
  return norm;
}

Result<LinearWeights> bind_linear(const NetworkModel& model, std::string_view layer, std::size_t in_size) {
  const std::string name = weight_name(layer);
  Result<const Tensor*> weight = model.tensor(name);
  if (!weight.ok()) return weight.take_error();
  const std::vector<std::uint32_t>& dims = (*weight)->dims;
  if (dims.size() < 2) {
    return WeightsError::unparsable(name + " (rank " + std::to_string(dims.size()) +
                                    ", a linear layer needs 2 dimensions)")
        .to_error();
  }
  if (in_size != dims[1]) return WeightsError::element_count(std::string(layer), in_size, dims[1]).to_error();
  const std::uint64_t needed = saturating_product(dims[0], dims[1]);
  if ((*weight)->values.size() < needed) {
    return WeightsError::element_count(name, (*weight)->values.size(), needed).to_error();
  }
  Result<const Tensor*> bias = tensor_with_length(model, bias_name(layer), dims[0]);
  if (!bias.ok()) return bias.take_error();
  LinearWeights linear;
  linear.weight = (*weight)->values.data();
  linear.bias = (*bias)->values.data();
  linear.in_size = in_size;
  linear.out_size = dims[0];
  return linear;
}

// Adds the taps of one input channel to the positions [from, to) of an output row, tap after
// tap. Taps that fall outside the input, or whose weight is exactly zero, are skipped: a zero
// weight contributes nothing even against an infinite or NaN input.
void add_taps(const double* taps, std::size_t kernel, const double* __restrict in, std::int64_t length,
              std::int64_t step, std::int64_t pad, std::int64_t from, std::int64_t to, double* __restrict out) {
  for (std::size_t k = 0; k < kernel; ++k) {
    const double w = taps[k];
    if (w == 0.0) continue;
    const std::int64_t shift = static_cast<std::int64_t>(k) * step - pad;
    const std::int64_t first = std::max<std::int64_t>(from, -shift);
    const std::int64_t last = std::min<std::int64_t>(to, length - shift);
    for (std::int64_t l = first; l < last; ++l) out[l] += w * in[l + shift];
  }
}

// The same for five non-zero taps that all lie inside the input at every position of
// [from, to): one pass per position with the sum still formed in tap order, which saves four
// loads and stores of each output value.
void add_five_taps(const double* taps, const double* __restrict in, std::int64_t step, std::int64_t pad,
                   std::int64_t from, std::int64_t to, double* __restrict out) {
  const double w0 = taps[0], w1 = taps[1], w2 = taps[2], w3 = taps[3], w4 = taps[4];
  const std::int64_t s0 = -pad, s1 = step - pad, s2 = 2 * step - pad, s3 = 3 * step - pad, s4 = 4 * step - pad;
  for (std::int64_t l = from; l < to; ++l) {
    out[l] = ((((out[l] + w0 * in[l + s0]) + w1 * in[l + s1]) + w2 * in[l + s2]) + w3 * in[l + s3]) +
             w4 * in[l + s4];
  }
}

// Dilated, zero-padded, same-length convolution. Each output value is the bias plus the taps
// in the order input channel, then tap; positions are the innermost loop so that they can be
// computed side by side without changing any value's order of summation.
void convolve(const ConvWeights& conv, const ActivationMap& input, std::uint64_t dilation, ActivationMap* output) {
  const auto length = static_cast<std::int64_t>(input.length);
  const auto step = static_cast<std::int64_t>(dilation);
  const auto kernel = static_cast<std::int64_t>(conv.kernel);
  const std::int64_t pad = step * (kernel - 1) / 2;
  // Positions where every tap lies inside the input.
  const std::int64_t interior_from = std::min(pad, length);
  const std::int64_t interior_to = std::max(interior_from, length - ((kernel - 1) * step - pad));
  for (std::size_t o = 0; o < conv.out_channels; ++o) {
    double* out = output->row(o);
    std::fill(out, out + input.length, conv.bias[o]);
    for (std::size_t j = 0; j < conv.in_channels; ++j) {
      const double* in = input.row(j);
      const double* taps = conv.weight + (o * conv.in_channels + j) * conv.kernel;
      const bool fused = conv.kernel == 5 && taps[0] != 0.0 && taps[1] != 0.0 && taps[2] != 0.0 &&
                         taps[3] != 0.0 && taps[4] != 0.0;
      if (!fused) {
        add_taps(taps, conv.kernel, in, length, step, pad, 0, length, out);
        continue;
      }
      add_taps(taps, conv.kernel, in, length, step, pad, 0, interior_from, out);
      add_five_taps(taps, in, step, pad, interior_from, interior_to, out);
      add_taps(taps, conv.kernel, in, length, step, pad, interior_to, length, out);
    }
  }
}

// Group normalisation in place: per group of consecutive channels, population mean and
// variance, then each value scaled and shifted by its channel's gamma and beta. The sums of
// four groups run side by side, each still in position order: the chains are independent,
// so the processor overlaps them instead of waiting on one long chain of additions.
void normalise(const NormWeights& norm, ActivationMap* map) {
  constexpr std::size_t kSideBySide = 4;
  const std::size_t per_group = norm.channels / norm.groups;
  const std::size_t count = per_group * map->length;
  for (std::size_t first = 0; first < norm.groups; first += kSideBySide) {
    const std::size_t groups = std::min(kSideBySide, norm.groups - first);
    const double* values[kSideBySide];
    double sum[kSideBySide] = {};
    double mean[kSideBySide] = {};
    double squares[kSideBySide] = {};
    for (std::size_t g = 0; g < kSideBySide; ++g) values[g] = map->row((first + std::min(g, groups - 1)) * per_group);
    // With fewer than four groups left the last one is summed again in the spare slots.
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t g = 0; g < kSideBySide; ++g) sum[g] += values[g][i];
    }
    for (std::size_t g = 0; g < kSideBySide; ++g) mean[g] = sum[g] / static_cast<double>(count);
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t g = 0; g < kSideBySide; ++g) {
        const double deviation = values[g][i] - mean[g];
        squares[g] += deviation * deviation;
      }
    }
    for (std::size_t g = 0; g < groups; ++g) {
      const double variance = squares[g] / static_cast<double>(count);
      const double s = 1.0 / std::sqrt(variance + kNormEpsilon);
      const std::size_t group = first + g;
      for (std::size_t c = group * per_group; c < (group + 1) * per_group; ++c) {
        double* row = map->row(c);
        const double gamma = norm.scale[c];
        const double beta = norm.shift[c];
        for (std::size_t l = 0; l < map->length; ++l) row[l] = (s * (row[l] - mean[g])) * gamma + beta;
      }
    }
  }
}

// y[o] = (sum over i of W[o][i]·v[i], accumulated from zero in order) + bias[o].
void dense(const LinearWeights& linear, const double* input, double* output) {
  for (std::size_t o = 0; o < linear.out_size; ++o) {
    const double* row = linear.weight + o * linear.in_size;
    double sum = 0.0;
    for (std::size_t i = 0; i < linear.in_size; ++i) sum += row[i] * input[i];
    output[o] = sum + linear.bias[o];
  }
}


// Per channel: the mean in position order, then the maximum ignoring NaN; then the extras.
// Four channels are summed side by side, each in its own order, for the same reason as above.
void pool(const ActivationMap& map, const std::array<double, kExtraCount>& extras, double* pooled) {
  constexpr std::size_t kSideBySide = 4;
  std::size_t c = 0;
  for (; c + kSideBySide <= map.channels; c += kSideBySide) {
    double sum[kSideBySide] = {};
    double largest[kSideBySide];
    const double* rows[kSideBySide];
    for (std::size_t t = 0; t < kSideBySide; ++t) {
      largest[t] = -std::numeric_limits<double>::infinity();
      rows[t] = map.row(c + t);
    }
    for (std::size_t l = 0; l < map.length; ++l) {
      for (std::size_t t = 0; t < kSideBySide; ++t) {
        sum[t] += rows[t][l];
        if (rows[t][l] > largest[t]) largest[t] = rows[t][l];
      }
    }
    for (std::size_t t = 0; t < kSideBySide; ++t) {
      pooled[c + t] = sum[t] / static_cast<double>(map.length);
      pooled[map.channels + c + t] = largest[t];
    }
  }
  for (; c < map.channels; ++c) {
    const double* row = map.row(c);
    double sum = 0.0;
    double largest = -std::numeric_limits<double>::infinity();
    for (std::size_t l = 0; l < map.length; ++l) {
      sum += row[l];
      if (row[l] > largest) largest = row[l];
    }
    pooled[c] = sum / static_cast<double>(map.length);
    pooled[map.channels + c] = largest;
  }
  for (std::size_t e = 0; e < kExtraCount; ++e) pooled[2 * map.channels + e] = extras[e];
}

// The run buffers of a thread's forward passes, kept between calls so that a guess allocates
// only when a model larger than any before on this thread comes along.
struct NetworkBuffers {
  ActivationMap input;
  ActivationMap x;
  ActivationMap h;
  ActivationMap t;
  std::vector<double> pooled;
  std::vector<double> hidden0;
  std::vector<double> hidden2;
  std::vector<double> output;
  std::vector<double> padded;  // the vector convolution's input with margins

  void prepare(const NetworkWeights& weights) {
    input.resize(kInputRows, weights.n_grid);
    x.resize(weights.channels, weights.n_grid);
    h.resize(weights.channels, weights.n_grid);
    t.resize(weights.channels, weights.n_grid);
    pooled.resize(2 * weights.channels + kExtraCount);
    hidden0.resize(weights.head0.out_size);
    hidden2.resize(weights.head2.out_size);
    output.resize(weights.head4.out_size);
  }
};

// The convolution and the dense layer on the path chosen for this process.
void convolve_on_path(const ConvWeights& conv, const ActivationMap& input, std::uint64_t dilation,
                      ActivationMap* output, std::vector<double>* padded) {
#ifdef CORVEX_NETWORK_AVX2
  if (network_path() == NetworkPath::avx512) {
    convolve_avx512(conv, input, dilation, output, padded);
    return;
  }
  if (network_path() == NetworkPath::avx2) {
    convolve_avx2(conv, input, dilation, output, padded);
    return;
  }
#endif
  static_cast<void>(padded);
  convolve(conv, input, dilation, output);
}

void gelu_on_path(double* values, std::size_t count) {
#ifdef CORVEX_NETWORK_AVX2
  if (network_path() != NetworkPath::scalar) {
    gelu_avx2(values, count);
    return;
  }
#endif
  for (std::size_t i = 0; i < count; ++i) values[i] = gelu(values[i]);
}

// values[i] = gelu(values[i] + addends[i]), the residual connection.
void add_gelu_on_path(double* values, const double* addends, std::size_t count) {
#ifdef CORVEX_NETWORK_AVX2
  if (network_path() != NetworkPath::scalar) {
    add_gelu_avx2(values, addends, count);
    return;
  }
#endif
  for (std::size_t i = 0; i < count; ++i) values[i] = gelu(values[i] + addends[i]);
}

void dense_on_path(const LinearWeights& linear, const double* input, double* output) {
#ifdef CORVEX_NETWORK_AVX2
  if (network_path() != NetworkPath::scalar) {
    dense_avx2(linear, input, output);
    return;
  }
#endif
  dense(linear, input, output);
}

}  // namespace

double gelu(double x) {
  const double t = x + (x * (x * (0.044715 * x)));
  return (0.5 * x) * (1.0 + std::tanh(0.7978845608028654 * t));
}

Status check_network_config(const NetworkConfig& config) {
  if (config.groups == 0) return WeightsError::unparsable("groups (0 groups)").to_error();
  if (config.channels % config.groups != 0) {
    return WeightsError::unparsable("channels (" + std::to_string(config.channels) + " channels do not divide into " +
                                    std::to_string(config.groups) + " groups)")
        .to_error();
  }
  if (config.n_grid < 1 || config.n_grid > kMaxGridPoints) return out_of_range("n_grid", config.n_grid, 1, kMaxGridPoints);
  if (config.channels < 1 || config.channels > kMaxChannels) {
    return out_of_range("channels", config.channels, 1, kMaxChannels);
  }
  if (config.channels * config.n_grid > kMaxActivationValues) {
    return WeightsError::unparsable("channels (" + std::to_string(config.channels) + " channels of " +
                                    std::to_string(config.n_grid) + " points exceed the supported " +
                                    std::to_string(kMaxActivationValues) + " activations)")
        .to_error();
  }
  if (config.kernel < 1 || config.kernel > kMaxKernel) return out_of_range("kernel", config.kernel, 1, kMaxKernel);
  for (std::uint64_t dilation : config.dilations) {
    Status checked = check_dilation(dilation);
    if (!checked.ok()) return checked;
  }
  return {};
}

Result<NetworkWeights> bind_network_weights(const NetworkModel& model) {
  Status config = check_network_config(model.config);
  if (!config.ok()) return config.take_error();
  NetworkWeights weights;
  weights.n_grid = static_cast<std::size_t>(model.config.n_grid);
  weights.channels = static_cast<std::size_t>(model.config.channels);
  const std::size_t channels = weights.channels;

  Result<ConvWeights> stem = bind_network_conv(model, "stem", kInputRows);
  if (!stem.ok()) return stem.take_error();
  weights.stem = *stem;

  weights.blocks.reserve(model.config.dilations.size());
  for (std::size_t i = 0; i < model.config.dilations.size(); ++i) {
    const std::string prefix = "blocks." + std::to_string(i) + ".";
    ResidualBlockWeights block;
    block.dilation = model.config.dilations[i];
    Result<ConvWeights> conv1 = bind_network_conv(model, prefix + "conv1", channels);
    if (!conv1.ok()) return conv1.take_error();
    Result<NormWeights> norm1 = bind_norm(model, prefix + "norm1", channels);
    if (!norm1.ok()) return norm1.take_error();
    Result<ConvWeights> conv2 = bind_network_conv(model, prefix + "conv2", channels);
    if (!conv2.ok()) return conv2.take_error();
    Result<NormWeights> norm2 = bind_norm(model, prefix + "norm2", channels);
    if (!norm2.ok()) return norm2.take_error();
    block.conv1 = *conv1;
    block.norm1 = *norm1;
    block.conv2 = *conv2;
    block.norm2 = *norm2;
    weights.blocks.push_back(block);
  }

  Result<LinearWeights> head0 = bind_linear(model, "head.0", 2 * channels + kExtraCount);
  if (!head0.ok()) return head0.take_error();
  Result<LinearWeights> head2 = bind_linear(model, "head.2", head0->out_size);
  if (!head2.ok()) return head2.take_error();
  Result<LinearWeights> head4 = bind_linear(model, "head.4", head2->out_size);
  if (!head4.ok()) return head4.take_error();
  weights.head0 = *head0;
  weights.head2 = *head2;
  weights.head4 = *head4;
  return weights;
}

std::uint64_t inference_multiply_adds(const NetworkWeights& weights) {
  constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t total = 0;
  const auto add_product = [&](std::initializer_list<std::uint64_t> factors) {
    std::uint64_t product = 1;
    for (const std::uint64_t factor : factors) {
      if (factor != 0 && product > kSaturated / factor) {
        total = kSaturated;
        return;
      }
      product *= factor;
    }
    total = total > kSaturated - product ? kSaturated : total + product;
  };
  const auto conv = [&](const ConvWeights& c) { add_product({weights.n_grid, c.out_channels, c.in_channels, c.kernel}); };
  conv(weights.stem);
  for (const ResidualBlockWeights& block : weights.blocks) {
    conv(block.conv1);
    conv(block.conv2);
  }
  for (const LinearWeights* head : {&weights.head0, &weights.head2, &weights.head4}) {
    add_product({head->in_size, head->out_size});
  }
  return total;
}

Result<std::vector<double>> run_network(const NetworkModel& model, const std::vector<double>& features,
                                        const std::array<double, kExtraCount>& extras) {
  Result<NetworkWeights> bound = bind_network_weights(model);
  if (!bound.ok()) return bound.take_error();
  const NetworkWeights& weights = *bound;
  if (features.size() != kInputRows * weights.n_grid) {
    return internal_error("run_network: feature map has " + std::to_string(features.size()) +
                          " values, expected " + std::to_string(kInputRows * weights.n_grid));
  }

  thread_local NetworkBuffers thread_buffers;
  NetworkBuffers& buffers = thread_buffers;  // one look-up of the thread's storage
  buffers.prepare(weights);
  std::copy(features.begin(), features.end(), buffers.input.values.begin());
  convolve_on_path(weights.stem, buffers.input, 1, &buffers.x, &buffers.padded);
  for (const ResidualBlockWeights& block : weights.blocks) {
    convolve_on_path(block.conv1, buffers.x, block.dilation, &buffers.h, &buffers.padded);
    normalise(block.norm1, &buffers.h);
    gelu_on_path(buffers.h.values.data(), buffers.h.values.size());
    convolve_on_path(block.conv2, buffers.h, block.dilation, &buffers.t, &buffers.padded);
    normalise(block.norm2, &buffers.t);
    add_gelu_on_path(buffers.x.values.data(), buffers.t.values.data(), buffers.x.values.size());
  }
  pool(buffers.x, extras, buffers.pooled.data());
  dense_on_path(weights.head0, buffers.pooled.data(), buffers.hidden0.data());
  gelu_on_path(buffers.hidden0.data(), buffers.hidden0.size());
  dense_on_path(weights.head2, buffers.hidden0.data(), buffers.hidden2.data());
  gelu_on_path(buffers.hidden2.data(), buffers.hidden2.size());
  dense_on_path(weights.head4, buffers.hidden2.data(), buffers.output.data());
  return buffers.output;
}

Status conv1d(const NetworkModel& model, const ActivationMap& input, std::size_t in_channels,
              std::string_view layer, std::uint64_t dilation, ActivationMap* output) {
  Status config = check_network_config(model.config);
  if (!config.ok()) return config;
  Status checked_dilation = check_dilation(dilation);
  if (!checked_dilation.ok()) return checked_dilation;
  if (in_channels > input.channels) {
    return internal_error("conv1d: " + std::to_string(in_channels) + " input channels requested from a map of " +
                          std::to_string(input.channels));
  }
  Result<ConvWeights> conv = bind_conv(model, layer, in_channels);
  if (!conv.ok()) return conv.take_error();
  output->resize(conv->out_channels, input.length);
  std::vector<double> padded;
  convolve_on_path(*conv, input, dilation, output, &padded);
  return {};
}

Status group_norm(const NetworkModel& model, std::string_view layer, ActivationMap* map) {
  Status config = check_network_config(model.config);
  if (!config.ok()) return config;
  if (map->channels % model.config.groups != 0) {
    return internal_error("group_norm: " + std::to_string(map->channels) + " channels do not divide into " +
                          std::to_string(model.config.groups) + " groups");
  }
  Result<NormWeights> norm = bind_norm(model, layer, map->channels);
  if (!norm.ok()) return norm.take_error();
  normalise(*norm, map);
  return {};
}

Result<std::vector<double>> linear_layer(const NetworkModel& model, const std::vector<double>& input,
                                         std::string_view layer) {
  Result<LinearWeights> linear = bind_linear(model, layer, input.size());
  if (!linear.ok()) return linear.take_error();
  std::vector<double> output(linear->out_size);
  dense_on_path(*linear, input.data(), output.data());
  return output;
}

}  // namespace corvex
