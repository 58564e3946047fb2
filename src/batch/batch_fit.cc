// Fitting many spectra with one circuit: spectra claimed one at a time by a fixed number of
// lanes on the worker pool, then neighbour refinement in passes that each read only the
// results of the pass before, so the outcome never depends on scheduling.
#include "batch/batch_fit.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <span>

#include "fit/controlled_stage.h"
#include "fit/fit_controls.h"
#include "fit/runaway_values.h"
#include "util/worker_pool.h"

namespace corvex {
namespace {

using OutcomeSlot = std::optional<Result<FitOutcome>>;

// Runs task(i) for every i in [0, count) on at most `workers` threads at once. Each lane
// claims the next index when it is free, so one slow spectrum never holds up the rest; the
// fits' own parallel work (Jacobian columns) runs inline on the lane.
// Returns false when the token stopped the work before every task had run.
template <class Task>
bool run_on_lanes(std::size_t count, std::size_t workers, const CancellationToken& cancellation, Task& task) {
  std::atomic<std::size_t> next{0};
  auto lane = [&](std::size_t) {
    while (!cancellation.stop_requested()) {
      const std::size_t i = next.fetch_add(1);
      if (i >= count) return;
      task(i);
    }
  };
  if (std::min(workers, count) <= 1) {
    InlineParallelism inline_only;
    lane(0);
  } else {
    parallel_for(std::min(workers, count), TaskRef(lane), cancellation);
  }
  return !cancellation.stopped();
}

void count_planned(BatchProgress* progress, std::size_t fits) {
  if (progress != nullptr) progress->total.fetch_add(fits);
}

void count_done(BatchProgress* progress) {
  if (progress != nullptr) progress->done.fetch_add(1);
}

// The verdict on a fit of spectrum i made by fit()'s own path: its runaway values under the
// batch's controls, and its cost as the best any start reached when it converged.
FitVerdict plain_verdict(const BatchProblem& problem, std::size_t i, const Spectrum& spectrum,
                         const Result<FitOutcome>& fit, const CancellationToken& cancellation) {
  FitVerdict verdict;
  if (!is_usable_fit(fit)) return verdict;
  Result<ResolvedControls> resolved = resolve_controls(problem.circuit.nodes, problem.controls);
  if (!resolved) return verdict;
  const FitControls controls = problem.controls_for(i);
  FitUncertainty uncertainty = uncertainty_of(problem.circuit.nodes, spectrum, controls, *resolved, *fit,
                                              cancellation);
  verdict.runaway = runaway_parameters(problem.circuit.nodes, spectrum, fit->values, uncertainty.standard_errors);
  verdict.degrees_of_freedom = uncertainty.degrees_of_freedom;
  verdict.best_cost_any = fit->cost;
  verdict.uncertainty = std::move(uncertainty);
  return verdict;
}

// One fit inside a pool task: an allocation failure becomes this spectrum's error instead
// of escaping the pool thread. Under controls the controlled fit runs, robust only when
// `robust`; `robust_start` receives its winning start when that was not the first one, and
// `verdict` the judgement of the fit.
Result<FitOutcome> fit_in_task(const BatchProblem& problem, const Circuit& circuit, std::size_t i,
                               const FitStart& start, bool robust, const CancellationToken& cancellation,
                               FitVerdict* verdict, std::string* robust_start = nullptr) {
  try {
    const Spectrum spectrum = problem.spectra.spectrum(i);
    // Rows are kept until the table is built: each drops the Jacobian its verdict used.
    if (!problem.controlled()) {
      Result<FitOutcome> fit = fit_spectrum(circuit, spectrum, start, problem.options, cancellation);
      *verdict = plain_verdict(problem, i, spectrum, fit, cancellation);
      if (fit) fit->final_jacobian.reset();
      return fit;
    }
    Result<ControlledFit> fit =
        fit_spectrum_with_controls(circuit, spectrum, start, problem.options, problem.controls_for(i), robust, cancellation);
    if (!fit) return fit.take_error();
    if (robust_start != nullptr && !fit->from_first_start) *robust_start = fit->start;
    *verdict = {std::move(fit->runaway), fit->uncertainty.degrees_of_freedom, fit->best_cost_any, std::nullopt};
    fit->outcome.final_jacobian.reset();
    return std::move(fit->outcome);
  } catch (const std::bad_alloc&) {
    return memory_error("out of memory");
  }
}

// Every slot filled, or nullopt when the token stopped the pass.
std::optional<std::vector<OutcomeSlot>> first_pass(const BatchProblem& problem, std::size_t workers,
                                                   const CancellationToken& cancellation, BatchProgress* progress,
                                                   std::vector<std::string>* robust_starts,
                                                   std::vector<FitVerdict>* verdicts) {
  std::vector<OutcomeSlot> slots(problem.spectra.size());
  robust_starts->assign(slots.size(), std::string());
  verdicts->assign(slots.size(), FitVerdict{});
  count_planned(progress, slots.size());
  auto task = [&](std::size_t i) {
    if (const Error* failure = problem.spectra.failure(i)) {
      slots[i].emplace(*failure);
    } else {
      slots[i].emplace(fit_in_task(problem, problem.circuit, i, problem.start, problem.robust, cancellation,
                                   &(*verdicts)[i], &(*robust_starts)[i]));
    }
    count_done(progress);
  };
  if (!run_on_lanes(slots.size(), workers, cancellation, task)) return std::nullopt;
  return slots;
}

// Where a fit stands when a neighbour's refit competes with it: usable (it succeeded with a
// finite cost) first, then free of runaway values, then cost, the order in which the first
// pass chose among its own starts.
struct Standing {
  bool usable = false;
  double cost = 0.0;
  bool runaway = false;
  double degrees_of_freedom = 0.0;
};

Standing standing_of(const Result<FitOutcome>& fit, const FitVerdict& verdict) {
  if (!is_usable_fit(fit)) return {};
  const bool runaway = std::find(verdict.runaway.begin(), verdict.runaway.end(), true) != verdict.runaway.end();
  return {true, fit->cost, runaway, verdict.degrees_of_freedom};
}

// A sound fit beats one with runaway values unless the latter's cost is lower beyond noise.
// Otherwise a refit must lower the cost by more than a millionth to count: smaller gains are
// the same minimum reached along another path, and chasing them would only churn.
bool improves_on(const Standing& candidate, const Standing& kept) {
  if (candidate.usable != kept.usable) return candidate.usable;
  if (!candidate.usable) return false;
  if (candidate.runaway != kept.runaway) {
    return candidate.runaway ? runaway_fit_wins(kept.cost, candidate.cost, kept.degrees_of_freedom)
                             : !runaway_fit_wins(candidate.cost, kept.cost, candidate.degrees_of_freedom);
  }
  return candidate.cost < kept.cost - 1e-6 * kept.cost;
}

struct Refit {
  std::size_t row;
  std::size_t from;  // the neighbour whose fitted circuit is the start
  RowStart direction;
};

constexpr std::size_t kNeverTried = std::numeric_limits<std::size_t>::max();

class NeighbourRefinement {
 public:
  NeighbourRefinement(const BatchProblem& problem, const BatchOptions& options, std::vector<BatchRow>* rows,
                      const CancellationToken& cancellation, BatchProgress* progress)
      : problem_(problem), options_(options), cancellation_(cancellation), progress_(progress),
        rows_(*rows), versions_(rows->size(), 0),
        tried_(rows->size(), {kNeverTried, kNeverTried}), neighbours_(rows->size(), {kNone, kNone}) {
    std::vector<std::vector<std::size_t>> series = options.series;
    if (series.empty()) {
      series.emplace_back(rows_.size());
      for (std::size_t i = 0; i < rows_.size(); ++i) series[0][i] = i;
    }
    for (const std::vector<std::size_t>& run : series) {
      for (std::size_t k = 0; k < run.size(); ++k) {
        if (k > 0) neighbours_[run[k]][0] = run[k - 1];
        if (k + 1 < run.size()) neighbours_[run[k]][1] = run[k + 1];
      }
    }
  }

