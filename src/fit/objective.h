// The weighted least-squares objective every fitting method minimises: the fit problem,
// its evaluation counter, the interleaved residual vector, its cost and its Jacobian.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/eval_plan.h"
#include "util/cancellation.h"
#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

enum class WeightScheme {
  Modulus,  // divide point i by max(|Z_i|, 1e-30)
  Unit,     // no weighting
};

// "modulus" or "unit", exactly; nullopt otherwise.
std::optional<WeightScheme> parse_weight_scheme(std::string_view keyword);
// "unknown weight scheme \"...\", expected \"modulus\" or \"unit\""
std::string unknown_weight_scheme_message(std::string_view keyword);

// Number of whole residual vectors computed for one fit, shared by all threads working on it.
class EvalCounter {
 public:
  void increment() { count_.fetch_add(1, std::memory_order_seq_cst); }
  void add(std::uint64_t n) { count_.fetch_add(n, std::memory_order_seq_cst); }
  std::uint64_t value() const { return count_.load(std::memory_order_seq_cst); }

 private:
  std::atomic<std::uint64_t> count_{0};
};

// Everything needed to evaluate the objective of one fit. Built once per call; read-only
// afterwards except for its counter. Not copyable: workers share it by reference.
struct FitProblem {
  FitProblem(const SeriesList& circuit, const Spectrum& spectrum, WeightScheme scheme,
             const CancellationToken& cancellation = no_cancellation());
  FitProblem(const FitProblem&) = delete;
  FitProblem& operator=(const FitProblem&) = delete;

  SeriesList circuit;             // own copy of the tree: layout, names and bounds
  EvalPlan plan;                  // the tree compiled for evaluation over all frequencies
  std::vector<double> omega;      // 2*pi*f, in measurement order
  FrequencyCache frequencies;     // per-omega quantities shared by every evaluation
  std::vector<Complex> measured;  // same order as omega
  std::vector<double> weights;    // per point, from the weight scheme: divides the real part
  // Divides the imaginary part: a copy of weights, which an error model that treats the two
  // parts differently replaces right after construction.
  std::vector<double> imaginary_weights;
  mutable EvalCounter counter;
  const CancellationToken& cancellation;  // asked before every evaluation; outlives the problem

  std::size_t point_count() const { return omega.size(); }
  std::size_t residual_count() const { return 2 * omega.size(); }
  std::size_t parameter_count() const { return plan.param_count; }
};

// Interleaved residuals [re0, im0, re1, im1, ...] of (model - measured) / weight at the
// physical parameter vector x, into out (residual_count() entries). Counts one evaluation.
// Fails with "impedance_from_iter: not enough values supplied" when x is too short, and with
// the interrupted error when the problem's token asks to stop (also midway on long spectra).
Status residual_vector(const FitProblem& problem, std::span<const double> x, std::span<double> out);
Result<std::vector<double>> residual_vector(const FitProblem& problem, std::span<const double> x);

// 0.5 * sum of squares, summed in order from zero.
double half_sum_of_squares(std::span<const double> r);

// The step of the central difference by a parameter at `value`: the cube root of machine
// epsilon times |value|, which is floored at 1e-8 (also when NaN).
double jacobian_step(double value);

// Central-difference derivative of the residuals with respect to x[j], into out.
Status jacobian_column(const FitProblem& problem, std::span<const double> x, std::size_t j,
                       std::span<double> out);

// All x.size() columns, computed on the worker pool. Column-major: column j occupies
// out[j * residual_count() .. (j+1) * residual_count()). Stops early with the interrupted error.
Status central_difference_jacobian(const FitProblem& problem, std::span<const double> x,
                                   std::vector<double>* out);

}  // namespace corvex
