// Tests of scale estimation, feature construction and output decoding on small spectra
// whose scales, grid values and decoded parameters can be worked out by hand.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "check.h"
#include "nn/features.h"

using corvex::Complex;
using corvex::ScaleEstimate;
using corvex::Spectrum;

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool near_relative(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance * std::fabs(b); }

// R0-(R1,C1) sampled at log-spaced frequencies from 0.1 Hz.
Spectrum rc_spectrum(std::size_t count) {
  Spectrum s;
  for (std::size_t i = 0; i < count; ++i) {
    const double f = 0.1 * std::pow(10.0, 0.37 * static_cast<double>(i));
    const Complex admittance = {1.0 / 50.0, kTwoPi * f * 2e-5};
    const Complex z = Complex{10.0, 0.0} + corvex::reciprocal(admittance);
    s.frequencies.push_back(f);
    s.impedances.push_back(z);
  }
  return s;
}

corvex::NetworkModel decoding_model(std::vector<std::string> names, std::vector<bool> log_params,
                                    std::vector<corvex::ScalingRule> rules) {
  corvex::NetworkModel model;
  model.param_names = std::move(names);
  const std::size_t p = model.param_names.size();
  model.decoding.target_mean.assign(p, 0.0);
  model.decoding.target_std.assign(p, 1.0);
  model.decoding.log_params = std::move(log_params);
  model.decoding.scaling = std::move(rules);
  model.decoding.alpha_min = 0.05;
  model.decoding.alpha_max = 1.0;
  return model;
}

}  // namespace

TEST_CASE("spectra without capacitive points fall back to mean log frequency and upper median magnitude") {
  struct Case {
    const char* what;
    std::vector<Complex> impedances;
    double z_scale;
  };
  const Case cases[] = {
      {"resistive, even count", {{4, 0}, {1, 0}, {3, 0}, {2, 0}}, 3.0},
      {"inductive", {{1, 1}, {2, 3}, {0, 5}, {0, 0.5}}, std::hypot(2.0, 3.0)},
      {"capacitive share below the threshold", {{1, -1e-12}, {2, 0}, {5, 0}, {7, 0}}, 5.0},
  };
  for (const Case& c : cases) {
    const Spectrum s{{1, 10, 100, 1000}, c.impedances};
    const ScaleEstimate scales = corvex::estimate_scales(s);
    if (!check::same_bits(scales.z_scale, c.z_scale)) check::fail(__FILE__, __LINE__, c.what);
    if (!near_relative(scales.w_scale, kTwoPi * std::pow(10.0, 1.5), 1e-14)) check::fail(__FILE__, __LINE__, c.what);
  }
}

TEST_CASE("capacitive points weight the scales; non-positive points are skipped, NaN ones are not") {
  Spectrum s;
  for (double f : {0.5, 3.0, 40.0, 700.0}) {
    s.frequencies.push_back(f);
    s.impedances.push_back({0.0, -1.0 / (kTwoPi * f * 1e-3)});
  }
  const ScaleEstimate scales = corvex::estimate_scales(s);
  CHECK(near_relative(scales.z_scale * scales.w_scale, 1000.0, 1e-13));
  CHECK(near_relative(scales.w_scale, kTwoPi * std::pow(0.5 * 3.0 * 40.0 * 700.0, 0.25), 1e-14));

  Spectrum padded = s;
  padded.frequencies.insert(padded.frequencies.end(), {0.0, -5.0, 10.0});
  padded.impedances.insert(padded.impedances.end(), {{0, -1}, {0, -1}, {0, 0}});
  const ScaleEstimate same = corvex::estimate_scales(padded);
  CHECK_SAME(same.z_scale, scales.z_scale);
  CHECK_SAME(same.w_scale, scales.w_scale);

  Spectrum with_nan = s;
  with_nan.frequencies[1] = kNaN;
  CHECK(std::isnan(corvex::estimate_scales(with_nan).w_scale));
}

TEST_CASE("point order does not change the features") {
  const Spectrum forward = rc_spectrum(23);
  Spectrum backward = forward;
  std::reverse(backward.frequencies.begin(), backward.frequencies.end());
  std::reverse(backward.impedances.begin(), backward.impedances.end());
  const ScaleEstimate scales = corvex::estimate_scales(forward);
  const corvex::Features a = corvex::build_features(forward, scales, 64);
  const corvex::Features b = corvex::build_features(backward, scales, 64);
  CHECK_EQ(a.map.size(), 192u);
  for (std::size_t i = 0; i < a.map.size(); ++i) CHECK_SAME(a.map[i], b.map[i]);
  CHECK_SAME(a.extras[0], (std::log10(forward.frequencies.back()) - std::log10(0.1)) * 0.125);
  CHECK_SAME(a.extras[1], std::log10(23.0) * 0.5);
  // The grid spans the measured range exactly: its ends carry the end points' values.
  const double log_z = std::log10(scales.z_scale);
  CHECK_SAME(a.map[0], std::log10(std::hypot(forward.impedances[0].re, forward.impedances[0].im)) - log_z);
  CHECK_SAME(a.map[63], std::log10(std::hypot(forward.impedances[22].re, forward.impedances[22].im)) - log_z);
  CHECK_SAME(a.map[128], (std::log10(0.1) - std::log10(scales.w_scale / kTwoPi)) * 0.25);
}

TEST_CASE("equal frequencies keep their input order") {
  // Sorted: (1 Hz, |Z| 1), (10 Hz, |Z| 10), (10 Hz, |Z| 1000); the grid end takes the last.
  const Spectrum s{{10, 10, 1}, {{10, 0}, {1000, 0}, {1, 0}}};
  const corvex::Features f = corvex::build_features(s, {1.0, 1.0}, 2);
  CHECK_SAME(f.map[0], 0.0);
  CHECK_SAME(f.map[1], 3.0);
}

