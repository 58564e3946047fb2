// The eleven carried topologies among a discovery's candidates, pruning aside, so that the
// discovery weighs every circuit the 11-topology ranking weighs.
#pragma once

#include <vector>

#include "discovery/candidate_grammar.h"

namespace corvex {

// Appends to `candidates` each carried topology that is not among them (by canonical key) and
// that `limits` allow: its elements among limits.elements, at most limits.max_parameters
// parameters and limits.max_depth nesting. The spectrum's features prune candidates by rules
// that can miss a faint inductor or arc; the ranking fits these circuits whatever the
// spectrum, and discovery's first circuit should never lose to one it did not try. The list
// stays in the grammar's order, fewest parameters first.
void add_carried_topologies(std::vector<CircuitCandidate>* candidates, const CandidateLimits& limits);

}  // namespace corvex