  // Returns false when the pass found nothing new to try, improved nothing or was stopped.
  bool run_pass(BatchSummary* summary) {
    const std::vector<Refit> refits = pending_refits();
    if (refits.empty()) return false;
    count_planned(progress_, refits.size());
    std::vector<OutcomeSlot> fits(refits.size());
    std::vector<FitVerdict> verdicts(refits.size());
    const FitStart as_given{};
    auto task = [&](std::size_t k) {
      const Refit& refit = refits[k];
      fits[k].emplace(fit_in_task(problem_, rows_[refit.from].outcome->circuit, refit.row, as_given, false,
                                  cancellation_, &verdicts[k]));
      count_done(progress_);
    };
    if (!run_on_lanes(refits.size(), options_.workers, cancellation_, task)) {
      summary->interrupted = true;
      return false;
    }
    ++summary->refine_passes;
    summary->refits += refits.size();

    // Merged in a fixed order after every fit of the pass has finished.
    std::vector<bool> changed(rows_.size(), false);
    for (std::size_t k = 0; k < refits.size(); ++k) {
      BatchRow& row = rows_[refits[k].row];
      const double best_cost_any = std::fmin(row.verdict.best_cost_any, verdicts[k].best_cost_any);
      row.verdict.best_cost_any = best_cost_any;
      const Standing kept = standing_of(row.outcome, row.verdict);
      const Standing candidate = standing_of(*fits[k], verdicts[k]);
      if (!improves_on(candidate, kept)) continue;
      row.outcome = std::move(*fits[k]);
      row.start = refits[k].direction;
      row.robust_start.clear();
      row.verdict = std::move(verdicts[k]);
      row.verdict.best_cost_any = best_cost_any;
      changed[refits[k].row] = true;
    }
    bool any = false;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (changed[i]) ++versions_[i];
      any = any || changed[i];
    }
    return any;
  }

