// The weighted residual objective: weights from the measured spectrum, residual vectors
// evaluated chunk by chunk over a compiled plan, their cost and the central-difference Jacobian.
#include "fit/objective.h"

#include <algorithm>
#include <cmath>

#include "util/quote.h"
#include "util/worker_pool.h"

namespace corvex {
namespace {

// Frequencies are evaluated in chunks of this many points, so the model impedances fit in
// a stack buffer and the workspace rows stay small and cache-resident whatever N is.
constexpr std::size_t kChunk = 128;

// Cube root of the double-precision machine epsilon, written out: cbrt(2^-52) may round to
// the neighbouring double on some C libraries.
constexpr double kStepFactor = 6.0554544523933395e-06;
constexpr double kStepFloor = 1e-8;

constexpr double kWeightFloor = 1e-30;

// Long spectra ask the token again every this many chunks (some ten thousand points), so an
// evaluation of millions of points still stops promptly while short ones ask only once.
constexpr std::size_t kChunksPerCancellationCheck = 64;

bool stop_before_chunk(const FitProblem& problem, std::size_t begin) {
  const std::size_t chunk = begin / kChunk;
  return chunk % kChunksPerCancellationCheck == 0 && problem.cancellation.stop_requested();
}

// Below this many (column, point) pairs a Jacobian is cheaper to compute on the calling
// thread than to hand to the pool: waking a worker costs about as much as a few hundred
// point evaluations. The columns and their order are the same either way.
constexpr std::size_t kPoolMinimumWork = 1024;

Error not_enough_values() { return internal_error("impedance_from_iter: not enough values supplied"); }

// One workspace per thread, sized for a chunk of the largest plan seen on that thread; the
// residual and Jacobian loops therefore allocate nothing after the first call.
EvalWorkspace& thread_workspace(const EvalPlan& plan) {
  thread_local EvalWorkspace workspace;
  workspace.reserve_for(plan, kChunk);
  return workspace;
}

// Perturbed copies of the parameter vector for Jacobian columns, reused per thread.
std::vector<double>& thread_parameter_scratch() {
  thread_local std::vector<double> scratch;
  return scratch;
}

double weight_of(WeightScheme scheme, Complex measured) {
  if (scheme == WeightScheme::Unit) return 1.0;
  // fmax ignores a NaN operand, so a NaN modulus yields the floor.
  return std::fmax(std::hypot(measured.re, measured.im), kWeightFloor);
}

}  // namespace

std::optional<WeightScheme> parse_weight_scheme(std::string_view keyword) {
  if (keyword == "modulus") return WeightScheme::Modulus;
  if (keyword == "unit") return WeightScheme::Unit;
  return std::nullopt;
}

std::string unknown_weight_scheme_message(std::string_view keyword) {
  return "unknown weight scheme " + quoted(keyword) + ", expected \"modulus\" or \"unit\"";
}

FitProblem::FitProblem(const SeriesList& circuit_nodes, const Spectrum& spectrum, WeightScheme scheme,
                       const CancellationToken& cancellation_token)
    : circuit(circuit_nodes), plan(compile_plan(circuit_nodes)), cancellation(cancellation_token) {
  // Callers refuse spectra of unequal length; the shorter length keeps every read in bounds.
  const std::size_t n = std::min(spectrum.frequencies.size(), spectrum.impedances.size());
  omega.reserve(n);
  measured.reserve(n);
  weights.reserve(n);
  frequencies.points.reserve(n);
  // Preparing millions of points takes a while (much of it the first touch of the memory),
  // so it asks the token as evaluations do. A stop leaves the problem shorter than the
  // spectrum, which nothing reads: every evaluation asks the token first.
  for (std::size_t begin = 0; begin < n; begin += kChunk) {
    if (stop_before_chunk(*this, begin)) break;
    for (std::size_t i = begin; i < std::min(n, begin + kChunk); ++i) {
      omega.push_back(kTwoPi * spectrum.frequencies[i]);
      measured.push_back(spectrum.impedances[i]);
      weights.push_back(weight_of(scheme, measured[i]));
      frequencies.points.push_back(make_omega_point(omega[i]));
    }
  }
  imaginary_weights = weights;
}

Status residual_vector(const FitProblem& problem, std::span<const double> x, std::span<double> out) {
  problem.counter.increment();
  if (x.size() < problem.parameter_count()) return not_enough_values();
  const std::size_t n = problem.point_count();
  if (out.size() < 2 * n) return internal_error("residual_vector: output shorter than the residual count");
  if (problem.cancellation.stop_requested()) return interrupted_error();
  EvalWorkspace& workspace = thread_workspace(problem.plan);
  Complex model[kChunk];
  for (std::size_t begin = 0; begin < n; begin += kChunk) {
    if (begin > 0 && stop_before_chunk(problem, begin)) return interrupted_error();
    const std::size_t end = std::min(n, begin + kChunk);
    evaluate_plan(problem.plan, x.data(), problem.frequencies, begin, end, &workspace, model);
    for (std::size_t i = begin; i < end; ++i) {
      const Complex z = model[i - begin];
      const Complex measured = problem.measured[i];
      out[2 * i] = (z.re - measured.re) / problem.weights[i];
      out[2 * i + 1] = (z.im - measured.im) / problem.imaginary_weights[i];
    }
  }
  return {};
}

Result<std::vector<double>> residual_vector(const FitProblem& problem, std::span<const double> x) {
  std::vector<double> r(problem.residual_count());
  Status status = residual_vector(problem, x, r);
  if (!status) return status.take_error();
  return r;
}

double half_sum_of_squares(std::span<const double> r) {
  double sum = 0.0;
  for (const double v : r) sum += v * v;
  return 0.5 * sum;
}

// Both perturbed residual vectors are formed chunk by chunk and differenced at once. Each
// residual is computed exactly as residual_vector computes it, so the column equals
// (r+ - r-) / 2h of two whole vectors, and the counter still records two evaluations.
double jacobian_step(double value) {
  double magnitude = std::fabs(value);
  if (!(magnitude >= kStepFloor)) magnitude = kStepFloor;  // also catches NaN
  return kStepFactor * magnitude;
}

Status jacobian_column(const FitProblem& problem, std::span<const double> x, std::size_t j,
                       std::span<double> out) {
  problem.counter.increment();
  problem.counter.increment();
  if (x.size() < problem.parameter_count()) return not_enough_values();
  if (j >= x.size()) return internal_error("jacobian_column: parameter index out of range");
  const std::size_t n = problem.point_count();
  if (out.size() < 2 * n) return internal_error("jacobian_column: output shorter than the residual count");

  const double h = jacobian_step(x[j]);
  const double two_h = 2.0 * h;

  std::vector<double>& plus = thread_parameter_scratch();
  plus.assign(x.begin(), x.end());
  const double xj = x[j];

  EvalWorkspace& workspace = thread_workspace(problem.plan);
  Complex model_plus[kChunk];
  Complex model_minus[kChunk];
  for (std::size_t begin = 0; begin < n; begin += kChunk) {
    if (stop_before_chunk(problem, begin)) return interrupted_error();
    const std::size_t end = std::min(n, begin + kChunk);
    plus[j] = xj + h;
    evaluate_plan(problem.plan, plus.data(), problem.frequencies, begin, end, &workspace, model_plus);
    plus[j] = xj - h;
    evaluate_plan(problem.plan, plus.data(), problem.frequencies, begin, end, &workspace, model_minus);
    for (std::size_t i = begin; i < end; ++i) {
      const Complex measured = problem.measured[i];
      const double w = problem.weights[i];
      const double w_im = problem.imaginary_weights[i];
      const Complex zp = model_plus[i - begin];
      const Complex zm = model_minus[i - begin];
      const double re_plus = (zp.re - measured.re) / w;
      const double im_plus = (zp.im - measured.im) / w_im;
      const double re_minus = (zm.re - measured.re) / w;
      const double im_minus = (zm.im - measured.im) / w_im;
      out[2 * i] = (re_plus - re_minus) / two_h;
      out[2 * i + 1] = (im_plus - im_minus) / two_h;
    }
  }
  return {};
}

Status central_difference_jacobian(const FitProblem& problem, std::span<const double> x,
                                   std::vector<double>* out) {
  const std::size_t columns = x.size();
  const std::size_t rows = problem.residual_count();
  out->resize(columns * rows);
  if (columns == 0) return {};
  // Every column would fail the same way; report it once instead of from each task.
  if (columns < problem.parameter_count()) {
    problem.counter.add(2 * columns);
    return not_enough_values();
  }
  double* data = out->data();
  auto column_task = [&problem, x, data, rows](std::size_t j) {
    // Fails only when interrupted: x is long enough, j < x.size() and the column slot
    // holds `rows` entries. The token's answer is checked once all columns are done.
    (void)jacobian_column(problem, x, j, std::span<double>(data + j * rows, rows));
  };
  if (columns * problem.point_count() < kPoolMinimumWork) {
    for (std::size_t j = 0; j < columns; ++j) column_task(j);
  } else {
    parallel_for(columns, TaskRef(column_task), problem.cancellation);
  }
  if (problem.cancellation.stopped()) return interrupted_error();
  return {};
}

}  // namespace corvex
