// Canonical forms and topology matching: texts built bottom-up with stable sorts so that
// element order and labels never matter, and the abbreviation rules for K and Zarc.
#include "models/topology.h"

#include <algorithm>
#include <cmath>

namespace corvex {
namespace {

struct Part {
  std::string text;
  std::vector<ParamSpan> spans;
};

// The parts sorted by text, stably, joined with commas inside the brackets; their spans
// follow in the same order.
Part sorted_join(std::vector<Part> parts, char open, char close) {
  std::stable_sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) { return a.text < b.text; });
  Part out{std::string(1, open), {}};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) out.text += ',';
    out.text += parts[i].text;
    out.spans.insert(out.spans.end(), parts[i].spans.begin(), parts[i].spans.end());
  }
  out.text += close;
  return out;
}

// Children are formed in flattening order first, so the running parameter index is right,
// and sorted afterwards.
Part series_part(const SeriesList& nodes, std::size_t* next_param);

Part node_part(const Node& node, std::size_t* next_param) {
  if (node.is_element()) {
    const Element& element = node.element_node().element;
    Part part{std::string(kind_info(element.kind).code), {{*next_param, element.param_count()}}};
    *next_param += element.param_count();
    return part;
  }
  std::vector<Part> branches;
  for (const SeriesList& branch : node.parallel_node().branches) branches.push_back(series_part(branch, next_param));
  return sorted_join(std::move(branches), '(', ')');
}

Part series_part(const SeriesList& nodes, std::size_t* next_param) {
  std::vector<Part> parts;
  for (const Node& node : nodes) parts.push_back(node_part(node, next_param));
  return sorted_join(std::move(parts), '[', ']');
}

std::optional<std::vector<std::size_t>> permutation_between(const SeriesList& model, const SeriesList& user) {
  const CanonicalForm m = canonical_form(model);
  const CanonicalForm u = canonical_form(user);
  if (m.text != u.text || m.spans.size() != u.spans.size()) return std::nullopt;
  std::vector<std::size_t> permutation(parameter_count(user), 0);
  for (std::size_t i = 0; i < m.spans.size(); ++i) {
    for (std::size_t k = 0; k < u.spans[i].count; ++k) permutation[u.spans[i].start + k] = m.spans[i].start + k;
  }
  return permutation;
}

Node single_element_branch_pair(Element first, Element second) {
  ParallelNode parallel;
  parallel.branches.push_back(SeriesList{Node{ElementNode{first, std::nullopt}}});
  parallel.branches.push_back(SeriesList{Node{ElementNode{second, std::nullopt}}});
  return Node{std::move(parallel)};
}

SeriesList expand(const SeriesList& nodes, bool* replaced) {
  SeriesList out;
  out.reserve(nodes.size());
  for (const Node& node : nodes) {
    if (!node.is_element()) {
      ParallelNode parallel;
      for (const SeriesList& branch : node.parallel_node().branches) parallel.branches.push_back(expand(branch, replaced));
      out.push_back(Node{std::move(parallel)});
      continue;
    }
    const Element& element = node.element_node().element;
    if (element.kind == ElementKind::K) {
      const double r = element.values[0];
      const double tau_k = element.values[1];
      Element resistor = default_element(ElementKind::R);
      resistor.values[0] = r;
      Element capacitor = default_element(ElementKind::C);
      capacitor.values[0] = tau_k / r;
      out.push_back(single_element_branch_pair(resistor, capacitor));
      *replaced = true;
    } else if (element.kind == ElementKind::Zarc) {
      const double r = element.values[0];
      const double tau_k = element.values[1];
      const double gamma = element.values[2];
      Element resistor = default_element(ElementKind::R);
      resistor.values[0] = r;
      Element cpe = default_element(ElementKind::Cpe);
      cpe.values[0] = std::pow(tau_k, gamma) / r;
      cpe.values[1] = gamma;
      out.push_back(single_element_branch_pair(resistor, cpe));
      *replaced = true;
    } else {
      out.push_back(node);
    }
  }
  return out;
}

}  // namespace

CanonicalForm canonical_form(const SeriesList& nodes) {
  std::size_t next_param = 0;
  Part part = series_part(nodes, &next_param);
  return {std::move(part.text), std::move(part.spans)};
}

ExpandedCircuit expand_abbreviations(const SeriesList& nodes) {
  bool replaced = false;
  SeriesList expanded = expand(nodes, &replaced);
  return {std::move(expanded), replaced};
}

std::optional<TopologyMatch> match_topology(const SeriesList& model, const SeriesList& user) {
  if (auto direct = permutation_between(model, user)) return TopologyMatch{std::move(*direct), false};
  const ExpandedCircuit expanded = expand_abbreviations(user);
  if (!expanded.replaced) return std::nullopt;
  if (auto through = permutation_between(model, expanded.nodes)) return TopologyMatch{std::move(*through), true};
  return std::nullopt;
}

std::vector<double> collapse_abbreviated_values(const SeriesList& user, const std::vector<double>& expanded) {
  std::vector<double> out;
  std::size_t position = 0;
  const auto take = [&]() { return position < expanded.size() ? expanded[position++] : std::nan(""); };
  for (const FlatElement& flat : flatten_elements(user)) {
    const Element& element = flat.node->element;
    if (element.kind == ElementKind::K) {
      const double r = take();
      const double c = take();
      out.push_back(r);
      out.push_back(r * c);
    } else if (element.kind == ElementKind::Zarc) {
      const double r = take();
      const double q = take();
      const double alpha = take();
      out.push_back(r);
      out.push_back(std::pow(r * q, 1.0 / std::max(alpha, 1e-6)));
      out.push_back(alpha);
    } else {
      for (std::size_t i = 0; i < element.param_count(); ++i) out.push_back(take());
    }
  }
  return out;
}

}  // namespace corvex
