// Carried topologies added back to the pruned candidate list, in their canonical form, as the
// grammar would have written them.
#include "discovery/carried_candidates.h"

#include <algorithm>
#include <string>

#include "circuit/named_circuits.h"
#include "circuit/notation.h"
#include "discovery/candidate_form.h"

namespace corvex {

namespace {

bool elements_allowed(const SeriesList& nodes, const CandidateLimits& limits) {
  for (const FlatElement& element : flatten_elements(nodes)) {
    const ElementKind kind = element.node->element.kind;
    if (std::find(limits.elements.begin(), limits.elements.end(), kind) == limits.elements.end()) return false;
  }
  return true;
}

}  // namespace

void add_carried_topologies(std::vector<CircuitCandidate>* candidates, const CandidateLimits& limits) {
  for (const NamedCircuit& named : kNamedCircuits) {
    Result<Circuit> carried = circuit_from_text(named.notation);
    if (!carried) continue;
    const SeriesList& nodes = carried->nodes;
    const std::size_t parameters = parameter_count(nodes);
    if (parameters > limits.max_parameters || nesting_depth(nodes) > limits.max_depth ||
        !elements_allowed(nodes, limits)) {
      continue;
    }
    std::string key = canonical_key(nodes);
    const bool present = std::any_of(candidates->begin(), candidates->end(),
                                     [&](const CircuitCandidate& candidate) { return candidate.key == key; });
    if (present) continue;
    std::string notation = canonical_notation(nodes);
    Result<Circuit> parsed = circuit_from_text(notation);
    if (!parsed) continue;
    candidates->push_back(CircuitCandidate{std::move(key), std::move(notation), parameters, std::move(parsed).value()});
  }
  sort_candidates(candidates);
}

}  // namespace corvex
