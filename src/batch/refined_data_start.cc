// Short Levenberg-Marquardt runs from the family of starts read off the data, to choose the
// member whose basin holds the lowest cost before the full fit runs from it.
#include "batch/refined_data_start.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>

#include "batch/data_start.h"
#include "fit/controlled_stage.h"
#include "util/worker_pool.h"

namespace corvex {
namespace {

// Members run briefly: on the measured spectra of the data-start benchmark 8 reach the best
// cost in 25 of 30 fits, 10 to 32 in 28; 12 leaves a margin over the fewest that do.
constexpr std::size_t kBriefRuns = 12;
// Patience of each brief run: on the benchmark's 30 fits 12 reaches the best cost as often
// as 20 does, 10 misses two more; 15 keeps a margin and costs some 18 % less than 20.
constexpr std::uint32_t kBriefPatience = 15;
// The gtol of the levenberg_marquardt method, which the controlled fit runs with too.
constexpr double kGtol = 1e-8;

// Where a brief run ended.
struct BriefEnd {
  std::vector<double> values;
  double cost;
};

// Of data_start_candidates, the nearest member of each reading, as the nearest reading often
// is not the best, then the nearest others, kBriefRuns in all, in the family's order.
std::vector<std::vector<double>> members_of(const SeriesList& circuit, const DataFeatures& features) {
  std::vector<DataStartCandidate> family = data_start_candidates(circuit, features);
  std::vector<std::size_t> chosen;
  std::vector<bool> reading_seen;
  for (std::size_t i = 0; i < family.size() && chosen.size() < kBriefRuns; ++i) {
    const std::size_t r = family[i].reading;
    if (r >= reading_seen.size()) reading_seen.resize(r + 1, false);
    if (!reading_seen[r]) reading_seen[r] = true, chosen.push_back(i);
  }
  for (std::size_t i = 0; i < family.size() && chosen.size() < kBriefRuns; ++i) {
    if (std::find(chosen.begin(), chosen.end(), i) == chosen.end()) chosen.push_back(i);
  }
  std::sort(chosen.begin(), chosen.end());
  std::vector<std::vector<double>> members;
  members.reserve(chosen.size());
  for (const std::size_t i : chosen) members.push_back(std::move(family[i].values));
  return members;
}

// One brief run from `values`: fit()'s own driver without controls, the controlled stage
// (held values in, every point within its limits) with them.
Result<BriefEnd> brief_run(const SeriesList& circuit, const Spectrum& spectrum, const FitOptions& brief,
                           const BriefRunControls* controls, const std::vector<double>& values,
                           const CancellationToken& cancellation) {
  if (!controls) {
    Result<FitOutcome> run = fit_driver(brief, Circuit{rebuild_with_values(circuit, values.data()), true}, spectrum,
                                        cancellation);
    if (!run.ok()) return run.take_error();
    return BriefEnd{std::move(run->values), run->cost};
  }
  const std::unique_ptr<FitProblem> problem = controlled_problem(circuit, spectrum, controls->controls, cancellation);
  const LmSettings settings{brief.ftol, brief.xtol, kGtol, brief.max_iterations};
  Result<StagePoint> point = controlled_lm_stage(*problem, controls->resolved, values, settings);
  if (!point.ok()) return point.take_error();
  return BriefEnd{std::move(point->x), point->cost};
}

Result<std::vector<double>> refined_start(const SeriesList& circuit, const Spectrum& spectrum,
                                          const FitOptions& options, const BriefRunControls* controls,
                                          const CancellationToken& cancellation) {
  const std::optional<DataFeatures> features = data_features(spectrum, cancellation);
  if (cancellation.stopped()) return interrupted_error();
  if (!features) return data_start(circuit, spectrum).take_error();  // its message for a spectrum without a usable point
  std::vector<std::vector<double>> members = members_of(circuit, *features);
  // Held values and limits apply before the runs, as the final fit applies them to its start.
  if (controls) {
    for (std::vector<double>& member : members) enforce_controls(controls->resolved, member);
    if (!controls->resolved.anything_free()) return std::move(members.front());
    // The free problem's choice, held and clamped, runs too (last, so members win a tie):
    // under a hold far from the free optimum a member's brief run often ends in a worse
    // basin than the free optimum moved to the hold.
    Result<std::vector<double>> free = refined_start(circuit, spectrum, options, nullptr, cancellation);
    if (!free.ok()) return free.take_error();
    enforce_controls(controls->resolved, *free);
    members.push_back(std::move(free).value());
  }
  if (members.size() <= 1) return std::move(members.front());
  FitOptions brief;
  brief.weight = options.weight;
  brief.ftol = options.ftol;
  brief.xtol = options.xtol;
  brief.max_iterations = kBriefPatience;
  // Readings that change nothing for this spectrum (arcs already steep, say) repeat a member
  // value for value; its run would end where the earlier one's did and lose the tie to it.
  std::vector<std::size_t> distinct;
  for (std::size_t k = 0; k < members.size(); ++k) {
    const auto same = [&](std::size_t earlier) { return members[earlier] == members[k]; };
    if (std::none_of(distinct.begin(), distinct.end(), same)) distinct.push_back(k);
  }
  // The runs share the worker pool (each one's Jacobian then runs inline); the lowest end is
  // chosen afterwards in the family's order, so the thread count changes nothing.
  std::vector<std::optional<Result<BriefEnd>>> runs(members.size());
  auto run_member = [&](std::size_t d) {
    const std::size_t k = distinct[d];
    runs[k].emplace(brief_run(circuit, spectrum, brief, controls, members[k], cancellation));
  };
  if (!parallel_for(distinct.size(), TaskRef(run_member), cancellation)) return interrupted_error();
  std::vector<double> best = members.front();
  double best_cost = INFINITY;
  for (std::optional<Result<BriefEnd>>& run : runs) {
    if (!run) continue;
    if (!run->ok()) {
      if (run->error().kind == ErrorKind::Interrupted) return run->take_error();
      continue;
    }
    if ((*run)->cost < best_cost) best_cost = (*run)->cost, best = std::move((*run)->values);
  }
  // A faint diffusion element that the best run removed is read again and given one more run.
  if (std::optional<std::vector<double>> revived = revived_diffusion(circuit, *features, best)) {
    if (controls) enforce_controls(controls->resolved, *revived);
    Result<BriefEnd> run = brief_run(circuit, spectrum, brief, controls, *revived, cancellation);
    if (!run.ok() && run.error().kind == ErrorKind::Interrupted) return run.take_error();
    if (run.ok() && run->cost < best_cost) best = std::move(run->values);
  }
  return best;
}

}  // namespace

Result<std::vector<std::vector<double>>> brief_run_members(const SeriesList& circuit, const Spectrum& spectrum) {
  const std::optional<DataFeatures> features = data_features(spectrum);
  if (!features) return data_start(circuit, spectrum).take_error();
  return members_of(circuit, *features);
}

Result<std::vector<double>> refined_data_start(const SeriesList& circuit, const Spectrum& spectrum,
                                               const FitOptions& options, const CancellationToken& cancellation) {
  return refined_start(circuit, spectrum, options, nullptr, cancellation);
}

Result<std::vector<double>> refined_data_start(const SeriesList& circuit, const Spectrum& spectrum,
                                               const FitOptions& options, const BriefRunControls& controls,
                                               const CancellationToken& cancellation) {
  return refined_start(circuit, spectrum, options, &controls, cancellation);
}

}  // namespace corvex
