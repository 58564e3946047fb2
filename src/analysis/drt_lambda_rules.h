// The rules that choose the regularisation weight of the relaxation-time distribution: GCV and
// its modified and robust forms, the L-curve's corner, the re-im discrepancy and k-fold CV.
#pragma once

#include <Eigen/Dense>
#include <cstddef>
#include <vector>

namespace corvex {

enum class DrtLambdaRule {
  Gcv,              // generalised cross-validation (Golub, Heath, Wahba 1979), trace counted gcv_factor times
  RobustGcv,        // robust GCV (Lukas 2006): GCV times (r + (1 - r) tr(H^2) / n), r = 0.3
  LCurve,           // the corner of the L-curve: largest curvature of (log misfit, log penalty) (Hansen 1992)
  ReImDiscrepancy,  // the real and imaginary parts fitted alone predict the same impedance (Saccoccio 2014)
  KFold,            // five-fold cross-validation over the frequencies
};

// min |a x - b|^2 + lambda x' penalty x (+ ridge |x|^2), unconstrained: the problem every rule
// scores. Rows come in frequency order; `row_frequency` and `row_imaginary` say what each is.
struct RegularisedProblem {
  const Eigen::MatrixXd* a = nullptr;
  const Eigen::VectorXd* b = nullptr;
  const Eigen::MatrixXd* penalty = nullptr;
  const Eigen::MatrixXd* ata = nullptr;  // a'a
  const Eigen::VectorXd* atb = nullptr;  // a'b
  double ridge = 0.0;                    // keeps unpenalised directions solvable
  std::vector<std::size_t> row_frequency;
  std::vector<bool> row_imaginary;
  Eigen::Index first_gamma = 0;  // the penalised columns start here
};

// The weight the rule picks in unit * [1e-10, 1e1] (unit makes the range mean the same
// smoothing in any unit of impedance). `gcv_factor` counts the effective parameters in GCV
// (1: plain GCV; 2: the modified GCV that counters its undersmoothing). The re-im
// discrepancy needs both parts among the rows.
double choose_lambda(const RegularisedProblem& problem, DrtLambdaRule rule, double gcv_factor, double unit);

}  // namespace corvex
