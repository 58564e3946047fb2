// Unit tests of the number texts and quoting used by messages and representations.
#include <limits>

#include "check.h"
#include "util/number_text.h"
#include "util/quote.h"

using namespace corvex;

TEST_CASE("plain and exponent number text") {
  const double inf = std::numeric_limits<double>::infinity();
  struct { double x; const char* text; } table[] = {
      {1.0, "1"}, {100.0, "100"}, {0.001, "0.001"}, {0.0001, "0.0001"}, {123456.7, "123456.7"},
      {inf, "inf"}, {-inf, "-inf"}, {0.0, "0"}, {-0.0, "-0"}, {1e-12, "1e-12"}, {2.5e-7, "2.5e-7"},
      {1.5e6, "1.5e6"}, {1234567.0, "1.234567e6"}, {std::numeric_limits<double>::quiet_NaN(), "NaN"},
      {-0.5, "-0.5"}, {999999.9, "999999.9"}, {1e6, "1e6"}, {9.99e-5, "9.99e-5"}};
  for (const auto& row : table) CHECK_EQ(number_text(row.x), std::string(row.text));
}

TEST_CASE("debug number text") {
  const double inf = std::numeric_limits<double>::infinity();
  struct { double x; const char* text; } table[] = {
      {1.0, "1.0"}, {0.001, "0.001"}, {100.0, "100.0"}, {-0.0, "-0.0"}, {1e-6, "1e-6"}, {2.5e-7, "2.5e-7"},
      {1e16, "1e16"}, {inf, "inf"}, {-inf, "-inf"}, {std::numeric_limits<double>::quiet_NaN(), "NaN"},
      {1234567.0, "1234567.0"}, {0.8, "0.8"}, {123.456, "123.456"}, {2.5e16, "2.5e16"}, {1e-5, "1e-5"}};
  for (const auto& row : table) CHECK_EQ(debug_number_text(row.x), std::string(row.text));
}

TEST_CASE("six-digit exponent text") {
  struct { double x; const char* text; } table[] = {
      {12.5, "1.250000e1"}, {0.001, "1.000000e-3"}, {0.0, "0.000000e0"}, {1.0, "1.000000e0"},
      {123456789.0, "1.234568e8"}, {std::numeric_limits<double>::infinity(), "inf"}};
  for (const auto& row : table) CHECK_EQ(exponent6_text(row.x), std::string(row.text));
}

TEST_CASE("quoting and edit distance") {
  CHECK_EQ(quoted("R0.r"), "\"R0.r\"");
  CHECK_EQ(quoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
  CHECK_EQ(quoted("t\tr\rn\n"), "\"t\\tr\\rn\\n\"");
  CHECK_EQ(quoted(std::string("x\x01y", 3)), "\"x\\u{1}y\"");
  CHECK_EQ(quoted("Ω"), "\"Ω\"");
  CHECK_EQ(levenshtein_distance("R2.r", "R0.r"), 1u);
  CHECK_EQ(levenshtein_distance("", "abc"), 3u);
  CHECK_EQ(levenshtein_distance("Ωx", "x"), 1u);
  CHECK_EQ(code_point_count("Ωx"), 2u);
}

CHECK_MAIN()
