// Dense matrix inversion for the standard errors of a fit: explicit cofactor expressions for
// the common small parameter counts, Gaussian elimination with row pivoting for the rest.
#include "fit/dense_inverse.h"

#include <cmath>
#include <utility>

namespace corvex {
namespace {

std::vector<double> inverse_1(const double* a) { return {1.0 / a[0]}; }

std::vector<double> inverse_2(const double* a, double det) {
  return {a[3] / det, -a[1] / det, -a[2] / det, a[0] / det};
}

std::vector<double> inverse_3(const double* a, double det) {
  const double a00 = a[0], a01 = a[1], a02 = a[2];
  const double a10 = a[3], a11 = a[4], a12 = a[5];
  const double a20 = a[6], a21 = a[7], a22 = a[8];
  return {(a11 * a22 - a12 * a21) / det, (a02 * a21 - a01 * a22) / det, (a01 * a12 - a02 * a11) / det,
          (a12 * a20 - a10 * a22) / det, (a00 * a22 - a02 * a20) / det, (a02 * a10 - a00 * a12) / det,
          (a10 * a21 - a11 * a20) / det, (a01 * a20 - a00 * a21) / det, (a00 * a11 - a01 * a10) / det};
}

double determinant_3(const double* a) {
  return a[0] * (a[4] * a[8] - a[5] * a[7]) + a[1] * (a[5] * a[6] - a[3] * a[8]) +
         a[2] * (a[3] * a[7] - a[4] * a[6]);
}

// The 4x4 case by Laplace expansion along complementary 2x2 minors: s* from the top two
// rows, c* from the bottom two; the adjugate reuses the same minors.
struct Minors4 {
  double s0, s1, s2, s3, s4, s5;
  double c0, c1, c2, c3, c4, c5;
};

Minors4 minors_4(const double* a) {
  Minors4 m;
  m.s0 = a[0] * a[5] - a[4] * a[1];
  m.s1 = a[0] * a[6] - a[4] * a[2];
  m.s2 = a[0] * a[7] - a[4] * a[3];
  m.s3 = a[1] * a[6] - a[5] * a[2];
  m.s4 = a[1] * a[7] - a[5] * a[3];
  m.s5 = a[2] * a[7] - a[6] * a[3];
  m.c5 = a[10] * a[15] - a[14] * a[11];
  m.c4 = a[9] * a[15] - a[13] * a[11];
  m.c3 = a[9] * a[14] - a[13] * a[10];
  m.c2 = a[8] * a[15] - a[12] * a[11];
  m.c1 = a[8] * a[14] - a[12] * a[10];
  m.c0 = a[8] * a[13] - a[12] * a[9];
  return m;
}

double determinant_4(const Minors4& m) {
  return m.s0 * m.c5 - m.s1 * m.c4 + m.s2 * m.c3 + m.s3 * m.c2 - m.s4 * m.c1 + m.s5 * m.c0;
}

std::vector<double> inverse_4(const double* a, const Minors4& m, double det) {
  return {( a[5] * m.c5 - a[6] * m.c4 + a[7] * m.c3) / det,
          (-a[1] * m.c5 + a[2] * m.c4 - a[3] * m.c3) / det,
          ( a[13] * m.s5 - a[14] * m.s4 + a[15] * m.s3) / det,
          (-a[9] * m.s5 + a[10] * m.s4 - a[11] * m.s3) / det,
          (-a[4] * m.c5 + a[6] * m.c2 - a[7] * m.c1) / det,
          ( a[0] * m.c5 - a[2] * m.c2 + a[3] * m.c1) / det,
          (-a[12] * m.s5 + a[14] * m.s2 - a[15] * m.s1) / det,
          ( a[8] * m.s5 - a[10] * m.s2 + a[11] * m.s1) / det,
          ( a[4] * m.c4 - a[5] * m.c2 + a[7] * m.c0) / det,
          (-a[0] * m.c4 + a[1] * m.c2 - a[3] * m.c0) / det,
          ( a[12] * m.s4 - a[13] * m.s2 + a[15] * m.s0) / det,
          (-a[8] * m.s4 + a[9] * m.s2 - a[11] * m.s0) / det,
          (-a[4] * m.c3 + a[5] * m.c1 - a[6] * m.c0) / det,
          ( a[0] * m.c3 - a[1] * m.c1 + a[2] * m.c0) / det,
          (-a[12] * m.s3 + a[13] * m.s1 - a[14] * m.s0) / det,
          ( a[8] * m.s3 - a[9] * m.s1 + a[10] * m.s0) / det};
}

}  // namespace

std::optional<std::vector<double>> cofactor_inverse(std::span<const double> a, std::size_t n) {
  if (n > 4 || a.size() < n * n) return std::nullopt;
  const double* m = a.data();
  switch (n) {
    case 0:
      return std::vector<double>{};
    case 1:
      if (m[0] == 0.0) return std::nullopt;
      return inverse_1(m);
    case 2: {
      const double det = m[0] * m[3] - m[1] * m[2];
      if (det == 0.0) return std::nullopt;
      return inverse_2(m, det);
    }
    case 3: {
      const double det = determinant_3(m);
      if (det == 0.0) return std::nullopt;
      return inverse_3(m, det);
    }
    default: {
      const Minors4 minors = minors_4(m);
      const double det = determinant_4(minors);
      if (det == 0.0) return std::nullopt;
      return inverse_4(m, minors, det);
    }
  }
}

std::optional<std::vector<double>> lu_inverse(std::span<const double> a, std::size_t n) {
  if (a.size() < n * n) return std::nullopt;
  std::vector<double> lu(a.begin(), a.begin() + n * n);
  std::vector<std::size_t> row_of(n);  // row_of[k]: original row now at position k
  for (std::size_t k = 0; k < n; ++k) row_of[k] = k;

  for (std::size_t k = 0; k < n; ++k) {
    std::size_t pivot_row = k;
    double largest = std::fabs(lu[k * n + k]);
    for (std::size_t i = k + 1; i < n; ++i) {
      const double candidate = std::fabs(lu[i * n + k]);
      if (candidate > largest) {
        largest = candidate;
        pivot_row = i;
      }
    }
    if (pivot_row != k) {
      for (std::size_t j = 0; j < n; ++j) std::swap(lu[k * n + j], lu[pivot_row * n + j]);
      std::swap(row_of[k], row_of[pivot_row]);
    }
    const double pivot = lu[k * n + k];
    if (pivot == 0.0) return std::nullopt;
    for (std::size_t i = k + 1; i < n; ++i) {
      const double factor = lu[i * n + k] / pivot;
      lu[i * n + k] = factor;
      for (std::size_t j = k + 1; j < n; ++j) lu[i * n + j] -= factor * lu[k * n + j];
    }
  }

  // Column c of the inverse solves LU x = P e_c: forward substitution with the unit lower
  // triangle, then back substitution with the upper one.
  std::vector<double> inverse(n * n);
  std::vector<double> column(n);
  for (std::size_t c = 0; c < n; ++c) {
    for (std::size_t i = 0; i < n; ++i) {
      double value = row_of[i] == c ? 1.0 : 0.0;
      for (std::size_t j = 0; j < i; ++j) value -= lu[i * n + j] * column[j];
      column[i] = value;
    }
    for (std::size_t i = n; i-- > 0;) {
      double value = column[i];
      for (std::size_t j = i + 1; j < n; ++j) value -= lu[i * n + j] * column[j];
      column[i] = value / lu[i * n + i];
    }
    for (std::size_t i = 0; i < n; ++i) inverse[i * n + c] = column[i];
  }
  return inverse;
}

std::optional<std::vector<double>> dense_inverse(std::span<const double> a, std::size_t n) {
  return n <= 4 ? cofactor_inverse(a, n) : lu_inverse(a, n);
}

}  // namespace corvex
