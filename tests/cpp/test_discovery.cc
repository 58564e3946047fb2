// Unit tests of circuit discovery's candidates: canonical forms merge what has one impedance
// family and nothing else, the grammar never lists a family twice, the runs test's tails, the order.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "check.h"
#include "circuit/notation.h"
#include "discovery/candidate_fits.h"
#include "discovery/candidate_form.h"
#include "discovery/candidate_grammar.h"
#include "discovery/candidate_nesting.h"
#include "discovery/candidate_pruning.h"
#include "discovery/candidate_scores.h"
#include "discovery/carried_candidates.h"

using namespace corvex;

namespace {
std::string key(const std::string& notation) {
  auto parsed = parse_notation(notation);
  CHECK(parsed.index() == 0);
  return parsed.index() == 0 ? canonical_key(std::get<0>(parsed)) : std::string();
}
}  // namespace

TEST_CASE("canonical keys merge reorderings and mergeable elements only") {
  const std::pair<const char*, const char*> same[] = {
      {"R0-(R1,C1)", "(C1,R1)-R0"},         {"R0-R5-(R1,C2)", "(R1,C2)-R0"},
      {"R0-(R1,R2)", "R0"},                 {"R0-(C1,C2,R1)", "R0-(R1,C1)"},
      {"R0-(R1,(C1,CPE1))", "R0-(R1,C1,CPE1)"}, {"C1-C2-R0", "R0-C1"},
      {"R0-((R1-W1),CPE1)", "R0-(CPE1,R1-W1)"}, {"W1-R0-W2", "R0-W1"},
      {"R0-(C1,R1-(R2,C2))", "R0-(R1,C1)-(R2,C2)"},  // an RC ladder is a chain of RC arcs
      {"R0-(C1,R1-(C2,R2-(R3,C3)))", "R0-(R1,C1)-(R2,C2)-(R3,C3)"},
  };
  for (const auto& [a, b] : same) CHECK_EQ(key(a), key(b));
  const std::pair<const char*, const char*> different[] = {
      {"R0-CPE1-CPE2", "R0-CPE1"}, {"R0-(CPE1,CPE2)", "R0-CPE1"}, {"R0-Wo1-Wo2", "R0-Wo1"},
      {"R0-(R1,C1)-(R2,C2)", "R0-(R1,C1)"}, {"R0-(R1-W1,C1)", "R0-(R1,C1)-W1"},
      {"R0-(CPE1,R1-(R2,CPE2))", "R0-(R1,CPE1)-(R2,CPE2)"}, {"R0-(C1,R1-(R2,C2)-W1)", "R0-(R1,C1)-(R2,C2)-W1"},
  };
  for (const auto& [a, b] : different) CHECK(key(a) != key(b));
}

TEST_CASE("canonical notation parses back to the same key") {
  for (const char* text : {"(C1,R1-(R2,CPE2)-Wo2)-R0-L0", "R0-(R1,C1)-(R2,C2)-W1"}) {
    auto parsed = parse_notation(text);
    CHECK(parsed.index() == 0);
    const std::string notation = canonical_notation(std::get<0>(parsed));
    CHECK_EQ(key(notation), key(text));
  }
}

TEST_CASE("the grammar lists every family once, within the limits") {
  CandidateLimits limits;
  const std::vector<CircuitCandidate> all = enumerate_candidates(limits);
  std::set<std::string> keys;
  for (const CircuitCandidate& c : all) {
    CHECK(keys.insert(c.key).second);
    CHECK_EQ(key(c.notation), c.key);
    CHECK(c.parameters <= limits.max_parameters);
    CHECK_EQ(parameter_count(c.circuit.nodes), c.parameters);
  }
  CHECK(keys.count(key("R0-(R1,C1)-(R2,C2)")) == 1);
  CHECK(keys.count(key("L0-R0-(R1,CPE1)-(R2-Wo2,CPE2)")) == 1);
  limits.inductor = false;
  limits.max_arcs = 1;
  for (const CircuitCandidate& c : enumerate_candidates(limits)) {
    CHECK(c.key.find('L') == std::string::npos);
    CHECK(std::count(c.key.begin(), c.key.end(), 'p') <= 1);
  }
}

