// Unit tests of the element catalogue and the complex helpers: code lookup, signed-zero
// branches, saturation limits and the identities between kinds.
#include <cmath>
#include <limits>

#include "check.h"
#include "elements/complex_helpers.h"
#include "elements/element.h"
#include "elements/element_impedance.h"

using namespace corvex;

namespace {
Complex z_of(ElementKind kind, std::initializer_list<double> values, double omega) {
  Element e = default_element(kind);
  std::size_t i = 0;
  for (double v : values) e.values[i++] = v;
  return element_impedance(e, make_omega_point(omega));
}
}  // namespace

TEST_CASE("codes are exact and case-sensitive") {
  struct { const char* code; bool known; ElementKind kind; } table[] = {
      {"R", true, ElementKind::R},      {"CPE", true, ElementKind::Cpe}, {"Cpe", true, ElementKind::Cpe},
      {"TLMQ", true, ElementKind::Tlmq}, {"Tlmq", true, ElementKind::Tlmq}, {"Zarc", true, ElementKind::Zarc},
      {"cpe", false, {}}, {"Cpe ", false, {}}, {"ZARC", false, {}}, {"CPe", false, {}}, {"Rx", false, {}},
      {"r", false, {}}, {"", false, {}}, {"P", false, {}}};
  for (const auto& row : table) {
    const auto element = element_from_code(row.code);
    CHECK_EQ(element.has_value(), row.known);
    if (element && row.known) CHECK(element->kind == row.kind);
  }
  const auto cpe = element_from_code("CPE");
  CHECK_SAME(cpe->values[0], 0.001);
  CHECK_SAME(cpe->values[1], 0.8);
  for (ElementKind kind : all_element_kinds()) CHECK(element_from_code(kind_info(kind).codes_form).has_value());
}

TEST_CASE("bounds depend on the parameter name only") {
  CHECK_SAME(bounds_for_param_name("alpha").hi, 1.0);
  CHECK_SAME(bounds_for_param_name("gamma").lo, 0.0);
  CHECK_SAME(bounds_for_param_name("phi").lo, 1e-12);
  CHECK(is_open_bound(bounds_for_param_name("k_tau")));
  CHECK(!is_open_bound(bounds_for_param_name("alpha")));
}

TEST_CASE("sqrt_principal keeps the sign conventions") {
  Complex a = sqrt_principal({-4.0, -0.0});
  CHECK_SAME(a.re, 0.0);
  CHECK_SAME(a.im, -2.0);
  Complex b = sqrt_principal({-4.0, 0.0});
  CHECK_SAME(b.im, 2.0);
  Complex c = sqrt_principal({0.0, -8.0});
  CHECK_SAME(c.re, 2.0);
  CHECK_SAME(c.im, -2.0);
  Complex d = sqrt_principal({9.0, 0.0});
  CHECK_SAME(d.re, 3.0);
}

TEST_CASE("pow_real shortcuts") {
  Complex z{3.0, 4.0};
  CHECK_SAME(pow_real(z, 1.0).im, 4.0);
  CHECK_SAME(pow_real(z, 0.0).re, 1.0);
  CHECK_SAME(pow_real(z, 0.0).im, 0.0);
  CHECK_SAME(pow_real(z, 0.5).re, sqrt_principal(z).re);
  // The angle of the positive imaginary axis is exactly the double nearest pi/2.
  CHECK_SAME(std::atan2(1.0, 0.0), 1.5707963267948966);
}

TEST_CASE("tanh and coth saturate strictly above 20") {
  CHECK_SAME(tanh_limited({20.5, 3.0}).re, 1.0);
  CHECK_SAME(tanh_limited({-21.0, 3.0}).re, -1.0);
  CHECK(tanh_limited({20.0, 0.0}).re < 1.0 + 1e-15);
  const CothCsch cc = coth_csch_limited({25.0, 1.0});
  CHECK_SAME(cc.coth.re, 1.0);
  CHECK_SAME(cc.csch.re, 0.0);
}

