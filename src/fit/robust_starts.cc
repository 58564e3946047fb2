// Extra starts from the structure of a circuit: which top-level parallel groups are arcs,
// which of their elements correspond, and which resistor sets each arc's size.
#include "fit/robust_starts.h"

#include <algorithm>
#include <string>
#include <utility>

namespace corvex {
namespace {

struct Arc {
  std::vector<const FlatElement*> elements;  // in flattening order
};

// The elements of each top-level parallel group, found by parameter ranges of the top level.
std::vector<Arc> arcs_of(const SeriesList& circuit, const std::vector<FlatElement>& flat) {
  std::vector<Arc> arcs;
  std::size_t begin = 0;
  for (const Node& node : circuit) {
    const std::size_t end = begin + parameter_count(SeriesList{node});
    if (!node.is_element()) {
      Arc arc;
      for (const FlatElement& element : flat) {
        if (element.first_param >= begin && element.first_param < end) arc.elements.push_back(&element);
      }
      arcs.push_back(std::move(arc));
    }
    begin = end;
  }
  return arcs;
}

// Exchanges the values of the k-th element of each kind in one arc with the k-th element
// of the same kind in the other; false when the arcs share no kind.
bool swap_arcs(const Arc& a, const Arc& b, std::vector<double>* x) {
  bool swapped = false;
  std::vector<bool> taken(b.elements.size(), false);
  for (const FlatElement* ea : a.elements) {
    for (std::size_t j = 0; j < b.elements.size(); ++j) {
      const FlatElement* eb = b.elements[j];
      if (taken[j] || eb->node->element.kind != ea->node->element.kind) continue;
      taken[j] = true;
      for (std::size_t p = 0; p < ea->node->element.param_count(); ++p) {
        std::swap((*x)[ea->first_param + p], (*x)[eb->first_param + p]);
      }
      swapped = true;
      break;
    }
  }
  return swapped;
}

}  // namespace

std::vector<LabelledStart> derived_starts(const SeriesList& circuit, std::span<const double> x0) {
  const std::vector<FlatElement> flat = flatten_elements(circuit);
  const std::vector<Arc> arcs = arcs_of(circuit, flat);
  const std::vector<double> start(x0.begin(), x0.end());
  if (start.size() < parameter_count(circuit)) return {};

  std::vector<LabelledStart> out;
  for (std::size_t a = 0; a < arcs.size(); ++a) {
    for (std::size_t b = a + 1; b < arcs.size(); ++b) {
      std::vector<double> x = start;
      if (!swap_arcs(arcs[a], arcs[b], &x)) continue;
      const std::string label =
          arcs.size() == 2 ? "swapped" : "swapped_" + std::to_string(a + 1) + "_" + std::to_string(b + 1);
      out.push_back({label, std::move(x)});
    }
  }
  for (const Arc& arc : arcs) {
    auto resistor = std::find_if(arc.elements.begin(), arc.elements.end(),
                                 [](const FlatElement* e) { return e->node->element.kind == ElementKind::R; });
    if (resistor == arc.elements.end()) continue;
    const std::size_t i = (*resistor)->first_param;
    const std::string name = (*resistor)->name + "." + std::string(kind_info(ElementKind::R).param_names[0]);
    std::vector<double> up = start;
    up[i] = start[i] * 10.0;
    out.push_back({name + "*10", std::move(up)});
    std::vector<double> down = start;
    down[i] = start[i] / 10.0;
    out.push_back({name + "/10", std::move(down)});
  }
  return out;
}

}  // namespace corvex
