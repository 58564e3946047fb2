// The circuit notation ("R0-(R1,C1)", "R0-p(R1,CPE1)"): a recursive-descent parser over
// code points, its error kinds, and the multi-line message with caret and help text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "circuit/circuit.h"

namespace corvex {

struct ParseError {
  enum class Kind {
    UnexpectedCharacter,  // position
    UnexpectedEnd,        // nothing
    UnknownCode,          // text = letters as typed, position = first letter
    TrailingInput,        // position
    DuplicateLabel,       // text = the label
    TooDeep,              // position of the group that exceeds the nesting limit
  };
  Kind kind;
  std::size_t position = 0;  // in code points
  std::string text;
};

// Parses UTF-8 notation into a top-level series list whose element nodes all carry labels
// and default values. Invalid UTF-8 is reported as an unexpected character.
std::variant<SeriesList, ParseError> parse_notation(std::string_view text);

// The same grammar without the final duplicate-label check, for saved circuits whose
// unlabelled elements are written by automatic names that may repeat a label.
std::variant<SeriesList, ParseError> parse_notation_tree(std::string_view text);

// The full message for a parse error of `text`, as raised by Circuit(s).
std::string format_parse_error(std::string_view text, const ParseError& error);

// Circuit(s): a carried model's name (stripped, ASCII case-insensitive) selects its notation;
// otherwise s itself is parsed. explicit_values is false.
Result<Circuit> circuit_from_text(std::string_view s);

}  // namespace corvex
