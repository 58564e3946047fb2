// A circuit compiled into a flat list of stack operations for evaluating many frequencies
// at once: element by element over all frequencies, without walking or building a tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "circuit/circuit.h"
#include "elements/element_impedance.h"
#include "util/complex.h"

namespace corvex {

// Frequency-only quantities of a set of angular frequencies, computed once per fit.
struct FrequencyCache {
  std::vector<OmegaPoint> points;
  std::size_t size() const { return points.size(); }
};

FrequencyCache make_frequency_cache(const double* omega, std::size_t count);

struct EvalOp {
  enum class Code : std::uint8_t {
    Element,        // add the element's impedance to the open series sum
    BeginParallel,  // open an admittance sum
    BeginBranch,    // open a series sum for one branch
    EndBranch,      // close the branch: add its admittance to the open parallel sum
    EndParallel,    // close the parallel node: add 1/Y to the open series sum
  };
  Code code;
  ElementKind kind;         // Element only
  std::uint32_t first_param; // Element only: index of its first value in the flat vector
};

struct EvalPlan {
  std::vector<EvalOp> ops;
  std::size_t param_count = 0;
  std::size_t stack_depth = 1;  // accumulator rows the evaluation needs
};

EvalPlan compile_plan(const SeriesList& nodes);

// Scratch rows for one evaluation over up to `capacity` frequencies; reused across calls.
struct EvalWorkspace {
  std::vector<Complex> rows;
  void reserve_for(const EvalPlan& plan, std::size_t capacity);
};

// Impedance at frequencies [begin, end) of `cache` into out[0 .. end-begin), with values
// from `params` (at least plan.param_count entries). Results are bit-identical to
// impedance_from_iter at each frequency. Allocates nothing once the workspace is sized.
void evaluate_plan(const EvalPlan& plan, const double* params, const FrequencyCache& cache,
                   std::size_t begin, std::size_t end, EvalWorkspace* workspace, Complex* out);

}  // namespace corvex
