// A parsed weights file: the header's hyper-parameters, the output decoding tables and the
// tensors by name. Built once by read_weights and shared read-only by every guess.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "nn/weights_error.h"
#include "util/result.h"

namespace corvex {

// A stored tensor, whatever its encoding in the file, as 64-bit values in row-major order.
struct Tensor {
  std::string name;
  std::vector<std::uint32_t> dims;  // outermost first; informative except where a layer reads them
  std::vector<double> values;       // product of dims, but at least one
};

// How one decoded output is brought back to physical units:
// value · z_scale^impedance_exponent · w_scale^(frequency_exponent + alpha_coefficient · alpha).
struct ScalingRule {
  double impedance_exponent = 0.0;
  double frequency_exponent = 0.0;
  double alpha_coefficient = 0.0;
  std::int32_t alpha_index = -1;  // output holding the alpha of this rule; negative for none
};

// Hyper-parameters of the network read from the header.
struct NetworkConfig {
  std::uint64_t n_grid = 0;    // log-frequency grid points L
  std::uint64_t channels = 0;  // convolution channels C
  std::uint64_t kernel = 0;    // convolution taps K
  std::uint64_t groups = 0;    // group-normalisation groups G
  std::vector<std::uint64_t> dilations;  // one residual block per entry
};

// Tables that turn the network's standardised outputs into parameter values.
struct DecodingTables {
  std::vector<double> target_mean;
  std::vector<double> target_std;
  std::vector<bool> log_params;  // true where the output is the base-10 logarithm of the value
  std::vector<ScalingRule> scaling;
  double alpha_min = 0.0;  // clamp of the outputs that are not logarithmic
  double alpha_max = 0.0;
};

struct NetworkModel {
  std::string circuit;                   // notation of the topology the network was trained for
  std::vector<std::string> param_names;  // trained parameters in output order; P is their count
  NetworkConfig config;
  DecodingTables decoding;
  std::map<std::string, Tensor, std::less<>> tensors;
  std::uint64_t decoded_bytes = 0;  // memory the decoded header and tensors take, about

  std::size_t param_count() const { return param_names.size(); }

  // The tensor of exactly this name, or nullptr.
  const Tensor* find_tensor(std::string_view name) const {
    const auto it = tensors.find(name);
    return it == tensors.end() ? nullptr : &it->second;
  }

  // The tensor of exactly this name, or the error naming it as missing.
  Result<const Tensor*> tensor(std::string_view name) const {
    if (const Tensor* found = find_tensor(name)) return found;
    return WeightsError::missing(std::string(name)).to_error();
  }
};

}  // namespace corvex
