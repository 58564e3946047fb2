// The largest carried topology inside a circuit, found by leaving out top-level series
// nodes, and spectrum scales for what was left out.
#include "batch/contained_model_start.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "circuit/named_circuits.h"
#include "elements/element_impedance.h"
#include "guess/guess_parameters.h"
#include "models/model_registry.h"

namespace corvex {
namespace {

constexpr std::size_t kMaxTopLevelNodes = 12;
constexpr double kCpeExponent = 0.8;  // the catalogue's default exponent, which the CPE start keeps

struct SpectrumScales {
  double resistance;  // spread of the real part, ohm
  double omega;       // geometric mean of the angular frequencies, 1/s
  double omega_high;  // the highest angular frequency, 1/s
  double omega_low;   // the lowest, where diffusion shows
};

std::optional<SpectrumScales> scales_of(const Spectrum& spectrum) {
  double re_min = INFINITY, re_max = -INFINITY, log_sum = 0.0, omega_high = 0.0, omega_low = INFINITY;
  double modulus_max = 0.0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < std::min(spectrum.frequencies.size(), spectrum.impedances.size()); ++i) {
    const double f = spectrum.frequencies[i];
    const Complex z = spectrum.impedances[i];
    if (!(f > 0.0) || !std::isfinite(f) || !std::isfinite(z.re) || !std::isfinite(z.im)) continue;
    re_min = std::min(re_min, z.re);
    re_max = std::max(re_max, z.re);
    modulus_max = std::max(modulus_max, std::hypot(z.re, z.im));
    log_sum += std::log(kTwoPi * f);
    omega_high = std::max(omega_high, kTwoPi * f);
    omega_low = std::min(omega_low, kTwoPi * f);
    ++count;
  }
  if (count == 0 || !(modulus_max > 0.0)) return std::nullopt;
  const double spread = std::max(re_max - re_min, 1e-3 * modulus_max);
  return SpectrumScales{spread, std::exp(log_sum / static_cast<double>(count)), omega_high, omega_low};
}

bool diffusion(ElementKind kind) {
  return kind == ElementKind::Wo || kind == ElementKind::Ws || kind == ElementKind::G || kind == ElementKind::Gs;
}

// A value of the given unit from the scales; the catalogue default for anything else.
// Diffusion elements get their time constant from the lowest frequency, arcs from the middle.
double scaled_value(ElementKind kind, std::string_view unit, double fallback, const SpectrumScales& s) {
  if (unit == "ohm") return s.resistance;
  if (unit == "s") return 1.0 / (diffusion(kind) ? s.omega_low : s.omega);
  if (unit == "F") return 1.0 / (s.omega * s.resistance);
  if (unit == "H") return s.resistance / s.omega_high;
  if (unit == "ohm*s^-0.5") return s.resistance * std::sqrt(s.omega);
  if (unit == "ohm^-1*s^alpha") return 1.0 / (s.resistance * std::pow(s.omega, kCpeExponent));
  return fallback;
}

}  // namespace

std::optional<LabelledStart> contained_model_start(const SeriesList& circuit, const Spectrum& spectrum,
                                                   const CancellationToken& cancellation) {
  const std::size_t n = circuit.size();
  if (n == 0 || n > kMaxTopLevelNodes) return std::nullopt;
  std::vector<std::size_t> counts(n);
  for (std::size_t i = 0; i < n; ++i) counts[i] = parameter_count(SeriesList{circuit[i]});

  // The kept subset with the most parameters that a carried model matches; the lower mask
  // wins a tie, so the choice is deterministic.
  std::optional<std::size_t> best_mask;
  std::optional<RegistryMatch> best_match;
  std::size_t best_count = 0;
  const std::size_t all = (std::size_t{1} << n) - 1;
  for (std::size_t mask = 1; mask < all; ++mask) {
    SeriesList kept;
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (mask >> i & 1) {
        kept.push_back(circuit[i]);
        count += counts[i];
      }
    }
    if (count <= best_count) continue;
    if (std::optional<RegistryMatch> match = lookup_registry(kept)) {
      best_mask = mask;
      best_match = std::move(match);
      best_count = count;
    }
  }
  if (!best_mask) return std::nullopt;
  const std::optional<SpectrumScales> scales = scales_of(spectrum);
  if (!scales) return std::nullopt;

  SeriesList kept;
  for (std::size_t i = 0; i < n; ++i) {
    if (*best_mask >> i & 1) kept.push_back(circuit[i]);
  }
  Result<std::vector<double>> guessed = guess_parameters(kept, spectrum, std::nullopt, cancellation);
  if (!guessed) return std::nullopt;

  LabelledStart start{"guess_" + std::string(kNamedCircuits[best_match->entry].key), {}};
  std::size_t from_guess = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (*best_mask >> i & 1) {
      start.x.insert(start.x.end(), guessed->begin() + from_guess, guessed->begin() + from_guess + counts[i]);
      from_guess += counts[i];
      continue;
    }
    const SeriesList left_out{circuit[i]};
    for (const FlatElement& element : flatten_elements(left_out)) {
      const ElementKindInfo& info = kind_info(element.node->element.kind);
      for (std::size_t p = 0; p < info.param_count; ++p) {
        start.x.push_back(scaled_value(element.node->element.kind, info.units[p], info.defaults[p], *scales));
      }
    }
  }
  return start;
}

}  // namespace corvex
