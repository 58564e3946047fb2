// A minimal test harness for the C++ unit tests: CHECK macros that count failures and a
// registry of test cases run by main(); ctest reads the exit status.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace check {

struct TestCase {
  const char* name;
  std::function<void()> body;
};

inline std::vector<TestCase>& registry() {
  static std::vector<TestCase> cases;
  return cases;
}

inline int& failures() {
  static int count = 0;
  return count;
}

struct Registrar {
  Registrar(const char* name, std::function<void()> body) { registry().push_back({name, std::move(body)}); }
};

inline void fail(const char* file, int line, const std::string& what) {
  ++failures();
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what.c_str());
}

// Bitwise identity of doubles, so that NaN equals NaN and -0.0 differs from 0.0.
inline bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace check

#define CHECK_CONCAT2(a, b) a##b
#define CHECK_CONCAT(a, b) CHECK_CONCAT2(a, b)
#define TEST_CASE(name)                                                          \
  static void CHECK_CONCAT(test_body_, __LINE__)();                             \
  static check::Registrar CHECK_CONCAT(test_reg_, __LINE__)(name, CHECK_CONCAT(test_body_, __LINE__)); \
  static void CHECK_CONCAT(test_body_, __LINE__)()

#define CHECK(cond)                                              \
  do {                                                           \
    if (!(cond)) check::fail(__FILE__, __LINE__, #cond);         \
  } while (0)

#define CHECK_EQ(a, b)                                                              \
  do {                                                                              \
    if (!((a) == (b))) check::fail(__FILE__, __LINE__, #a " == " #b);               \
  } while (0)

#define CHECK_SAME(a, b)                                                            \
  do {                                                                              \
    if (!check::same_bits((a), (b))) {                                              \
      char buffer[160];                                                             \
      std::snprintf(buffer, sizeof buffer, "%s is %.17g, expected %.17g", #a, (double)(a), (double)(b)); \
      check::fail(__FILE__, __LINE__, buffer);                                      \
    }                                                                               \
  } while (0)

#define CHECK_NEAR(a, b, tol)                                                       \
  do {                                                                              \
    const double check_a_ = (a), check_b_ = (b);                                    \
    if (!(std::fabs(check_a_ - check_b_) <= (tol))) {                               \
      char buffer[160];                                                             \
      std::snprintf(buffer, sizeof buffer, "%s is %.17g, expected %.17g", #a, check_a_, check_b_); \
      check::fail(__FILE__, __LINE__, buffer);                                      \
    }                                                                               \
  } while (0)

// Include once per test executable, after the test cases.
#define CHECK_MAIN()                                                                \
  int main() {                                                                      \
    int passed = 0, failed = 0;                                                     \
    for (auto& test : check::registry()) {                                          \
      const int before = check::failures();                                         \
      test.body();                                                                  \
      if (check::failures() == before) ++passed;                                    \
      else { ++failed; std::fprintf(stderr, "FAILED: %s\n", test.name); }           \
    }                                                                               \
    std::printf("%d passed, %d failed\n", passed, failed);                          \
    return failed == 0 ? 0 : 1;                                                     \
  }
