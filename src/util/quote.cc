// Quoting for names shown inside messages, and code-point based edit distance for the
// "did you mean" suggestions of unknown parameter names.
#include "util/quote.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "util/utf8.h"

namespace corvex {
namespace {

std::vector<char32_t> code_points(std::string_view text) { return decode_utf8(text); }

bool is_control(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

}  // namespace

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    const char32_t cp = next_code_point(text, &i);
    if (cp == '"' || cp == '\\') {
      out += '\\';
      out += static_cast<char>(cp);
    } else if (cp == '\t') {
      out += "\\t";
    } else if (cp == '\r') {
      out += "\\r";
    } else if (cp == '\n') {
      out += "\\n";
    } else if (is_control(cp)) {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "\\u{%x}", static_cast<unsigned>(cp));
      out += buffer;
    } else {
      out.append(text.substr(start, i - start));
    }
  }
  out += '"';
  return out;
}

std::size_t code_point_count(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) next_code_point(text, &i);
  return count;
}

std::size_t levenshtein_distance(std::string_view a, std::string_view b) {
  const std::vector<char32_t> s = code_points(a);
  const std::vector<char32_t> t = code_points(b);
  std::vector<std::size_t> row(t.size() + 1);
  for (std::size_t j = 0; j <= t.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= s.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= t.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t substitution = diagonal + (s[i - 1] == t[j - 1] ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
    }
  }
  return row[t.size()];
}

}  // namespace corvex
