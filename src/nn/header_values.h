// The text syntaxes of weights-file header values: unsigned integers, floats and
// comma-separated lists. Parsing is strict; anything outside the syntax is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvex {

// An optional "+" then one or more ASCII digits, fitting 64 bits unsigned.
std::optional<std::uint64_t> parse_header_integer(std::string_view text);

// Optional sign, then decimal or scientific notation, or inf / infinity / nan in any letter
// case. No white space anywhere. Magnitudes beyond the double range round to infinity or zero.
std::optional<double> parse_header_float(std::string_view text);

// Pieces between commas, unchanged: "" gives one empty piece, "a," gives "a" and "".
std::vector<std::string> split_at_commas(std::string_view text);

// `text` (valid UTF-8) without leading and trailing Unicode white space.
std::string_view trim_white_space(std::string_view text);

}  // namespace corvex
