// Deterministic extra starting points for fits that should not depend on one guess: arcs
// with their roles swapped, and each arc's resistance a decade up and down.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "circuit/circuit.h"

namespace corvex {

struct LabelledStart {
  std::string label;      // what the start is, as the batch table's start column shows it
  std::vector<double> x;  // physical values in parameter order
};

// From x0, in this order: for every pair of top-level parallel groups (arcs) that share an
// element kind, x0 with the values of matching elements exchanged between the two arcs
// ("swapped", or "swapped_<i>_<j>" with 1-based arc numbers when there are more than two
// arcs); then for every arc with a resistor, its first resistor's value times 10 and divided
// by 10 ("<name>*10", "<name>/10").
std::vector<LabelledStart> derived_starts(const SeriesList& circuit, std::span<const double> x0);

}  // namespace corvex
