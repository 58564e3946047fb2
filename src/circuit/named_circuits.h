// The names of the carried models and the circuits they stand for, usable in place of
// notation by the Circuit constructor and listed in this order everywhere.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace corvex {

struct NamedCircuit {
  std::string_view key;
  std::string_view notation;
};

inline constexpr std::array<NamedCircuit, 11> kNamedCircuits = {{
    {"rc", "R0-(R1,C1)"},
    {"rc_l", "L0-R0-(R1,C1)"},
    {"rq", "R0-(R1,CPE1)"},
    {"rq_l", "L0-R0-(R1,CPE1)"},
    {"two_rc", "R0-(R1,C1)-(R2,C2)"},
    {"two_rc_l", "L0-R0-(R1,C1)-(R2,C2)"},
    {"two_rq", "R0-(R1,CPE1)-(R2,CPE2)"},
    {"two_rq_l", "L0-R0-(R1,CPE1)-(R2,CPE2)"},
    {"randles", "R0-(R1-W1,CPE1)"},
    {"sei_randles", "R0-(R1,CPE1)-(R2-W2,CPE2)"},
    {"sei_randles_wo", "R0-(R1,CPE1)-(R2-Wo2,CPE2)"},
}};

// The notation of the model whose key equals `text` stripped of Unicode white space at both
// ends, ASCII letters compared without regard to case; nullopt when no key matches.
std::optional<std::string_view> named_circuit_notation(std::string_view text);

// The keys in table order, each in single quotes, joined with ", ": the model list of messages.
std::string quoted_model_keys();

}  // namespace corvex
