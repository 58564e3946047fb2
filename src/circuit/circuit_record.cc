// Writing a circuit tree as notation with every element named, and reading such a record
// back into the identical tree: same shape, labels, unlabelled elements, values and flag.
#include "circuit/circuit_record.h"

#include <unordered_set>
#include <utility>

#include "circuit/notation.h"
#include "util/quote.h"

namespace corvex {

namespace {

// Writes `nodes` with each element's name taken in flattening order from `names`; false
// when a series list is empty.
bool write_series(const SeriesList& nodes, const std::vector<FlatElement>& names, std::size_t* next,
                  std::string* out) {
  if (nodes.empty()) return false;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (i > 0) *out += '-';
    if (nodes[i].is_element()) {
      *out += names[(*next)++].name;
      continue;
    }
    const std::vector<SeriesList>& branches = nodes[i].parallel_node().branches;
    if (branches.empty()) return false;
    *out += '(';
    for (std::size_t b = 0; b < branches.size(); ++b) {
      if (b > 0) *out += ',';
      if (!write_series(branches[b], names, next, out)) return false;
    }
    *out += ')';
  }
  return true;
}

template <class Visit>
void for_each_element_node(SeriesList& nodes, Visit& visit) {
  for (Node& node : nodes) {
    if (node.is_element()) {
      visit(node.element_node());
    } else {
      for (SeriesList& branch : node.parallel_node().branches) for_each_element_node(branch, visit);
    }
  }
}

}  // namespace

Result<CircuitRecord> record_of(const Circuit& circuit) {
  CircuitRecord record;
  const std::vector<FlatElement> flat = flatten_elements(circuit.nodes);
  std::size_t next = 0;
  if (!write_series(circuit.nodes, flat, &next, &record.notation)) {
    return value_error("a circuit with an empty series or parallel group has no notation and cannot be saved");
  }
  for (std::size_t i = 0; i < flat.size(); ++i) {
    if (!flat[i].node->label) record.unlabelled.push_back(i);
  }
  record.values = param_values(circuit.nodes);
  record.explicit_values = circuit.explicit_values;
  return record;
}

Result<Circuit> circuit_from_record(const CircuitRecord& record) {
  auto parsed = parse_notation_tree(record.notation);
  if (parsed.index() == 1) return value_error(format_parse_error(record.notation, std::get<1>(parsed)));
  SeriesList nodes = std::move(std::get<0>(parsed));

  std::vector<std::string> written;
  std::size_t position = 0;
  std::size_t next_unlabelled = 0;
  auto unlabel = [&](ElementNode& node) {
    written.push_back(*node.label);
    if (next_unlabelled < record.unlabelled.size() && record.unlabelled[next_unlabelled] == position) {
      node.label.reset();
      ++next_unlabelled;
    }
    ++position;
  };
  for_each_element_node(nodes, unlabel);
  if (next_unlabelled != record.unlabelled.size()) {
    return value_error("unlabelled element positions must be increasing and below the element count " +
                       std::to_string(written.size()));
  }

  std::unordered_set<std::string_view> labels;
  const std::vector<FlatElement> flat = flatten_elements(nodes);
  for (std::size_t i = 0; i < flat.size(); ++i) {
    if (flat[i].node->label && !labels.insert(*flat[i].node->label).second) {
      return value_error("duplicate element label " + quoted(*flat[i].node->label));
    }
    // An unlabelled element is written by its automatic name; any other name means the
    // record was edited into something no circuit produces.
    if (flat[i].name != written[i]) {
      return value_error("unlabelled element " + std::to_string(i) + " is written " + quoted(written[i]) +
                         " but would be named " + quoted(flat[i].name));
    }
  }
  Result<Circuit> circuit = with_values(Circuit{std::move(nodes), false}, record.values);
  if (circuit) circuit->explicit_values = record.explicit_values;
  return circuit;
}

}  // namespace corvex