TEST_CASE("element formulas and identities") {
  const Complex w = z_of(ElementKind::W, {2.0}, 1.0);
  CHECK_NEAR(w.re, 2.0, 1e-15);
  CHECK_NEAR(w.im, -2.0, 1e-15);
  const Complex k = z_of(ElementKind::K, {2.0, 0.5}, 2.0);
  CHECK_NEAR(k.re, 1.0, 1e-15);
  CHECK_NEAR(k.im, -1.0, 1e-15);
  for (double omega : {0.01, 1.0, 314.0, 1e5}) {
    const Complex cpe = z_of(ElementKind::Cpe, {0.002, 1.0}, omega);
    const Complex c = z_of(ElementKind::C, {0.002}, omega);
    CHECK_SAME(cpe.re, c.re);
    CHECK_SAME(cpe.im, c.im);
    const Complex zarc = z_of(ElementKind::Zarc, {3.0, 0.01, 1.0}, omega);
    const Complex kk = z_of(ElementKind::K, {3.0, 0.01}, omega);
    CHECK_SAME(zarc.re, kk.re);
    CHECK_SAME(zarc.im, kk.im);
    const Complex la = z_of(ElementKind::La, {123.0, 0.0}, omega);
    CHECK_SAME(la.re, 1.0);
    CHECK_SAME(la.im, 0.0);
  }
}

TEST_CASE("saturated diffusion elements reduce to their limits") {
  const double omega = 1e6;
  const OmegaPoint point = make_omega_point(omega);
  // |Re u| > 20 for u = sqrt(j omega tau) with omega tau = 2000.
  const Complex u = sqrt_principal({0.0, omega * 2e-3});
  const Complex limit = Complex{5.0, 0.0} / u;
  for (ElementKind kind : {ElementKind::Wo, ElementKind::Ws}) {
    Element e = default_element(kind);
    e.values = {5.0, 2e-3, 0, 0};
    const Complex z = element_impedance(e, point);
    CHECK_NEAR(z.re, limit.re, 1e-12 * std::fabs(limit.re));
    CHECK_NEAR(z.im, limit.im, 1e-12 * std::fabs(limit.im));
  }
  Element gs = default_element(ElementKind::Gs);
  gs.values = {2.0, 1.0, 100.0, 0};
  Element g = default_element(ElementKind::G);
  g.values = {2.0, 1.0, 0, 0};
  const Complex zgs = element_impedance(gs, make_omega_point(10.0));
  const Complex zg = element_impedance(g, make_omega_point(10.0));
  CHECK_NEAR(zgs.re, zg.re, 1e-14);
  CHECK_NEAR(zgs.im, zg.im, 1e-14);
}

TEST_CASE("values are never range checked") {
  const Complex r = z_of(ElementKind::R, {-5.0}, 1.0);
  CHECK_SAME(r.re, -5.0);
  const Complex n = z_of(ElementKind::R, {std::numeric_limits<double>::quiet_NaN()}, 1.0);
  CHECK(std::isnan(n.re));
  const Complex c0 = z_of(ElementKind::C, {1e-3}, 0.0);
  CHECK(!std::isfinite(c0.im) || std::isnan(c0.re));
}

CHECK_MAIN()

TEST_CASE("every kind's impedance scales with its parameters' powers of ohms") {
  // Each parameter times 8 to the power of ohms in its unit multiplies the impedance by 8 at
  // every frequency: the rule by which a fit at a unit scale is scaled back. La's l enters
  // raised to alpha, so it has no fixed power.
  for (ElementKind kind : all_element_kinds()) {
    if (kind == ElementKind::La) continue;
    const ElementKindInfo& info = kind_info(kind);
    Element scaled = default_element(kind);
    for (std::size_t i = 0; i < info.param_count; ++i) {
      scaled.values[i] = std::ldexp(scaled.values[i], 3 * impedance_power_of_unit(info.units[i]));
    }
    for (double omega : {1e-2, 1.0, 1e3}) {
      const Complex z = element_impedance(default_element(kind), make_omega_point(omega));
      const Complex z8 = element_impedance(scaled, make_omega_point(omega));
      CHECK(std::fabs(z8.re - 8.0 * z.re) + std::fabs(z8.im - 8.0 * z.im) <= 1e-12 * 8.0 * std::hypot(z.re, z.im));
    }
  }
}
