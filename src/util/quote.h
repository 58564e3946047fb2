// Quoting of names inside messages, and the edit distance used for name suggestions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvex {

// The UTF-8 text in double quotes; a double quote and a backslash get a backslash, control
// characters become \t, \r, \n or \u{hex}; everything else is kept.
std::string quoted(std::string_view text);

// Levenshtein distance between two UTF-8 texts, counted in code points.
std::size_t levenshtein_distance(std::string_view a, std::string_view b);

// Number of code points in a UTF-8 text.
std::size_t code_point_count(std::string_view text);

}  // namespace corvex
