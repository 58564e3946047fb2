// Resolution of fixed values, narrowed bounds and residual weights against one circuit,
// with the messages a caller sees for names, values and limits that cannot be used.
#include "fit/fit_controls.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "util/number_text.h"
#include "util/quote.h"

namespace corvex {
namespace {

constexpr double kWeightFloor = 1e-30;

std::string join_lines(const std::vector<std::string>& lines) {
  std::string message;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) message += '\n';
    message += lines[i];
  }
  return message;
}

// Every unknown name of both tables, each with its suggestion, then the table of valid names.
Status check_names(const SeriesList& circuit, const FitControls& controls) {
  const std::vector<std::string> names = param_names(circuit);
  std::vector<std::string> lines;
  auto check = [&](const std::string& key) {
    if (std::find(names.begin(), names.end(), key) == names.end()) {
      lines.push_back(unknown_parameter_line(key, names));
    }
  };
  for (const auto& entry : controls.fixed) check(entry.first);
  for (const auto& entry : controls.bounds) check(entry.first);
  if (lines.empty()) return {};
  const std::vector<std::string> table = valid_parameter_lines(circuit);
  lines.insert(lines.end(), table.begin(), table.end());
  return value_error(join_lines(lines));
}

std::string limits_text(const ParamBounds& b) {
  std::string text = "(";
  text += number_text(b.lo);
  text += ", ";
  text += number_text(b.hi);
  text += ")";
  return text;
}

}  // namespace

bool ResolvedControls::anything_free() const {
  for (std::size_t i = 0; i < fixed.size(); ++i) {
    if (!fixed[i] && limits[i].lo < limits[i].hi) return true;
  }
  return false;
}

Result<ResolvedControls> resolve_controls(const SeriesList& circuit, const FitControls& controls) {
  Status names_ok = check_names(circuit, controls);
  if (!names_ok) return names_ok.take_error();

  const std::vector<std::string> names = param_names(circuit);
  const std::vector<ParamBounds> catalogue = param_bounds(circuit);
  const std::size_t n = names.size();
  ResolvedControls out;
  out.fixed.assign(n, false);
  out.fixed_values.assign(n, std::numeric_limits<double>::quiet_NaN());
  out.limits = catalogue;
  out.coordinates = catalogue;
  out.limited.assign(n, false);
  out.reachable.assign(n, false);

  // Parameters sharing a name share their controls, as they share values in with_named_values.
  for (const auto& [name, value] : controls.fixed) {
    if (!std::isfinite(value)) {
      return value_error("fixed value of " + quoted(name) + " must be finite, got " + number_text(value));
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (names[i] != name) continue;
      // A value the element cannot take (a negative resistance, an exponent above 1) would
      // be fitted around as if it were one, and the fit reported as converged.
      if (!(value >= catalogue[i].lo && value <= catalogue[i].hi)) {
        return value_error("fixed value of " + quoted(name) + " must lie within the parameter's range " +
                           limits_text(catalogue[i]) + ", got " + number_text(value));
      }
      out.fixed[i] = true;
      out.fixed_values[i] = value;
    }
  }
  for (const auto& [name, given] : controls.bounds) {
    if (std::isnan(given.lo) || std::isnan(given.hi) || !(given.lo <= given.hi)) {
      return value_error("bounds of " + quoted(name) + " must be (low, high) with low <= high, got " +
                         limits_text(given));
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (names[i] != name) continue;
      const ParamBounds narrowed{std::max(given.lo, out.limits[i].lo), std::min(given.hi, out.limits[i].hi)};
      if (!(narrowed.lo <= narrowed.hi)) {
        return value_error("bounds " + limits_text(given) + " of " + quoted(name) +
                           " leave nothing of the parameter's range " + limits_text(catalogue[i]));
      }
      out.limits[i] = narrowed;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    out.limited[i] = std::isfinite(out.limits[i].hi);
    // In log coordinates a run never reaches the catalogue's lower bound; every other limit
    // it can cross.
    out.reachable[i] = out.limited[i] || out.limits[i].lo > catalogue[i].lo;
  }
  return out;
}

Status validate_weighting(const FitControls& controls, const Spectrum& spectrum) {
  if (controls.weighting != ResidualWeighting::StandardDeviations) return {};
  const std::size_t n = spectrum.impedances.size();
  if (controls.sigma_real.size() != n || controls.sigma_imaginary.size() != n) {
    return value_error("expected one standard deviation per point (" + std::to_string(n) + "), got " +
                       std::to_string(controls.sigma_real.size()));
  }
  for (std::size_t i = 0; i < n; ++i) {
    for (const double s : {controls.sigma_real[i], controls.sigma_imaginary[i]}) {
      if (!(s > 0.0) || !std::isfinite(s)) {
        return value_error("standard deviations must be finite and positive, got " + number_text(s) +
                           " at point " + std::to_string(i));
      }
    }
  }
  return {};
}

std::unique_ptr<FitProblem> controlled_problem(const SeriesList& circuit, const Spectrum& spectrum,
                                               const FitControls& controls, const CancellationToken& cancellation) {
  const bool modulus = controls.weighting == ResidualWeighting::Modulus;
  auto problem = std::make_unique<FitProblem>(circuit, spectrum, modulus ? WeightScheme::Modulus : WeightScheme::Unit,
                                              cancellation);
  const std::size_t n = problem->point_count();
  if (controls.weighting == ResidualWeighting::StandardDeviations) {
    problem->weights.assign(controls.sigma_real.begin(), controls.sigma_real.begin() + n);
    problem->imaginary_weights.assign(controls.sigma_imaginary.begin(), controls.sigma_imaginary.begin() + n);
  } else if (controls.weighting == ResidualWeighting::Proportional) {
    for (std::size_t i = 0; i < n; ++i) {
      // fmax ignores a NaN operand, so a NaN part yields the floor, as the modulus scheme does.
      problem->weights[i] = std::fmax(std::fabs(problem->measured[i].re), kWeightFloor);
      problem->imaginary_weights[i] = std::fmax(std::fabs(problem->measured[i].im), kWeightFloor);
    }
  }
  return problem;
}

void enforce_controls(const ResolvedControls& controls, std::span<double> x) {
  const std::size_t n = std::min(x.size(), controls.fixed.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (controls.fixed[i]) {
      x[i] = controls.fixed_values[i];
    } else {
      x[i] = std::min(std::max(x[i], controls.limits[i].lo), controls.limits[i].hi);
    }
  }
}

}  // namespace corvex
