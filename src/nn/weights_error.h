// The failures of reading and using a network weights file, each with its fixed message text.
// They travel through the core as ordinary value errors carrying that text.
#pragma once

#include <cstdint>
#include <string>

#include "util/result.h"

namespace corvex {

struct WeightsError {
  enum class Kind {
    Io,                    // detail: the operating system's description of the read failure
    BadMagic,              //
    Truncated,             //
    Missing,               // detail: the key or tensor name
    Unparsable,            // detail: the key, possibly followed by what is wrong with it
    UnsupportedEstimator,  // detail: the estimator name found
    UnknownEncoding,       // actual: the encoding code
    ElementCount,          // detail: tensor or layer name; actual and expected counts
    TooFewPoints,          // actual: the number of points given
    OverBudget,            // detail: the quantity and its unit; actual and the budget (expected)
  };

  Kind kind = Kind::Truncated;
  std::string detail;
  std::uint64_t actual = 0;
  std::uint64_t expected = 0;

  static WeightsError io(std::string description) { return {Kind::Io, std::move(description), 0, 0}; }
  static WeightsError bad_magic() { return {Kind::BadMagic, {}, 0, 0}; }
  static WeightsError truncated() { return {Kind::Truncated, {}, 0, 0}; }
  static WeightsError missing(std::string name) { return {Kind::Missing, std::move(name), 0, 0}; }
  static WeightsError unparsable(std::string key) { return {Kind::Unparsable, std::move(key), 0, 0}; }
  static WeightsError unsupported_estimator(std::string name) {
    return {Kind::UnsupportedEstimator, std::move(name), 0, 0};
  }
  static WeightsError unknown_encoding(std::uint8_t code) { return {Kind::UnknownEncoding, {}, code, 0}; }
  static WeightsError element_count(std::string name, std::uint64_t actual, std::uint64_t expected) {
    return {Kind::ElementCount, std::move(name), actual, expected};
  }
  static WeightsError too_few_points(std::uint64_t count) { return {Kind::TooFewPoints, {}, count, 0}; }
  static WeightsError over_budget(std::string quantity, std::uint64_t actual, std::uint64_t budget) {
    return {Kind::OverBudget, std::move(quantity), actual, budget};
  }

  std::string message() const;

  // The error as the rest of the core carries it: a value error with message().
  Error to_error() const { return value_error(message()); }
  operator Error() const { return to_error(); }
};

// The scale estimators this build can undo, in the order the unsupported-estimator message lists them.
inline constexpr const char* kSupportedEstimators[] = {"reactive_centroid"};

}  // namespace corvex
