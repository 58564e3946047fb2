// Runs test (Wald and Wolfowitz 1940) with the normal approximation, and the order of a
// discovery: BIC as the ranking orders, flags informing only, the simplest adequate fit first.
#include "discovery/candidate_scores.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>
#include <utility>

#include "discovery/candidate_fits.h"
#include "models/model_registry.h"

namespace corvex {

namespace {

struct RunCount {
  double runs = 0.0;
  double mean = 0.0;
  double variance = 0.0;
  bool both_signs = false;
};

RunCount count_runs(const std::vector<double>& residuals) {
  RunCount count;
  double positive = 0.0, negative = 0.0;
  int previous = 0;
  for (double r : residuals) {
    const int sign = r > 0.0 ? 1 : (r < 0.0 ? -1 : 0);
    if (sign == 0) continue;  // an exact residual belongs to neither run
    (sign > 0 ? positive : negative) += 1.0;
    if (sign != previous) count.runs += 1.0;
    previous = sign;
  }
  const double n = positive + negative;
  count.both_signs = positive > 0.0 && negative > 0.0;
  if (!count.both_signs) return count;
  count.mean = 2.0 * positive * negative / n + 1.0;
  count.variance = (count.mean - 1.0) * (count.mean - 2.0) / (n - 1.0);
  return count;
}

}  // namespace

double runs_test_p(const Spectrum& spectrum, const std::vector<Complex>& model) {
  const std::size_t n = std::min(spectrum.frequencies.size(), model.size());
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return spectrum.frequencies[a] < spectrum.frequencies[b]; });
  std::vector<double> real, imaginary;
  for (std::size_t i : order) {
    real.push_back(spectrum.impedances[i].re - model[i].re);
    imaginary.push_back(spectrum.impedances[i].im - model[i].im);
  }
  double runs = 0.0, mean = 0.0, variance = 0.0;
  bool any = false;
  for (const RunCount& part : {count_runs(real), count_runs(imaginary)}) {
    if (!part.both_signs) continue;
    any = true;
    runs += part.runs;
    mean += part.mean;
    variance += part.variance;
  }
  if (!any || !(variance > 0.0)) return std::numeric_limits<double>::quiet_NaN();
  const double z = (runs - mean) / std::sqrt(variance);
  return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

namespace {

template <class Test>
std::vector<bool> cpe_exponents_where(const SeriesList& circuit, const std::vector<double>& values, Test test) {
  std::vector<bool> flags(values.size(), false);
  for (const FlatElement& element : flatten_elements(circuit)) {
    const std::size_t exponent = element.first_param + 1;
    if (element.node->element.kind == ElementKind::Cpe && exponent < values.size()) {
      flags[exponent] = test(values[exponent]);
    }
  }
  return flags;
}

}  // namespace

std::vector<bool> low_cpe_exponents(const SeriesList& circuit, const std::vector<double>& values) {
  return cpe_exponents_where(circuit, values, [](double alpha) { return alpha < kLowCpeExponent; });
}

std::vector<bool> ideal_cpe_exponents(const SeriesList& circuit, const std::vector<double>& values) {
  return cpe_exponents_where(circuit, values, [](double alpha) { return alpha >= 1.0 - kIdealExponentMargin; });
}

std::vector<std::size_t> lowest_bic(const std::vector<DiscoveredFit>& fits, std::size_t count) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < fits.size(); ++i) {
    if (fits[i].fitted() && !std::isnan(fits[i].ranked.bic)) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return fits[a].ranked.bic < fits[b].ranked.bic; });
  if (order.size() > count) order.resize(count);
  return order;
}

std::vector<std::size_t> discovery_order(const std::vector<DiscoveredFit>& fits) {
  auto listed = [&](const DiscoveredFit& fit) { return fit.fitted() && !fit.duplicate; };
  auto key = [](const DiscoveredFit& fit) {
    return fit.fitted() && !std::isnan(fit.ranked.bic) ? fit.ranked.bic : std::numeric_limits<double>::infinity();
  };
  std::vector<std::size_t> order(fits.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const bool la = listed(fits[a]), lb = listed(fits[b]);
    return la != lb ? la : key(fits[a]) < key(fits[b]);
  });
  if (order.empty() || !listed(fits[order[0]]) || !std::isfinite(key(fits[order[0]]))) return order;
  auto simplicity = [&](std::size_t i) {
    const SeriesList& circuit = fits[i].ranked.outcome->circuit.nodes;
    return std::make_tuple(!lookup_registry(circuit).has_value(), fits[i].ranked.outcome->values.size(),
                           nesting_depth(circuit));
  };
  std::size_t simplest = 0;
  for (std::size_t r = 1; r < order.size() && listed(fits[order[r]]) &&
                          key(fits[order[r]]) - key(fits[order[0]]) <= kAdequateBic;
       ++r) {
    if (simplicity(order[r]) < simplicity(order[simplest])) simplest = r;
  }
  std::rotate(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(simplest),
              order.begin() + static_cast<std::ptrdiff_t>(simplest) + 1);
  return order;
}

}  // namespace corvex
