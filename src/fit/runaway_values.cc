// The runaway test on the spectrum's own scale (|Z| range and frequency window) and the
// circuit's arcs, and the F-test that lets a runaway fit win only on a real gain.
#include "fit/runaway_values.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <unordered_map>

#include "fit/f_distribution.h"

namespace corvex {
namespace {

struct SpectrumScale {
  double min_modulus = std::numeric_limits<double>::infinity();
  double max_modulus = 0.0;
  double min_frequency = std::numeric_limits<double>::infinity();
  double max_frequency = 0.0;
};

SpectrumScale scale_of(const Spectrum& spectrum) {
  SpectrumScale scale;
  for (const Complex& z : spectrum.impedances) {
    const double modulus = std::hypot(z.re, z.im);
    if (!std::isfinite(modulus)) continue;
    scale.min_modulus = std::min(scale.min_modulus, modulus);
    scale.max_modulus = std::max(scale.max_modulus, modulus);
  }
  for (double f : spectrum.frequencies) {
    if (!(f > 0.0) || !std::isfinite(f)) continue;
    scale.min_frequency = std::min(scale.min_frequency, f);
    scale.max_frequency = std::max(scale.max_frequency, f);
  }
  return scale;
}

bool is_capacitive(ElementKind kind) { return kind == ElementKind::C || kind == ElementKind::Cpe; }

// The element of a branch that holds exactly one element, else null.
const ElementNode* lone_element(const SeriesList& branch) {
  return branch.size() == 1 && branch[0].is_element() ? &branch[0].element_node() : nullptr;
}

// A time constant more than kRunawayWindowFactor beyond [tau_min, tau_max]; one that is not
// positive (a sign the bounds excluded) has no place in the window to judge.
bool outside_window(double tau, double tau_min, double tau_max) {
  return tau > 0.0 && (tau > tau_max * kRunawayWindowFactor || tau < tau_min / kRunawayWindowFactor);
}

// Flags the resistance and capacitance of every R-C or R-CPE pair, at any depth, whose time
// constant lies outside [tau_min, tau_max].
void flag_arcs(const SeriesList& circuit, const std::unordered_map<const ElementNode*, std::size_t>& first_param,
               std::span<const double> values, double tau_min, double tau_max, std::vector<bool>* flags) {
  std::vector<const SeriesList*> pending{&circuit};
  while (!pending.empty()) {
    const SeriesList* list = pending.back();
    pending.pop_back();
    for (const Node& node : *list) {
      if (node.is_element()) continue;
      const ParallelNode& parallel = node.parallel_node();
      for (const SeriesList& branch : parallel.branches) pending.push_back(&branch);
      if (parallel.branches.size() != 2) continue;
      const ElementNode* a = lone_element(parallel.branches[0]);
      const ElementNode* b = lone_element(parallel.branches[1]);
      if (a == nullptr || b == nullptr) continue;
      if (a->element.kind != ElementKind::R) std::swap(a, b);
      if (a->element.kind != ElementKind::R || !is_capacitive(b->element.kind)) continue;
      const std::size_t r = first_param.at(a);
      const std::size_t c = first_param.at(b);
      double tau = values[r] * values[c];
      if (b->element.kind == ElementKind::Cpe) {
        const double alpha = values[c + 1];
        if (!(alpha > 0.0)) continue;
        tau = std::pow(tau, 1.0 / alpha);
      }
      if (outside_window(tau, tau_min, tau_max)) {
        (*flags)[r] = true;
        (*flags)[c] = true;
      }
    }
  }
}

}  // namespace

std::vector<bool> runaway_parameters(const SeriesList& circuit, const Spectrum& spectrum,
                                     std::span<const double> values,
                                     std::span<const std::optional<double>> standard_errors) {
  const std::vector<FlatElement> flat = flatten_elements(circuit);
  const std::size_t count = parameter_count(circuit);
  std::vector<bool> flags(count, false);
  if (values.size() < count) return flags;
  const SpectrumScale scale = scale_of(spectrum);
  const bool has_window = scale.max_frequency > 0.0;
  const double tau_min = 1.0 / (2.0 * std::numbers::pi * scale.max_frequency);
  const double tau_max = 1.0 / (2.0 * std::numbers::pi * scale.min_frequency);
  std::unordered_map<const ElementNode*, std::size_t> first_param;
  for (const FlatElement& element : flat) {
    first_param.emplace(element.node, element.first_param);
    const ElementKind kind = element.node->element.kind;
    // K and Zarc are arcs in one element, an R-C and an R-CPE written with their time
    // constant: their resistance and that time constant are judged as those of the pairs.
    const bool arc_element = kind == ElementKind::K || kind == ElementKind::Zarc;
    if (kind != ElementKind::R && !arc_element) continue;
    const std::size_t r = element.first_param;
    if (scale.max_modulus > 0.0 && (values[r] > kRunawayResistanceAbove * scale.max_modulus ||
                                    values[r] < kRunawayResistanceBelow * scale.min_modulus)) {
      flags[r] = true;
    }
    if (arc_element && has_window && outside_window(values[r + 1], tau_min, tau_max)) {
      flags[r] = true;
      flags[r + 1] = true;
    }
  }
  if (has_window) flag_arcs(circuit, first_param, values, tau_min, tau_max, &flags);
  if (standard_errors.size() >= count) {
    for (std::size_t i = 0; i < count; ++i) {
      if (standard_errors[i] && *standard_errors[i] > kRunawayRelativeError * std::fabs(values[i])) flags[i] = true;
    }
  }
  return flags;
}

bool runaway_fit_wins(double sound_cost, double runaway_cost, double degrees_of_freedom) {
  if (!(degrees_of_freedom > 0.0) || !(runaway_cost < sound_cost)) return false;
  const double critical = f_quantile(kRunawaySelectionConfidence, degrees_of_freedom, degrees_of_freedom);
  // sound / runaway > critical, written so that a runaway cost of 0 wins without dividing by it.
  return sound_cost > critical * runaway_cost;
}

}  // namespace corvex
