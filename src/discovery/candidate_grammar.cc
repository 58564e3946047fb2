// Enumeration of the candidate grammar: the arcs of each depth are listed once, circuits are
// multisets of arcs (series order does not matter) plus the series elements and one tail.
#include "discovery/candidate_grammar.h"

#include <algorithm>
#include <functional>
#include <set>

#include "circuit/notation.h"
#include "discovery/candidate_form.h"

namespace corvex {

namespace {

// A sub-circuit the enumeration combines: its nodes and what it uses up.
struct Block {
  SeriesList nodes;
  std::size_t parameters = 0;
  std::size_t arcs = 0;
  bool diffusion = false;
};

bool allowed(const CandidateLimits& limits, ElementKind kind) {
  return std::find(limits.elements.begin(), limits.elements.end(), kind) != limits.elements.end();
}

Node element_node(ElementKind kind) { return Node(ElementNode{default_element(kind), std::nullopt}); }

bool is_diffusion(ElementKind kind) {
  return kind == ElementKind::W || kind == ElementKind::Wo || kind == ElementKind::Ws;
}

std::vector<ElementKind> kinds_of(const CandidateLimits& limits, std::initializer_list<ElementKind> kinds) {
  std::vector<ElementKind> out;
  for (ElementKind kind : kinds) {
    if (allowed(limits, kind)) out.push_back(kind);
  }
  return out;
}

// Arcs whose own nesting depth is at most `depth`: `cap` (C or CPE) parallel to R, R-D, R-arc
// or R-arc-D.
std::vector<Block> arcs_of_depth(const CandidateLimits& limits, ElementKind cap, std::size_t depth) {
  std::vector<Block> arcs;
  if (depth == 0 || !allowed(limits, ElementKind::R)) return arcs;
  const std::vector<ElementKind> diffusion = kinds_of(limits, {ElementKind::W, ElementKind::Wo, ElementKind::Ws});
  std::vector<Block> inner = arcs_of_depth(limits, cap, depth - 1);
  inner.insert(inner.begin(), Block{});  // no nested arc
  for (const Block& nested : inner) {
    std::vector<std::optional<ElementKind>> tails = {std::nullopt};
    if (!nested.diffusion) tails.insert(tails.end(), diffusion.begin(), diffusion.end());
    for (const std::optional<ElementKind>& tail : tails) {
      Block arc;
      SeriesList chain = {element_node(ElementKind::R)};
      chain.insert(chain.end(), nested.nodes.begin(), nested.nodes.end());
      if (tail) chain.push_back(element_node(*tail));
      arc.parameters = 1 + param_count(cap) + nested.parameters + (tail ? param_count(*tail) : 0);
      arc.arcs = 1 + nested.arcs;
      arc.diffusion = nested.diffusion || tail.has_value();
      SeriesList branch = {element_node(cap)};
      arc.nodes.push_back(Node(ParallelNode{{std::move(branch), std::move(chain)}}));
      if (arc.parameters <= limits.max_parameters) arcs.push_back(std::move(arc));
    }
  }
  return arcs;
}

}  // namespace

std::vector<CircuitCandidate> enumerate_candidates(const CandidateLimits& limits) {
  Block head;
  if (allowed(limits, ElementKind::R)) {
    head.nodes.push_back(element_node(ElementKind::R));
    head.parameters = 1;
  }
  std::vector<Block> heads = {head};
  if (limits.without_resistor && !head.nodes.empty()) heads.push_back(Block{});
  if (limits.inductor && allowed(limits, ElementKind::L)) {
    for (std::size_t i = 0, n = heads.size(); i < n; ++i) {
      Block with_inductor = heads[i];
      with_inductor.nodes.push_back(element_node(ElementKind::L));
      with_inductor.parameters += 1;
      heads.push_back(std::move(with_inductor));
    }
  }
  std::vector<Block> tails = {Block{}};
  for (ElementKind kind : kinds_of(limits, {ElementKind::C, ElementKind::Cpe, ElementKind::W, ElementKind::Wo,
                                           ElementKind::Ws})) {
    tails.push_back(Block{{element_node(kind)}, param_count(kind), 0, is_diffusion(kind)});
  }

  std::set<std::string> seen;
  std::vector<CircuitCandidate> out;
  auto emit = [&](const Block& circuit) {
    if (circuit.nodes.empty() || circuit.parameters > limits.max_parameters) return;
    std::string key = canonical_key(circuit.nodes);
    if (!seen.insert(key).second) return;
    std::string notation = canonical_notation(circuit.nodes);
    Result<Circuit> parsed = circuit_from_text(notation);
    if (parsed) {
      out.push_back(CircuitCandidate{std::move(key), std::move(notation), circuit.parameters, std::move(parsed).value()});
    }
  };
  // Arcs as a multiset: indices never decrease along the chain.
  std::vector<Block> arcs;
  std::function<void(const Block&, std::size_t)> extend = [&](const Block& sofar, std::size_t first) {
    for (const Block& tail : tails) {
      if (tail.diffusion && sofar.diffusion) continue;
      Block circuit = sofar;
      circuit.nodes.insert(circuit.nodes.end(), tail.nodes.begin(), tail.nodes.end());
      circuit.parameters += tail.parameters;
      emit(circuit);
    }
    for (std::size_t i = first; i < arcs.size(); ++i) {
      const Block& arc = arcs[i];
      if (sofar.arcs + arc.arcs > limits.max_arcs || sofar.parameters + arc.parameters > limits.max_parameters ||
          (arc.diffusion && sofar.diffusion)) {
        continue;
      }
      Block next = sofar;
      next.nodes.insert(next.nodes.end(), arc.nodes.begin(), arc.nodes.end());
      next.parameters += arc.parameters;
      next.arcs += arc.arcs;
      next.diffusion = next.diffusion || arc.diffusion;
      extend(next, i);
    }
  };
  // All arcs of a circuit share their capacitive kind: mixed C and CPE arcs would multiply the
  // candidates by the arc count's powers of two for shapes the data rarely tell apart.
  for (ElementKind cap : kinds_of(limits, {ElementKind::C, ElementKind::Cpe})) {
    arcs = arcs_of_depth(limits, cap, limits.max_depth);
    for (const Block& start : heads) extend(start, 0);
  }
  sort_candidates(&out);
  return out;
}

void sort_candidates(std::vector<CircuitCandidate>* candidates) {
  std::stable_sort(candidates->begin(), candidates->end(), [](const CircuitCandidate& a, const CircuitCandidate& b) {
    return a.parameters != b.parameters ? a.parameters < b.parameters : a.key < b.key;
  });
}

}  // namespace corvex
