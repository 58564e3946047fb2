// Canonical form of a candidate circuit: one text per impedance family, so that candidates
// that differ only in order, nesting or mergeable elements are fitted once.
#pragma once

#include <string>

#include "circuit/circuit.h"

namespace corvex {

// The tree with series and parallel groups flattened, mergeable elements collapsed and
// children sorted; labels are dropped and values are the catalogue defaults.
SeriesList canonical_tree(const SeriesList& nodes);

// canonical_tree with each element's values kept: a kept element's parameters come out in the
// order of the canonical notation's parameters. Merged elements keep the first one's values.
SeriesList canonical_tree_with_values(const SeriesList& nodes);

// The codes of canonical_tree(nodes) in notation, without labels ("R-p(C,R)"): equal keys
// mean the same impedance family.
std::string canonical_key(const SeriesList& nodes);

// Notation of the canonical tree that the parser accepts, with labels numbered by the arc
// an element sits in ("R0-p(R1,CPE1)-Wo0"): top-level elements take 0, the n-th parallel group
// in reading order takes n.
std::string canonical_notation(const SeriesList& nodes);

}  // namespace corvex
