// The assignment of the spectrum's features to a circuit's elements by the place each element
// holds in the tree, and the family of such assignments for the other readings of the spectrum.
#include "batch/data_start.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "elements/element_impedance.h"

namespace corvex {
namespace {

// One resistance, time constant and CPE exponent for an arc.
struct ArcValues {
  double resistance;
  double tau;
  double alpha;
};

// The variance of ln tau of a Cole-Cole distribution of exponent alpha, (pi^2 / 3)(1 / alpha^2 - 1),
// and its inverse: a group of peaks merged into one arc takes the exponent whose
// distribution is as wide as the group.
double cole_cole_variance(double alpha) { return kTwoPi * kTwoPi / 12.0 * (1.0 / (alpha * alpha) - 1.0); }
double alpha_of_variance(double variance) {
  return std::clamp(1.0 / std::sqrt(1.0 + 12.0 * variance / (kTwoPi * kTwoPi)), kLowestPeakExponent, 1.0);
}

// One arc standing for the consecutive arcs [first, last): their resistances add, the time
// constant is the resistance-weighted mean in ln tau, the exponent from the group's width.
ArcValues merged(const std::vector<ArcValues>& arcs, std::size_t first, std::size_t last) {
  if (last - first == 1) return arcs[first];
  double resistance = 0.0, mean = 0.0;
  for (std::size_t i = first; i < last; ++i) {
    resistance += arcs[i].resistance;
    mean += arcs[i].resistance * std::log(arcs[i].tau);
  }
  mean /= resistance;
  double variance = 0.0;
  for (std::size_t i = first; i < last; ++i) {
    const double d = std::log(arcs[i].tau) - mean;
    variance += arcs[i].resistance * (d * d + cole_cole_variance(arcs[i].alpha));
  }
  return {resistance, std::exp(mean), alpha_of_variance(variance / resistance)};
}

// Arcs up to `count`, each missing one placed in the widest log-tau gap between its
// neighbours (or the window's ends) with `share` of its neighbours' geometric-mean resistance.
std::vector<ArcValues> filled(std::vector<ArcValues> arcs, std::size_t count, const DataFeatures& features, double share) {
  const double tau_fast = 1.0 / features.omega_high, tau_slow = 1.0 / features.omega_low;
  const double lone_resistance = features.spread / static_cast<double>(std::max<std::size_t>(count, 1));
  while (arcs.size() < count) {
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
      resistance = share * std::sqrt(left * right);
    }
    arcs.insert(arcs.begin() + static_cast<std::ptrdiff_t>(best),
                ArcValues{resistance, std::sqrt(lo * hi), kind_info(ElementKind::Cpe).defaults[1]});
  }
  return arcs;
}

// Every contiguous grouping of `arcs` into `count` arcs, appended to `out`.
void groupings(const std::vector<ArcValues>& arcs, std::size_t count, std::size_t first,
               std::vector<ArcValues>* current, std::vector<std::vector<ArcValues>>* out) {
  if (count == 1) {
    current->push_back(merged(arcs, first, arcs.size()));
    out->push_back(*current);
    current->pop_back();
    return;
  }
  for (std::size_t last = first + 1; last + count - 1 <= arcs.size(); ++last) {
    current->push_back(merged(arcs, first, last));
    groupings(arcs, count - 1, last, current, out);
    current->pop_back();
  }
}

constexpr double kMostGroupings = 64.0;  // more groupings than this: the smallest peaks are dropped first

// The number of ways to group `peaks` consecutive peaks into `arcs` arcs: C(peaks - 1, arcs - 1).
double grouping_count(std::size_t peaks, std::size_t arcs) {
  double count = 1.0;
  for (std::size_t i = 1; i < arcs; ++i) count = count * static_cast<double>(peaks - i) / static_cast<double>(i);
  return count;
}
constexpr double kHiddenArcShare = 0.05;       // an arc the DRT does not show is small

// Candidate assignments of `count` arcs, which the caller scores against the data. Peaks
// beyond the count are either grouped (consecutive peaks merged into one wider arc, as a
// DRT splits a depressed arc or a transmission-line tail into several peaks) or dropped
// (those outside the window first, then the smallest). Missing arcs go in the widest gap,
// as large as their neighbours or small (a hidden arc), or split a peak in two (two arcs of
// close time constants merge into one peak).
std::vector<std::vector<ArcValues>> arc_candidates(std::vector<DrtPeak> peaks, std::size_t count,
                                                   const DataFeatures& features) {
  std::vector<std::vector<ArcValues>> out;
  if (count == 0) return {std::vector<ArcValues>()};
  std::vector<ArcValues> all;
  for (const DrtPeak& peak : peaks) all.push_back({peak.area, peak.tau, alpha_of_peak(peak, features.drt)});
  if (all.size() > count) {
    std::vector<ArcValues> capped = all;
    // Every grouping costs one impedance of the circuit over the spectrum: their number is bounded.
    while (capped.size() > count && grouping_count(capped.size(), count) > kMostGroupings) {
      capped.erase(std::min_element(capped.begin(), capped.end(),
                                    [](const ArcValues& a, const ArcValues& b) { return a.resistance < b.resistance; }));
    }
    std::vector<ArcValues> current;
    groupings(capped, count, 0, &current, &out);
  }
  while (peaks.size() > count) {
    auto weakest = std::min_element(peaks.begin(), peaks.end(), [](const DrtPeak& a, const DrtPeak& b) {
      if (a.extrapolated != b.extrapolated) return a.extrapolated;
      return a.area < b.area;
    });
    peaks.erase(weakest);
  }
  std::vector<ArcValues> kept;
  for (const DrtPeak& peak : peaks) kept.push_back({peak.area, peak.tau, alpha_of_peak(peak, features.drt)});
  out.push_back(filled(kept, count, features, 1.0));
  if (kept.size() < count) {
    out.push_back(filled(kept, count, features, kHiddenArcShare));
    for (std::size_t j = 0; j < kept.size(); ++j) {
      // Two arcs a decade apart in place of one peak, sharing its resistance, each less
      // depressed than the peak they make together.
      std::vector<ArcValues> split = kept;
      const ArcValues arc = kept[j];
      const double half_decade = std::sqrt(10.0);
      split[j] = {arc.resistance / 2.0, arc.tau / half_decade, std::min(1.0, arc.alpha + 0.1)};
      split.insert(split.begin() + static_cast<std::ptrdiff_t>(j) + 1,
                   ArcValues{arc.resistance / 2.0, arc.tau * half_decade, std::min(1.0, arc.alpha + 0.1)});
      out.push_back(filled(split, count, features, 1.0));
    }
  }
  return out;
}

// Where an arc's values go: the parameter index of its resistance and of its capacitive part.
struct ArcSlot {
  std::size_t resistance;
  std::size_t capacitive;  // C's c, CPE's q, or K's and Zarc's time constant
  ElementKind kind;        // of the capacitive part, or K / Zarc for a lumped arc
  bool extra_elements = false;  // the group holds more than the resistor and the capacitive part
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
  std::size_t elements = 0;
  for (const SeriesList& branch : group.branches) elements += branch.size();
  return ArcSlot{first_param_of(flat, resistor), first_param_of(flat, capacitive), capacitive->element.kind, elements > 2};
}

// The rules that need no place in the tree: inductors and the low-frequency tail. A finite
// diffusion element's time constant is `tail_reach` times 1 / the lowest angular frequency:
// 1 puts its bend at the window's edge, more puts it beyond, where only its Warburg slope
// shows. Its magnitude matches -Im Z at the lowest frequency for that slope,
// z0 / sqrt(2 omega tau).
void element_rule(const FlatElement& element, const DataFeatures& s, bool top_level, double tail_reach,
                  std::vector<double>* values) {
  double* v = values->data() + element.first_param;
  switch (element.node->element.kind) {
    case ElementKind::L:
      v[0] = s.inductance;
      break;
    case ElementKind::W:
      v[0] = s.tail_imaginary * std::sqrt(s.omega_low);
      break;
    case ElementKind::Wo:
    case ElementKind::Ws:
      v[0] = s.tail_imaginary * std::sqrt(2.0 * tail_reach);
      v[1] = tail_reach / s.omega_low;
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

constexpr const char* kNoUsablePointMessage =
    "the spectrum has no point with a positive frequency and a finite, nonzero impedance";

// Sum of squared residuals relative to |Z| of the circuit at `values`; infinite when the
// impedance cannot be computed.
double start_cost(const SeriesList& circuit, const std::vector<double>& values, const Spectrum& spectrum) {
  double sum = 0.0;
  for (std::size_t i = 0; i < spectrum.frequencies.size(); ++i) {
    Result<Complex> model = impedance_from_iter(circuit, kTwoPi * spectrum.frequencies[i], values.data(), values.size());
    if (!model) return INFINITY;
    const Complex z = spectrum.impedances[i];
    const double modulus = std::hypot(z.re, z.im);
    if (!(modulus > 0.0)) continue;
    const double re = (model->re - z.re) / modulus, im = (model->im - z.im) / modulus;
    sum += re * re + im * im;
  }
  return std::isfinite(sum) ? sum : INFINITY;
}

constexpr double kFarTailReach = 30.0;       // a diffusion bend beyond the window: its slope alone shows
constexpr double kSteepExponent = 0.9;       // the exponent of a nearly ideal arc, for arcs the DRT shows depressed
constexpr double kInterceptArcShare = 0.01;  // what the series resistor keeps when an arc takes the intercept
constexpr double kInterceptArcReach = 0.1;   // that arc's time constant, in units of the fastest one measured

// Where the family's members come from. An arc may take the high-frequency intercept with a
// time constant faster than the window (a fit often ends so when the series resistor is not
// needed), a diffusion element may own the DRT's slowest peak (its tail reads as one), its
// bend may lie beyond the window, the DRT may show an arc more depressed than it is, and
// arcs of different make-up (a Randles arc with its diffusion and a plain one) may lie in
// either order of time constants: a cell's charge transfer is often faster than its film.
struct Reading {
  bool intercept_arc = false;
  bool diffusion_takes_slowest_peak = false;
  bool far_tail = false;
  bool steep_arcs = false;
  bool reversed_arcs = false;
};

// The places of the circuit's elements that the readings fill.
struct Layout {
  std::vector<ArcSlot> slots;
  std::optional<std::size_t> series_resistor;  // parameter index of the first top-level resistor
  bool has_diffusion = false;                  // a W, Wo or Ws anywhere
  bool has_finite_diffusion = false;           // a Wo or Ws, whose time constant is read
  bool has_cpe_arc = false;
  bool mixed_arcs = false;                     // arcs differ in make-up, so their order matters
};

Layout layout_of(const SeriesList& circuit, const std::vector<FlatElement>& flat) {
  Layout layout;
  for (const FlatElement& element : flat) {
    const ElementKind kind = element.node->element.kind;
    layout.has_diffusion |= kind == ElementKind::W || kind == ElementKind::Wo || kind == ElementKind::Ws;
    layout.has_finite_diffusion |= kind == ElementKind::Wo || kind == ElementKind::Ws;
  }
  for (const Node& node : circuit) {
    if (!node.is_element()) {
      if (std::optional<ArcSlot> slot = arc_slot(node.parallel_node(), flat)) layout.slots.push_back(*slot);
      continue;
    }
    const ElementNode& element = node.element_node();
    const std::size_t p = first_param_of(flat, &element);
    if (element.element.kind == ElementKind::R && !layout.series_resistor) {
      layout.series_resistor = p;
    } else if (element.element.kind == ElementKind::K || element.element.kind == ElementKind::Zarc) {
      layout.slots.push_back({p, p + 1, element.element.kind});
    }
  }
  for (const ArcSlot& slot : layout.slots) {
    layout.has_cpe_arc |= slot.kind == ElementKind::Cpe || slot.kind == ElementKind::Zarc;
    layout.mixed_arcs |= slot.kind != layout.slots.front().kind || slot.extra_elements;
  }
  return layout;
}

// Values that no arc assignment touches: catalogue defaults, the element rules, the series resistors.
std::vector<double> base_values(const SeriesList& circuit, const std::vector<FlatElement>& flat, const Layout& layout,
                                const DataFeatures& features, const Reading& reading) {
  std::vector<double> values(parameter_count(circuit));
  std::vector<const ElementNode*> top_level;
  for (const Node& node : circuit) {
    if (node.is_element()) top_level.push_back(&node.element_node());
  }
  const double tail_reach = reading.far_tail ? kFarTailReach : 1.0;
  for (const FlatElement& element : flat) {
    const ElementKindInfo& info = kind_info(element.node->element.kind);
    std::copy_n(info.defaults.begin(), info.param_count, values.begin() + static_cast<std::ptrdiff_t>(element.first_param));
    const bool at_top = std::find(top_level.begin(), top_level.end(), element.node) != top_level.end();
    element_rule(element, features, at_top, tail_reach, &values);
    if (element.node->element.kind == ElementKind::R && at_top) {
      values[element.first_param] = 0.1 * features.series_resistance;  // a second series resistor: small
    }
  }
  if (layout.series_resistor) {
    values[*layout.series_resistor] = features.series_resistance * (reading.intercept_arc ? kInterceptArcShare : 1.0);
  }
  return values;
}

void place_arcs(const Layout& layout, const std::vector<ArcValues>& arcs, std::vector<double>* target) {
  double* v = target->data();
  for (std::size_t a = 0; a < layout.slots.size(); ++a) {
    const ArcSlot& slot = layout.slots[a];
    const ArcValues& arc = arcs[a];
    v[slot.resistance] = arc.resistance;
    switch (slot.kind) {
      case ElementKind::C:
        v[slot.capacitive] = arc.tau / arc.resistance;
        break;
      case ElementKind::Cpe:
        v[slot.capacitive + 1] = arc.alpha;
        v[slot.capacitive] = std::pow(arc.tau, arc.alpha) / arc.resistance;
        break;
      case ElementKind::Zarc:  // its gamma is the CPE exponent of the same arc
        v[slot.capacitive] = arc.tau;
        v[slot.capacitive + 1] = arc.alpha;
        break;
      default:  // K carries the time constant itself
        v[slot.capacitive] = arc.tau;
        break;
    }
  }
}

// The arc assignments of one reading.
std::vector<std::vector<ArcValues>> arcs_of_reading(const Layout& layout, const DataFeatures& features,
                                                    const Reading& reading) {
  std::vector<DrtPeak> peaks = features.peaks;
  if (reading.diffusion_takes_slowest_peak && !peaks.empty()) peaks.pop_back();
  const std::size_t count = layout.slots.size();
  std::vector<std::vector<ArcValues>> out;
  if (reading.intercept_arc) {
    const ArcValues intercept{features.series_resistance * (1.0 - kInterceptArcShare),
                              kInterceptArcReach / features.omega_high, 1.0};
    for (std::vector<ArcValues>& rest : arc_candidates(peaks, count - 1, features)) {
      rest.insert(rest.begin(), intercept);
      out.push_back(std::move(rest));
    }
  } else {
    out = arc_candidates(peaks, count, features);
  }
  if (reading.reversed_arcs) {
    for (std::vector<ArcValues>& arcs : out) std::reverse(arcs.begin(), arcs.end());
  }
  if (reading.steep_arcs) {
    for (std::vector<ArcValues>& arcs : out) {
      for (ArcValues& arc : arcs) arc.alpha = std::max(arc.alpha, kSteepExponent);
    }
  }
  return out;
}

// The readings that can differ for this circuit and spectrum, the plain one first.
std::vector<Reading> readings_of(const Layout& layout, const DataFeatures& features) {
  std::vector<Reading> out{Reading{}};
  auto widen = [&out](bool applies, auto set) {
    if (!applies) return;
    const std::size_t n = out.size();
    for (std::size_t i = 0; i < n; ++i) {
      Reading changed = out[i];
      set(&changed);
      out.push_back(changed);
    }
  };
  widen(layout.series_resistor.has_value() && !layout.slots.empty(), [](Reading* r) { r->intercept_arc = true; });
  widen(layout.has_diffusion && !features.peaks.empty(), [](Reading* r) { r->diffusion_takes_slowest_peak = true; });
  widen(layout.has_finite_diffusion, [](Reading* r) { r->far_tail = true; });
  widen(layout.has_cpe_arc, [](Reading* r) { r->steep_arcs = true; });
  widen(layout.mixed_arcs && layout.slots.size() > 1, [](Reading* r) { r->reversed_arcs = true; });
  return out;
}

// The members of the first `reading_count` readings (all when more), nearest first; ties keep
// the order of generation, so the plain reading wins them.
std::vector<DataStartCandidate> family_of(const SeriesList& circuit, const DataFeatures& features,
                                          std::size_t reading_count) {
  const std::vector<FlatElement> flat = flatten_elements(circuit);
  const Layout layout = layout_of(circuit, flat);
  std::vector<DataStartCandidate> out;
  std::vector<Reading> readings = readings_of(layout, features);
  if (readings.size() > reading_count) readings.resize(reading_count);
  for (std::size_t r = 0; r < readings.size(); ++r) {
    const std::vector<double> base = base_values(circuit, flat, layout, features, readings[r]);
    for (const std::vector<ArcValues>& arcs : arcs_of_reading(layout, features, readings[r])) {
      DataStartCandidate candidate{base, INFINITY, r};
      place_arcs(layout, arcs, &candidate.values);
      candidate.distance = start_cost(circuit, candidate.values, features.clean);
      out.push_back(std::move(candidate));
    }
  }
  std::stable_sort(out.begin(), out.end(), [](const DataStartCandidate& a, const DataStartCandidate& b) {
    return a.distance < b.distance;
  });
  return out;
}

}  // namespace

std::vector<DataStartCandidate> data_start_candidates(const SeriesList& circuit, const DataFeatures& features) {
  return family_of(circuit, features, SIZE_MAX);
}

constexpr double kCollapsedShare = 1e-6;  // a magnitude this far below its reading no longer shows

std::optional<std::vector<double>> revived_diffusion(const SeriesList& circuit, const DataFeatures& features,
                                                     std::vector<double> values) {
  bool revived = false;
  for (const FlatElement& element : flatten_elements(circuit)) {
    const ElementKind kind = element.node->element.kind;
    if (kind != ElementKind::W && kind != ElementKind::Wo && kind != ElementKind::Ws) continue;
    std::vector<double> read(values.size());
    element_rule(element, features, false, 1.0, &read);
    const std::size_t p = element.first_param;
    if (!(values[p] < kCollapsedShare * read[p])) continue;
    std::copy_n(read.begin() + static_cast<std::ptrdiff_t>(p), kind_info(kind).param_count,
                values.begin() + static_cast<std::ptrdiff_t>(p));
    revived = true;
  }
  if (!revived) return std::nullopt;
  return values;
}

Result<std::vector<double>> data_start(const SeriesList& circuit, const Spectrum& spectrum,
                                       const CancellationToken& cancellation) {
  const std::optional<DataFeatures> features = data_features(spectrum, cancellation);
  if (cancellation.stopped()) return interrupted_error();
  if (!features) return value_error(kNoUsablePointMessage);
  return data_start_from(circuit, *features);
}

std::vector<double> data_start_from(const SeriesList& circuit, const DataFeatures& features) {
  // The plain reading alone: the other readings' nearest members are nearer the data more
  // often than they are in the best basin, and only brief runs tell them apart.
  std::vector<DataStartCandidate> candidates = family_of(circuit, features, 1);
  return std::move(candidates.front().values);
}

}  // namespace corvex
