// Features of the spectrum (intercept, inductive tail, DRT peaks, low-frequency tail) and
// their assignment to the circuit's elements by the place each element holds in the tree.
#include "batch/data_start.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <optional>

#include "analysis/relaxation_times.h"
#include "elements/element_impedance.h"

namespace corvex {
namespace {

constexpr std::size_t kTailPoints = 3;  // lowest-frequency points whose slope gives the tail's exponent
constexpr double kPeakProminence = 0.03;  // share of the highest peak a peak must rise above its valleys

// One resistance and time constant for an arc.
struct ArcValues {
  double resistance;
  double tau;
};

// What the spectrum shows, read once.
struct Features {
  double series_resistance = 0.0;  // ohm
  double inductance = 0.0;         // henry
  std::vector<DrtPeak> peaks;      // ascending tau
  double omega_low = 0.0;          // lowest angular frequency, 1/s
  double omega_high = 0.0;         // highest
  double spread = 0.0;             // range of the real part, ohm
  double tail_imaginary = 0.0;     // -Im Z at the lowest frequency, floored to a positive value
  double tail_alpha = 0.8;         // minus the log-log slope of -Im Z over the lowest points
};

std::optional<Features> features_of(const Spectrum& spectrum) {
  Spectrum clean;
  const std::size_t n = std::min(spectrum.frequencies.size(), spectrum.impedances.size());
  for (std::size_t i = 0; i < n; ++i) {
    const double f = spectrum.frequencies[i];
    const Complex z = spectrum.impedances[i];
    if (!(f > 0.0) || !std::isfinite(f) || !std::isfinite(z.re) || !std::isfinite(z.im)) continue;
    clean.frequencies.push_back(f);
    clean.impedances.push_back(z);
  }
  const std::size_t m = clean.frequencies.size();
  if (m == 0) return std::nullopt;
  std::vector<std::size_t> order(m);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return clean.frequencies[a] < clean.frequencies[b]; });

  Features out;
  double re_min = INFINITY, re_max = -INFINITY, modulus_min = INFINITY, modulus_max = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    const Complex z = clean.impedances[i];
    re_min = std::min(re_min, z.re);
    re_max = std::max(re_max, z.re);
    modulus_min = std::min(modulus_min, std::hypot(z.re, z.im));
    modulus_max = std::max(modulus_max, std::hypot(z.re, z.im));
  }
  if (!(modulus_max > 0.0)) return std::nullopt;
  const Complex z_high = clean.impedances[order.back()];
  const Complex z_low = clean.impedances[order.front()];
  out.omega_high = kTwoPi * clean.frequencies[order.back()];
  out.omega_low = kTwoPi * clean.frequencies[order.front()];
  out.spread = std::max(re_max - re_min, 1e-3 * modulus_max);
  const double floor = std::max(modulus_min, 1e-3 * modulus_max);
  out.inductance = z_high.im > 0.0 ? z_high.im / out.omega_high : 0.01 * floor / out.omega_high;
  out.series_resistance = std::max(z_high.re, 1e-3 * floor);
  out.tail_imaginary = std::max(-z_low.im, 1e-3 * modulus_max);

  // The tail's exponent: a straight line through log(-Im Z) against log omega.
  const std::size_t tail = std::min(kTailPoints, m);
  double sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
  std::size_t used = 0;
  for (std::size_t k = 0; k < tail; ++k) {
    const std::size_t i = order[k];
    if (!(-clean.impedances[i].im > 0.0)) continue;
    const double x = std::log(kTwoPi * clean.frequencies[i]), y = std::log(-clean.impedances[i].im);
    sx += x, sy += y, sxx += x * x, sxy += x * y;
    ++used;
  }
  const double denominator = static_cast<double>(used) * sxx - sx * sx;
  if (used >= 2 && denominator > 0.0) {
    const double slope = (static_cast<double>(used) * sxy - sx * sy) / denominator;
    out.tail_alpha = std::clamp(-slope, 0.3, 1.0);
  }

  if (m >= kDrtMinPoints) {
    DrtOptions options;
    options.series_inductance = z_high.im > 0.0;
    // Small arcs count here: a peak too many is dropped later, a missing one must be invented.
    options.peak_prominence = kPeakProminence;
    if (Result<DrtOutcome> drt = relaxation_times(clean, options); drt.ok()) {
      if (drt->series_resistance > 0.0) out.series_resistance = drt->series_resistance;
      if (options.series_inductance && drt->series_inductance > 0.0) out.inductance = drt->series_inductance;
      for (const DrtPeak& peak : drt->peaks) {
        if (peak.tau > 0.0 && peak.area > 0.0 && std::isfinite(peak.tau) && std::isfinite(peak.area)) {
          out.peaks.push_back(peak);
        }
      }
    }
  }
  return out;
}

