// The batch engine's use of the pool: fits run one per lane with their own parallel work
// inline, and a spectrum that failed conversion keeps its row without stopping the others.
#include <mutex>
#include <set>
#include <thread>

#include "batch/batch_fit.h"
#include "check.h"
#include "fit_fixtures.h"
#include "util/worker_pool.h"

using namespace corvex;

namespace {

// Threads that ran the inner tasks of a parallel_for nested in each of `outer` outer tasks,
// and whether every inner task ran on its outer task's thread.
bool nested_runs_inline(std::size_t outer) {
  std::mutex mutex;
  bool inline_everywhere = true;
  auto outer_task = [&](std::size_t) {
    const std::thread::id here = std::this_thread::get_id();
    auto inner_task = [&](std::size_t) {
      std::lock_guard<std::mutex> lock(mutex);
      inline_everywhere = inline_everywhere && std::this_thread::get_id() == here;
    };
    parallel_for(16, TaskRef(inner_task));
  };
  parallel_for(outer, TaskRef(outer_task));
  return inline_everywhere;
}

}  // namespace

TEST_CASE("parallel work nested in a pool task, or under InlineParallelism, stays on its thread") {
  CHECK(nested_runs_inline(8));
  std::set<std::thread::id> threads;
  std::mutex mutex;
  auto task = [&](std::size_t) {
    std::lock_guard<std::mutex> lock(mutex);
    threads.insert(std::this_thread::get_id());
  };
  {
    InlineParallelism inline_only;
    parallel_for(64, TaskRef(task));
  }
  CHECK(threads == std::set<std::thread::id>{std::this_thread::get_id()});
}

TEST_CASE("a failed spectrum keeps its row and the others are fitted the same on any number of workers") {
  const Circuit truth = fit_fixtures::circuit_with("R0-(R1,C1)", {10.0, 50.0, 1e-4});
  const Circuit start = fit_fixtures::circuit_with("R0-(R1,C1)", {5.0, 20.0, 1e-3});
  SpectrumSet spectra;
  spectra.add(fit_fixtures::spectrum_of(truth, fit_fixtures::log_frequencies(0.1, 1e5, 30)));
  spectra.add_failed(value_error("unreadable"));
  spectra.add(fit_fixtures::spectrum_of(truth, fit_fixtures::log_frequencies(1.0, 1e4, 20)));
  const BatchProblem problem{start, spectra, FitStart{}, FitOptions{}};
  BatchOptions options;
  options.refine = true;
  const BatchSummary one = fit_batch(problem, options);
  options.workers = 8;
  const BatchSummary many = fit_batch(problem, options);
  CHECK(!one.rows[1].outcome.ok() && one.rows[1].outcome.error().message == "unreadable");
  for (std::size_t i : {0u, 2u}) {
    CHECK(one.rows[i].outcome.ok() && many.rows[i].outcome.ok());
    CHECK_SAME(one.rows[i].outcome->cost, many.rows[i].outcome->cost);
    CHECK(one.rows[i].outcome->values == many.rows[i].outcome->values);
    CHECK(one.rows[i].start == many.rows[i].start);
  }
}

CHECK_MAIN()