TEST_CASE("the runs test finds long runs and passes alternating signs") {
  Spectrum spectrum;
  std::vector<Complex> runs, alternating;
  for (int i = 0; i < 40; ++i) {
    spectrum.frequencies.push_back(std::pow(10.0, i / 8.0));
    spectrum.impedances.push_back(Complex{1.0, -1.0});
    const double block = i < 20 ? 0.01 : -0.01, flip = i % 2 ? 0.01 : -0.01;
    runs.push_back(Complex{1.0 - block, -1.0 - block});
    alternating.push_back(Complex{1.0 - flip, -1.0 + flip});
  }
  CHECK(runs_test_p(spectrum, runs) < 1e-6);
  CHECK(runs_test_p(spectrum, alternating) > 0.5);
}

namespace {
// The noise-free spectrum of `notation` at `values`, 60 points from 100 kHz to 10 mHz.
Spectrum sixty_point_spectrum(const char* notation, const std::vector<double>& values) {
  auto parsed = parse_notation(notation);
  const SeriesList circuit = rebuild_with_values(std::get<0>(parsed), values.data());
  Spectrum spectrum;
  for (int i = 0; i < 60; ++i) {
    const double f = std::pow(10.0, 5.0 - 7.0 * i / 59.0);
    spectrum.frequencies.push_back(f);
    spectrum.impedances.push_back(impedance_at(circuit, 2.0 * std::numbers::pi * f));
  }
  return spectrum;
}

// R0-p(R1,C1)-p(R2,C2) with time constants 1e-4 s and 1 s.
Spectrum two_arc_spectrum() {
  return sixty_point_spectrum("R0-(R1,C1)-(R2,C2)", {10.0, 40.0, 2.5e-6, 60.0, 1.0 / 60.0});
}
}  // namespace

TEST_CASE("arcs merged into one relaxation-time peak still count by their shoulders") {
  // Two Gaussians two widths apart, the second half as high: one maximum and a shoulder.
  std::vector<double> x, one, merged;
  for (int k = 0; k <= 280; ++k) {
    x.push_back(-6.0 + 0.05 * k);
    one.push_back(std::exp(-0.5 * x.back() * x.back()));
    merged.push_back(one.back() + 0.5 * std::exp(-0.5 * (x.back() - 2.0) * (x.back() - 2.0)));
  }
  CHECK_EQ(concave_stretches(x, one, -6.0, 8.0), std::size_t{1});
  CHECK_EQ(concave_stretches(x, merged, -6.0, 8.0), std::size_t{2});

  // Three CPE arcs a decade apart (exponents near 0.85) whose distribution shows one peak: the
  // three-arc candidates stay.
  const Spectrum spectrum = sixty_point_spectrum("R0-(R1,CPE1)-(R2,CPE2)-(R3,CPE3)",
                                                 {7.3, 8.6, 9.5e-6, 0.86, 104.0, 4.6e-5, 0.85, 10.0, 6.7e-3, 0.86});
  const SpectrumFeatures features = spectrum_features(spectrum);
  CHECK(features.drt_available);
  CHECK_EQ(features.drt_peaks, std::size_t{1});
  CHECK(pruned_limits(CandidateLimits{}, features).max_arcs >= 3);
}