// `count` arcs from the peaks: extra peaks dropped (outside the window first, then the
// smallest), missing ones placed in the widest log-tau gap between their neighbours.
std::vector<ArcValues> arc_values(std::vector<DrtPeak> peaks, std::size_t count, const Features& features) {
  while (peaks.size() > count) {
    auto weakest = std::min_element(peaks.begin(), peaks.end(), [](const DrtPeak& a, const DrtPeak& b) {
      if (a.extrapolated != b.extrapolated) return a.extrapolated;
      return a.area < b.area;
    });
    peaks.erase(weakest);
  }
  std::vector<ArcValues> arcs;
  for (const DrtPeak& peak : peaks) arcs.push_back({peak.area, peak.tau});
  const double tau_fast = 1.0 / features.omega_high, tau_slow = 1.0 / features.omega_low;
  const double lone_resistance = features.spread / static_cast<double>(std::max<std::size_t>(count, 1));
  while (arcs.size() < count) {
    // Gaps between the window's ends and the arcs so far; the widest takes the new arc.
    std::size_t best = 0;
    double best_width = -INFINITY;
    for (std::size_t g = 0; g <= arcs.size(); ++g) {
      const double lo = g == 0 ? tau_fast : arcs[g - 1].tau;
      const double hi = g == arcs.size() ? tau_slow : arcs[g].tau;
      const double width = std::log(hi) - std::log(lo);
      if (width > best_width) best_width = width, best = g;
    }
    const double lo = best == 0 ? tau_fast : arcs[best - 1].tau;
    const double hi = best == arcs.size() ? tau_slow : arcs[best].tau;
    double resistance = lone_resistance;
    if (!arcs.empty()) {
      const double left = best == 0 ? arcs[best].resistance : arcs[best - 1].resistance;
      const double right = best == arcs.size() ? arcs[best - 1].resistance : arcs[best].resistance;
      resistance = std::sqrt(left * right);
    }
    arcs.insert(arcs.begin() + static_cast<std::ptrdiff_t>(best), ArcValues{resistance, std::sqrt(lo * hi)});
  }
  return arcs;
}

// Where an arc's values go: the parameter index of its resistance and of its capacitive part.
struct ArcSlot {
  std::size_t resistance;
  std::size_t capacitive;  // C's c, CPE's q, or K's and Zarc's time constant
  ElementKind kind;        // of the capacitive part, or K / Zarc for a lumped arc
};

std::size_t first_param_of(const std::vector<FlatElement>& flat, const ElementNode* node) {
  for (const FlatElement& element : flat) {
    if (element.node == node) return element.first_param;
  }
  return 0;
}

// A parallel group is an arc when one branch starts with a resistor and another is a lone C or CPE.
std::optional<ArcSlot> arc_slot(const ParallelNode& group, const std::vector<FlatElement>& flat) {
  const ElementNode* resistor = nullptr;
  const ElementNode* capacitive = nullptr;
  for (const SeriesList& branch : group.branches) {
    if (branch.empty() || !branch.front().is_element()) continue;
    const ElementNode& first = branch.front().element_node();
    if (resistor == nullptr && first.element.kind == ElementKind::R) {
      resistor = &first;
    } else if (capacitive == nullptr && branch.size() == 1 &&
               (first.element.kind == ElementKind::C || first.element.kind == ElementKind::Cpe)) {
      capacitive = &first;
    }
  }
  if (resistor == nullptr || capacitive == nullptr) return std::nullopt;
  return ArcSlot{first_param_of(flat, resistor), first_param_of(flat, capacitive), capacitive->element.kind};
}

