// Unit tests of the circuit tree internals: the notation parser and its errors, nesting
// limits, and the evaluation plan agreeing bit for bit with the per-frequency walk.
#include <cmath>
#include <random>
#include <string>

#include "check.h"
#include "circuit/circuit.h"
#include "circuit/eval_plan.h"
#include "circuit/named_circuits.h"
#include "circuit/notation.h"
#include "util/worker_pool.h"

using namespace corvex;

namespace {
ParseError parse_error_of(const std::string& text) {
  auto parsed = parse_notation(text);
  CHECK(parsed.index() == 1);
  return parsed.index() == 1 ? std::get<1>(parsed) : ParseError{ParseError::Kind::UnexpectedEnd, 999, {}};
}
SeriesList parse_ok(const std::string& text) {
  auto parsed = parse_notation(text);
  CHECK(parsed.index() == 0);
  return parsed.index() == 0 ? std::get<0>(parsed) : SeriesList{};
}
}  // namespace

TEST_CASE("parse errors report the first problem and its position") {
  using K = ParseError::Kind;
  struct { const char* text; K kind; std::size_t pos; const char* detail; } table[] = {
      {"", K::UnexpectedEnd, 0, ""},          {"R0-", K::UnexpectedEnd, 0, ""},
      {"R0-(R1,", K::UnexpectedEnd, 0, ""},   {"R0-(R1,C1", K::UnexpectedEnd, 0, ""},
      {"R0-(R1 C1)", K::UnexpectedEnd, 0, ""}, {"R-C1", K::UnexpectedCharacter, 1, ""},
      {"R0-C", K::UnexpectedCharacter, 4, ""}, {"R0-X1", K::UnknownCode, 3, "X"},
      {"cpe1", K::UnknownCode, 0, "cpe"},     {"R0 -C1", K::TrailingInput, 2, ""},
      {"R0)", K::TrailingInput, 2, ""},       {"-R0", K::UnexpectedCharacter, 0, ""},
      {"1R", K::UnexpectedCharacter, 0, ""},  {"R0-(R0,C1)", K::DuplicateLabel, 0, "R0"},
      {"P(R1,C1)", K::UnexpectedCharacter, 1, ""}, {"\u03a90", K::UnexpectedCharacter, 0, ""},
      {"R0-\u03a91", K::UnexpectedCharacter, 3, ""}, {" R0-C1", K::UnexpectedCharacter, 0, ""}};
  for (const auto& row : table) {
    const ParseError e = parse_error_of(row.text);
    CHECK(e.kind == row.kind);
    if (row.kind != K::UnexpectedEnd && row.kind != K::DuplicateLabel) CHECK_EQ(e.position, row.pos);
    CHECK_EQ(e.text, std::string(row.detail));
  }
}

TEST_CASE("valid notation shapes") {
  const SeriesList nested = parse_ok("((R0,C0),R1)");
  CHECK_EQ(nested.size(), 1u);
  CHECK(!nested[0].parallel_node().branches[0][0].is_element());
  CHECK_EQ(param_names(parse_ok("R0-p(R1,CPE1)")), (std::vector<std::string>{"R0.r", "R1.r", "CPE1.q", "CPE1.alpha"}));
  CHECK_EQ(param_names(parse_ok("R0-(R1,Cpe1)"))[2], "Cpe1.q");
  parse_ok("R0-C0");
  parse_ok("CPE1-Cpe1");
}

TEST_CASE("formatted message has caret and help") {
  const std::string message = format_parse_error("R0-X1", parse_error_of("R0-X1"));
  CHECK(message.rfind("unknown element code \"X\" at position 3\n\n  R0-X1\n     ^\n\nsyntax:\n", 0) == 0);
  CHECK(message.find("\n  CPE   q [ohm^-1*s^alpha], alpha [-]\n") != std::string::npos);
  const std::string last_line = "\n  T     a [ohm*m^2], b [ohm*m^2], k_tau [-], tau [s]";
  CHECK(message.size() > last_line.size() && message.substr(message.size() - last_line.size()) == last_line);
  const std::string end_message = format_parse_error("", parse_error_of(""));
  CHECK(end_message.rfind("unexpected end of input\n\nsyntax:", 0) == 0);
}

TEST_CASE("deep nesting is refused, not overflowing the stack") {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "(";
  deep += "R0";
  for (int i = 0; i < 100000; ++i) deep += ")";
  const ParseError e = parse_error_of(deep);
  CHECK(e.kind == ParseError::Kind::TooDeep);
  CHECK_EQ(e.position, kMaxNestingDepth);
  std::string ok;
  for (std::size_t i = 0; i < kMaxNestingDepth; ++i) ok += "(";
  ok += "R0";
  for (std::size_t i = 0; i < kMaxNestingDepth; ++i) ok += ")";
  CHECK_EQ(nesting_depth(parse_ok(ok)), kMaxNestingDepth);
  Circuit c{parse_ok(ok), true};
  CHECK(!parallel_of({&c}).ok());
}

