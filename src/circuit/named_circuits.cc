// Lookup of carried model names typed in place of notation: strip Unicode white space and
// compare ASCII case-insensitively.
#include "circuit/named_circuits.h"

#include <cstdint>
#include <string>

namespace corvex {
namespace {

bool is_unicode_white_space(std::uint32_t cp) {
  return (cp >= 0x09 && cp <= 0x0D) || cp == 0x20 || cp == 0x85 || cp == 0xA0 || cp == 0x1680 ||
         (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 || cp == 0x2029 || cp == 0x202F || cp == 0x205F ||
         cp == 0x3000;
}

// Length in bytes and value of the UTF-8 sequence starting at text[i] (1 and the byte for
// anything malformed, which is never white space).
std::uint32_t decode_at(std::string_view text, std::size_t i, std::size_t* length) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = b(i);
  std::size_t n = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
  if (i + n > text.size()) n = 1;
  std::uint32_t cp = n == 1 ? lead : n == 2 ? (lead & 0x1Fu) : n == 3 ? (lead & 0x0Fu) : (lead & 0x07u);
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) {
      *length = 1;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b(i + k) & 0x3Fu);
  }
  *length = n;
  return n == 1 && lead >= 0x80 ? 0xFFFD : cp;
}

std::string_view strip_white_space(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t length = 1;
    if (!is_unicode_white_space(decode_at(text, start, &length))) break;
    start += length;
  }
  std::size_t end = start;
  std::size_t content_end = start;
  while (end < text.size()) {
    std::size_t length = 1;
    const bool space = is_unicode_white_space(decode_at(text, end, &length));
    end += length;
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