TEST_CASE("a nested arc takes a peak of its own in the discovery start") {
  const Spectrum spectrum = two_arc_spectrum();
  auto parsed = parse_notation("R0-(R1-(R2,CPE2),CPE1)");
  const std::vector<double> x = discovery_start(std::get<0>(parsed), spectrum);
  CHECK_EQ(x.size(), std::size_t{7});  // R0, R1, R2, CPE2 q and alpha, CPE1 q and alpha
  // Each arc's (R Q)^(1/alpha) is one of the two time constants, and the two arcs take different ones.
  const double tau_outer = std::pow(x[1] * x[5], 1.0 / x[6]), tau_inner = std::pow(x[2] * x[3], 1.0 / x[4]);
  auto near = [](double tau, double target) { return std::fabs(std::log10(tau / target)) < 0.5; };
  CHECK((near(tau_outer, 1e-4) && near(tau_inner, 1.0)) || (near(tau_outer, 1.0) && near(tau_inner, 1e-4)));
}

TEST_CASE("fits with the same impedance keep the one with fewer parameters") {
  const Spectrum spectrum = two_arc_spectrum();
  std::vector<DiscoveredFit> fits;
  for (const char* text : {"R0-(R1,CPE1)-(R2,C2)", "R0-(R1,C1)-(R2,C2)", "R0-(R1,C1)"}) {
    auto parsed = parse_notation(text);
    fits.push_back(fit_discovery_candidate(spectrum, Circuit{std::get<0>(parsed), false}, fits.size()));
    CHECK(fits.back().fitted());
  }
  mark_impedance_duplicates(fits, spectrum);
  // The CPE ends at exponent 1: the same impedance as the two RC arcs, with one parameter more.
  CHECK(fits[0].duplicate);
  CHECK(!fits[1].duplicate && !fits[2].duplicate);
  const std::vector<std::size_t> order = discovery_order(fits);
  CHECK_EQ(order.front(), std::size_t{1});
  CHECK_EQ(order.back(), std::size_t{0});
}

namespace {
// A fitted row with the given BIC, flagged (a runaway value) or not, for ordering alone.
DiscoveredFit scored(const char* notation, double bic, bool flagged) {
  auto parsed = parse_notation(notation);
  DiscoveredFit fit;
  FitOutcome outcome;
  outcome.circuit = Circuit{std::get<0>(parsed), true};
  outcome.values = param_values(outcome.circuit.nodes);
  outcome.success = true;
  fit.ranked.outcome = std::move(outcome);
  fit.ranked.bic = bic;
  fit.runaway.assign(fit.ranked.outcome->values.size(), false);
  fit.runaway[0] = flagged;
  return fit;
}
}  // namespace

TEST_CASE("the order is by BIC whatever the flags, the simplest fit within 3 units first") {
  struct Case {
    std::vector<DiscoveredFit> fits;
    std::size_t first;
  };
  Case cases[4];
  // A flagged fit 5 units ahead of a sound one keeps first place.
  cases[0] = {{scored("R0-(R1,C1)-(R2,C2)", 105.0, false), scored("R0-(R1,C1)-(R2,C2)-C3", 100.0, true)}, 1};
  // Within 3 units a carried topology (two_rc) goes first, ahead of a Warburg or a nested arc
  // with as many parameters that fit a little better.
  cases[1] = {{scored("R0-(R1,C1)-Ws0", 100.0, false), scored("R0-(R1,C1)-(R2,C2)", 102.9, false),
               scored("R0-(R1-(R2,C2),C1)", 100.5, false)}, 1};
  // Among circuits that are not carried, the fewer parameters within 3 units.
  cases[2] = {{scored("R0-(R1-Ws1,C1)-C0", 100.0, false), scored("R0-(R1,C1)-Ws0", 102.9, false)}, 1};
  // Beyond 3 units, BIC decides.
  cases[3] = {{scored("R0-(R1,C1)-(R2,C2)", 100.0, false), scored("R0-(R1,C1)", 103.5, false)}, 0};
  for (const Case& c : cases) CHECK_EQ(discovery_order(c.fits).front(), c.first);
}

