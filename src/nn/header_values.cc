// Strict parsers for header values. std::from_chars does the decimal conversion; the
// grammar around it is checked here, since from_chars alone accepts neither "+" nor "infinity".
#include "nn/header_values.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace corvex {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool equals_ignoring_ascii_case(std::string_view text, std::string_view lower_word) {
  if (text.size() != lower_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower_word[i]) return false;
  }
  return true;
}

// Decimal exponent of the leading significant digit of a checked, non-zero mantissa with
// its explicit exponent; only its sign matters, to tell overflow from underflow.
bool magnitude_is_large(std::string_view digits_and_point, std::string_view exponent) {
  long long position = 0;  // leading digit is at 10^(position - 1) before the exponent
  bool seen_point = false;
  bool seen_significant = false;
  for (char c : digits_and_point) {
    if (c == '.') {
      seen_point = true;
      continue;
    }
    if (!seen_significant && c == '0') {
      if (seen_point) --position;
      continue;
    }
    seen_significant = true;
    if (!seen_point && position < 1'000'000) ++position;
  }
  long long explicit_exponent = 0;
  bool negative = false;
  std::size_t i = 0;
  if (i < exponent.size() && (exponent[i] == '+' || exponent[i] == '-')) negative = exponent[i++] == '-';
  for (; i < exponent.size(); ++i) {
    if (explicit_exponent < 1'000'000'000) explicit_exponent = explicit_exponent * 10 + (exponent[i] - '0');
  }
  return position + (negative ? -explicit_exponent : explicit_exponent) > 0;
}

bool is_white_space(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// Length of the UTF-8 sequence that starts with this byte (1 for continuation bytes, which
// valid input never presents here).
std::size_t sequence_length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

char32_t decode_at(std::string_view text, std::size_t start, std::size_t length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[start + i]); };
  switch (length) {
    case 2:
      return (char32_t(byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
      return (char32_t(byte(0) & 0x0F) << 12) | (char32_t(byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    case 4:
      return (char32_t(byte(0) & 0x07) << 18) | (char32_t(byte(1) & 0x3F) << 12) |
             (char32_t(byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
    default:
      return byte(0);
  }
}

}  // namespace

std::optional<std::uint64_t> parse_header_integer(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (!is_digit(c)) return std::nullopt;
    const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::optional<double> parse_header_float(std::string_view text) {
  bool negative = false;
  std::string_view body = text;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  const double sign = negative ? -1.0 : 1.0;
  if (equals_ignoring_ascii_case(body, "inf") || equals_ignoring_ascii_case(body, "infinity")) {
    return sign * std::numeric_limits<double>::infinity();
  }
  if (equals_ignoring_ascii_case(body, "nan")) return std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);

  // Mantissa: digits with at most one point and at least one digit; then an optional
  // exponent of "e" or "E", an optional sign and at least one digit.
  std::size_t i = 0;
  std::size_t digit_count = 0;
  bool all_zero = true;
  while (i < body.size() && is_digit(body[i])) {
    all_zero = all_zero && body[i] == '0';
    ++i, ++digit_count;
  }
  if (i < body.size() && body[i] == '.') {
    ++i;
    while (i < body.size() && is_digit(body[i])) {
      all_zero = all_zero && body[i] == '0';
      ++i, ++digit_count;
    }
  }
  if (digit_count == 0) return std::nullopt;
  const std::size_t mantissa_end = i;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    ++i;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    const std::size_t exponent_digits_start = i;
    while (i < body.size() && is_digit(body[i])) ++i;
    if (i == exponent_digits_start) return std::nullopt;
  }
  if (i != body.size()) return std::nullopt;

  double value = 0.0;
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (all_zero) return sign * 0.0;
    const std::string_view exponent =
        mantissa_end < body.size() ? body.substr(mantissa_end + 1) : std::string_view{};
    value = magnitude_is_large(body.substr(0, mantissa_end), exponent)
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  } else if (error != std::errc() || end != body.data() + body.size()) {
    return std::nullopt;
  }
  return sign * value;
}

std::vector<std::string> split_at_commas(std::string_view text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
}

std::string_view trim_white_space(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t length = sequence_length(static_cast<unsigned char>(text[start]));
    if (start + length > text.size() || !is_white_space(decode_at(text, start, length))) break;
    start += length;
  }
  std::size_t end = text.size();
  while (end > start) {
    std::size_t lead = end - 1;
    while (lead > start && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80) --lead;
    if (!is_white_space(decode_at(text, lead, end - lead))) break;
    end = lead;
  }
  return text.substr(start, end - start);
}

}  // namespace corvex
