// Tests of the runaway test against the spectrum's scale and window, and of the F quantile and
// F-test that let a runaway fit win only on a gain beyond noise.
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "check.h"
#include "fit/f_distribution.h"
#include "fit/runaway_values.h"
#include "fit/student_t.h"
#include "fit_fixtures.h"

using namespace corvex;
using fit_fixtures::circuit_with;
using fit_fixtures::log_frequencies;
using fit_fixtures::spectrum_of;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct RunawayCase {
  std::string_view notation;
  std::vector<double> values;
  std::vector<std::optional<double>> standard_errors;  // empty: no estimate
  std::vector<bool> expected;
};

}  // namespace

TEST_CASE("runaway values: resistances off the |Z| range, arcs off the window, unresolved values") {
  // R0-(R1,C1) at 10, 100 ohm, 1e-4 F: |Z| from 10 to 110 ohm, tau 1e-2 s inside a window of
  // 1 / (2 pi f) from 1.6e-5 to 1.6 s (0.1 Hz to 10 kHz).
  const Spectrum measured = spectrum_of(circuit_with("R0-(R1,C1)", {10.0, 100.0, 1e-4}), log_frequencies(0.1, 1e4, 30));
  const std::vector<RunawayCase> cases = {
      {"R0-(R1,C1)", {10.0, 100.0, 1e-4}, {}, {false, false, false}},
      {"R0-(R1,C1)", {10.0, 1e5, 1e-4}, {}, {false, true, false}},       // tau 10 s: within a decade
      {"R0-(R1,C1)", {1e-4, 100.0, 1e-4}, {}, {true, false, false}},     // below 1e-4 * min |Z|
      {"R0-(R1,C1)", {10.0, 100.0, 1.0}, {}, {false, true, true}},       // tau 100 s
      {"R0-(R1,C1)", {10.0, 100.0, 1e-9}, {}, {false, true, true}},      // tau 1e-7 s
      {"R0-(C1,R1)", {10.0, 1.0, 100.0}, {}, {false, true, true}},       // either order of the pair
      {"R0-(R1,CPE1)", {10.0, 100.0, 1e-4, 0.5}, {}, {false, false, false, false}},  // tau 1e-4 s
      {"R0-(R1,CPE1)", {10.0, 100.0, 1.0, 0.5}, {}, {false, true, true, false}},      // tau 1e4 s
      // K and Zarc are the R-C and R-CPE arcs with their time constant as a parameter.
      {"R0-K1", {10.0, 100.0, 1e-2}, {}, {false, false, false}},
      {"R0-K1", {10.0, 100.0, 100.0}, {}, {false, true, true}},
      {"R0-Zarc1", {10.0, 100.0, 1e-7, 0.8}, {}, {false, true, true, false}},
      {"R0-Zarc1", {10.0, 1e5, 1e-2, 0.8}, {}, {false, true, false, false}},  // resistance alone
      {"R0-(R1,C1)", {10.0, 100.0, 1e-4}, {1.0, 1e6, std::nullopt}, {false, true, false}},
      {"R0-(R1,C1)", {10.0, 100.0, 1e-4}, {1.0, 1e4, kInf}, {false, false, true}},
  };
  for (const RunawayCase& c : cases) {
    const Circuit circuit = circuit_with(c.notation, c.values);
    CHECK(runaway_parameters(circuit.nodes, measured, c.values, c.standard_errors) == c.expected);
  }
}

TEST_CASE("F quantiles match tables and, with one numerator degree, squared t quantiles") {
  CHECK_NEAR(f_quantile(0.99, 10.0, 10.0), 4.849, 1e-3);
  CHECK_NEAR(f_quantile(0.95, 5.0, 20.0), 2.711, 1e-3);
  for (double dof : {3.0, 17.5, 107.0}) {
    const double t = student_t_quantile(0.995, dof);
    CHECK_NEAR(f_quantile(0.99, 1.0, dof), t * t, 1e-9 * t * t);
  }
  CHECK(std::isnan(f_quantile(1.0, 5.0, 5.0)) && std::isnan(f_quantile(0.5, 0.0, 5.0)));
}

TEST_CASE("a runaway fit wins only when its cost is lower beyond the 99 % F quantile") {
  const double critical = f_quantile(0.99, 107.0, 107.0);
  CHECK(!runaway_fit_wins(1.0, 1.0 / (critical * 0.99), 107.0));
  CHECK(runaway_fit_wins(1.0, 1.0 / (critical * 1.01), 107.0));
  CHECK(runaway_fit_wins(1.0, 0.0, 107.0));
  CHECK(!runaway_fit_wins(1.0, 1e-6, 0.0));  // no degrees of freedom: no test, the sound fit stays
}

CHECK_MAIN()
