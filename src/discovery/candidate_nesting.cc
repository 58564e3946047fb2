// Nested candidates by removal: each parameter of the candidate is tagged with its own index
// as its value, so the canonical tree of what is left carries the map in its values.
#include "discovery/candidate_nesting.h"

#include <cmath>
#include <functional>
#include <numeric>
#include <set>

#include "discovery/candidate_form.h"

namespace corvex {

namespace {

// Calls `visit` with a copy of `nodes` for each single removal inside `series` (a list within
// `nodes`); `protect_head` keeps the first node, an arc's resistor.
void removals(SeriesList& root, SeriesList& series, bool protect_head, const std::function<void(const SeriesList&)>& visit) {
  for (std::size_t i = 0; i < series.size(); ++i) {
    if (!(protect_head && i == 0) && series.size() > 1) {
      Node taken = std::move(series[i]);
      series.erase(series.begin() + static_cast<std::ptrdiff_t>(i));
      visit(root);
      series.insert(series.begin() + static_cast<std::ptrdiff_t>(i), std::move(taken));
    }
    if (series[i].is_element()) continue;
    for (SeriesList& branch : series[i].parallel_node().branches) {
      removals(root, branch, /*protect_head=*/true, visit);
    }
  }
}

// Tags of the related circuit in canonical order, as indices of the candidate's parameters.
NestedCandidate related(const SeriesList& tagged, std::string key) {
  NestedCandidate out{std::move(key), {}};
  for (double tag : param_values(canonical_tree_with_values(tagged))) {
    out.source.push_back(tag < 0.0 ? kUnmatched : static_cast<std::size_t>(std::lround(tag)));
  }
  return out;
}

// An element of `kind` whose parameters are all tagged unmatched.
Node unmatched(ElementKind kind) {
  Element element = default_element(kind);
  element.values.fill(-1.0);
  return Node(ElementNode{element, std::nullopt});
}

bool is_tail_kind(ElementKind kind) {
  return kind == ElementKind::C || kind == ElementKind::Cpe || kind == ElementKind::W || kind == ElementKind::Wo ||
         kind == ElementKind::Ws;
}

// Calls `visit` for each element node outside an arc's capacitive branch (a branch of one
// element), with `swap_arcs` for the capacitive ones.
void each_element(SeriesList& series, bool in_branch, const std::function<void(Node&, bool)>& visit) {
  for (Node& node : series) {
    if (node.is_element()) {
      visit(node, in_branch && series.size() == 1);
      continue;
    }
    for (SeriesList& branch : node.parallel_node().branches) each_element(branch, true, visit);
  }
}

SeriesList tagged_tree(const SeriesList& candidate) {
  std::vector<double> tags(parameter_count(candidate));
  std::iota(tags.begin(), tags.end(), 0.0);
  return rebuild_with_values(candidate, tags.data());
}

}  // namespace

std::vector<NestedCandidate> swapped_candidates(const SeriesList& candidate) {
  SeriesList tagged = tagged_tree(candidate);
  std::vector<NestedCandidate> out;
  std::set<std::string> seen = {canonical_key(candidate)};
  auto emit = [&](const SeriesList& swapped) {
    std::string key = canonical_key(swapped);
    if (seen.insert(key).second) out.push_back(related(swapped, std::move(key)));
  };
  std::vector<Node*> tails, capacitors;
  each_element(tagged, false, [&](Node& node, bool capacitive) {
    const ElementKind kind = node.element_node().element.kind;
    if (!is_tail_kind(kind)) return;
    (capacitive ? capacitors : tails).push_back(&node);
  });
  for (Node* node : tails) {
    const Node kept = *node;
    for (ElementKind kind : {ElementKind::C, ElementKind::Cpe, ElementKind::W, ElementKind::Wo, ElementKind::Ws}) {
      if (kind == kept.element_node().element.kind) continue;
      *node = unmatched(kind);
      emit(tagged);
    }
    *node = kept;
  }
  if (!capacitors.empty()) {
    const ElementKind from = capacitors.front()->element_node().element.kind;
    if (from == ElementKind::C || from == ElementKind::Cpe) {
      for (Node* node : capacitors) *node = unmatched(from == ElementKind::C ? ElementKind::Cpe : ElementKind::C);
      emit(tagged);
    }
  }
  return out;
}

std::vector<NestedCandidate> nested_candidates(const SeriesList& candidate) {
  SeriesList tagged = tagged_tree(candidate);
  std::vector<NestedCandidate> out;
  std::set<std::string> seen;
  removals(tagged, tagged, /*protect_head=*/false, [&](const SeriesList& left) {
    std::string key = canonical_key(left);
    if (seen.insert(key).second) out.push_back(related(left, std::move(key)));
  });
  return out;
}

std::vector<double> nested_start(const NestedCandidate& nested, const std::vector<double>& nested_values,
                                 std::vector<double> own_start) {
  for (std::size_t i = 0; i < nested.source.size() && i < nested_values.size(); ++i) {
    if (nested.source[i] < own_start.size()) own_start[nested.source[i]] = nested_values[i];
  }
  return own_start;
}

}  // namespace corvex
