// The joint Levenberg-Marquardt fit of a series: per-spectrum residuals and Jacobians on the
// worker pool, steps by Schur-complement elimination of each spectrum's own parameters.
#include "series/series_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <string>

#include <Eigen/Dense>

#include "fit/controlled_stage.h"
#include "fit/fit_controls.h"
#include "fit/resolution_threshold.h"
#include "fit/solver_coordinates.h"
#include "fit/student_t.h"
#include "series/schur_solver.h"
#include "util/worker_pool.h"

namespace corvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
// Damping beyond this means no step along the gradient lowers the cost: the fit has ended.
constexpr double kMaxLambda = 1e16;
constexpr double kMinLambda = 1e-15;

enum class Role { Local, Shared, Law };

// Where each circuit parameter lives in the solver's unknowns.
struct Layout {
  std::size_t parameters = 0;
  std::size_t spectra = 0;
  std::vector<Role> role;                    // per parameter
  std::vector<std::size_t> slot;             // Local: local index; Shared: global index; Law: law index
  std::vector<std::size_t> local_parameters; // parameter index of each local unknown
  std::vector<std::size_t> law_offset;       // global index of each law's first coefficient
  std::size_t global_count = 0;
  std::vector<ParamBounds> bounds;           // the catalogue's, which set the solver coordinates

  std::size_t local_count() const { return local_parameters.size(); }
};

// The unknowns: each spectrum's own parameters and the globals, in solver coordinates
// (shared and local parameters as in every fit; law coefficients as they are).
struct State {
  std::vector<double> local;  // spectra x L, row-major
  Eigen::VectorXd global;     // shared ones first, then the coefficients of each law
};

std::string parameter_label(const std::vector<std::string>& names, std::size_t index) {
  return index < names.size() ? names[index] : std::to_string(index);
}

Result<Layout> layout_of(const SeriesProblem& problem) {
  Layout layout;
  layout.parameters = parameter_count(problem.circuit);
  layout.spectra = problem.spectra.size();
  layout.bounds = param_bounds(problem.circuit);
  const std::vector<std::string> names = param_names(problem.circuit);
  if (layout.parameters == 0) return value_error("the circuit has no parameters to fit");
  if (layout.spectra == 0) return value_error("a series fit needs at least one spectrum");
  layout.role.assign(layout.parameters, Role::Local);
  layout.slot.assign(layout.parameters, 0);
  std::vector<bool> taken(layout.parameters, false);
  for (const std::size_t k : problem.shared) {
    if (k >= layout.parameters) return value_error("shared parameter index " + std::to_string(k) + " out of range");
    if (taken[k]) return value_error("parameter " + parameter_label(names, k) + " is shared twice");
    taken[k] = true;
    layout.role[k] = Role::Shared;
    layout.slot[k] = layout.global_count++;
  }
  for (std::size_t i = 0; i < problem.laws.size(); ++i) {
    const SeriesLaw& law = problem.laws[i];
    const std::size_t k = law.parameter;
    if (k >= layout.parameters) return value_error("law parameter index " + std::to_string(k) + " out of range");
    if (taken[k]) {
      return value_error("parameter " + parameter_label(names, k) + " is given more than one of shared and law");
    }
    if (law.coefficient_count == 0) return value_error("the law of " + names[k] + " has no coefficients");
    if (law.basis.size() != law.coefficient_count * layout.spectra) {
      return value_error("the law of " + names[k] + " needs one row of basis values per spectrum");
    }
    for (const double b : law.basis) {
      if (!std::isfinite(b)) return value_error("the law of " + names[k] + " is not finite at some spectrum's value");
    }
    taken[k] = true;
    layout.role[k] = Role::Law;
    layout.slot[k] = i;
    layout.law_offset.push_back(layout.global_count);
    layout.global_count += law.coefficient_count;
  }
  for (std::size_t k = 0; k < layout.parameters; ++k) {
    if (layout.role[k] != Role::Local) continue;
    layout.slot[k] = layout.local_parameters.size();
    layout.local_parameters.push_back(k);
  }
  if (problem.starts.size() != layout.spectra * layout.parameters) {
    return value_error("expected one start per spectrum and parameter (" +
                       std::to_string(layout.spectra * layout.parameters) + "), got " +
                       std::to_string(problem.starts.size()));
  }
  for (std::size_t s = 0; s < layout.spectra; ++s) {
    const Spectrum& spectrum = problem.spectra[s];
    if (spectrum.frequencies.empty() || spectrum.frequencies.size() != spectrum.impedances.size()) {
      return value_error("spectrum " + std::to_string(s) + " has no points or unequal frequencies and impedances");
    }
  }
  return layout;
}

