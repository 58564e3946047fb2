// Canonical form: the rewriting rules below keep the impedance family (the set of impedances
// reachable by some values) unchanged, so two candidates with one key need one fit.
#include "discovery/candidate_form.h"

#include <algorithm>
#include <set>
#include <utility>

namespace corvex {

namespace {

std::string code_of(const ElementNode& node) { return std::string(kind_info(node.element.kind).codes_form); }

std::string key_of(const SeriesList& series);

std::string key_of(const Node& node) {
  if (node.is_element()) return code_of(node.element_node());
  std::string key = "p(";
  const auto& branches = node.parallel_node().branches;
  for (std::size_t i = 0; i < branches.size(); ++i) {
    if (i) key += ',';
    key += key_of(branches[i]);
  }
  return key + ")";
}

std::string key_of(const SeriesList& series) {
  std::string key;
  for (std::size_t i = 0; i < series.size(); ++i) {
    if (i) key += '-';
    key += key_of(series[i]);
  }
  return key;
}

bool is_kind(const Node& node, ElementKind kind) {
  return node.is_element() && node.element_node().element.kind == kind;
}

// Kinds whose series pair is one element of the same kind: R1 + R2 is a resistor, L1 + L2 an
// inductor, 1/C = 1/C1 + 1/C2 a capacitor, and two semi-infinite Warburgs sigma/sqrt(w)(1-j)
// add their sigmas. CPEs (own exponents) and finite-length Warburgs (own time constants) do not.
bool merges_in_series(ElementKind kind) {
  return kind == ElementKind::R || kind == ElementKind::L || kind == ElementKind::C || kind == ElementKind::W;
}

// Kinds whose parallel pair is one element of the same kind: 1/R = 1/R1 + 1/R2, C = C1 + C2,
// 1/L = 1/L1 + 1/L2.
bool merges_in_parallel(ElementKind kind) {
  return kind == ElementKind::R || kind == ElementKind::C || kind == ElementKind::L;
}

// Series order for reading: resistors and inductors first, arcs next, tails last.
int series_rank(const Node& node) {
  if (is_kind(node, ElementKind::R)) return 0;
  if (is_kind(node, ElementKind::L)) return 1;
  return node.is_element() ? 3 : 2;
}

// Whether `node` is an R-C arc: a resistor parallel to a capacitor.
bool is_plain_rc_arc(const Node& node) {
  if (node.is_element()) return false;
  const auto& branches = node.parallel_node().branches;
  return branches.size() == 2 && branches[0].size() == 1 && branches[1].size() == 1 &&
         ((is_kind(branches[0][0], ElementKind::R) && is_kind(branches[1][0], ElementKind::C)) ||
          (is_kind(branches[0][0], ElementKind::C) && is_kind(branches[1][0], ElementKind::R)));
}

// Whether two canonical branches are a lone C and a chain of one R and R-C arcs (at least one):
// an RC ladder. The chain's head is its resistor, as canonical series put resistors first.
bool is_rc_ladder(const SeriesList& a, const SeriesList& b) {
  const SeriesList& lone = a.size() == 1 ? a : b;
  const SeriesList& chain = a.size() == 1 ? b : a;
  if (lone.size() != 1 || !is_kind(lone[0], ElementKind::C) || chain.size() < 2) return false;
  if (!is_kind(chain[0], ElementKind::R)) return false;
  return std::all_of(chain.begin() + 1, chain.end(), is_plain_rc_arc);
}

// The element without its label, with the catalogue's values unless `keep_values`.
Node bare(const ElementNode& node, bool keep_values) {
  return Node(ElementNode{keep_values ? node.element : default_element(node.element.kind), std::nullopt});
}

SeriesList canonical_series(const SeriesList& series, bool keep_values);

// Appends the canonical form of `node` to `out`, splicing groups that are series in disguise.
void append_canonical(const Node& node, SeriesList* out, bool keep_values) {
  if (node.is_element()) {
    out->push_back(bare(node.element_node(), keep_values));
    return;
  }
  std::vector<SeriesList> branches;
  for (const SeriesList& branch : node.parallel_node().branches) {
    SeriesList canonical = canonical_series(branch, keep_values);
    if (canonical.empty()) continue;
    // A branch that is one parallel group is part of this group: (A,(B,C)) = (A,B,C).
    if (canonical.size() == 1 && !canonical[0].is_element()) {
      for (SeriesList& inner : canonical[0].parallel_node().branches) branches.push_back(std::move(inner));
    } else {
      branches.push_back(std::move(canonical));
    }
  }
  // Parallel copies of a mergeable element are one element.
  std::set<ElementKind> seen;
  std::vector<SeriesList> kept;
  for (SeriesList& branch : branches) {
    if (branch.size() == 1 && branch[0].is_element() && merges_in_parallel(branch[0].element_node().element.kind)) {
      if (!seen.insert(branch[0].element_node().element.kind).second) continue;
    }
    kept.push_back(std::move(branch));
  }
  // A group of one branch is that branch in series: ((A-B)) = A-B.
  if (kept.size() == 1) {
    for (Node& inner : kept[0]) out->push_back(std::move(inner));
    return;
  }
  // An RC ladder is a chain of RC arcs: C1 parallel to R1 followed by RC arcs has an RC
  // impedance with one pole per capacitor, zero at infinite frequency and finite at zero, and
  // the series of as many R-C arcs (Foster's form) realises every such impedance with as many
  // parameters (Cauer's form is the ladder). CPEs and diffusion elements break this.
  if (kept.size() == 2 && is_rc_ladder(kept[0], kept[1])) {
    SeriesList& lone = kept[0].size() == 1 ? kept[0] : kept[1];
    SeriesList& chain = kept[0].size() == 1 ? kept[1] : kept[0];
    std::vector<SeriesList> arc;
    arc.push_back(SeriesList{std::move(chain[0])});
    arc.push_back(std::move(lone));
    out->push_back(Node(ParallelNode{std::move(arc)}));
    for (std::size_t i = 1; i < chain.size(); ++i) out->push_back(std::move(chain[i]));
    return;
  }
  // The branch through a resistor first, as arcs are usually written: p(R1,C1), p(R1-W1,CPE1).
  auto through_resistor = [](const SeriesList& branch) { return is_kind(branch.front(), ElementKind::R) ? 0 : 1; };
  std::stable_sort(kept.begin(), kept.end(), [&](const SeriesList& a, const SeriesList& b) {
    const int ra = through_resistor(a), rb = through_resistor(b);
    return ra != rb ? ra < rb : key_of(a) < key_of(b);
  });
  out->push_back(Node(ParallelNode{std::move(kept)}));
}

SeriesList canonical_series(const SeriesList& series, bool keep_values) {
  SeriesList spliced;
  for (const Node& node : series) append_canonical(node, &spliced, keep_values);
  SeriesList out;
  std::set<ElementKind> seen;
  for (Node& node : spliced) {
    if (node.is_element() && merges_in_series(node.element_node().element.kind) &&
        !seen.insert(node.element_node().element.kind).second) {
      continue;
    }
    out.push_back(std::move(node));
  }
  std::stable_sort(out.begin(), out.end(), [](const Node& a, const Node& b) {
    const int ra = series_rank(a), rb = series_rank(b);
    return ra != rb ? ra < rb : key_of(a) < key_of(b);
  });
  return out;
}

struct Labeller {
  std::size_t groups = 0;
  std::set<std::string> used;

