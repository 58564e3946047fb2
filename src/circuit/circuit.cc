// Walks over the circuit tree in the one flattening order: names, values, bounds, units,
// rebuilding with new values, joining parts, and impedance at a single frequency.
#include "circuit/circuit.h"

#include <algorithm>
#include <array>
#include <unordered_set>
#include <utility>
#include <vector>

#include "elements/element_impedance.h"
#include "util/number_text.h"
#include "util/quote.h"
#include "util/stack_space.h"

namespace corvex {
namespace {

// Stack one nesting level may take in the deepest walk over a tree (parsing, evaluation,
// copying, destruction and the conversions around them): about 350 bytes measured in an
// optimised build, with a margin. Sanitizer builds have far larger frames.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr std::size_t kStackPerNestingLevel = 4096;
#else
constexpr std::size_t kStackPerNestingLevel = 640;
#endif
// Stack left for everything a thread does besides walking the tree (the interpreter, say).
constexpr std::size_t kStackReserve = 24 * 1024;

template <class Visit>
void for_each_element(const SeriesList& nodes, Visit& visit) {
  for (const Node& node : nodes) {
    if (node.is_element()) {
      visit(node.element_node());
    } else {
      for (const SeriesList& branch : node.parallel_node().branches) for_each_element(branch, visit);
    }
  }
}

SeriesList rebuild(const SeriesList& nodes, const double* values, std::size_t* position) {
  SeriesList out;
  out.reserve(nodes.size());
  for (const Node& node : nodes) {
    if (node.is_element()) {
      ElementNode copy = node.element_node();
      const std::size_t count = copy.element.param_count();
      for (std::size_t i = 0; i < count; ++i) copy.element.values[i] = values[*position + i];
      *position += count;
      out.push_back(Node{std::move(copy)});
    } else {
      ParallelNode parallel;
      parallel.branches.reserve(node.parallel_node().branches.size());
      for (const SeriesList& branch : node.parallel_node().branches) parallel.branches.push_back(rebuild(branch, values, position));
      out.emplace_back(std::move(parallel));
    }
  }
  return out;
}

// The value source of an evaluation: the element's own values or a running position in a
// flat vector that may run out.
struct FlatSource {
  const double* values;
  std::size_t count;
  std::size_t position = 0;
  bool exhausted = false;
};

Complex series_impedance(const SeriesList& nodes, const OmegaPoint& point, FlatSource* source);

Complex node_impedance(const Node& node, const OmegaPoint& point, FlatSource* source) {
  if (node.is_element()) {
    const Element& element = node.element_node().element;
    if (source == nullptr) return element_impedance(element, point);
    const std::size_t count = element.param_count();
    if (source->exhausted || source->count - source->position < count) {
      source->exhausted = true;
      return {};
    }
    const Complex z = element_impedance(element.kind, source->values + source->position, point);
    source->position += count;
    return z;
  }
  Complex admittance{0.0, 0.0};
  for (const SeriesList& branch : node.parallel_node().branches) {
    const Complex zb = series_impedance(branch, point, source);
    const Complex yb = reciprocal(zb);
    admittance.re = admittance.re + yb.re;
    admittance.im = admittance.im + yb.im;
  }
  return reciprocal(admittance);
}

Complex series_impedance(const SeriesList& nodes, const OmegaPoint& point, FlatSource* source) {
  Complex total{0.0, 0.0};
  for (const Node& node : nodes) total = total + node_impedance(node, point, source);
  return total;
}

std::string pad_right(std::string_view text, std::size_t width) {
  std::string out(text);
  const std::size_t length = code_point_count(text);
  if (length < width) out.append(width - length, ' ');
  return out;
}

}  // namespace

std::size_t nesting_depth_limit() {
  const std::size_t left = stack_bytes_left();
  if (left <= kStackReserve) return 0;
  return std::min(kMaxNestingDepth, (left - kStackReserve) / kStackPerNestingLevel);
}

std::size_t nesting_depth(const SeriesList& nodes) {
  // Each pending series list with the number of parallel groups enclosing it.
  std::vector<std::pair<const SeriesList*, std::size_t>> pending{{&nodes, 0}};
  std::size_t deepest = 0;
  while (!pending.empty()) {
    const auto [list, depth] = pending.back();
    pending.pop_back();
    for (const Node& node : *list) {
      if (node.is_element()) continue;
      deepest = std::max(deepest, depth + 1);
      for (const SeriesList& branch : node.parallel_node().branches) pending.emplace_back(&branch, depth + 1);
    }
  }
  return deepest;
}

Node::~Node() {
  if (is_element() || parallel_node().branches.empty()) return;
  // Detach every descendant's branches before it dies, so each node's own destruction is
  // shallow and a tree of any depth is dropped without deep recursion.
  std::vector<SeriesList> pending = std::move(parallel_node().branches);
  parallel_node().branches.clear();
  while (!pending.empty()) {
    SeriesList list = std::move(pending.back());
    pending.pop_back();
    for (Node& node : list) {
      if (node.is_element()) continue;
      std::vector<SeriesList>& branches = node.parallel_node().branches;
      for (SeriesList& branch : branches) pending.push_back(std::move(branch));
      branches.clear();
    }
  }
}

// The old content is moved into a local first, so that it dies through the destructor above.
Node& Node::operator=(Node&& other) noexcept {
  if (this != &other) {
    Node old(std::move(*this));
    content = std::move(other.content);
  }
  return *this;
}

Node& Node::operator=(const Node& other) {
  if (this != &other) *this = Node(other);
  return *this;
}

std::string nesting_depth_message() {
  return "circuit is nested too deeply: at most " + std::to_string(kMaxNestingDepth) +
         " levels of parallel groups are supported";
}

std::size_t parameter_count(const SeriesList& nodes) {
  std::size_t count = 0;
  auto add = [&](const ElementNode& node) { count += node.element.param_count(); };
  for_each_element(nodes, add);
  return count;
}

std::vector<FlatElement> flatten_elements(const SeriesList& nodes) {
  std::vector<FlatElement> out;
  std::array<std::size_t, kElementKindCount> counters{};
  std::size_t first_param = 0;
  auto add = [&](const ElementNode& node) {
    std::string name;
    if (node.label) {
      name = *node.label;
    } else {
      const auto kind = static_cast<std::size_t>(node.element.kind);
      name = std::string(kind_info(node.element.kind).code) + std::to_string(counters[kind]++);
    }
    out.push_back({&node, std::move(name), first_param});
    first_param += node.element.param_count();
  };
  for_each_element(nodes, add);
  return out;
}

std::vector<std::string> param_names(const SeriesList& nodes) {
  std::vector<std::string> out;
  for (const FlatElement& flat : flatten_elements(nodes)) {
    const ElementKindInfo& info = kind_info(flat.node->element.kind);
    for (std::size_t i = 0; i < info.param_count; ++i) out.push_back(flat.name + "." + std::string(info.param_names[i]));
  }
  return out;
}

std::vector<double> param_values(const SeriesList& nodes) {
  std::vector<double> out;
  auto add = [&](const ElementNode& node) {
    for (std::size_t i = 0; i < node.element.param_count(); ++i) out.push_back(node.element.values[i]);
  };
  for_each_element(nodes, add);
  return out;
}

std::vector<ParamBounds> param_bounds(const SeriesList& nodes) {
  std::vector<ParamBounds> out;
  auto add = [&](const ElementNode& node) {
    const ElementKindInfo& info = kind_info(node.element.kind);
    for (std::size_t i = 0; i < info.param_count; ++i) out.push_back(bounds_for_param_name(info.param_names[i]));
  };
  for_each_element(nodes, add);
  return out;
}

std::vector<std::string_view> param_units(const SeriesList& nodes) {
  std::vector<std::string_view> out;
  auto add = [&](const ElementNode& node) {
    const ElementKindInfo& info = kind_info(node.element.kind);
    for (std::size_t i = 0; i < info.param_count; ++i) out.push_back(info.units[i]);
  };
  for_each_element(nodes, add);
  return out;
}

SeriesList rebuild_with_values(const SeriesList& nodes, const double* values) {
  std::size_t position = 0;
  return rebuild(nodes, values, &position);
}

Result<Circuit> with_values(const Circuit& circuit, const std::vector<double>& values) {
  const std::size_t expected = parameter_count(circuit.nodes);
  if (values.size() != expected) {
    return value_error("expected " + std::to_string(expected) + " values, got " + std::to_string(values.size()));
  }
  return Circuit{rebuild_with_values(circuit.nodes, values.data()), true};
}

std::string unknown_parameter_line(std::string_view key, const std::vector<std::string>& names) {
  // The first name at the smallest distance wins; suggestions must be close relative to the key.
  const std::string* best = nullptr;
  std::size_t best_distance = 0;
  for (const std::string& name : names) {
    const std::size_t d = levenshtein_distance(key, name);
    if (best == nullptr || d < best_distance) {
      best = &name;
      best_distance = d;
    }
  }
  const std::size_t threshold = std::max<std::size_t>(2, code_point_count(key) / 2);
  if (best != nullptr && best_distance <= threshold) {
    return "unknown parameter " + quoted(key) + " (did you mean " + quoted(*best) + "?)";
  }
  return "unknown parameter " + quoted(key);
}

std::vector<std::string> valid_parameter_lines(const SeriesList& nodes) {
  std::vector<std::string> lines{std::string(), "valid parameters for this circuit:"};
  const std::vector<std::string> names = param_names(nodes);
  std::size_t width = 0;
  for (const std::string& name : names) width = std::max(width, code_point_count(name));
  const std::vector<ParamBounds> bounds = param_bounds(nodes);
  const std::vector<std::string_view> units = param_units(nodes);
  for (std::size_t i = 0; i < names.size(); ++i) {
    lines.push_back("  " + pad_right(names[i], width) + "  [" + std::string(units[i]) + "]  bounds (" +
                    number_text(bounds[i].lo) + ", " + number_text(bounds[i].hi) + ")");
  }
  return lines;
}

Result<Circuit> with_named_values(const Circuit& circuit,
                                  const std::vector<std::pair<std::string, double>>& values) {
  const std::vector<std::string> names = param_names(circuit.nodes);
  const std::unordered_set<std::string> known(names.begin(), names.end());
  std::unordered_set<std::string> given;
  for (const auto& entry : values) given.insert(entry.first);

  std::vector<std::string> lines;
  for (const auto& [key, value] : values) {
    if (!known.count(key)) lines.push_back(unknown_parameter_line(key, names));
  }
  std::vector<std::string> missing;
  for (const std::string& name : names) {
    if (!given.count(name)) missing.push_back(name);
  }

  if (lines.empty() && missing.empty()) {
    std::vector<double> flat;
    flat.reserve(names.size());
    for (const std::string& name : names) {
      // For repeated keys the last one given counts, as in a Python dict.
      for (auto it = values.rbegin(); it != values.rend(); ++it) {
        if (it->first == name) {
          flat.push_back(it->second);
          break;
        }
      }
    }
    return Circuit{rebuild_with_values(circuit.nodes, flat.data()), true};
  }

  if (!missing.empty()) {
    std::string list = "[";
    for (std::size_t i = 0; i < missing.size(); ++i) {
      if (i) list += ", ";
      list += quoted(missing[i]);
    }
    lines.push_back("missing parameter(s): " + list + "]");
  }
  const std::vector<std::string> table = valid_parameter_lines(circuit.nodes);
  lines.insert(lines.end(), table.begin(), table.end());
  std::string message;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) message += '\n';
    message += lines[i];
  }
  return value_error(std::move(message));
}

