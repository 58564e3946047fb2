// The active-set NNLS: the Karush-Kuhn-Tucker conditions on random problems whose solutions
// have both zero and positive entries, and a problem whose answer is known exactly.
#include <cmath>
#include <cstdlib>

#include "analysis/nnls.h"
#include "check.h"

namespace {

TEST_CASE("nnls solution satisfies the optimality conditions") {
  for (int seed = 1; seed <= 20; ++seed) {
    std::srand(static_cast<unsigned>(seed));
    const Eigen::MatrixXd a = Eigen::MatrixXd::Random(30, 12);
    const Eigen::VectorXd b = Eigen::VectorXd::Random(30);
    Eigen::VectorXd x;
    const corvex::NnlsSummary summary = corvex::solve_nnls(a.transpose() * a, a.transpose() * b, &x);
    CHECK(summary.converged);
    const Eigen::VectorXd gradient = a.transpose() * (b - a * x);  // minus the gradient of 1/2|Ax-b|^2
    int zero = 0;
    for (Eigen::Index j = 0; j < x.size(); ++j) {
      CHECK(x[j] >= 0.0);
      if (x[j] > 0.0) {
        CHECK_NEAR(gradient[j], 0.0, 1e-9);
      } else {
        ++zero;
        CHECK(gradient[j] <= 1e-9);
      }
    }
    CHECK(zero > 0 && zero < x.size());
  }
}

TEST_CASE("nnls clips the negative direction of a diagonal problem") {
  Eigen::MatrixXd gram = Eigen::MatrixXd::Identity(3, 3);
  Eigen::VectorXd rhs(3);
  rhs << 2.0, -1.0, 0.5;
  Eigen::VectorXd x;
  corvex::solve_nnls(gram, rhs, &x);
  CHECK_SAME(x[0], 2.0);
  CHECK_SAME(x[1], 0.0);
  CHECK_SAME(x[2], 0.5);
}

}  // namespace

CHECK_MAIN()