double solver_value(const Layout& layout, std::size_t k, double x) {
  const ParamBounds& b = layout.bounds[k];
  return is_open_bound(b) ? std::log10(std::fmax(x - b.lo, 1e-300)) : x;
}

double physical_value(const Layout& layout, std::size_t k, double y) {
  const ParamBounds& b = layout.bounds[k];
  return is_open_bound(b) ? b.lo + std::pow(10.0, y) : y;
}

// d(physical)/d(solver coordinate) of parameter k at solver value y.
double coordinate_slope(const Layout& layout, std::size_t k, double y) {
  return is_open_bound(layout.bounds[k]) ? kLn10 * std::pow(10.0, y) : 1.0;
}

void clamp_into_bounds(const Layout& layout, std::size_t k, double* y) {
  const ParamBounds& b = layout.bounds[k];
  if (is_open_bound(b)) return;
  *y = std::fmin(std::fmax(*y, b.lo), b.hi);
}

double law_sum(const SeriesLaw& law, const Eigen::VectorXd& global, std::size_t offset, std::size_t s) {
  double sum = 0.0;
  for (std::size_t j = 0; j < law.coefficient_count; ++j) {
    sum += global[static_cast<Eigen::Index>(offset + j)] * law.basis[s * law.coefficient_count + j];
  }
  return sum;
}

// Spectrum s's physical values into x, and, when chain is given, d x / d(unknowns of s): a
// parameters x (L + G) matrix whose local columns come first.
void spectrum_values(const SeriesProblem& problem, const Layout& layout, const State& state, std::size_t s,
                     std::span<double> x, Eigen::MatrixXd* chain) {
  const std::size_t local_count = layout.local_count();
  if (chain != nullptr) chain->setZero(static_cast<Eigen::Index>(layout.parameters),
                                       static_cast<Eigen::Index>(local_count + layout.global_count));
  for (std::size_t k = 0; k < layout.parameters; ++k) {
    const auto row = static_cast<Eigen::Index>(k);
    switch (layout.role[k]) {
      case Role::Local: {
        const double y = state.local[s * local_count + layout.slot[k]];
        x[k] = physical_value(layout, k, y);
        if (chain != nullptr) (*chain)(row, static_cast<Eigen::Index>(layout.slot[k])) = coordinate_slope(layout, k, y);
        break;
      }
      case Role::Shared: {
        const double y = state.global[static_cast<Eigen::Index>(layout.slot[k])];
        x[k] = physical_value(layout, k, y);
        if (chain != nullptr) {
          (*chain)(row, static_cast<Eigen::Index>(local_count + layout.slot[k])) = coordinate_slope(layout, k, y);
        }
        break;
      }
      case Role::Law: {
        const SeriesLaw& law = problem.laws[layout.slot[k]];
        const std::size_t offset = layout.law_offset[layout.slot[k]];
        const double sum = law_sum(law, state.global, offset, s);
        x[k] = law.link == LawLink::Log ? std::exp(sum) : sum;
        if (chain != nullptr) {
          const double slope = law.link == LawLink::Log ? x[k] : 1.0;
          for (std::size_t j = 0; j < law.coefficient_count; ++j) {
            (*chain)(row, static_cast<Eigen::Index>(local_count + offset + j)) =
                slope * law.basis[s * law.coefficient_count + j];
          }
        }
        break;
      }
    }
  }
}