 private:
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

  // Starts not tried yet: a neighbour's kept fit that is usable and has changed since this
  // row last started from it.
  std::vector<Refit> pending_refits() {
    std::vector<Refit> refits;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (problem_.spectra.failure(i) != nullptr) continue;
      for (std::size_t side = 0; side < 2; ++side) {
        const std::size_t j = neighbours_[i][side];
        if (j == kNone || !is_usable_fit(rows_[j].outcome) || tried_[i][side] == versions_[j]) continue;
        tried_[i][side] = versions_[j];
        refits.push_back({i, j, side == 0 ? RowStart::Previous : RowStart::Next});
      }
    }
    return refits;
  }

  const BatchProblem& problem_;
  const BatchOptions& options_;
  const CancellationToken& cancellation_;
  BatchProgress* progress_;
  std::vector<BatchRow>& rows_;
  std::vector<std::size_t> versions_;  // bumped whenever a row's kept fit changes
  std::vector<std::array<std::size_t, 2>> tried_;       // neighbour versions already started from
  std::vector<std::array<std::size_t, 2>> neighbours_;  // previous and next in series order
};

// The uncertainty of every kept fit, each row a task on the lanes: computed once at the end
// rather than for every fit a refinement pass may replace.
void add_uncertainty(const BatchProblem& problem, std::size_t workers, const CancellationToken& cancellation,
                     BatchSummary* summary) {
  Result<ResolvedControls> resolved = resolve_controls(problem.circuit.nodes, problem.controls);
  if (!resolved) return;  // every fit failed with this error already
  auto task = [&](std::size_t i) {
    BatchRow& row = summary->rows[i];
    if (!row.outcome.ok()) return;
    // The verdict's uncertainty is of this very fit under the same controls: reuse it.
    if (row.verdict.uncertainty) {
      row.uncertainty = std::move(row.verdict.uncertainty);
      row.verdict.uncertainty.reset();
      return;
    }
    try {
      row.uncertainty = uncertainty_of(problem.circuit.nodes, problem.spectra.spectrum(i), problem.controls_for(i),
                                       *resolved, *row.outcome, cancellation);
    } catch (const std::bad_alloc&) {
      row.uncertainty.reset();
    }
  };
  if (!run_on_lanes(summary->rows.size(), workers, cancellation, task)) summary->interrupted = true;
}

}  // namespace

bool is_usable_fit(const Result<FitOutcome>& outcome) {
  return outcome.ok() && outcome->success && std::isfinite(outcome->cost);
}

BatchSummary fit_batch(const BatchProblem& problem, const BatchOptions& options,
                       const CancellationToken& cancellation, BatchProgress* progress) {
  BatchSummary summary;
  std::vector<std::string> robust_starts;
  std::vector<FitVerdict> verdicts;
  std::optional<std::vector<OutcomeSlot>> first =
      first_pass(problem, options.workers, cancellation, progress, &robust_starts, &verdicts);
  if (!first) {
    summary.interrupted = true;
    return summary;
  }
  summary.rows.reserve(first->size());
  for (std::size_t i = 0; i < first->size(); ++i) {
    summary.rows.push_back(
        {std::move(*(*first)[i]), RowStart::Guess, std::move(robust_starts[i]), std::nullopt, std::move(verdicts[i])});
  }
  first.reset();
  // Controls that do not resolve failed every fit already: there is nothing to refine.
  const Result<ResolvedControls> controls = resolve_controls(problem.circuit.nodes, problem.controls);
  if (options.refine && controls.ok()) {
    NeighbourRefinement refinement(problem, options, &summary.rows, cancellation, progress);
    for (std::size_t pass = 0; pass < options.max_refine_passes; ++pass) {
      if (!refinement.run_pass(&summary)) break;
    }
  }
  if (!summary.interrupted && options.intervals) add_uncertainty(problem, options.workers, cancellation, &summary);
  if (summary.interrupted) summary.rows.clear();
  return summary;
}

}  // namespace corvex
