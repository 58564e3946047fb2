// Each rule is a score of log10(lambda) minimised by a coarse scan and a golden-section
// refinement, except the L-curve, whose corner is the largest curvature along a fine scan.
#include "analysis/drt_lambda_rules.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace corvex {

namespace {

// Search range, log10 of lambda over the caller's unit, and the coarse scan's step.
constexpr double kLogLambdaLow = -10.0;
constexpr double kLogLambdaHigh = 1.0;
constexpr double kLogLambdaStep = 1.0;
// The L-curve's scan step: its curvature comes from differences along the scan.
constexpr double kLCurveStep = 0.1;
// Weight of the plain GCV score in the robust one (Lukas 2006 recommends 0.1 to 0.3 for small samples).
constexpr double kRobustWeight = 0.3;
constexpr std::size_t kFolds = 5;

Eigen::MatrixXd regularised(const RegularisedProblem& p, const Eigen::MatrixXd& ata, double lambda) {
  Eigen::MatrixXd g = ata + lambda * *p.penalty;
  g.diagonal().array() += p.ridge;
  return g;
}

// n |b - a x|^2 / (n - factor tr H)^2, times (r + (1 - r) tr(H^2) / n) when robust.
double gcv_score(const RegularisedProblem& p, double lambda, double factor, bool robust) {
  const Eigen::LLT<Eigen::MatrixXd> llt(regularised(p, *p.ata, lambda));
  const Eigen::VectorXd x = llt.solve(*p.atb);
  const double residual = (*p.b - *p.a * x).squaredNorm();
  const Eigen::MatrixXd influence = llt.solve(*p.ata);  // G^-1 a'a: tr of it and of its square are H's
  const double trace = influence.trace();
  const double rows = static_cast<double>(p.b->size());
  const double free = rows - factor * trace;
  const double gcv = rows * residual / (free * free);
  if (!robust) return gcv;
  const double trace_squared = (influence.array() * influence.transpose().array()).sum();
  return gcv * (kRobustWeight + (1.0 - kRobustWeight) * trace_squared / rows);
}

// The unconstrained solution from the rows of one part alone.
Eigen::VectorXd part_solution(const RegularisedProblem& p, bool imaginary, double lambda) {
  const Eigen::Index cols = p.a->cols();
  Eigen::MatrixXd ata = Eigen::MatrixXd::Zero(cols, cols);
  Eigen::VectorXd atb = Eigen::VectorXd::Zero(cols);
  for (Eigen::Index r = 0; r < p.a->rows(); ++r) {
    if (p.row_imaginary[static_cast<std::size_t>(r)] != imaginary) continue;
    ata.selfadjointView<Eigen::Lower>().rankUpdate(p.a->row(r).transpose());
    atb += (*p.b)[r] * p.a->row(r).transpose();
  }
  ata = ata.selfadjointView<Eigen::Lower>();
  return regularised(p, ata, lambda).llt().solve(atb);
}

// The distance between the impedances the two parts' distributions predict (series terms
// aside: each part sees only one of them).
double re_im_score(const RegularisedProblem& p, double lambda) {
  const Eigen::VectorXd difference = part_solution(p, false, lambda) - part_solution(p, true, lambda);
  const Eigen::Index m = p.a->cols() - p.first_gamma;
  return (p.a->rightCols(m) * difference.tail(m)).squaredNorm();
}

// Squared prediction error of each fold of frequencies from a fit to the others.
struct Folds {
  std::vector<Eigen::MatrixXd> ata;
  std::vector<Eigen::VectorXd> atb;
};

Folds make_folds(const RegularisedProblem& p) {
  const Eigen::Index cols = p.a->cols();
  Folds folds{std::vector<Eigen::MatrixXd>(kFolds, Eigen::MatrixXd::Zero(cols, cols)),
              std::vector<Eigen::VectorXd>(kFolds, Eigen::VectorXd::Zero(cols))};
  for (Eigen::Index r = 0; r < p.a->rows(); ++r) {
    const std::size_t f = p.row_frequency[static_cast<std::size_t>(r)] % kFolds;
    folds.ata[f].selfadjointView<Eigen::Lower>().rankUpdate(p.a->row(r).transpose());
    folds.atb[f] += (*p.b)[r] * p.a->row(r).transpose();
  }
  for (Eigen::MatrixXd& m : folds.ata) m = m.selfadjointView<Eigen::Lower>();
  return folds;
}

double k_fold_score(const RegularisedProblem& p, const Folds& folds, double lambda) {
  double error = 0.0;
  for (std::size_t f = 0; f < kFolds; ++f) {
    const Eigen::VectorXd x = regularised(p, *p.ata - folds.ata[f], lambda).llt().solve(*p.atb - folds.atb[f]);
    for (Eigen::Index r = 0; r < p.a->rows(); ++r) {
      if (p.row_frequency[static_cast<std::size_t>(r)] % kFolds != f) continue;
      const double e = (*p.b)[r] - p.a->row(r).dot(x);
      error += e * e;
    }
  }
  return error;
}

// The minimiser of score(t) over the search range: the best point of the coarse scan, then
// golden-section refinement inside its bracket.
double minimise(const std::function<double(double)>& score) {
  double best_log = kLogLambdaLow;
  double best = score(best_log);
  for (double t = kLogLambdaLow + kLogLambdaStep; t <= kLogLambdaHigh + 1e-9; t += kLogLambdaStep) {
    const double value = score(t);
    if (value < best) {
      best = value;
      best_log = t;
    }
  }
  double lo = best_log - kLogLambdaStep, hi = best_log + kLogLambdaStep;
  const double ratio = 0.6180339887498949;
  double x1 = hi - ratio * (hi - lo), x2 = lo + ratio * (hi - lo);
  double f1 = score(x1), f2 = score(x2);
  for (int k = 0; k < 12; ++k) {
    if (f1 < f2) {
      hi = x2;
      x2 = x1;
      f2 = f1;
      x1 = hi - ratio * (hi - lo);
      f1 = score(x1);
    } else {
      lo = x1;
      x1 = x2;
      f1 = f2;
      x2 = lo + ratio * (hi - lo);
      f2 = score(x2);
    }
  }
  const double refined = f1 < f2 ? x1 : x2;
  return std::min(f1, f2) < best ? refined : best_log;
}

// The scan point of largest curvature of (log misfit, log penalty), by central differences
// in log lambda; the middle of the range when the curve has no corner.
double l_curve_corner(const RegularisedProblem& p, double unit) {
  const int count = static_cast<int>(std::lround((kLogLambdaHigh - kLogLambdaLow) / kLCurveStep)) + 1;
  std::vector<double> misfit(static_cast<std::size_t>(count)), size(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    const double lambda = unit * std::pow(10.0, kLogLambdaLow + k * kLCurveStep);
    const Eigen::VectorXd x = regularised(p, *p.ata, lambda).llt().solve(*p.atb);
    const double tiny = std::numeric_limits<double>::min();
    misfit[static_cast<std::size_t>(k)] = std::log(std::max((*p.b - *p.a * x).squaredNorm(), tiny));
    size[static_cast<std::size_t>(k)] = std::log(std::max(x.dot(*p.penalty * x), tiny));
  }
  double best = -std::numeric_limits<double>::infinity();
  double best_log = 0.5 * (kLogLambdaLow + kLogLambdaHigh);
  for (int k = 1; k + 1 < count; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const double dx = 0.5 * (misfit[i + 1] - misfit[i - 1]), dy = 0.5 * (size[i + 1] - size[i - 1]);
    const double ddx = misfit[i + 1] - 2.0 * misfit[i] + misfit[i - 1];
    const double ddy = size[i + 1] - 2.0 * size[i] + size[i - 1];
    const double speed = dx * dx + dy * dy;
    if (!(speed > 0.0)) continue;
    // Signed so that the corner (misfit starting to grow as the penalty stops falling) is positive.
    const double curvature = (dx * ddy - dy * ddx) / std::pow(speed, 1.5);
    if (curvature > best) {
      best = curvature;
      best_log = kLogLambdaLow + k * kLCurveStep;
    }
  }
  return best_log;
}

}  // namespace

double choose_lambda(const RegularisedProblem& problem, DrtLambdaRule rule, double gcv_factor, double unit) {
  double log_lambda = 0.0;
  switch (rule) {
    case DrtLambdaRule::Gcv:
      log_lambda = minimise([&](double t) { return gcv_score(problem, unit * std::pow(10.0, t), gcv_factor, false); });
      break;
    case DrtLambdaRule::RobustGcv:
      log_lambda = minimise([&](double t) { return gcv_score(problem, unit * std::pow(10.0, t), 1.0, true); });
      break;
    case DrtLambdaRule::LCurve:
      log_lambda = l_curve_corner(problem, unit);
      break;
    case DrtLambdaRule::ReImDiscrepancy:
      log_lambda = minimise([&](double t) { return re_im_score(problem, unit * std::pow(10.0, t)); });
      break;
    case DrtLambdaRule::KFold: {
      const Folds folds = make_folds(problem);
      log_lambda = minimise([&](double t) { return k_fold_score(problem, folds, unit * std::pow(10.0, t)); });
      break;
    }
  }
  return unit * std::pow(10.0, log_lambda);
}

}  // namespace corvex
