// Validation reuses the binding of the forward pass and the checks of the decoder, so a
// model that passes here is exactly one that run_network and decode_outputs accept.
#include "nn/model_validation.h"

#include <string>

#include "nn/features.h"
#include "nn/network.h"
#include "nn/weights_error.h"

namespace corvex {

Status validate_network_model(const NetworkModel& model) {
  Result<NetworkWeights> weights = bind_network_weights(model);
  if (!weights.ok()) return weights.take_error();
  if (const std::uint64_t work = inference_multiply_adds(*weights); work > kMaxInferenceMultiplyAdds) {
    return WeightsError::over_budget("multiply-adds per guess", work, kMaxInferenceMultiplyAdds).to_error();
  }
  const std::size_t p = model.param_count();
  if (weights->head4.out_size < p) {
    return WeightsError::unparsable("w.head.4.weight (" + std::to_string(weights->head4.out_size) +
                                    " outputs for " + std::to_string(p) + " parameters)")
        .to_error();
  }
  return check_decoding_tables(model);
}

}  // namespace corvex