TEST_CASE("pruned carried topologies come back once, within the limits") {
  CandidateLimits limits;
  limits.max_parameters = 6;
  CandidateLimits pruned = limits;
  pruned.inductor = false;
  pruned.max_arcs = 1;
  std::vector<CircuitCandidate> candidates = enumerate_candidates(pruned);
  const std::size_t before = candidates.size();
  add_carried_topologies(&candidates, limits);
  std::set<std::string> keys;
  for (const CircuitCandidate& candidate : candidates) CHECK(keys.insert(candidate.key).second);
  // rc_l, rq_l, two_rc and two_rc_l: the inductive and two-arc ones of at most 6 parameters.
  CHECK_EQ(candidates.size() - before, std::size_t{4});
  // Discovery fits in rounds of growing parameter count: the added ones must not come last.
  CHECK(std::is_sorted(candidates.begin(), candidates.end(), [](const CircuitCandidate& a, const CircuitCandidate& b) {
    return a.parameters < b.parameters;
  }));
  CHECK(keys.count(key("L0-R0-(R1,C1)-(R2,C2)")) == 1);
  limits.elements = {ElementKind::R, ElementKind::C};
  candidates = enumerate_candidates(limits);
  const std::size_t unpruned = candidates.size();
  add_carried_topologies(&candidates, limits);  // the grammar lists rc and two_rc already
  CHECK_EQ(candidates.size(), unpruned);
}

TEST_CASE("a nested candidate's values land on the same elements of the richer one") {
  auto parsed = parse_notation("R0-p(R1-W1,CPE1)-p(R2-p(R3,CPE3),CPE2)");
  // Parameters: R0 0, R1 1, W1 2, CPE1 3 4, R2 5, R3 6, CPE3 7 8, CPE2 9 10. Without the nested
  // arc the second arc sorts first: R0-p(R2,CPE2)-p(R1-W1,CPE1).
  const std::vector<std::pair<std::string, std::vector<std::size_t>>> expected = {
      {key("R0-p(R2,CPE2)-p(R1-W1,CPE1)"), {0, 5, 9, 10, 1, 2, 3, 4}},
      {key("R0-p(R1,CPE1)-p(R2-p(R3,CPE3),CPE2)"), {0, 1, 3, 4, 5, 6, 7, 8, 9, 10}},
      {key("R0-p(R2-p(R3,CPE3),CPE2)"), {0, 5, 6, 7, 8, 9, 10}},
      {key("p(R1-W1,CPE1)-p(R2-p(R3,CPE3),CPE2)"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
  };
  const std::vector<NestedCandidate> nested = nested_candidates(std::get<0>(parsed));
  CHECK_EQ(nested.size(), std::size_t{5});  // the four above and the first arc removed
  for (const auto& entry : expected) {
    auto found = std::find_if(nested.begin(), nested.end(), [&](const NestedCandidate& n) { return n.key == entry.first; });
    CHECK(found != nested.end());
    if (found != nested.end()) CHECK(found->source == entry.second);
  }
  // A swapped tail keeps the rest; all arc capacitors swap together, the tail stays.
  auto swapped = swapped_candidates(std::get<0>(parse_notation("R0-p(R1,C1)-p(R2,C2)-Wo0")));
  CHECK_EQ(swapped.size(), std::size_t{5});  // four other tails, and CPE arcs
  auto with_key = [&](const std::string& k) {
    return std::find_if(swapped.begin(), swapped.end(), [&](const NestedCandidate& n) { return n.key == k; });
  };
  auto tail_c = with_key(key("R0-p(R1,C1)-p(R2,C2)-C0"));
  CHECK(tail_c != swapped.end() && tail_c->source == std::vector<std::size_t>({0, 1, 2, 3, 4, kUnmatched}));
  auto cpe_arcs = with_key(key("R0-p(R1,CPE1)-p(R2,CPE2)-Wo0"));
  CHECK(cpe_arcs != swapped.end() &&
        cpe_arcs->source == std::vector<std::size_t>({0, 1, kUnmatched, kUnmatched, 3, kUnmatched, kUnmatched, 5, 6}));
}

CHECK_MAIN()
