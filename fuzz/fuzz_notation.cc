// libFuzzer target for the circuit notation: any bytes must parse or fail with a message,
// and a parsed circuit must survive every walk over its tree.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "circuit/circuit.h"
#include "circuit/eval_plan.h"
#include "circuit/notation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto parsed = corvex::parse_notation(text);
  if (parsed.index() == 1) {
    const std::string message = corvex::format_parse_error(text, std::get<1>(parsed));
    if (message.empty()) __builtin_trap();
    return 0;
  }
  const corvex::SeriesList& nodes = std::get<0>(parsed);
  const std::vector<double> values = corvex::param_values(nodes);
  if (corvex::param_names(nodes).size() != values.size()) __builtin_trap();
  const corvex::EvalPlan plan = corvex::compile_plan(nodes);
  const double omega[] = {0.0, 1.0, 1e6};
  const corvex::FrequencyCache cache = corvex::make_frequency_cache(omega, 3);
  corvex::EvalWorkspace workspace;
  corvex::Complex out[3];
  corvex::evaluate_plan(plan, values.data(), cache, 0, 3, &workspace, out);
  corvex::Circuit circuit{nodes, true};
  (void)corvex::with_values(circuit, values);
  return 0;
}
