// The catalogue of the fourteen element kinds: codes, parameter names, units, defaults and
// bounds, and the Element value type that circuits are built from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvex {

// Kinds in catalogue order; the order is part of the public surface (help text, class attributes).
enum class ElementKind : std::uint8_t { R, C, L, La, Cpe, W, Wo, Ws, G, Gs, K, Zarc, Tlmq, T };

inline constexpr std::size_t kElementKindCount = 14;
inline constexpr std::size_t kMaxElementParams = 4;

// Static facts of one kind.
struct ElementKindInfo {
  std::string_view code;        // canonical code: automatic names, Python variant names, text form
  std::string_view codes_form;  // the spelling listed in the notation help (CPE and TLMQ in capitals)
  std::size_t param_count;
  std::array<std::string_view, kMaxElementParams> param_names;
  std::array<std::string_view, kMaxElementParams> units;
  std::array<double, kMaxElementParams> defaults;
};

const ElementKindInfo& kind_info(ElementKind kind);
inline std::size_t param_count(ElementKind kind) { return kind_info(kind).param_count; }

// All kinds in catalogue order, for loops over the catalogue.
const std::array<ElementKind, kElementKindCount>& all_element_kinds();

// One element: its kind and exactly param_count(kind) values (the rest are unused zeros).
// Values are stored unchanged: no range check, NaN and infinities are accepted.
struct Element {
  ElementKind kind = ElementKind::R;
  std::array<double, kMaxElementParams> values{};

  std::size_t param_count() const { return corvex::param_count(kind); }
};

// An element of the given kind carrying the catalogue defaults.
Element default_element(ElementKind kind);

// The element for a notation code, with default values; nullopt for an unknown code.
// Exact, case-sensitive match against the accepted forms ("Cpe"/"CPE", "Tlmq"/"TLMQ", ...).
std::optional<Element> element_from_code(std::string_view code);

// The power of ohms in a catalogue unit: +1 where the parameter scales with the impedance
// ("ohm...", "H..."), -1 where it scales with the admittance ("ohm^-1...", "F..."), 0 for time
// constants and exponents. Impedances multiplied by k give the same circuit with each
// parameter multiplied by k to this power.
int impedance_power_of_unit(std::string_view unit);

// Validity bounds of a parameter, which depend only on its name.
struct ParamBounds {
  double lo;
  double hi;
};
ParamBounds bounds_for_param_name(std::string_view name);

// An open-bound parameter has no finite upper limit (hi infinite or NaN).
bool is_open_bound(const ParamBounds& bounds);

}  // namespace corvex
