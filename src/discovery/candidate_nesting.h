// Candidates related to a candidate: the circuits left when one of its elements or arcs is
// taken out, or with one element kind swapped, and the map that carries their fitted values
// into the candidate's start.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "circuit/circuit.h"

namespace corvex {

struct NestedCandidate {
  std::string key;                  // canonical_key of the related circuit
  std::vector<std::size_t> source;  // per parameter of it: the candidate's parameter it is, or kUnmatched
};

// A parameter of a related circuit that the candidate lacks (a swapped element's).
inline constexpr std::size_t kUnmatched = static_cast<std::size_t>(-1);

// Every circuit left when one node is taken out of `candidate` (a top-level element or arc,
// or an element or nested arc of an arc's resistor branch), once per key. A branch is never
// emptied, so every circuit left is a valid circuit.
std::vector<NestedCandidate> nested_candidates(const SeriesList& candidate);

// Every circuit with one tail or diffusion element (C, CPE, W, Wo, Ws outside an arc's
// capacitive branch) of `candidate` swapped for another of these kinds, or with all arc
// capacitors swapped between C and CPE, once per key. A low-frequency end that one element
// explains roughly (a Wo's capacitive end, a C) makes the rest of the circuit fit nearly as
// the candidate's would; the swapped element's parameters are kUnmatched.
std::vector<NestedCandidate> swapped_candidates(const SeriesList& candidate);

// The candidate's start from a related candidate's fit: `nested_values` (in the related
// circuit's parameter order) where `nested.source` places them, `own_start` elsewhere.
std::vector<double> nested_start(const NestedCandidate& nested, const std::vector<double>& nested_values,
                                 std::vector<double> own_start);

}  // namespace corvex
