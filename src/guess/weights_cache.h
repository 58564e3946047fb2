// The process-wide cache of user weights files, keyed by the path text exactly as given:
// a file is read once, and later calls with the same text reuse its model.
#pragma once

#include <memory>
#include <string>

#include "nn/network_model.h"
#include "util/result.h"

namespace corvex {

// Exclusive access to the cache for one guess. Construction fails once the cache is poisoned;
// a holder that unwinds through an exception poisons it for the rest of the process.
class WeightsCacheLock {
 public:
  static Result<std::unique_ptr<WeightsCacheLock>> acquire();
  ~WeightsCacheLock();
  WeightsCacheLock(const WeightsCacheLock&) = delete;
  WeightsCacheLock& operator=(const WeightsCacheLock&) = delete;

  // The cached model for `path`, reading and parsing the file on a miss. A failed read or
  // parse inserts nothing and returns its message.
  Result<std::shared_ptr<const NetworkModel>> model_for(const std::string& path);

 private:
  WeightsCacheLock();
  int uncaught_at_entry_;
};

// The whole file at `path`, or "reading weights: " + the system's description of the failure.
Result<std::string> read_weights_file(const std::string& path);

}  // namespace corvex
