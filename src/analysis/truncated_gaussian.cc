// In whitened coordinates z (x = mean + F z, F = L^-T for precision = L L') a trajectory is
// z(t) = v sin t + z cos t, so each wall x_i = 0 is met at a time in closed form; the
// velocity reflects off the first one met. Only F z and F v are carried: both move in O(n)
// per reflection through the covariance's columns.
#include "analysis/truncated_gaussian.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvex {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kTrajectoryTime = 1.5707963267948966;
// A wall met sooner than this after the last reflection is the one just left (round-off).
constexpr double kLeaveTime = 1e-12;
// Reflections one trajectory may take before it stops where it is.
constexpr std::size_t kMaxReflections = 100000;

}  // namespace

double standard_normal(RandomStream* stream) {
  // 1 - u keeps the logarithm finite.
  const double radius = std::sqrt(-2.0 * std::log(1.0 - unit_draw(stream)));
  return radius * std::cos(kTwoPi * unit_draw(stream));
}

TruncatedGaussianDraws sample_nonnegative_gaussian(const Eigen::VectorXd& mean, const Eigen::MatrixXd& precision,
                                                   const Eigen::VectorXd& start, std::size_t count,
                                                   std::size_t burn_in, RandomStream* stream) {
  const Eigen::Index n = mean.size();
  TruncatedGaussianDraws out;
  out.samples.resize(n, static_cast<Eigen::Index>(count));
  const Eigen::LLT<Eigen::MatrixXd> llt(precision);
  // F = L^-T, upper triangular; covariance = F F'.
  const Eigen::MatrixXd f = llt.matrixU().solve(Eigen::MatrixXd::Identity(n, n));
  const Eigen::MatrixXd covariance = f * f.transpose();
  Eigen::VectorXd position = start - mean;  // F z
  Eigen::VectorXd velocity(n), draw(n), moved(n);  // F v, v, scratch
  for (std::size_t s = 0; s < count + burn_in; ++s) {
    for (Eigen::Index i = 0; i < n; ++i) draw[i] = standard_normal(stream);
    velocity.noalias() = f.triangularView<Eigen::Upper>() * draw;
    double left = kTrajectoryTime;
    std::size_t reflections = 0;
    Eigen::Index last_wall = -1;
    while (true) {
      double first = left;
      Eigen::Index wall = -1;
      for (Eigen::Index i = 0; i < n; ++i) {
        // x_i(t) = mean_i + u cos(t - phi): it enters x_i < 0 at t = phi + acos(-mean_i / u).
        const double a = velocity[i], b = position[i];
        const double u = std::hypot(a, b);
        if (!(u > mean[i]) || u == 0.0) continue;
        double t = std::atan2(a, b) + std::acos(std::max(-1.0, std::min(1.0, -mean[i] / u)));
        t = std::fmod(t, kTwoPi);
        if (t < 0.0) t += kTwoPi;
        if (i == last_wall && t < kLeaveTime) continue;
        if (t < first) {
          first = t;
          wall = i;
        }
      }
      const double sine = std::sin(first), cosine = std::cos(first);
      moved = velocity * sine + position * cosine;
      velocity = velocity * cosine - position * sine;
      position = moved;
      if (wall < 0) break;
      position[wall] = -mean[wall];
      // Mirror the velocity in the wall: v - 2 (f_w . v) / |f_w|^2 f_w, carried as F v.
      const double along = velocity[wall] / covariance(wall, wall);
      velocity -= 2.0 * along * covariance.col(wall);
      ++out.wall_hits;
      left -= first;
      last_wall = wall;
      if (++reflections == kMaxReflections) {
        out.complete = false;
        break;
      }
    }
    if (s >= burn_in) out.samples.col(static_cast<Eigen::Index>(s - burn_in)) = (position + mean).cwiseMax(0.0);
  }
  return out;
}

}  // namespace corvex