// Reused per thread: a spectrum's residuals, Jacobian and physical values.
struct Scratch {
  std::vector<double> residuals;
  std::vector<double> jacobian;
  std::vector<double> values;
  Eigen::MatrixXd chain;
};

Scratch& thread_scratch() {
  thread_local Scratch scratch;
  return scratch;
}

// The problem's evaluation machinery: one objective per spectrum, built once.
class SeriesEvaluator {
 public:
  SeriesEvaluator(const SeriesProblem& problem, const Layout& layout, const CancellationToken& cancellation)
      : problem_(problem), layout_(layout), cancellation_(cancellation) {
    objectives_.reserve(layout.spectra);
    for (const Spectrum& spectrum : problem.spectra) {
      objectives_.push_back(std::make_unique<FitProblem>(problem.circuit, spectrum, problem.weighting, cancellation));
    }
    costs_.assign(layout.spectra, 0.0);
  }

  // Each spectrum's cost at `state` into costs(); their sum in spectrum order, NaN when one is
  // not finite; nullopt when interrupted.
  std::optional<double> cost_at(const State& state) {
    auto task = [&](std::size_t s) {
      Scratch& scratch = thread_scratch();
      scratch.values.resize(layout_.parameters);
      scratch.residuals.resize(objectives_[s]->residual_count());
      spectrum_values(problem_, layout_, state, s, scratch.values, nullptr);
      Status status = residual_vector(*objectives_[s], scratch.values, scratch.residuals);
      costs_[s] = status ? half_sum_of_squares(scratch.residuals) : kNaN;
    };
    if (!parallel_for(layout_.spectra, TaskRef(task), cancellation_) || cancellation_.stopped()) return std::nullopt;
    return ordered_sum(costs_);
  }

  // The normal blocks of every spectrum at `state` (costs() too); false when interrupted.
  bool blocks_at(const State& state, std::vector<NormalBlocks>* blocks) {
    blocks->resize(layout_.spectra);
    const auto local_count = static_cast<Eigen::Index>(layout_.local_count());
    const auto global_count = static_cast<Eigen::Index>(layout_.global_count);
    auto task = [&](std::size_t s) {
      const FitProblem& objective = *objectives_[s];
      Scratch& scratch = thread_scratch();
      const std::size_t rows = objective.residual_count();
      const std::size_t columns = layout_.parameters;
      scratch.values.resize(columns);
      scratch.residuals.resize(rows);
      scratch.jacobian.resize(rows * columns);
      spectrum_values(problem_, layout_, state, s, scratch.values, &scratch.chain);
      Status status = residual_vector(objective, scratch.values, scratch.residuals);
      for (std::size_t j = 0; status && j < columns; ++j) {
        status = jacobian_column(objective, scratch.values, j, std::span<double>(scratch.jacobian.data() + j * rows, rows));
      }
      NormalBlocks& block = (*blocks)[s];
      costs_[s] = status ? half_sum_of_squares(scratch.residuals) : kNaN;
      const Eigen::Map<const Eigen::MatrixXd> jacobian(scratch.jacobian.data(), static_cast<Eigen::Index>(rows),
                                                       static_cast<Eigen::Index>(columns));
      const Eigen::Map<const Eigen::VectorXd> residuals(scratch.residuals.data(), static_cast<Eigen::Index>(rows));
      const Eigen::MatrixXd unknowns = jacobian * scratch.chain;  // rows x (L + G)
      const Eigen::MatrixXd normal = unknowns.transpose() * unknowns;
      const Eigen::VectorXd gradient = unknowns.transpose() * residuals;
      block.U = normal.topLeftCorner(local_count, local_count);
      block.W = normal.topRightCorner(local_count, global_count);
      block.V = normal.bottomRightCorner(global_count, global_count);
      block.b_local = gradient.head(local_count);
      block.b_global = gradient.tail(global_count);
    };
    return parallel_for(layout_.spectra, TaskRef(task), cancellation_) && !cancellation_.stopped();
  }