TEST_CASE("a tree far deeper than any stack holds is measured, overwritten and dropped") {
  // Built by moves, which are shallow; a recursive measure or destructor would overflow here.
  constexpr std::size_t kDepth = 1000000;
  const Node leaf{ElementNode{default_element(ElementKind::R), std::nullopt}};
  auto deep_tree = [&] {
    SeriesList tree{leaf};
    for (std::size_t i = 0; i < kDepth; ++i) {
      ParallelNode group;
      group.branches.push_back(std::move(tree));
      tree = SeriesList{};
      tree.push_back(Node{std::move(group)});
    }
    return tree;
  };
  SeriesList overwritten = deep_tree();
  CHECK_EQ(nesting_depth(overwritten), kDepth);
  overwritten.front() = leaf;
  CHECK_EQ(nesting_depth(overwritten), std::size_t{0});
  const SeriesList dropped = deep_tree();
  CHECK_EQ(nesting_depth(dropped), kDepth);
}

TEST_CASE("named circuits") {
  CHECK_EQ(*named_circuit_notation(" \n rc\t"), "R0-(R1,C1)");
  CHECK_EQ(*named_circuit_notation("RANDLES"), "R0-(R1-W1,CPE1)");
  CHECK(!named_circuit_notation("r c").has_value());
  CHECK(circuit_from_text("Two_RC").ok());
  CHECK(!circuit_from_text(" R0").ok());
}

TEST_CASE("evaluation plan matches the per-frequency walk bit for bit") {
  const char* circuits[] = {"R0-(R1,CPE1)-Wo1", "R0-(R1,CPE1)-(R2-W2,CPE2)", "L0-La1-(Zarc1,K1)-((G1,Gs1),T1-TLMQ1)-Ws1-C9",
                            "R0-(R1-(R2,C2),CPE1)"};
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> unit(0.05, 0.99);
  std::vector<double> omega;
  for (int i = -30; i < 60; ++i) omega.push_back(std::pow(10.0, i / 10.0));
  omega.push_back(0.0);
  omega.push_back(-3.0);
  const FrequencyCache cache = make_frequency_cache(omega.data(), omega.size());
  for (const char* text : circuits) {
    const SeriesList nodes = parse_ok(text);
    const EvalPlan plan = compile_plan(nodes);
    for (int trial = 0; trial < 5; ++trial) {
      std::vector<double> values(plan.param_count);
      for (double& v : values) v = trial == 0 ? 0.5 : unit(rng);
      if (trial == 1) for (double& v : values) v = 1.0;
      EvalWorkspace workspace;
      std::vector<Complex> out(omega.size());
      evaluate_plan(plan, values.data(), cache, 0, omega.size(), &workspace, out.data());
      for (std::size_t i = 0; i < omega.size(); ++i) {
        const Result<Complex> z = impedance_from_iter(nodes, omega[i], values.data(), values.size());
        CHECK(z.ok());
        // NaN sign bits are not preserved by the compiler's operand order, so any NaN matches.
        CHECK(check::same_bits(out[i].re, z->re) || (std::isnan(out[i].re) && std::isnan(z->re)));
        CHECK(check::same_bits(out[i].im, z->im) || (std::isnan(out[i].im) && std::isnan(z->im)));
      }
    }
    std::vector<double> short_values(plan.param_count - 1, 1.0);
    CHECK(!impedance_from_iter(nodes, 1.0, short_values.data(), short_values.size()).ok());
  }
}

TEST_CASE("parallel edge values") {
  Circuit empty_parallel = *parallel_of({});
  CHECK(std::isnan(impedance_at(empty_parallel.nodes, 1.0).re));
  Circuit empty_series = *series_of({});
  CHECK_SAME(impedance_at(empty_series.nodes, 1.0).re, 0.0);
  Element r0 = default_element(ElementKind::R);
  r0.values[0] = 0.0;
  Circuit zero_branch = *parallel_of({r0, default_element(ElementKind::C)});
  CHECK(std::isnan(impedance_at(zero_branch.nodes, 1.0).re));
}

TEST_CASE("worker pool runs every index once, nested calls inline") {
  std::vector<int> hits(10000, 0);
  auto task = [&](std::size_t i) {
    hits[i] += 1;
    auto inner = [&](std::size_t) {};
    parallel_for(3, inner);
  };
  for (int round = 0; round < 20; ++round) parallel_for(hits.size(), task);
  for (int h : hits) CHECK_EQ(h, 20);
}

CHECK_MAIN()
