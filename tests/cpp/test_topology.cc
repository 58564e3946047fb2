// Unit tests of topology matching and the carried-model registry: canonical texts, the
// permutations between equivalent circuits, K/Zarc expansion and the registry lookup order.
#include <cmath>
#include <string>

#include "check.h"
#include "circuit/notation.h"
#include "models/model_registry.h"
#include "models/topology.h"

using namespace corvex;

namespace {
SeriesList parse(const std::string& text) {
  auto parsed = parse_notation(text);
  CHECK(parsed.index() == 0);
  return parsed.index() == 0 ? std::get<0>(parsed) : SeriesList{};
}
std::string key_of(const std::string& notation) {
  const auto match = lookup_registry(parse(notation));
  return match ? std::string(registry_keys()[match->entry]) : std::string("none");
}
}  // namespace

TEST_CASE("canonical texts ignore order and labels") {
  CHECK_EQ(canonical_form(parse("R0-(R1,C1)")).text, "[([C],[R]),R]");
  CHECK_EQ(canonical_form(parse("(R1,C2)-R3")).text, "[([C],[R]),R]");
  CHECK_EQ(canonical_form(parse("R0-(R1-W1,CPE1)")).text, "[([Cpe],[R,W]),R]");
  CHECK_EQ(canonical_form(parse("R0-(R1,C1)-(R2,C2)")).text, "[([C],[R]),([C],[R]),R]");
}

TEST_CASE("registry lookup picks the first matching entry") {
  struct { const char* notation; const char* key; } table[] = {
      {"(R1,C2)-R3", "rc"}, {"R0-(C1,R1)", "rc"}, {"(C9,R5)-R2", "rc"}, {"R0-Zarc1", "rq"}, {"R0-K1", "rc"},
      {"R0-(R1,C1)-(R2,CPE2)", "none"}, {"R0-(CPE1,R1-W1)", "randles"}, {"L0-R0-(R1,C1)", "rc_l"},
      {"R0-(R1,CPE1)-(R2-Wo2,CPE2)", "sei_randles_wo"}, {"R0-K1-Zarc2", "none"}};
  for (const auto& row : table) CHECK_EQ(key_of(row.notation), std::string(row.key));
}

TEST_CASE("permutations map user parameters onto model parameters") {
  const auto direct = match_topology(parse("R0-(R1,C1)"), parse("(R1,C2)-R3"));
  CHECK(direct.has_value() && !direct->abbreviated);
  CHECK_EQ(direct->permutation, (std::vector<std::size_t>{1, 2, 0}));
  const auto swapped = match_topology(parse("R0-(R1,C1)-(R2,C2)"), parse("(R2,C2)-(R1,C1)-R0"));
  CHECK_EQ(swapped->permutation, (std::vector<std::size_t>{1, 2, 3, 4, 0}));
  const auto zarc = match_topology(parse("R0-(R1,CPE1)"), parse("R0-Zarc1"));
  CHECK(zarc.has_value() && zarc->abbreviated);
  CHECK_EQ(zarc->permutation, (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST_CASE("expansion keeps the impedance and collapsing inverts it") {
  SeriesList user = parse("R0-K1-Zarc1");
  const std::vector<double> values = {2.0, 3.0, 0.01, 5.0, 0.002, 0.7};
  user = rebuild_with_values(user, values.data());
  const ExpandedCircuit expanded = expand_abbreviations(user);
  CHECK(expanded.replaced);
  for (double omega : {0.1, 10.0, 1e4}) {
    const Complex a = impedance_at(user, omega);
    const Complex b = impedance_at(expanded.nodes, omega);
    CHECK_NEAR(a.re, b.re, 1e-12 * std::fabs(a.re));
    CHECK_NEAR(a.im, b.im, 1e-12 * std::fabs(a.im) + 1e-300);
  }
  const std::vector<double> back = collapse_abbreviated_values(user, param_values(expanded.nodes));
  CHECK_EQ(back.size(), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) CHECK_NEAR(back[i], values[i], 1e-12 * std::fabs(values[i]));
}

TEST_CASE("carried entries load or store their message once") {
  for (std::size_t i = 0; i < registry_keys().size(); ++i) {
    const auto first = registry_model(i);
    const auto second = registry_model(i);
    CHECK_EQ(first.ok(), second.ok());
    if (first.ok()) CHECK(first.value().get() == second.value().get());
    else CHECK_EQ(first.error().message, second.error().message);
  }
  CHECK(no_training_data_message().find("'rc', 'rc_l', 'rq'") != std::string::npos);
}

CHECK_MAIN()