// The rules that need no place in the tree: inductors and the low-frequency tail.
void element_rule(const FlatElement& element, const Features& s, bool top_level, std::vector<double>* values) {
  double* v = values->data() + element.first_param;
  const double root_two = std::sqrt(2.0);
  switch (element.node->element.kind) {
    case ElementKind::L:
      v[0] = s.inductance;
      break;
    case ElementKind::W:
      v[0] = s.tail_imaginary * std::sqrt(s.omega_low);
      break;
    case ElementKind::Wo:
    case ElementKind::Ws:
      v[0] = s.tail_imaginary * root_two;
      v[1] = 1.0 / s.omega_low;
      break;
    case ElementKind::C:
      if (top_level) v[0] = 1.0 / (s.omega_low * s.tail_imaginary);
      break;
    case ElementKind::Cpe:
      if (top_level) {
        v[1] = s.tail_alpha;
        v[0] = std::sin(s.tail_alpha * kTwoPi / 4.0) / (s.tail_imaginary * std::pow(s.omega_low, s.tail_alpha));
      }
      break;
    default:
      break;
  }
}

}  // namespace

Result<std::vector<double>> data_start(const SeriesList& circuit, const Spectrum& spectrum) {
  const std::optional<Features> features = features_of(spectrum);
  if (!features) return value_error("the spectrum has no point with a positive frequency and a finite, nonzero impedance");
  const std::vector<FlatElement> flat = flatten_elements(circuit);
  std::vector<double> values(parameter_count(circuit));
  std::vector<const ElementNode*> top_level;
  for (const Node& node : circuit) {
    if (node.is_element()) top_level.push_back(&node.element_node());
  }
  for (const FlatElement& element : flat) {
    const ElementKindInfo& info = kind_info(element.node->element.kind);
    std::copy_n(info.defaults.begin(), info.param_count, values.begin() + static_cast<std::ptrdiff_t>(element.first_param));
    const bool at_top = std::find(top_level.begin(), top_level.end(), element.node) != top_level.end();
    element_rule(element, *features, at_top, &values);
  }

  std::vector<ArcSlot> slots;
  bool first_resistor = true;
  for (const Node& node : circuit) {
    if (!node.is_element()) {
      if (std::optional<ArcSlot> slot = arc_slot(node.parallel_node(), flat)) slots.push_back(*slot);
      continue;
    }
    const ElementNode& element = node.element_node();
    const std::size_t p = first_param_of(flat, &element);
    if (element.element.kind == ElementKind::R) {
      values[p] = first_resistor ? features->series_resistance : 0.1 * features->series_resistance;
      first_resistor = false;
    } else if (element.element.kind == ElementKind::K || element.element.kind == ElementKind::Zarc) {
      slots.push_back({p, p + 1, element.element.kind});
    }
  }

  const std::vector<ArcValues> arcs = arc_values(features->peaks, slots.size(), *features);
  for (std::size_t a = 0; a < slots.size(); ++a) {
    const ArcSlot& slot = slots[a];
    const ArcValues& arc = arcs[a];
    values[slot.resistance] = arc.resistance;
    switch (slot.kind) {
      case ElementKind::C:
        values[slot.capacitive] = arc.tau / arc.resistance;
        break;
      case ElementKind::Cpe:
        values[slot.capacitive] = std::pow(arc.tau, values[slot.capacitive + 1]) / arc.resistance;
        break;
      default:  // K and Zarc carry the time constant itself
        values[slot.capacitive] = arc.tau;
        break;
    }
  }
  return values;
}

}  // namespace corvex
