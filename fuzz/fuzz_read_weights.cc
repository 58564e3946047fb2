// libFuzzer target for the weights reader: any bytes must parse or fail with a message; a file
// that parses is validated and, unless that fails or the network is large, run and decoded.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "nn/features.h"
#include "nn/model_validation.h"
#include "nn/network.h"
#include "nn/weights_format.h"

namespace {

// Multiply-adds of one forward pass, saturating; runs above the budget are skipped to keep
// each input fast, since their arithmetic is the same as that of small runs.
std::uint64_t forward_cost(const corvex::NetworkConfig& config) {
  const double cost = static_cast<double>(config.channels) * static_cast<double>(config.channels) *
                      static_cast<double>(config.kernel) * static_cast<double>(config.n_grid) *
                      (2.0 * static_cast<double>(config.dilations.size()) + 1.0);
  return cost > 1e18 ? UINT64_MAX : static_cast<std::uint64_t>(cost);
}

constexpr std::uint64_t kCostBudget = 2'000'000;

corvex::Spectrum sample_spectrum() {
  corvex::Spectrum spectrum;
  for (int i = 0; i < 12; ++i) {
    const double f = 0.05 * std::pow(10.0, 0.5 * i);
    const corvex::Complex admittance = {1.0 / 40.0, 6.283185307179586 * f * 1e-4};
    spectrum.frequencies.push_back(f);
    spectrum.impedances.push_back(corvex::Complex{5.0, 0.0} + corvex::reciprocal(admittance));
  }
  return spectrum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto read = corvex::read_weights(std::span<const std::uint8_t>(data, size));
  if (!read.ok()) {
    if (read.error().message.empty()) __builtin_trap();
    return 0;
  }
  const corvex::NetworkModel& model = **read;
  const corvex::Status valid = corvex::validate_network_model(model);
  if (valid.ok() && forward_cost(model.config) > kCostBudget) return 0;

  // An invalid model must be refused by the run and the decoder themselves, without reading
  // out of bounds; the grid is capped so that a refused size is not allocated here either.
  const corvex::Spectrum spectrum = sample_spectrum();
  const corvex::ScaleEstimate scales = corvex::estimate_scales(spectrum);
  const std::size_t n_grid = static_cast<std::size_t>(std::min<std::uint64_t>(model.config.n_grid, 256));
  const corvex::Features features = corvex::build_features(spectrum, scales, n_grid);
  auto output = corvex::run_network(model, features.map, features.extras);
  if (valid.ok() && !output.ok()) __builtin_trap();
  const std::vector<double> head =
      output.ok() ? *output : std::vector<double>(std::min<std::size_t>(model.param_count(), 64), 0.5);
  auto decoded = corvex::decode_outputs(model, head, scales);
  if (valid.ok() && !decoded.ok()) __builtin_trap();
  return 0;
}
