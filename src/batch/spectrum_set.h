// Many measured spectra in two contiguous arrays, converted once before a batch starts, with
// the conversion failure of each spectrum that could not be read.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

class SpectrumSet {
 public:
  // A converted spectrum; its frequency and impedance lists have the same length. The first
  // one's lists are taken over rather than copied, so a single long spectrum costs no copy.
  void add(Spectrum&& spectrum);
  // A spectrum that could not be converted: it keeps its place and carries the reason.
  void add_failed(Error error);

  std::size_t size() const { return offsets_.size() - 1; }
  // The conversion failure of spectrum i, or nullptr.
  const Error* failure(std::size_t i) const { return failures_[i] ? &*failures_[i] : nullptr; }
  // Spectrum i as the fit takes it (a copy of its rows).
  Spectrum spectrum(std::size_t i) const;

 private:
  std::vector<double> frequencies_;
  std::vector<Complex> impedances_;
  std::vector<std::size_t> offsets_{0};  // spectrum i holds rows [offsets_[i], offsets_[i + 1])
  std::vector<std::optional<Error>> failures_;
};

}  // namespace corvex
