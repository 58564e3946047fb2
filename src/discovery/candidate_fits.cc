// Candidate fits on the ranking's fast path: one Levenberg-Marquardt run each from a start read
// off the data, then fit()'s driver from the robust starts for the few that lead, all scored
// with the ranking's criteria so that discovery and ranking compare alike.
#include "discovery/candidate_fits.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <new>
#include <numbers>
#include <numeric>
#include <optional>
#include <span>

#include "batch/data_start.h"
#include "batch/spectrum_fit.h"
#include "discovery/candidate_nesting.h"
#include "discovery/candidate_scores.h"
#include "fit/objective.h"
#include "fit/robust_starts.h"
#include "fit/runaway_values.h"
#include "models/model_registry.h"

namespace corvex {

namespace {

// The ranking's evaluation budget: a candidate whose start is this far off is not the answer.
constexpr std::uint32_t kDiscoveryPatience = 100;

bool any_of(const std::vector<bool>& flags) { return std::find(flags.begin(), flags.end(), true) != flags.end(); }

// The top level with every nested parallel group lifted out of its arc into the series chain:
// the same elements and labels, with each arc where data_start can feed it a peak.
SeriesList lifted(const SeriesList& nodes) {
  SeriesList out;
  for (const Node& node : nodes) {
    if (node.is_element()) {
      out.push_back(node);
      continue;
    }
    ParallelNode group;
    SeriesList moved;
    for (const SeriesList& branch : node.parallel_node().branches) {
      SeriesList kept;
      for (const Node& part : branch) (part.is_element() ? kept : moved).push_back(part);
      group.branches.push_back(std::move(kept));
    }
    out.emplace_back(std::move(group));
    for (Node& node_moved : lifted(moved)) out.push_back(std::move(node_moved));
  }
  return out;
}

Result<FitOutcome> run_from(const SeriesList& nodes, const std::vector<double>& values, const Spectrum& spectrum,
                            const CancellationToken& cancellation) {
  const Circuit start{rebuild_with_values(nodes, values.data()), true};
  FitOptions options;
  options.max_iterations = kDiscoveryPatience;
  return fit_spectrum(start, spectrum, FitStart{StartKind::AsGiven, std::nullopt}, options, cancellation);
}

void score_into(DiscoveredFit* fit, FitOutcome outcome, const Spectrum& spectrum) {
  fit->ranked.outcome = std::move(outcome);
  fit->ranked.error.reset();
  score_ranked_fit(&fit->ranked, spectrum.frequencies.size(), RankingOptions{});
  if (!fit->fitted()) return;
  const FitOutcome& out = *fit->ranked.outcome;
  std::vector<std::optional<double>> errors(out.values.size());
  if (out.standard_errors) std::copy(out.standard_errors->begin(), out.standard_errors->end(), errors.begin());
  fit->runaway = runaway_parameters(out.circuit.nodes, spectrum, out.values, errors);
  fit->low_exponent = low_cpe_exponents(out.circuit.nodes, out.values);
  fit->ideal_exponent = ideal_cpe_exponents(out.circuit.nodes, out.values);
  fit->model.clear();
  for (double f : spectrum.frequencies) {
    fit->model.push_back(impedance_at(out.circuit.nodes, 2.0 * std::numbers::pi * f));
  }
  fit->runs_p = runs_test_p(spectrum, fit->model);
}

bool same_impedance(const DiscoveredFit& a, const DiscoveredFit& b, const Spectrum& spectrum, double tolerance) {
  for (std::size_t i = 0; i < spectrum.impedances.size(); ++i) {
    const double scale = std::hypot(spectrum.impedances[i].re, spectrum.impedances[i].im);
    const double gap = std::hypot(a.model[i].re - b.model[i].re, a.model[i].im - b.model[i].im);
    if (!(gap <= tolerance * scale)) return false;
  }
  return true;
}

// compute() with an allocation failure turned into the fit's error, so one candidate never
// takes the others down.
template <class Compute>
void guarded_fit(DiscoveredFit* fit, Compute compute) {
  try {
    compute();
  } catch (const std::bad_alloc&) {
    fit->ranked.outcome.reset();
    fit->ranked.error = memory_error("out of memory");
  }
}

}  // namespace

bool DiscoveredFit::sound() const {
  if (!fitted() || !ranked.outcome->success || any_of(runaway) || any_of(low_exponent)) return false;
  for (std::size_t i = 0; i < ranked.at_bound.size(); ++i) {
    if (ranked.at_bound[i] && !(i < ideal_exponent.size() && ideal_exponent[i])) return false;
  }
  return true;
}

std::vector<double> discovery_start(const SeriesList& candidate, const DataFeatures& features) {
  std::vector<double> values = param_values(candidate);
  const SeriesList flat = lifted(candidate);
  const std::vector<double> read = data_start_from(flat, features);
  std::map<std::string, double> by_name;
  const std::vector<std::string> flat_names = param_names(flat);
  for (std::size_t i = 0; i < flat_names.size() && i < read.size(); ++i) by_name[flat_names[i]] = read[i];
  const std::vector<std::string> names = param_names(candidate);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (auto found = by_name.find(names[i]); found != by_name.end()) values[i] = found->second;
  }
  return values;
}

