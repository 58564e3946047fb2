// Text forms of doubles used in messages and representations, all built on the shortest
// decimal digit string that reads back to the same double.
#pragma once

#include <string>

namespace corvex {

// Plain form for 0, +-inf and 1e-4 <= |x| < 1e6 ("1", "0.001", "123456.7", "inf", "-0");
// exponent form otherwise ("1e-12", "1.5e6", "NaN"). Circuit text form and messages.
std::string number_text(double x);

// Decimal form with at least one fractional digit for 0 and 1e-4 <= |x| < 1e16 ("1.0",
// "-0.0", "1234567.0"); exponent form otherwise ("1e-6", "1e16", "inf", "NaN").
// Element and fit-result representations.
std::string debug_number_text(double x);

// Exponent notation with exactly six fractional digits, correctly rounded ("1.250000e1",
// "1.000000e-3", "0.000000e0"); "NaN", "inf", "-inf" for non-finite values.
std::string exponent6_text(double x);

}  // namespace corvex
