// Recursive-descent parser of the circuit notation over code points, and the formatted
// parse-error message with its caret line and the help text built from the catalogue.
#include "circuit/notation.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "circuit/named_circuits.h"
#include "util/quote.h"
#include "util/utf8.h"

namespace corvex {
namespace {

bool is_ascii_letter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_ascii_digit(char32_t c) { return c >= '0' && c <= '9'; }

class Parser {
 public:
  explicit Parser(std::vector<char32_t> text) : text_(std::move(text)) {}

  std::variant<SeriesList, ParseError> parse() {
    SeriesList top = series();
    if (failed_) return error_;
    if (pos_ != text_.size()) return ParseError{ParseError::Kind::TrailingInput, pos_, {}};
    return top;
  }

 private:
  char32_t at(std::size_t p) const { return p < text_.size() ? text_[p] : 0; }
  bool at_end(std::size_t p) const { return p >= text_.size(); }

  void fail(ParseError::Kind kind, std::size_t position, std::string text = {}) {
    if (failed_) return;
    failed_ = true;
    error_ = ParseError{kind, position, std::move(text)};
  }

  SeriesList series() {
    SeriesList nodes;
    part(&nodes);
    while (!failed_ && !at_end(pos_) && at(pos_) == '-') {
      ++pos_;
      part(&nodes);
    }
    return nodes;
  }

  void part(SeriesList* nodes) {
    if (failed_) return;
    const std::size_t start = pos_;
    if (!at_end(pos_) && at(pos_) == '(') {
      pos_ += 1;
      parallel(start, nodes);
    } else if (!at_end(pos_) && at(pos_) == 'p' && !at_end(pos_ + 1) && at(pos_ + 1) == '(') {
      pos_ += 2;
      parallel(start, nodes);
    } else {
      element(nodes);
    }
  }

  void parallel(std::size_t start, SeriesList* nodes) {
    if (depth_ + 1 > depth_limit_) return fail(ParseError::Kind::TooDeep, start);
    ++depth_;
    ParallelNode node;
    node.branches.push_back(series());
    while (!failed_) {
      if (!at_end(pos_) && at(pos_) == ',') {
        ++pos_;
        node.branches.push_back(series());
      } else if (!at_end(pos_) && at(pos_) == ')') {
        ++pos_;
        break;
      } else {
        fail(ParseError::Kind::UnexpectedEnd, 0);
      }
    }
    --depth_;
    if (!failed_) nodes->emplace_back(std::move(node));
  }

  void element(SeriesList* nodes) {
    const std::size_t p = pos_;
    if (at_end(p)) return fail(ParseError::Kind::UnexpectedEnd, 0);
    std::size_t q = p;
    while (!at_end(q) && is_ascii_letter(at(q))) ++q;
    if (q == p) return fail(ParseError::Kind::UnexpectedCharacter, p);
    if (at_end(q) || !is_ascii_digit(at(q))) return fail(ParseError::Kind::UnexpectedCharacter, q);
    std::size_t r = q;
    while (!at_end(r) && is_ascii_digit(at(r))) ++r;
    std::string letters(text_.begin() + static_cast<std::ptrdiff_t>(p), text_.begin() + static_cast<std::ptrdiff_t>(q));
    std::string digits(text_.begin() + static_cast<std::ptrdiff_t>(q), text_.begin() + static_cast<std::ptrdiff_t>(r));
    const std::optional<Element> element = element_from_code(letters);
    if (!element) return fail(ParseError::Kind::UnknownCode, p, letters);
    nodes->push_back(Node{ElementNode{*element, letters + digits}});
    pos_ = r;
  }

  std::vector<char32_t> text_;
  std::size_t pos_ = 0;
  std::size_t depth_ = 0;
  std::size_t depth_limit_ = nesting_depth_limit();  // of the thread that parses
  bool failed_ = false;
  ParseError error_{ParseError::Kind::UnexpectedEnd, 0, {}};
};

std::string message_line(const ParseError& error) {
  const std::string pos = std::to_string(error.position);
  switch (error.kind) {
    case ParseError::Kind::UnexpectedCharacter: return "unexpected character at position " + pos;
    case ParseError::Kind::UnexpectedEnd: return "unexpected end of input";
    case ParseError::Kind::UnknownCode: return "unknown element code " + quoted(error.text) + " at position " + pos;
    case ParseError::Kind::TrailingInput: return "unexpected trailing input at position " + pos;
    case ParseError::Kind::DuplicateLabel: return "duplicate element label " + quoted(error.text);
    case ParseError::Kind::TooDeep:
      return "parallel groups nested too deeply at position " + pos + " (at most " +
             std::to_string(kMaxNestingDepth) + " levels)";
  }
  return {};
}

bool shows_caret(ParseError::Kind kind) {
  return kind == ParseError::Kind::UnexpectedCharacter || kind == ParseError::Kind::UnknownCode ||
         kind == ParseError::Kind::TrailingInput || kind == ParseError::Kind::TooDeep;
}

}  // namespace

std::variant<SeriesList, ParseError> parse_notation_tree(std::string_view text) {
  return Parser(decode_utf8(text)).parse();
}

std::variant<SeriesList, ParseError> parse_notation(std::string_view text) {
  auto parsed = parse_notation_tree(text);
  if (parsed.index() == 1) return parsed;
  std::unordered_set<std::string> seen;
  for (const FlatElement& flat : flatten_elements(std::get<0>(parsed))) {
    if (!seen.insert(*flat.node->label).second) {
      return ParseError{ParseError::Kind::DuplicateLabel, 0, *flat.node->label};
    }
  }
  return parsed;
}

std::string format_parse_error(std::string_view text, const ParseError& error) {
  std::string out = message_line(error);
  out += "\n\n";
  if (shows_caret(error.kind)) {
    out += "  ";
    out.append(text);
    out += "\n  ";
    out.append(error.position, ' ');
    out += "^\n\n";
  }
  out += "syntax:\n";
  out += "  - every element needs a numeric label, e.g. \"R0\" and \"C1\", not \"R\" and \"C\"\n";
  out += "  - connect elements in series with '-', e.g. \"R0-C1\"\n";
  out += "  - connect elements in parallel with '(...)' or 'p(...)', e.g. \"R0-(R1,C1)\" or \"R0-p(R1,C1)\"\n";
  out += "\n";
  out += "available elements (code, parameters, [units]):";
  for (ElementKind kind : all_element_kinds()) {
    const ElementKindInfo& info = kind_info(kind);
    // Each help line is built from the element the listed code maps to, so the listing
    // and the parser cannot disagree.
    const std::optional<Element> element = element_from_code(info.codes_form);
    const ElementKindInfo& listed = kind_info(element ? element->kind : kind);
    std::string line = "  " + std::string(info.codes_form);
    if (info.codes_form.size() < 4) line.append(4 - info.codes_form.size(), ' ');
    line += "  ";
    for (std::size_t i = 0; i < listed.param_count; ++i) {
      if (i) line += ", ";
      line += std::string(listed.param_names[i]) + " [" + std::string(listed.units[i]) + "]";
    }
    out += "\n" + line;
  }
  return out;
}

Result<Circuit> circuit_from_text(std::string_view s) {
  const std::optional<std::string_view> named = named_circuit_notation(s);
  const std::string_view notation = named ? *named : s;
  auto parsed = parse_notation(notation);
  if (parsed.index() == 1) return value_error(format_parse_error(notation, std::get<1>(parsed)));
  return Circuit{std::move(std::get<0>(parsed)), false};
}

}  // namespace corvex
