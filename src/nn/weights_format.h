// Reader of the "EISNN001" network weights format: header entries, tensor records in three
// encodings, and the decoding tables derived from them. Works on bytes already in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "nn/network_model.h"
#include "util/result.h"

namespace corvex {

inline constexpr char kWeightsMagic[] = "EISNN001";

// Memory a parsed file may take: some 30 times the largest carried model (about 2 MiB). Counted
// before each allocation, per header entry and tensor with the bookkeeping around it, so that
// a file of many tiny tensors is refused as surely as one of a few huge ones.
inline constexpr std::uint64_t kMaxDecodedWeightsBytes = std::uint64_t{64} << 20;

// Tensor encoding codes of the record format.
enum class TensorEncoding : std::uint8_t { Binary32 = 0, Binary16 = 1, ScaledInt8 = 2 };

// Parses a whole file. Fails with the first WeightsError met, in the format's reading order;
// nothing of a failed read is kept. No allocation exceeds what the bytes present can fill.
// The model is not checked for use by the network; see validate_network_model.
Result<std::shared_ptr<const NetworkModel>> read_weights(std::span<const std::uint8_t> bytes);

// One row (a, b, c, d) of the scaling table: d rounded half away from zero, saturated to
// the 32-bit range, NaN giving 0.
ScalingRule decode_scaling_rule(double a, double b, double c, double d);

}  // namespace corvex
