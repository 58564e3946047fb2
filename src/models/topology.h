// Order-independent comparison of circuit topologies: the canonical text of a tree, the
// parameter permutation between two matching trees, and the expansion of K and Zarc.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit.h"

namespace corvex {

// One element node's parameters in a circuit's flat vector.
struct ParamSpan {
  std::size_t start;
  std::size_t count;
};

struct CanonicalForm {
  std::string text;              // e.g. "[([C],[R]),R]"
  std::vector<ParamSpan> spans;  // element spans in canonical order
};

// Series nodes and parallel branches sorted by text (stable), codes instead of labels.
CanonicalForm canonical_form(const SeriesList& nodes);

struct TopologyMatch {
  std::vector<std::size_t> permutation;  // model parameter index for each user parameter
  bool abbreviated;                      // the user circuit matched only after expansion
};

// nullopt when the topologies differ even after expanding K and Zarc in the user circuit.
// With `abbreviated`, the permutation refers to the expanded circuit's parameter order.
std::optional<TopologyMatch> match_topology(const SeriesList& model, const SeriesList& user);

struct ExpandedCircuit {
  SeriesList nodes;
  bool replaced;
};

// K becomes R || C and Zarc becomes R || CPE, with equivalent values and no labels.
ExpandedCircuit expand_abbreviations(const SeriesList& nodes);

// Values of the expanded circuit, in its parameter order, turned back into values of the
// user's own circuit: K gets (r, r*c) and Zarc (r, (r*q)^(1/max(alpha,1e-6)), alpha).
std::vector<double> collapse_abbreviated_values(const SeriesList& user, const std::vector<double>& expanded);

}  // namespace corvex
