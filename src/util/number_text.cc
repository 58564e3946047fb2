// Number texts built from the shortest round-trip digits that std::to_chars produces in
// scientific form, rearranged into the plain, decimal and exponent layouts.
#include "util/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace corvex {
namespace {

// Shortest digits d1 d2 ... and the decimal exponent of d1, for a finite nonzero |x|.
struct ShortestDigits {
  std::string digits;
  int exponent;
};

ShortestDigits shortest_digits(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  ShortestDigits out;
  for (char c : text.substr(0, e)) {
    if (c != '.') out.digits.push_back(c);
  }
  out.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  return out;
}

// Digits laid out without exponent; `min_fraction` fractional digits at least (0 or 1).
std::string positional(const ShortestDigits& d, int min_fraction) {
  const int n = static_cast<int>(d.digits.size());
  std::string out;
  if (d.exponent >= n - 1) {
    out = d.digits;
    out.append(static_cast<std::size_t>(d.exponent - (n - 1)), '0');
    if (min_fraction > 0) out += ".0";
  } else if (d.exponent >= 0) {
    out = d.digits.substr(0, static_cast<std::size_t>(d.exponent + 1));
    out += '.';
    out += d.digits.substr(static_cast<std::size_t>(d.exponent + 1));
  } else {
    out = "0.";
    out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    out += d.digits;
  }
  return out;
}

std::string exponential(const ShortestDigits& d) {
  std::string out(1, d.digits[0]);
  if (d.digits.size() > 1) {
    out += '.';
    out += d.digits.substr(1);
  }
  out += 'e';
  out += std::to_string(d.exponent);
  return out;
}

std::string non_finite_text(double x) {
  if (std::isnan(x)) return "NaN";
  return x < 0 ? "-inf" : "inf";
}

std::string zero_text(double x, bool with_fraction) {
  std::string out = std::signbit(x) ? "-0" : "0";
  if (with_fraction) out += ".0";
  return out;
}

}  // namespace

std::string number_text(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return non_finite_text(x);
  if (x == 0.0) return zero_text(x, false);
  const double magnitude = std::fabs(x);
  const std::string sign = x < 0 ? "-" : "";
  const ShortestDigits d = shortest_digits(magnitude);
  if (magnitude >= 1e-4 && magnitude < 1e6) return sign + positional(d, 0);
  return sign + exponential(d);
}

std::string debug_number_text(double x) {
  if (!std::isfinite(x)) return non_finite_text(x);
  if (x == 0.0) return zero_text(x, true);
  const double magnitude = std::fabs(x);
  const std::string sign = x < 0 ? "-" : "";
  const ShortestDigits d = shortest_digits(magnitude);
  if (magnitude >= 1e-4 && magnitude < 1e16) return sign + positional(d, 1);
  return sign + exponential(d);
}

std::string exponent6_text(double x) {
  if (!std::isfinite(x)) return non_finite_text(x);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 6);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  return std::string(text.substr(0, e)) + "e" + std::to_string(exponent);
}

}  // namespace corvex
