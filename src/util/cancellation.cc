// The token of uninterruptible work, shared by every caller that has no token of its own.
// It has no hook and nothing can ask it to stop, so concurrent readers only ever see false.
#include "util/cancellation.h"

namespace corvex {

const CancellationToken& no_cancellation() {
  static const CancellationToken token;
  return token;
}

}  // namespace corvex