Result<Circuit> series_of(const std::vector<CircuitPart>& parts) {
  Circuit out;
  out.explicit_values = true;
  for (const CircuitPart& part : parts) {
    if (const Element* element = std::get_if<Element>(&part)) {
      out.nodes.push_back(Node{ElementNode{*element, std::nullopt}});
    } else {
      const Circuit* circuit = std::get<const Circuit*>(part);
      out.nodes.insert(out.nodes.end(), circuit->nodes.begin(), circuit->nodes.end());
      out.explicit_values = out.explicit_values && circuit->explicit_values;
    }
  }
  return out;
}

Result<Circuit> parallel_of(const std::vector<CircuitPart>& parts) {
  ParallelNode parallel;
  bool explicit_values = true;
  for (const CircuitPart& part : parts) {
    if (const Element* element = std::get_if<Element>(&part)) {
      SeriesList branch;
      branch.push_back(Node{ElementNode{*element, std::nullopt}});
      parallel.branches.push_back(std::move(branch));
    } else {
      const Circuit* circuit = std::get<const Circuit*>(part);
      if (nesting_depth(circuit->nodes) + 1 > nesting_depth_limit()) return value_error(nesting_depth_message());
      parallel.branches.push_back(circuit->nodes);
      explicit_values = explicit_values && circuit->explicit_values;
    }
  }
  Circuit out;
  out.nodes.push_back(Node{std::move(parallel)});
  out.explicit_values = explicit_values;
  return out;
}

Complex impedance_at(const SeriesList& nodes, double omega) {
  return series_impedance(nodes, make_omega_point(omega), nullptr);
}

Result<Complex> impedance_from_iter(const SeriesList& nodes, double omega, const double* values,
                                    std::size_t count) {
  FlatSource source{values, count};
  const Complex z = series_impedance(nodes, make_omega_point(omega), &source);
  if (source.exhausted) return internal_error("impedance_from_iter: not enough values supplied");
  return z;
}

}  // namespace corvex