  std::string label(const ElementNode& node, std::size_t number) {
    std::string text = code_of(node) + std::to_string(number);
    // Two elements of one kind directly in one arc: the later one takes the next free number.
    for (std::size_t n = number + 1; used.count(text) != 0; ++n) text = code_of(node) + std::to_string(n);
    used.insert(text);
    return text;
  }

  std::string series(const SeriesList& nodes, std::size_t number) {
    std::string text;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (i) text += "-";
      const Node& node = nodes[i];
      if (node.is_element()) {
        text += label(node.element_node(), number);
        continue;
      }
      const std::size_t own = ++groups;
      text += "p(";
      const auto& branches = node.parallel_node().branches;
      for (std::size_t b = 0; b < branches.size(); ++b) {
        if (b) text += ',';
        text += series(branches[b], own);
      }
      text += ")";
    }
    return text;
  }
};

}  // namespace

SeriesList canonical_tree(const SeriesList& nodes) { return canonical_series(nodes, false); }

SeriesList canonical_tree_with_values(const SeriesList& nodes) { return canonical_series(nodes, true); }

std::string canonical_key(const SeriesList& nodes) { return key_of(canonical_series(nodes, false)); }

std::string canonical_notation(const SeriesList& nodes) {
  return Labeller{}.series(canonical_series(nodes, false), 0);
}

}  // namespace corvex
