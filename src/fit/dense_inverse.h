// Inverse of a small dense matrix for the covariance of fitted parameters: closed-form
// cofactors up to 4x4, LU decomposition with partial row pivoting beyond.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace corvex {

// Inverse of the n x n row-major matrix a; nullopt when a is exactly singular (a zero
// determinant for n <= 4, an exactly zero pivot otherwise). Near-singular matrices are
// inverted as they are; NaN entries propagate.
std::optional<std::vector<double>> dense_inverse(std::span<const double> a, std::size_t n);

// The two methods dense_inverse chooses between, usable on their own. cofactor_inverse
// accepts n from 0 to 4 (nullopt beyond); lu_inverse accepts any n.
std::optional<std::vector<double>> cofactor_inverse(std::span<const double> a, std::size_t n);
std::optional<std::vector<double>> lu_inverse(std::span<const double> a, std::size_t n);

}  // namespace corvex
