// Tests of cancellation and task failures on the worker pool, and of the fit methods and
// objective stopping when their token asks: every index is accounted for and the pool lives on.
// The relaxation-time distribution and the starts read off the data stop too.
#include <atomic>
#include <chrono>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "analysis/nnls.h"
#include "analysis/relaxation_times.h"
#include "batch/data_start.h"
#include "batch/refined_data_start.h"
#include "check.h"
#include "fit/fit_driver.h"
#include "fit_fixtures.h"
#include "util/cancellation.h"
#include "util/worker_pool.h"

using namespace corvex;

namespace {

bool always_stop(void*) { return true; }

bool pool_runs_every_index() {
  std::vector<std::atomic<int>> hits(5000);
  auto task = [&](std::size_t i) { hits[i].fetch_add(1); };
  parallel_for(hits.size(), TaskRef(task));
  for (const auto& h : hits) {
    if (h.load() != 1) return false;
  }
  return true;
}

}  // namespace

TEST_CASE("an exception of a task on any thread reaches the caller and the pool lives on") {
  const std::thread::id caller = std::this_thread::get_id();
  for (const bool on_caller : {false, true}) {
    std::atomic<int> ran{0};
    auto task = [&](std::size_t) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      ran.fetch_add(1);
      if ((std::this_thread::get_id() == caller) == on_caller) throw std::bad_alloc();
    };
    bool thrown = false;
    try {
      parallel_for(2000, TaskRef(task));
    } catch (const std::bad_alloc&) {
      thrown = true;
    }
    CHECK(thrown);
    CHECK(ran.load() < 2000);
    CHECK(pool_runs_every_index());
  }
}

TEST_CASE("a stopping token ends a parallel loop early, polled by the waiting caller") {
  std::atomic<int> ran{0};
  auto slow = [&](std::size_t) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ran.fetch_add(1);
  };
  const CancellationToken polled(always_stop, nullptr);
  CHECK(!parallel_for(5000, TaskRef(slow), polled));
  CHECK(ran.load() < 1000);

  CancellationToken asked;
  auto stop_midway = [&](std::size_t i) {
    if (i == 10) asked.request_stop();
  };
  CHECK(!parallel_for(5000, TaskRef(stop_midway), asked));
  CHECK(parallel_for(5000, TaskRef(stop_midway), no_cancellation()));
  CHECK(pool_runs_every_index());
}

TEST_CASE("every fit method and the objective stop with the interrupted error") {
  const Circuit truth = fit_fixtures::circuit_with("R0-(R1,C1)", {20.0, 100.0, 1e-5});
  const Spectrum data = fit_fixtures::spectrum_of(truth, fit_fixtures::log_frequencies(0.01, 1e5, 30));
  CancellationToken stopped;
  stopped.request_stop();
  for (const char* method : {"levenberg_marquardt", "nelder_mead", "particle_swarm", "simulated_annealing",
                             "differential_evolution", "basin_hopping"}) {
    FitOptions options;
    options.method = method;
    options.seed = 1;
    const Result<FitOutcome> outcome = fit_driver(options, truth, data, stopped);
    CHECK(!outcome.ok() && outcome.error().kind == ErrorKind::Interrupted);
  }
  const FitProblem problem(truth.nodes, data, WeightScheme::Modulus, stopped);
  const std::vector<double> x{20.0, 100.0, 1e-5};
  std::vector<double> columns;
  CHECK(central_difference_jacobian(problem, x, &columns).error().kind == ErrorKind::Interrupted);
  CHECK(residual_vector(problem, x).error().kind == ErrorKind::Interrupted);
}

TEST_CASE("the relaxation times and the starts read off the data stop, and a live token changes no bit") {
  const Circuit truth = fit_fixtures::circuit_with("R0-p(R1,C1)-p(R2,C2)", {20.0, 100.0, 1e-5, 50.0, 1e-2});
  const Spectrum data = fit_fixtures::spectrum_of(truth, fit_fixtures::log_frequencies(0.01, 1e5, 60));
  CancellationToken stopped;
  stopped.request_stop();
  for (const std::optional<double> lambda : {std::optional<double>(), std::optional<double>(1e-4)}) {
    DrtOptions options;
    options.lambda = lambda;
    const Result<DrtOutcome> plain = relaxation_times(data, options);
    CHECK(plain.ok());
    const CancellationToken live;
    options.cancellation = &live;
    const Result<DrtOutcome> watched = relaxation_times(data, options);
    CHECK(watched.ok() && watched->coefficients == plain->coefficients && watched->lambda == plain->lambda &&
          watched->gamma == plain->gamma && watched->series_resistance == plain->series_resistance);
    options.cancellation = &stopped;
    const Result<DrtOutcome> outcome = relaxation_times(data, options);
    CHECK(!outcome.ok() && outcome.error().kind == ErrorKind::Interrupted);
  }

  const Eigen::MatrixXd gram = Eigen::MatrixXd::Identity(3, 3);
  const Eigen::VectorXd rhs = Eigen::VectorXd::Ones(3);
  Eigen::VectorXd x;
  const NnlsSummary summary = solve_nnls(gram, rhs, &x, stopped);
  CHECK(!summary.converged && summary.iterations == 0);

  const Result<std::vector<double>> start = data_start(truth.nodes, data);
  CHECK(start.ok());
  const CancellationToken live;
  const Result<std::vector<double>> watched = data_start(truth.nodes, data, live);
  CHECK(watched.ok() && *watched == *start);
  CHECK(data_start(truth.nodes, data, stopped).error().kind == ErrorKind::Interrupted);
  CHECK(refined_data_start(truth.nodes, data, FitOptions{}, stopped).error().kind == ErrorKind::Interrupted);
}

CHECK_MAIN()
