// Many measured spectra in two contiguous arrays: appending converted spectra and handing
// one back as the fit takes it.
#include "batch/spectrum_set.h"

#include <utility>

namespace corvex {

void SpectrumSet::add(Spectrum&& spectrum) {
  if (frequencies_.empty() && impedances_.empty()) {
    frequencies_ = std::move(spectrum.frequencies);
    impedances_ = std::move(spectrum.impedances);
    offsets_.push_back(frequencies_.size());
    failures_.emplace_back();
    return;
  }
  frequencies_.insert(frequencies_.end(), spectrum.frequencies.begin(), spectrum.frequencies.end());
  impedances_.insert(impedances_.end(), spectrum.impedances.begin(), spectrum.impedances.end());
  offsets_.push_back(frequencies_.size());
  failures_.emplace_back();
}

void SpectrumSet::add_failed(Error error) {
  offsets_.push_back(frequencies_.size());
  failures_.emplace_back(std::move(error));
}

Spectrum SpectrumSet::spectrum(std::size_t i) const {
  const auto begin = static_cast<std::ptrdiff_t>(offsets_[i]);
  const auto end = static_cast<std::ptrdiff_t>(offsets_[i + 1]);
  return Spectrum{{frequencies_.begin() + begin, frequencies_.begin() + end},
                  {impedances_.begin() + begin, impedances_.begin() + end}};
}

}  // namespace corvex
