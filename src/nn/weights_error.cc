// Message texts of the weights-file failures; callers match them exactly, so every
// piece of punctuation here is part of the interface.
#include "nn/weights_error.h"

namespace corvex {

std::string WeightsError::message() const {
  switch (kind) {
    case Kind::Io:
      return "reading weights: " + detail;
    case Kind::BadMagic:
      return "not an eisnn weight file (bad magic bytes)";
    case Kind::Truncated:
      return "weight file is truncated";
    case Kind::Missing:
      return "weight file is missing " + detail;
    case Kind::Unparsable:
      return "weight file has an unparsable value for " + detail;
    case Kind::UnsupportedEstimator: {
      std::string supported;
      for (const char* name : kSupportedEstimators) {
        if (!supported.empty()) supported += ", ";
        supported += name;
      }
      return "weight file was normalised with the " + detail +
             " scale estimator, which this build does not implement (supported: " + supported + ")";
    }
    case Kind::UnknownEncoding:
      return "weight file uses tensor encoding " + std::to_string(actual) + ", which this build does not know";
    case Kind::ElementCount:
      return "tensor " + detail + " has " + std::to_string(actual) + " elements, expected " +
             std::to_string(expected);
    case Kind::TooFewPoints:
      return "need at least 2 frequency points to guess, got " + std::to_string(actual);
    case Kind::OverBudget:
      return "weight file needs " + std::to_string(actual) + " " + detail + ", more than the " +
             std::to_string(expected) + " allowed";
  }
  return "weight file is truncated";
}

}  // namespace corvex
