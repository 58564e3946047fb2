// The process-wide cache of user weights files, keyed by the file's content, bounded and
// least-recently-used first out.
#pragma once

#include <memory>
#include <string>

#include "nn/network_model.h"
#include "util/cancellation.h"
#include "util/result.h"

namespace corvex {

// The model in the weights file at `path`: read every time, then from the cache when the
// same content was parsed before (from any path), else parsed and cached. Only regular files
// are read; the read and the parse run outside the cache's lock, and a stop of `cancellation` between two
// pieces of the read ends it with the interrupted error. A failed read or parse leaves the
// cache as it was and returns its message.
Result<std::shared_ptr<const NetworkModel>> cached_weights_model(const std::string& path,
                                                                 const CancellationToken& cancellation);

}  // namespace corvex
