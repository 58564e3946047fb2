// Bytes from the operating system's cryptographic random source, for the keys of unseeded
// random streams and the seeds of the differential-evolution generators.
#pragma once

#include <cstddef>
#include <span>

#include "util/result.h"

namespace corvex {

// Fills `bytes` completely, retrying interrupted and partial reads.
Status fill_os_entropy(std::span<std::byte> bytes);

}  // namespace corvex