  const std::vector<double>& costs() const { return costs_; }
  const FitProblem& objective(std::size_t s) const { return *objectives_[s]; }

  std::uint64_t evaluations() const {
    std::uint64_t total = 0;
    for (const auto& objective : objectives_) total += objective->counter.value();
    return total;
  }

  std::size_t residual_count() const {
    std::size_t total = 0;
    for (const auto& objective : objectives_) total += objective->residual_count();
    return total;
  }

  static double ordered_sum(const std::vector<double>& values) {
    double sum = 0.0;
    for (const double v : values) sum += v;
    return std::isfinite(sum) ? sum : kNaN;
  }

 private:
  const SeriesProblem& problem_;
  const Layout& layout_;
  const CancellationToken& cancellation_;
  std::vector<std::unique_ptr<FitProblem>> objectives_;
  std::vector<double> costs_;
};

double median_of(std::vector<double> values) {
  std::sort(values.begin(), values.end(), total_order_less);
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// Least median of squares (Rousseeuw), then least squares over the rows it calls inliers: a
// few starts from independent fits in a mirror image (two arcs swapped) must not tilt a law's
// start, and one such start at the end of the series has the leverage to tilt a plain fit.
// The trial subsets come from a fixed sequence, so the start is the same on every run.
Eigen::VectorXd robust_least_squares(const Eigen::MatrixXd& basis, const Eigen::VectorXd& target) {
  const Eigen::Index rows = basis.rows(), m = basis.cols();
  const Eigen::VectorXd plain = basis.colPivHouseholderQr().solve(target);
  if (rows <= m + 1) return plain;
  constexpr int kTrials = 300;
  std::uint64_t sequence = 0x9E3779B97F4A7C15ULL;
  auto next_row = [&sequence, rows]() {
    sequence = sequence * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<Eigen::Index>((sequence >> 33) % static_cast<std::uint64_t>(rows));
  };
  std::vector<double> magnitudes(static_cast<std::size_t>(rows));
  auto median_residual = [&](const Eigen::VectorXd& coefficients) {
    const Eigen::VectorXd residuals = target - basis * coefficients;
    for (Eigen::Index r = 0; r < rows; ++r) magnitudes[static_cast<std::size_t>(r)] = std::fabs(residuals[r]);
    return median_of(magnitudes);
  };
  Eigen::VectorXd best = plain;
  double best_median = median_residual(plain);
  Eigen::MatrixXd subset(m, m);
  Eigen::VectorXd subset_target(m);
  for (int trial = 0; trial < kTrials; ++trial) {
    for (Eigen::Index j = 0; j < m; ++j) {
      const Eigen::Index r = next_row();
      subset.row(j) = basis.row(r);
      subset_target[j] = target[r];
    }
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> factor(subset);
    if (factor.rank() < m) continue;
    const Eigen::VectorXd candidate = factor.solve(subset_target);
    const double median = median_residual(candidate);
    if (median < best_median) {
      best_median = median;
      best = candidate;
    }
  }
  // Rousseeuw's scale with its small-sample factor; inliers lie within 2.5 of it.
  const double scale = 1.4826 * (1.0 + 5.0 / static_cast<double>(rows - m)) * best_median;
  const Eigen::VectorXd residuals = target - basis * best;
  std::vector<Eigen::Index> kept;
  for (Eigen::Index r = 0; r < rows; ++r) {
    if (std::fabs(residuals[r]) <= 2.5 * scale) kept.push_back(r);
  }
  if (kept.size() < static_cast<std::size_t>(m)) return best;
  Eigen::MatrixXd kept_basis(static_cast<Eigen::Index>(kept.size()), m);
  Eigen::VectorXd kept_target(static_cast<Eigen::Index>(kept.size()));
  for (std::size_t i = 0; i < kept.size(); ++i) {
    kept_basis.row(static_cast<Eigen::Index>(i)) = basis.row(kept[i]);
    kept_target[static_cast<Eigen::Index>(i)] = target[kept[i]];
  }
  return kept_basis.colPivHouseholderQr().solve(kept_target);
}

// Each spectrum's own start as it is; a shared parameter from the mean of its starts in
// solver coordinates; a law's coefficients by least squares of the linked starts on its basis.
Result<State> starting_state(const SeriesProblem& problem, const Layout& layout) {
  const std::vector<double> circuit_values = param_values(problem.circuit);
  const std::vector<std::string> names = param_names(problem.circuit);
  auto start_of = [&](std::size_t s, std::size_t k) {
    const double x = problem.starts[s * layout.parameters + k];
    return std::isfinite(x) ? x : circuit_values[k];
  };
  State state;
  const std::size_t local_count = layout.local_count();
  state.local.resize(layout.spectra * local_count);
  for (std::size_t s = 0; s < layout.spectra; ++s) {
    for (std::size_t l = 0; l < local_count; ++l) {
      const std::size_t k = layout.local_parameters[l];
      double y = solver_value(layout, k, start_of(s, k));
      clamp_into_bounds(layout, k, &y);
      state.local[s * local_count + l] = y;
    }
  }
  state.global = Eigen::VectorXd::Zero(static_cast<Eigen::Index>(layout.global_count));
  for (const std::size_t k : problem.shared) {
    // The median: one independent fit in a mirror image (two arcs swapped) must not move it.
    std::vector<double> starts(layout.spectra);
    for (std::size_t s = 0; s < layout.spectra; ++s) starts[s] = solver_value(layout, k, start_of(s, k));
    double y = median_of(std::move(starts));
    clamp_into_bounds(layout, k, &y);
    state.global[static_cast<Eigen::Index>(layout.slot[k])] = y;
  }
  for (std::size_t i = 0; i < problem.laws.size(); ++i) {
    const SeriesLaw& law = problem.laws[i];
    const auto m = static_cast<Eigen::Index>(law.coefficient_count);
    std::vector<std::size_t> rows;
    for (std::size_t s = 0; s < layout.spectra; ++s) {
      const double x = start_of(s, law.parameter);
      if (law.link == LawLink::Log ? x > 0.0 && std::isfinite(std::log(x)) : std::isfinite(x)) rows.push_back(s);
    }
    if (rows.size() < law.coefficient_count) {
      return value_error("the law of " + names[law.parameter] + " needs at least " +
                         std::to_string(law.coefficient_count) + " spectra whose start for it is " +
                         (law.link == LawLink::Log ? "positive" : "finite"));
    }
    Eigen::MatrixXd basis(static_cast<Eigen::Index>(rows.size()), m);
    Eigen::VectorXd target(static_cast<Eigen::Index>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const std::size_t s = rows[r];
      for (Eigen::Index j = 0; j < m; ++j) {
        basis(static_cast<Eigen::Index>(r), j) = law.basis[s * law.coefficient_count + static_cast<std::size_t>(j)];
      }
      const double x = start_of(s, law.parameter);
      target[static_cast<Eigen::Index>(r)] = law.link == LawLink::Log ? std::log(x) : x;
    }
    const Eigen::VectorXd coefficients = robust_least_squares(basis, target);
    if (!coefficients.allFinite()) {
      return value_error("the law of " + names[law.parameter] + " cannot be started from the spectra's starts");
    }
    state.global.segment(static_cast<Eigen::Index>(layout.law_offset[i]), m) = coefficients;
  }
  return state;
}

// Each spectrum's own parameters refitted by the multistart stage with its shared and law
// values held at the joint start, once from its own start and once from the median of every
// spectrum's: an independent fit in a mirror image (two arcs swapped) is a minimum the joint
// steps cannot leave, and its own values are no way out of it either. The refit of lowest
// cost is kept where it lowers the spectrum's cost. False when interrupted.
bool refit_locals(const SeriesProblem& problem, const Layout& layout, const SeriesEvaluator& evaluator,
                  const CancellationToken& cancellation, State* state) {
  const std::size_t local_count = layout.local_count();
  if (local_count == 0 || layout.global_count == 0) return true;
  const std::vector<std::string> names = param_names(problem.circuit);
  std::vector<double> typical(local_count);
  for (std::size_t l = 0; l < local_count; ++l) {
    std::vector<double> column(layout.spectra);
    for (std::size_t s = 0; s < layout.spectra; ++s) column[s] = state->local[s * local_count + l];
    typical[l] = median_of(std::move(column));
  }
  auto task = [&](std::size_t s) {
    std::vector<double> x(layout.parameters);
    spectrum_values(problem, layout, *state, s, x, nullptr);
    FitControls controls;
    for (std::size_t k = 0; k < layout.parameters; ++k) {
      if (layout.role[k] != Role::Local) controls.fixed.emplace_back(names[k], x[k]);
    }
    Result<ResolvedControls> resolved = resolve_controls(problem.circuit, controls);
    if (!resolved) return;  // a law value off the catalogue's range: the joint steps start as they are
    const FitProblem& objective = evaluator.objective(s);
    Result<std::vector<double>> before = residual_vector(objective, x);
    if (!before) return;
    double best_cost = half_sum_of_squares(*before);
    std::vector<double> best;
    std::vector<double> from_typical = x;
    for (std::size_t l = 0; l < local_count; ++l) {
      from_typical[layout.local_parameters[l]] = physical_value(layout, layout.local_parameters[l], typical[l]);
    }
    for (const std::vector<double>* start : {&x, &from_typical}) {
      Result<StagePoint> refit = controlled_lm_stage(objective, *resolved, *start, LmSettings{});
      if (refit && refit->cost < best_cost) {
        best_cost = refit->cost;
        best = refit->x;
      }
    }
    if (best.empty()) return;
    for (std::size_t l = 0; l < local_count; ++l) {
      const std::size_t k = layout.local_parameters[l];
      double y = solver_value(layout, k, best[k]);
      clamp_into_bounds(layout, k, &y);
      state->local[s * local_count + l] = y;
    }
  };
  return parallel_for(layout.spectra, TaskRef(task), cancellation) && !cancellation.stopped();
}

State stepped(const Layout& layout, const State& state, const SchurStep& step) {
  State next = state;
  const std::size_t local_count = layout.local_count();
  for (std::size_t s = 0; s < layout.spectra; ++s) {
    for (std::size_t l = 0; l < local_count; ++l) {
      double& y = next.local[s * local_count + l];
      y += step.local[s][static_cast<Eigen::Index>(l)];
      clamp_into_bounds(layout, layout.local_parameters[l], &y);
    }
  }
  next.global += step.global;
  for (std::size_t k = 0; k < layout.parameters; ++k) {
    if (layout.role[k] == Role::Shared) clamp_into_bounds(layout, k, &next.global[static_cast<Eigen::Index>(layout.slot[k])]);
  }
  return next;
}

// Euclidean lengths of the step and of the state, summed in order.
std::pair<double, double> step_and_state_norms(const State& state, const SchurStep& step) {
  double step_sum = step.global.squaredNorm();
  double state_sum = state.global.squaredNorm();
  for (const Eigen::VectorXd& local : step.local) step_sum += local.squaredNorm();
  for (const double y : state.local) state_sum += y * y;
  return {std::sqrt(step_sum), std::sqrt(state_sum)};
}

// Standard errors of every spectrum's physical values and the globals' covariance, from the
// block inverse of J^T J at the solution scaled by the residual variance.
Status fill_uncertainty(const SeriesProblem& problem, const Layout& layout, const State& state,
                        std::span<const NormalBlocks> blocks, const CancellationToken& cancellation,
                        SeriesSummary* summary) {
  const std::size_t local_count = layout.local_count();
  const std::size_t global_count = layout.global_count;
  const std::size_t free_count = summary->free_count;
  summary->residual_variance =
      summary->residual_count > free_count ? 2.0 * summary->cost / static_cast<double>(summary->residual_count - free_count)
                                           : kNaN;
  const double variance = summary->residual_variance;
  summary->t_quantile = std::isnan(variance) ? kNaN
                        : student_t_quantile(0.975, static_cast<double>(summary->residual_count - free_count));
  Result<BlockCovariance> inverse = block_covariance(blocks, kMinReciprocalCondition, cancellation);
  if (!inverse) return inverse.take_error();
  const BlockCovariance& covariance = *inverse;

  // The globals in reported coordinates: shared ones physical, law coefficients as they are.
  Eigen::VectorXd slope = Eigen::VectorXd::Ones(static_cast<Eigen::Index>(global_count));
  for (const std::size_t k : problem.shared) {
    const auto g = static_cast<Eigen::Index>(layout.slot[k]);
    slope[g] = coordinate_slope(layout, k, state.global[g]);
  }
  const Eigen::MatrixXd global = variance * (slope.asDiagonal() * covariance.global * slope.asDiagonal());
  summary->global_covariance.resize(global_count * global_count);
  summary->global_unresolved = covariance.global_unresolved;
  for (std::size_t i = 0; i < global_count; ++i) {
    for (std::size_t j = 0; j < global_count; ++j) {
      const bool unresolved = covariance.global_unresolved[i] || covariance.global_unresolved[j];
      summary->global_covariance[i * global_count + j] =
          unresolved ? kNaN : global(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(j));
    }
  }

  summary->standard_errors.assign(layout.spectra * layout.parameters, kNaN);
  auto task = [&](std::size_t s) {
    Scratch& scratch = thread_scratch();
    scratch.values.resize(layout.parameters);
    spectrum_values(problem, layout, state, s, scratch.values, &scratch.chain);
    const auto l = static_cast<Eigen::Index>(local_count);
    const auto g = static_cast<Eigen::Index>(global_count);
    Eigen::MatrixXd joint(l + g, l + g);
    joint.topLeftCorner(l, l) = covariance.local[s];
    joint.topRightCorner(l, g) = covariance.cross[s];
    joint.bottomLeftCorner(g, l) = covariance.cross[s].transpose();
    joint.bottomRightCorner(g, g) = covariance.global;
    std::vector<bool> unresolved(static_cast<std::size_t>(l + g));
    for (std::size_t i = 0; i < local_count; ++i) unresolved[i] = covariance.local_unresolved[s][i];
    for (std::size_t i = 0; i < global_count; ++i) unresolved[local_count + i] = covariance.global_unresolved[i];
    for (std::size_t k = 0; k < layout.parameters; ++k) {
      const Eigen::RowVectorXd row = scratch.chain.row(static_cast<Eigen::Index>(k));
      bool infinite = false;
      for (Eigen::Index c = 0; c < l + g; ++c) infinite = infinite || (row[c] != 0.0 && unresolved[static_cast<std::size_t>(c)]);
      const double value = variance * (row * joint * row.transpose())(0, 0);
      summary->standard_errors[s * layout.parameters + k] =
          std::isnan(variance) ? kNaN : infinite ? kInf : std::sqrt(std::fmax(value, 0.0));
    }
  };
  if (!parallel_for(layout.spectra, TaskRef(task), cancellation) || cancellation.stopped()) return interrupted_error();
  return {};
}

}  // namespace

