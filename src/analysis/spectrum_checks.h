// Checks every analysis makes on a measured spectrum before any work, with the messages the
// Python layer raises as ValueError; and the frequency-sorted view the analyses work on.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// Equal lengths, not empty, every frequency finite and positive, every impedance finite and
// nonzero, and at least `min_points` points ("{what} needs at least {min_points} points, got {n}").
Status check_analysis_spectrum(const Spectrum& spectrum, std::size_t min_points, std::string_view what);

// Point indices in ascending frequency, stable.
std::vector<std::size_t> ascending_frequency_order(const Spectrum& spectrum);

}  // namespace corvex
