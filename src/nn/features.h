// Between a measured spectrum and the network: the impedance and frequency scales of the
// spectrum, its resampling onto the model's log-frequency grid, and the decoding of outputs.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "nn/network.h"
#include "nn/network_model.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// Characteristic scales of a spectrum that make the network's input and output scale-free.
struct ScaleEstimate {
  double z_scale = 1.0;  // ohms
  double w_scale = 1.0;  // angular frequency, rad/s
};

// What the network reads: 3 rows of n_grid values, channel-major (log-magnitude, phase in
// quarter turns, log-frequency), and the two extras (decades spanned / 8, log10(points) / 2).
struct Features {
  std::vector<double> map;
  std::array<double, kExtraCount> extras{};
};

// At least 2 frequencies and 2 impedances, else TooFewPoints with the smaller count.
Status check_point_count(const Spectrum& spectrum);

// The "reactive_centroid" estimator: geometric means of |Z| and of 2πf weighted by each point's
// capacitive share; without capacitive points, the mean log angular frequency and the upper median |Z|.
// Both functions ask `cancellation` every few ten thousand points; once it says stop, what they
// return is meaningless and the caller must look at cancellation.stopped().
ScaleEstimate estimate_scales(const Spectrum& spectrum, const CancellationToken& cancellation = no_cancellation());

// The feature map on `n_grid` log-frequency points spanning the measured range.
Features build_features(const Spectrum& spectrum, const ScaleEstimate& scales, std::size_t n_grid,
                        const CancellationToken& cancellation = no_cancellation());

// Decoding tables usable for the model's parameter count: target_mean, target_std and
// log_params at least P long, alpha_min ≤ alpha_max and neither NaN, every alpha index below P.
Status check_decoding_tables(const NetworkModel& model);

// Parameter values in param_names order from the head output (at least P values; only the
// first P are read): de-standardised, 10^v for logarithmic outputs, clamped, then scaled.
Result<std::vector<double>> decode_outputs(const NetworkModel& model, const std::vector<double>& output,
                                           const ScaleEstimate& scales);

}  // namespace corvex