TEST_CASE("phase unwrapping") {
  struct Case {
    const char* what;
    std::vector<Complex> impedances;
    std::vector<double> phases;  // unwrapped, radians
  };
  const Case cases[] = {
      {"3.0 then -3.0", {{std::cos(3.0), std::sin(3.0)}, {std::cos(-3.0), std::sin(-3.0)}},
       {std::atan2(std::sin(3.0), std::cos(3.0)), kTwoPi - 3.0}},
      {"half turn up", {{1, 0}, {-1, 0.0}}, {0.0, 3.141592653589793}},
      {"half turn down", {{1, 0}, {-1, -0.0}}, {0.0, -3.141592653589793}},
      {"steady descent", {{1, -1}, {0, -1}, {-1, -1}}, {-0.25 * 3.141592653589793, -kHalfPi, -0.75 * 3.141592653589793}},
  };
  for (const Case& c : cases) {
    Spectrum s;
    for (std::size_t i = 0; i < c.impedances.size(); ++i) s.frequencies.push_back(std::pow(10.0, double(i)));
    s.impedances = c.impedances;
    const std::size_t n = c.phases.size();
    const corvex::Features f = corvex::build_features(s, {1.0, 1.0}, n);
    for (std::size_t i = 0; i < n; ++i) {
      if (!near_relative(f.map[n + i] * kHalfPi, c.phases[i], 1e-15)) check::fail(__FILE__, __LINE__, c.what);
    }
  }
}

TEST_CASE("grid interpolation, a single grid point, and the rows' scaling") {
  const Spectrum s{{1, 100, 10000}, {{1, 0}, {0, -100}, {10000, 0}}};
  const ScaleEstimate scales{10.0, kTwoPi * 1000.0};
  const corvex::Features f = corvex::build_features(s, scales, 5);
  const double expected_magnitude[] = {-1, 0, 1, 2, 3};
  const double expected_phase[] = {0, -0.5, -1, -0.5, 0};
  for (std::size_t g = 0; g < 5; ++g) {
    CHECK_NEAR(f.map[g], expected_magnitude[g], 1e-15);
    CHECK_NEAR(f.map[5 + g], expected_phase[g], 1e-15);
    CHECK_NEAR(f.map[10 + g], (static_cast<double>(g) - 3.0) * 0.25, 1e-15);
  }
  const corvex::Features one = corvex::build_features(s, scales, 1);
  CHECK_EQ(one.map.size(), 3u);
  CHECK_SAME(one.map[0], -1.0);
  CHECK_SAME(one.map[1], 0.0);
  CHECK_SAME(one.map[2], (0.0 - std::log10(1000.0)) * 0.25);
}

TEST_CASE("decoding: de-standardising, powers of ten, clamping and scaling") {
  // q of a CPE scaled by its own alpha, the alpha, a capacitor, a resistor.
  corvex::NetworkModel model = decoding_model(
      {"CPE1.q", "CPE1.alpha", "C1.c", "R1.r"}, {true, false, true, true},
      {{-1, 0, -1, 1}, {0, 0, 0, -1}, {-1, -1, 0, -1}, {1, 0, 0, -1}});
  model.decoding.target_mean = {0.5, 0.0, 0.0, 1.0};
  model.decoding.target_std = {2.0, 1.0, 1.0, 3.0};
  const ScaleEstimate scales{100.0, 40.0};
  auto values = corvex::decode_outputs(model, {-1.25, 1.3, -2.0, 0.0, 99.0}, scales);
  CHECK(values.ok());
  if (!values.ok()) return;
  CHECK_EQ(values->size(), 4u);
  CHECK_SAME((*values)[0], std::pow(40.0, -1.0) * (0.01 * std::pow(100.0, -1.0)));
  CHECK_SAME((*values)[1], 1.0);
  CHECK_SAME((*values)[2], 0.01 * std::pow(100.0, -1.0) / 40.0);
  CHECK_SAME((*values)[3], 10.0 * 100.0);

  corvex::NetworkModel plain = decoding_model({"a", "b", "c"}, {true, false, false}, {{0, 0, 0, -1}, {0, 0, 0, -1}, {0, 0, 0, -1}});
  auto plain_values = corvex::decode_outputs(plain, {-2.0, -7.0, kNaN}, scales);
  CHECK(plain_values.ok());
  if (!plain_values.ok()) return;
  CHECK_SAME((*plain_values)[0], 0.01);
  CHECK_SAME((*plain_values)[1], 0.05);
  CHECK(std::isnan((*plain_values)[2]));
  CHECK_EQ(corvex::decode_outputs(plain, {1.0, 2.0}, scales).error().message,
           "weight file has an unparsable value for w.head.4.weight (2 outputs for 3 parameters)");
}

TEST_CASE("too few points") {
  struct Case {
    std::size_t frequencies, impedances;
    const char* message;
  };
  const Case cases[] = {
      {1, 1, "need at least 2 frequency points to guess, got 1"},
      {5, 1, "need at least 2 frequency points to guess, got 1"},
      {0, 0, "need at least 2 frequency points to guess, got 0"},
      {2, 2, ""},
  };
  for (const Case& c : cases) {
    const Spectrum s{std::vector<double>(c.frequencies, 1.0), std::vector<Complex>(c.impedances, Complex{1, 0})};
    const corvex::Status status = corvex::check_point_count(s);
    CHECK_EQ(status.ok() ? std::string() : status.error().message, std::string(c.message));
  }
}

CHECK_MAIN()
