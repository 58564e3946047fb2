// Compilation of a circuit tree into stack operations and their evaluation over a range of
// frequencies, one element at a time, with parameter-only quantities hoisted out of the loop.
#include "circuit/eval_plan.h"

#include <algorithm>

#include "elements/element_kernels.h"

namespace corvex {
namespace {

void compile_series(const SeriesList& nodes, std::size_t depth, EvalPlan* plan, std::uint32_t* param) {
  plan->stack_depth = std::max(plan->stack_depth, depth + 1);
  for (const Node& node : nodes) {
    if (node.is_element()) {
      const Element& element = node.element_node().element;
      plan->ops.push_back({EvalOp::Code::Element, element.kind, *param});
      *param += static_cast<std::uint32_t>(element.param_count());
      continue;
    }
    plan->stack_depth = std::max(plan->stack_depth, depth + 2);
    plan->ops.push_back({EvalOp::Code::BeginParallel, ElementKind::R, 0});
    for (const SeriesList& branch : node.parallel_node().branches) {
      plan->ops.push_back({EvalOp::Code::BeginBranch, ElementKind::R, 0});
      compile_series(branch, depth + 2, plan, param);
      plan->ops.push_back({EvalOp::Code::EndBranch, ElementKind::R, 0});
    }
    plan->ops.push_back({EvalOp::Code::EndParallel, ElementKind::R, 0});
  }
}

// Adds the impedance of one element at every frequency of the range to `sum`.
template <ElementKind Kind>
void add_element(const double* v, const OmegaPoint* points, std::size_t n, Complex* sum) {
  const int power = kernels::power_index(Kind);
  const kernels::PowerOfImaginary p =
      power >= 0 ? kernels::power_of_imaginary(v[power]) : kernels::PowerOfImaginary{1.0, 0.0, 1.0};
  for (std::size_t i = 0; i < n; ++i) sum[i] = sum[i] + kernels::evaluate(Kind, v, points[i], p);
}

void add_element(ElementKind kind, const double* v, const OmegaPoint* points, std::size_t n, Complex* sum) {
  switch (kind) {
    case ElementKind::R: return add_element<ElementKind::R>(v, points, n, sum);
    case ElementKind::C: return add_element<ElementKind::C>(v, points, n, sum);
    case ElementKind::L: return add_element<ElementKind::L>(v, points, n, sum);
    case ElementKind::La: return add_element<ElementKind::La>(v, points, n, sum);
    case ElementKind::Cpe: return add_element<ElementKind::Cpe>(v, points, n, sum);
    case ElementKind::W: return add_element<ElementKind::W>(v, points, n, sum);
    case ElementKind::Wo: return add_element<ElementKind::Wo>(v, points, n, sum);
    case ElementKind::Ws: return add_element<ElementKind::Ws>(v, points, n, sum);
    case ElementKind::G: return add_element<ElementKind::G>(v, points, n, sum);
    case ElementKind::Gs: return add_element<ElementKind::Gs>(v, points, n, sum);
    case ElementKind::K: return add_element<ElementKind::K>(v, points, n, sum);
    case ElementKind::Zarc: return add_element<ElementKind::Zarc>(v, points, n, sum);
    case ElementKind::Tlmq: return add_element<ElementKind::Tlmq>(v, points, n, sum);
    case ElementKind::T: return add_element<ElementKind::T>(v, points, n, sum);
  }
}

}  // namespace

FrequencyCache make_frequency_cache(const double* omega, std::size_t count) {
  FrequencyCache cache;
  cache.points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) cache.points.push_back(make_omega_point(omega[i]));
  return cache;
}

EvalPlan compile_plan(const SeriesList& nodes) {
  EvalPlan plan;
  std::uint32_t param = 0;
  compile_series(nodes, 0, &plan, &param);
  plan.param_count = param;
  return plan;
}

void EvalWorkspace::reserve_for(const EvalPlan& plan, std::size_t capacity) {
  const std::size_t needed = plan.stack_depth * capacity;
  if (rows.size() < needed) rows.resize(needed);
}

void evaluate_plan(const EvalPlan& plan, const double* params, const FrequencyCache& cache,
                   std::size_t begin, std::size_t end, EvalWorkspace* workspace, Complex* out) {
  const std::size_t n = end - begin;
  if (n == 0) return;
  workspace->reserve_for(plan, n);
  const OmegaPoint* points = cache.points.data() + begin;
  // Row k holds the open sum at stack level k: even levels are series sums, odd levels
  // admittance sums of a parallel node.
  Complex* rows = workspace->rows.data();
  std::size_t level = 0;
  std::fill(rows, rows + n, Complex{0.0, 0.0});
  for (const EvalOp& op : plan.ops) {
    Complex* top = rows + level * n;
    switch (op.code) {
      case EvalOp::Code::Element:
        add_element(op.kind, params + op.first_param, points, n, top);
        break;
      case EvalOp::Code::BeginParallel:
      case EvalOp::Code::BeginBranch:
        ++level;
        std::fill(top + n, top + 2 * n, Complex{0.0, 0.0});
        break;
      case EvalOp::Code::EndBranch: {
        Complex* admittance = top - n;
        for (std::size_t i = 0; i < n; ++i) {
          const Complex y = reciprocal(top[i]);
          admittance[i].re = admittance[i].re + y.re;
          admittance[i].im = admittance[i].im + y.im;
        }
        --level;
        break;
      }
      case EvalOp::Code::EndParallel: {
        Complex* sum = top - n;
        for (std::size_t i = 0; i < n; ++i) sum[i] = sum[i] + reciprocal(top[i]);
        --level;
        break;
      }
    }
  }
  std::copy(rows, rows + n, out);
}

}  // namespace corvex