Result<SeriesSummary> fit_series(const SeriesProblem& problem, const SeriesOptions& options,
                                 const CancellationToken& cancellation) {
  Result<Layout> laid_out = layout_of(problem);
  if (!laid_out) return laid_out.take_error();
  const Layout& layout = *laid_out;
  Result<State> started = starting_state(problem, layout);
  if (!started) return started.take_error();
  State state = std::move(*started);

  SeriesEvaluator evaluator(problem, layout, cancellation);
  if (options.refit_locals && !refit_locals(problem, layout, evaluator, cancellation, &state)) return interrupted_error();
  std::vector<NormalBlocks> blocks;
  if (!evaluator.blocks_at(state, &blocks)) return interrupted_error();
  double cost = SeriesEvaluator::ordered_sum(evaluator.costs());
  if (!std::isfinite(cost)) return value_error("the series' starting values give a non-finite cost");

  SeriesSummary summary;
  double lambda = options.initial_damping;
  double growth = 2.0;
  summary.termination = "iteration limit reached";
  while (summary.iterations < options.max_iterations) {
    ++summary.iterations;
    if (cost == 0.0) {
      summary.converged = true;
      summary.termination = "the cost is zero";
      break;
    }
    Result<SchurStep> step = solve_damped(blocks, lambda, cancellation);
    if (!step) {
      if (step.error().kind == ErrorKind::Interrupted) return step.take_error();
      lambda *= growth;
      growth *= 2.0;
      continue;
    }
    const auto [step_norm, state_norm] = step_and_state_norms(state, *step);
    if (step_norm <= options.parameter_tolerance * (state_norm + options.parameter_tolerance)) {
      summary.converged = true;
      summary.termination = "the step is below the parameter tolerance";
      break;
    }
    State trial = stepped(layout, state, *step);
    const std::optional<double> trial_cost = evaluator.cost_at(trial);
    if (!trial_cost) return interrupted_error();
    if (std::isfinite(*trial_cost) && *trial_cost < cost) {
      const double reduction = cost - *trial_cost;
      const double ratio = step->predicted_reduction > 0.0 ? reduction / step->predicted_reduction : 0.0;
      state = std::move(trial);
      if (!evaluator.blocks_at(state, &blocks)) return interrupted_error();
      const double previous = cost;
      cost = SeriesEvaluator::ordered_sum(evaluator.costs());
      const double shrink = 1.0 - std::pow(2.0 * ratio - 1.0, 3.0);
      lambda = std::fmax(lambda * std::fmax(1.0 / 3.0, shrink), kMinLambda);
      growth = 2.0;
      if (previous - cost <= options.function_tolerance * previous) {
        summary.converged = true;
        summary.termination = "the cost reduction is below the function tolerance";
        break;
      }
    } else {
      lambda *= growth;
      growth *= 2.0;
      if (lambda > kMaxLambda) {
        summary.converged = true;
        summary.termination = "no step lowers the cost";
        break;
      }
    }
  }

  summary.spectrum_count = layout.spectra;
  summary.parameter_count = layout.parameters;
  summary.values.resize(layout.spectra * layout.parameters);
  for (std::size_t s = 0; s < layout.spectra; ++s) {
    spectrum_values(problem, layout, state, s,
                    std::span<double>(summary.values.data() + s * layout.parameters, layout.parameters), nullptr);
  }
  summary.global_values.resize(layout.global_count);
  for (std::size_t g = 0; g < layout.global_count; ++g) summary.global_values[g] = state.global[static_cast<Eigen::Index>(g)];
  for (const std::size_t k : problem.shared) {
    const std::size_t g = layout.slot[k];
    summary.global_values[g] = physical_value(layout, k, state.global[static_cast<Eigen::Index>(g)]);
  }
  summary.spectrum_costs = evaluator.costs();
  for (std::size_t s = 0; s < layout.spectra; ++s) summary.spectrum_points.push_back(evaluator.objective(s).point_count());
  summary.cost = cost;
  summary.residual_count = evaluator.residual_count();
  summary.free_count = layout.spectra * layout.local_count() + layout.global_count;
  if (options.covariance) {
    Status status = fill_uncertainty(problem, layout, state, blocks, cancellation, &summary);
    if (!status) return status.take_error();
  } else {
    summary.standard_errors.assign(layout.spectra * layout.parameters, kNaN);
    summary.global_covariance.assign(layout.global_count * layout.global_count, kNaN);
    summary.global_unresolved.assign(layout.global_count, false);
    summary.residual_variance = kNaN;
    summary.t_quantile = kNaN;
  }
  summary.evaluations = evaluator.evaluations();
  return summary;
}

}  // namespace corvex
