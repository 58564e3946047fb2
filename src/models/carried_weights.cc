// Access to the weights blobs that the build links in between begin/end symbols, one pair
// per carried model key.
#include "models/carried_weights.h"

#define CORVEX_DECLARE_WEIGHTS(key)                        \
  extern "C" const std::uint8_t corvex_weights_##key##_begin[]; \
  extern "C" const std::uint8_t corvex_weights_##key##_end[];

CORVEX_DECLARE_WEIGHTS(rc)
CORVEX_DECLARE_WEIGHTS(rc_l)
CORVEX_DECLARE_WEIGHTS(rq)
CORVEX_DECLARE_WEIGHTS(rq_l)
CORVEX_DECLARE_WEIGHTS(two_rc)
CORVEX_DECLARE_WEIGHTS(two_rc_l)
CORVEX_DECLARE_WEIGHTS(two_rq)
CORVEX_DECLARE_WEIGHTS(two_rq_l)
CORVEX_DECLARE_WEIGHTS(randles)
CORVEX_DECLARE_WEIGHTS(sei_randles)
CORVEX_DECLARE_WEIGHTS(sei_randles_wo)

namespace corvex {
namespace {

struct CarriedBlob {
  std::string_view key;
  const std::uint8_t* begin;
  const std::uint8_t* end;
};

#define CORVEX_BLOB(key) CarriedBlob{#key, corvex_weights_##key##_begin, corvex_weights_##key##_end}

const CarriedBlob kBlobs[] = {
    CORVEX_BLOB(rc),     CORVEX_BLOB(rc_l),     CORVEX_BLOB(rq),      CORVEX_BLOB(rq_l),
    CORVEX_BLOB(two_rc), CORVEX_BLOB(two_rc_l), CORVEX_BLOB(two_rq),  CORVEX_BLOB(two_rq_l),
    CORVEX_BLOB(randles), CORVEX_BLOB(sei_randles), CORVEX_BLOB(sei_randles_wo),
};

}  // namespace

std::span<const std::uint8_t> carried_weights_bytes(std::string_view key) {
  for (const CarriedBlob& blob : kBlobs) {
    if (blob.key == key) return {blob.begin, static_cast<std::size_t>(blob.end - blob.begin)};
  }
  return {};
}

}  // namespace corvex
