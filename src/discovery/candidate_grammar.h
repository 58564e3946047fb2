// The candidate circuits of a discovery: a series chain of blocks, each an element or a
// parallel of an element with a series chain (the Randles form), with bounded nesting.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "elements/element.h"

namespace corvex {

struct CandidateLimits {
  std::vector<ElementKind> elements = {ElementKind::R,  ElementKind::C,  ElementKind::Cpe, ElementKind::L,
                                       ElementKind::W,  ElementKind::Wo, ElementKind::Ws};
  std::size_t max_parameters = 10;
  std::size_t max_depth = 2;  // parallel groups on the deepest path
  std::size_t max_arcs = 4;   // parallel groups in the whole circuit
  bool inductor = true;       // a series inductor may appear (when L is among the elements)
  bool without_resistor = false;  // also chains with no series resistor (the data show none)
};

struct CircuitCandidate {
  std::string key;       // canonical_key
  std::string notation;  // canonical_notation, accepted by the parser
  std::size_t parameters = 0;
  Circuit circuit;       // the notation parsed, placeholder values
};

// Every canonical candidate within the limits, without duplicates, fewest parameters first
// (then by key). The chain has one series resistor (when R is allowed; none as well with
// without_resistor), at most one series
// inductor, any number of arcs and at most one tail element (C, CPE or a diffusion element);
// an arc is a C or CPE in parallel with a chain of one resistor, at most one nested arc and at
// most one diffusion element. Only one diffusion element appears in a circuit (the spectrum
// has one low-frequency end for it to describe), and all arcs use the same capacitive kind.
std::vector<CircuitCandidate> enumerate_candidates(const CandidateLimits& limits);

// Puts candidates in the order enumerate_candidates returns them: fewest parameters first, then
// by canonical key. Discovery fits in rounds of growing parameter count and relies on it.
void sort_candidates(std::vector<CircuitCandidate>* candidates);

}  // namespace corvex
