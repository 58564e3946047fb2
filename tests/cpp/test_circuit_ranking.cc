// Which ranked fits are fitted again from the data's values: those that failed, and richer
// ones no better than a simpler candidate without being held on a bound.
#include <optional>
#include <vector>

#include "analysis/circuit_ranking.h"
#include "check.h"

namespace {

corvex::RankedFit ranked(std::size_t parameters, double chi_square, bool at_bound = false, bool tried = false) {
  corvex::RankedFit fit;
  fit.outcome.emplace();
  fit.outcome->values.assign(parameters, 1.0);
  fit.outcome->chi_square = chi_square;
  fit.outcome->success = true;
  fit.at_bound.assign(parameters, false);
  fit.at_bound.back() = at_bound;
  fit.data_tried = tried;
  return fit;
}

TEST_CASE("fits to refit from the data") {
  std::vector<corvex::RankedFit> fits = {
      ranked(3, 2.0),                     // 0: the simplest, nothing to compare with
      ranked(4, 2.0),                     // 1: no better than 0: a collapsed element, refit
      ranked(5, 1.0),                     // 2: better than every simpler one
      ranked(5, 2.5, /*at_bound=*/true),  // 3: reduced to a simpler one on a bound
      ranked(6, 3.0, false, /*tried=*/true),
      ranked(6, 1.0),                     // 5: costs as much as 2 with more parameters
      corvex::RankedFit{},                // 6: failed
  };
  fits[6].error = corvex::value_error("no fit");
  CHECK(corvex::fits_to_refit_from_data(fits) == (std::vector<std::size_t>{1, 5, 6}));
}

}  // namespace

CHECK_MAIN()
