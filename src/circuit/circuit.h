// The circuit tree (series lists of element and parallel nodes), its one parameter order,
// and the operations on the flat parameter vector: names, values, bounds, units, rebuilding.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "elements/element.h"
#include "util/complex.h"
#include "util/result.h"

namespace corvex {

struct Node;
using SeriesList = std::vector<Node>;

// An element and the label it was written with in notation ("R0", "CPE1"); elements made
// from Python objects carry no label.
struct ElementNode {
  Element element;
  std::optional<std::string> label;
};

// Parallel branches; each branch is a series list. May be empty; nested parallels stay nested.
struct ParallelNode {
  std::vector<SeriesList> branches;
};

// Copies recurse, so only trees no deeper than nesting_depth_limit() may be copied on a
// thread; destruction and assignment are iterative, so any tree may be dropped anywhere.
struct Node {
  Node(ElementNode element) : content(std::move(element)) {}
  Node(ParallelNode parallel) : content(std::move(parallel)) {}
  Node(const Node&) = default;
  Node(Node&&) noexcept = default;
  Node& operator=(const Node& other);
  Node& operator=(Node&& other) noexcept;
  ~Node();

  std::variant<ElementNode, ParallelNode> content;

  bool is_element() const { return content.index() == 0; }
  const ElementNode& element_node() const { return std::get<0>(content); }
  ElementNode& element_node() { return std::get<0>(content); }
  const ParallelNode& parallel_node() const { return std::get<1>(content); }
  ParallelNode& parallel_node() { return std::get<1>(content); }
};

// A circuit: its top-level series list and whether its values were chosen by the user
// (false for a circuit parsed from notation, whose values are placeholder defaults).
struct Circuit {
  SeriesList nodes;
  bool explicit_values = false;
};

// Deepest nesting of parallel groups accepted anywhere. Most walks over a tree recurse, so
// this bound keeps the C stack safe for circuits built by hand or from hostile notation.
inline constexpr std::size_t kMaxNestingDepth = 1000;

// Deepest nesting accepted for a tree built on the calling thread: kMaxNestingDepth where the
// thread's free stack can hold the recursive walks over such a tree (a main thread's can),
// less on a small thread stack, where a deeper tree is refused like one beyond the maximum.
std::size_t nesting_depth_limit();

// Number of parallel groups on the deepest path (0 for a plain series list). Iterative, so
// it may measure a tree on any thread before a recursive walk over it is allowed.
std::size_t nesting_depth(const SeriesList& nodes);

// The message refusing a circuit that nests deeper than kMaxNestingDepth.
std::string nesting_depth_message();

std::size_t parameter_count(const SeriesList& nodes);

// An element node in flattening order with its element name and first parameter index.
struct FlatElement {
  const ElementNode* node;
  std::string name;
  std::size_t first_param;
};

// Element nodes depth first, left to right, named by label or by canonical code plus a
// per-code counter that only unlabelled nodes use.
std::vector<FlatElement> flatten_elements(const SeriesList& nodes);

std::vector<std::string> param_names(const SeriesList& nodes);
std::vector<double> param_values(const SeriesList& nodes);
std::vector<ParamBounds> param_bounds(const SeriesList& nodes);
std::vector<std::string_view> param_units(const SeriesList& nodes);

// A tree of the same shape and labels whose values are taken in parameter order from
// `values`, which must hold at least parameter_count(nodes) entries.
SeriesList rebuild_with_values(const SeriesList& nodes, const double* values);

// with_values(): exactly parameter_count values, else "expected {n} values, got {m}".
Result<Circuit> with_values(const Circuit& circuit, const std::vector<double>& values);

// "unknown parameter \"key\"", with " (did you mean \"name\"?)" when a name is close enough.
std::string unknown_parameter_line(std::string_view key, const std::vector<std::string>& names);
// An empty line, "valid parameters for this circuit:" and one line per parameter with its
// unit and bounds: the tail of every message about unknown parameter names.
std::vector<std::string> valid_parameter_lines(const SeriesList& nodes);

// with_named_values(): every parameter name present, no unknown keys; otherwise the
// multi-line message with suggestions. Keys keep the caller's order for the message.
Result<Circuit> with_named_values(const Circuit& circuit,
                                  const std::vector<std::pair<std::string, double>>& values);

// A part of Series()/Parallel(): an element or a whole circuit (copied).
using CircuitPart = std::variant<Element, const Circuit*>;

// Parts joined end to end; a circuit's top-level nodes are spliced in with their labels.
Result<Circuit> series_of(const std::vector<CircuitPart>& parts);
// One parallel node with one branch per part.
Result<Circuit> parallel_of(const std::vector<CircuitPart>& parts);

// Impedance of the tree at one angular frequency from the stored element values.
Complex impedance_at(const SeriesList& nodes, double omega);

// Impedance at one angular frequency with values drawn in parameter order from `values`
// (count entries); fails with "impedance_from_iter: not enough values supplied".
Result<Complex> impedance_from_iter(const SeriesList& nodes, double omega, const double* values,
                                    std::size_t count);

}  // namespace corvex