std::vector<double> discovery_start(const SeriesList& candidate, const Spectrum& spectrum,
                                    const CancellationToken& cancellation) {
  const std::optional<DataFeatures> features = data_features(spectrum, cancellation);
  return features ? discovery_start(candidate, *features) : param_values(candidate);
}

DiscoveredFit fit_discovery_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                                      const CancellationToken& cancellation, const DataFeatures* features) {
  DiscoveredFit fit;
  fit.ranked.candidate = index;
  guarded_fit(&fit, [&] {
    fit.start_values = features ? discovery_start(candidate.nodes, *features)
                                : discovery_start(candidate.nodes, spectrum, cancellation);
    // The ranking's own fit, so that discovery and ranking agree on the carried topologies: a
    // run from the network guess and one from the values read off the data, the cheaper kept.
    // Any other candidate has no guess and runs once, from the data.
    const Circuit started{rebuild_with_values(candidate.nodes, fit.start_values.data()), true};
    RankingOptions options;
    options.patience = kDiscoveryPatience;
    const bool carried = lookup_registry(candidate.nodes).has_value();
    RankedFit ranked = fit_candidate(spectrum, started, index, options,
                                     carried ? std::span<const double>(fit.start_values) : std::span<const double>(),
                                     cancellation);
    if (!ranked.outcome) {
      fit.ranked = std::move(ranked);
      return;
    }
    fit.start = ranked.guessed && !ranked.from_data ? "guess" : "data";
    score_into(&fit, std::move(*ranked.outcome), spectrum);
  });
  return fit;
}

void try_discovery_starts(DiscoveredFit* fit, const Spectrum& spectrum, const Circuit& candidate,
                          const std::vector<LabelledStart>& starts, const CancellationToken& cancellation) {
  guarded_fit(fit, [&] {
    std::optional<FitOutcome> best;
    std::string label;
    double cost = fit->fitted() && fit->ranked.outcome->success ? fit->ranked.outcome->cost
                                                                : std::numeric_limits<double>::infinity();
    for (const LabelledStart& start : starts) {
      if (cancellation.stop_requested()) return;
      Result<FitOutcome> outcome = run_from(candidate.nodes, start.x, spectrum, cancellation);
      if (!outcome || !outcome->success || !(outcome->cost < cost * (1.0 - 1e-9))) continue;
      cost = outcome->cost;
      label = start.label;
      best = std::move(outcome).value();
    }
    if (!best) return;
    fit->start = label;
    score_into(fit, std::move(*best), spectrum);
  });
}

void refine_discovery_candidate(DiscoveredFit* fit, const Spectrum& spectrum, const Circuit& candidate,
                                const CancellationToken& cancellation) {
  if (fit->start_values.empty()) return;
  try_discovery_starts(fit, spectrum, candidate, derived_starts(candidate.nodes, fit->start_values), cancellation);
}

std::vector<LabelledStart> nested_fit_starts(const CircuitCandidate& candidate, const std::vector<double>& own_start,
                                             const std::vector<CircuitCandidate>& candidates,
                                             const std::vector<DiscoveredFit>& fits,
                                             const std::unordered_map<std::string, std::size_t>& by_key,
                                             std::size_t count) {
  struct Found {
    double cost;
    std::size_t index;
    NestedCandidate nested;
  };
  std::vector<Found> found;
  if (own_start.size() != candidate.parameters) return {};
  std::vector<NestedCandidate> relatives = nested_candidates(candidate.circuit.nodes);
  for (NestedCandidate& swapped : swapped_candidates(candidate.circuit.nodes)) relatives.push_back(std::move(swapped));
  for (NestedCandidate& nested : relatives) {
    const auto at = by_key.find(nested.key);
    // Only candidates fitted in an earlier round: a swapped one may have as many parameters.
    if (at == by_key.end() || at->second >= fits.size() || candidates[at->second].parameters >= candidate.parameters) {
      continue;
    }
    const DiscoveredFit& fit = fits[at->second];
    if (!fit.fitted() || !fit.ranked.outcome->success || fit.ranked.outcome->values.size() != nested.source.size()) {
      continue;
    }
    found.push_back(Found{fit.ranked.outcome->cost, at->second, std::move(nested)});
  }
  std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.cost < b.cost; });
  if (found.size() > count) found.resize(count);
  std::vector<LabelledStart> starts;
  for (const Found& nested : found) {
    starts.push_back(LabelledStart{"nested " + candidates[nested.index].notation,
                                   nested_start(nested.nested, fits[nested.index].ranked.outcome->values, own_start)});
  }
  return starts;
}

