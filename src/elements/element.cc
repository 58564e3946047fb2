// The static catalogue tables and code lookup; every other part of the system reads the
// element facts from here.
#include "elements/element.h"

#include <cmath>
#include <limits>

namespace corvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr std::array<ElementKindInfo, kElementKindCount> kCatalogue = {{
    {"R", "R", 1, {"r"}, {"ohm"}, {1.0}},
    {"C", "C", 1, {"c"}, {"F"}, {0.001}},
    {"L", "L", 1, {"l"}, {"H"}, {1e-6}},
    {"La", "La", 2, {"l", "alpha"}, {"H*s", "-"}, {1e-6, 0.8}},
    {"Cpe", "CPE", 2, {"q", "alpha"}, {"ohm^-1*s^alpha", "-"}, {0.001, 0.8}},
    {"W", "W", 1, {"aw"}, {"ohm*s^-0.5"}, {1.0}},
    {"Wo", "Wo", 2, {"z0", "tau"}, {"ohm", "s"}, {1.0, 10.0}},
    {"Ws", "Ws", 2, {"z0", "tau"}, {"ohm", "s"}, {1.0, 10.0}},
    {"G", "G", 2, {"rg", "tg"}, {"ohm", "s"}, {1.0, 1.0}},
    {"Gs", "Gs", 3, {"rg", "tg", "phi"}, {"ohm", "s", "-"}, {1.0, 1.0, 1.0}},
    {"K", "K", 2, {"r", "tau_k"}, {"ohm", "s"}, {1.0, 0.001}},
    {"Zarc", "Zarc", 3, {"r", "tau_k", "gamma"}, {"ohm", "s", "-"}, {1.0, 0.001, 0.8}},
    {"Tlmq", "TLMQ", 3, {"r_ion", "qs", "gamma"}, {"ohm", "F*s^(gamma-1)", "-"}, {1.0, 0.001, 0.8}},
    {"T", "T", 4, {"a", "b", "k_tau", "tau"}, {"ohm*m^2", "ohm*m^2", "-", "s"}, {1.0, 1.0, 1.0, 1.0}},
}};

constexpr std::array<ElementKind, kElementKindCount> kAllKinds = {
    ElementKind::R,  ElementKind::C,  ElementKind::L,  ElementKind::La,   ElementKind::Cpe,
    ElementKind::W,  ElementKind::Wo, ElementKind::Ws, ElementKind::G,    ElementKind::Gs,
    ElementKind::K,  ElementKind::Zarc, ElementKind::Tlmq, ElementKind::T};

}  // namespace

const ElementKindInfo& kind_info(ElementKind kind) { return kCatalogue[static_cast<std::size_t>(kind)]; }

const std::array<ElementKind, kElementKindCount>& all_element_kinds() { return kAllKinds; }

Element default_element(ElementKind kind) {
  Element element;
  element.kind = kind;
  const ElementKindInfo& info = kind_info(kind);
  for (std::size_t i = 0; i < info.param_count; ++i) element.values[i] = info.defaults[i];
  return element;
}

std::optional<Element> element_from_code(std::string_view code) {
  // The length selects the candidates; within a length the match is exact and case-sensitive.
  switch (code.size()) {
    case 1:
      switch (code[0]) {
        case 'R': return default_element(ElementKind::R);
        case 'C': return default_element(ElementKind::C);
        case 'L': return default_element(ElementKind::L);
        case 'W': return default_element(ElementKind::W);
        case 'G': return default_element(ElementKind::G);
        case 'K': return default_element(ElementKind::K);
        case 'T': return default_element(ElementKind::T);
        default: return std::nullopt;
      }
    case 2:
      if (code == "La") return default_element(ElementKind::La);
      if (code == "Wo") return default_element(ElementKind::Wo);
      if (code == "Ws") return default_element(ElementKind::Ws);
      if (code == "Gs") return default_element(ElementKind::Gs);
      return std::nullopt;
    case 3:
      if (code == "Cpe" || code == "CPE") return default_element(ElementKind::Cpe);
      return std::nullopt;
    case 4:
      if (code == "Zarc") return default_element(ElementKind::Zarc);
      if (code == "Tlmq" || code == "TLMQ") return default_element(ElementKind::Tlmq);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

// Holds for every kind but La, whose l enters raised to alpha (it scales as k to 1/alpha).
int impedance_power_of_unit(std::string_view unit) {
  if (unit.starts_with("ohm^-1") || unit.starts_with("F")) return -1;
  if (unit.starts_with("ohm") || unit.starts_with("H")) return 1;
  return 0;
}

ParamBounds bounds_for_param_name(std::string_view name) {
  if (name == "alpha" || name == "gamma") return {0.0, 1.0};
  return {1e-12, kInf};
}

bool is_open_bound(const ParamBounds& bounds) {
  return !(std::fabs(bounds.hi) <= std::numeric_limits<double>::max());
}

}  // namespace corvex
