// Decoding of UTF-8 text into code points, shared by everything that counts positions or
// compares characters; malformed bytes decode one at a time as U+FFFD and never stall.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvex {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point starting at text[*i] (which must be inside text); advances *i past it.
inline char32_t next_code_point(std::string_view text, std::size_t* i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(*i);
  const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 1) {
    *i += 1;
    return lead;
  }
  if (length == 0 || *i + length > text.size()) {
    *i += 1;
    return kReplacementCharacter;
  }
  char32_t cp = length == 2 ? (lead & 0x1Fu) : length == 3 ? (lead & 0x0Fu) : (lead & 0x07u);
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char cont = byte(*i + k);
    if ((cont & 0xC0) != 0x80) {
      *i += 1;
      return kReplacementCharacter;
    }
    cp = (cp << 6) | (cont & 0x3Fu);
  }
  *i += length;
  return cp;
}

inline std::vector<char32_t> decode_utf8(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) out.push_back(next_code_point(text, &i));
  return out;
}

}  // namespace corvex