std::vector<LabelledStart> with_diffusion_at_peaks(const SeriesList& candidate, const std::vector<double>& own_start,
                                                   const std::vector<LabelledStart>& starts,
                                                   const DataFeatures& features) {
  std::vector<LabelledStart> out;
  for (const FlatElement& element : flatten_elements(candidate)) {
    const ElementKind kind = element.node->element.kind;
    if (kind != ElementKind::Wo && kind != ElementKind::Ws) continue;
    const std::size_t z0 = element.first_param, tau = z0 + 1;
    if (tau >= own_start.size()) continue;
    for (const LabelledStart& start : starts) {
      if (start.x.size() != own_start.size() || start.x[tau] != own_start[tau]) continue;
      for (std::size_t p = 0; p < features.peaks.size(); ++p) {
        const DrtPeak& peak = features.peaks[p];
        if (!(peak.tau > 0.0) || !(peak.area > 0.0)) continue;
        LabelledStart moved{start.label + ", " + element.name + " at peak " + std::to_string(p + 1), start.x};
        // An open Wo ends capacitive, z0 / (j omega tau), and keeps the measured tail there; a
        // short Ws ends resistive, at z0, the area of its relaxation times.
        moved.x[z0] = kind == ElementKind::Wo ? features.tail_imaginary * features.omega_low * peak.tau : peak.area;
        moved.x[tau] = peak.tau;
        out.push_back(std::move(moved));
      }
    }
  }
  return out;
}

std::vector<LabelledStart> cheapest_starts(const Circuit& candidate, const Spectrum& spectrum,
                                           std::vector<LabelledStart> starts, std::size_t count) {
  if (starts.size() <= count) return starts;
  const FitProblem problem(candidate.nodes, spectrum, RankingOptions{}.weight);
  std::vector<double> costs;
  for (const LabelledStart& start : starts) {
    Result<std::vector<double>> residuals = residual_vector(problem, start.x);
    const double cost = residuals ? half_sum_of_squares(*residuals) : std::numeric_limits<double>::infinity();
    costs.push_back(std::isfinite(cost) ? cost : std::numeric_limits<double>::infinity());
  }
  std::vector<std::size_t> order(starts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return costs[a] < costs[b]; });
  std::vector<LabelledStart> chosen;
  for (std::size_t i = 0; i < count; ++i) chosen.push_back(std::move(starts[order[i]]));
  return chosen;
}

std::vector<LabelledStart> warm_starts(const CircuitCandidate& candidate, const DiscoveredFit& fit,
                                       const Spectrum& spectrum, const std::vector<CircuitCandidate>& candidates,
                                       const std::vector<DiscoveredFit>& fits,
                                       const std::unordered_map<std::string, std::size_t>& by_key,
                                       const DataFeatures* features) {
  std::vector<LabelledStart> pool = nested_fit_starts(candidate, fit.start_values, candidates, fits, by_key);
  if (features) {
    std::vector<LabelledStart> bases = pool;
    bases.push_back(LabelledStart{"data", fit.start_values});
    for (LabelledStart& moved : with_diffusion_at_peaks(candidate.circuit.nodes, fit.start_values, bases, *features)) {
      pool.push_back(std::move(moved));
    }
  }
  return cheapest_starts(candidate.circuit, spectrum, std::move(pool), kWarmStarts);
}

void mark_impedance_duplicates(std::vector<DiscoveredFit>& fits, const Spectrum& spectrum, double tolerance) {
  for (std::size_t j = 0; j < fits.size(); ++j) {
    if (!fits[j].fitted() || fits[j].model.size() != spectrum.impedances.size()) continue;
    for (std::size_t i = 0; i < fits.size() && !fits[j].duplicate; ++i) {
      if (i == j || !fits[i].fitted() || fits[i].duplicate || fits[i].model.size() != fits[j].model.size()) continue;
      const std::size_t pi = fits[i].ranked.outcome->values.size(), pj = fits[j].ranked.outcome->values.size();
      if ((pi < pj || (pi == pj && i < j)) && same_impedance(fits[i], fits[j], spectrum, tolerance)) {
        fits[j].duplicate = true;
      }
    }
  }
}

}  // namespace corvex
