// Lookup of carried model names typed in place of notation: strip Unicode white space and
// compare ASCII case-insensitively.
#include "circuit/named_circuits.h"

#include <string>

#include "util/utf8.h"

namespace corvex {
namespace {

bool is_unicode_white_space(char32_t cp) {
  return (cp >= 0x09 && cp <= 0x0D) || cp == 0x20 || cp == 0x85 || cp == 0xA0 || cp == 0x1680 ||
         (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 || cp == 0x2029 || cp == 0x202F || cp == 0x205F ||
         cp == 0x3000;
}

std::string_view strip_white_space(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t next = start;
    if (!is_unicode_white_space(next_code_point(text, &next))) break;
    start = next;
  }
  std::size_t end = start;
  std::size_t content_end = start;
  while (end < text.size()) {
    const bool space = is_unicode_white_space(next_code_point(text, &end));
    if (!space) content_end = end;
  }
  return text.substr(start, content_end - start);
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equal_ascii_case_insensitive(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string_view> named_circuit_notation(std::string_view text) {
  const std::string_view stripped = strip_white_space(text);
  for (const NamedCircuit& named : kNamedCircuits) {
    if (equal_ascii_case_insensitive(stripped, named.key)) return named.notation;
  }
  return std::nullopt;
}

std::string quoted_model_keys() {
  std::string out;
  for (const NamedCircuit& named : kNamedCircuits) {
    if (!out.empty()) out += ", ";
    out += "'";
    out += named.key;
    out += "'";
  }
  return out;
}

}  // namespace corvex
