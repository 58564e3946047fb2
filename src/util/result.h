// A value-or-error type for the native core: failures travel as values with their exact message.
// Only the Python boundary turns an Error into an exception, choosing the type from its kind.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace corvex {

// What kind of exception the Python layer raises for an error.
enum class ErrorKind {
  Value,     // bad content: notation, counts, names, data, weights files
  Type,      // wrong type of an argument
  Overflow,  // integer out of range
  Memory,    // an allocation that cannot be made
  Internal,  // an invariant of the core was violated (message says which)
  Interrupted,  // a cancellation token stopped the work (Ctrl-C): the caller's pending exception
};

struct Error {
  ErrorKind kind = ErrorKind::Value;
  std::string message;
};

inline Error value_error(std::string message) { return {ErrorKind::Value, std::move(message)}; }
inline Error internal_error(std::string message) { return {ErrorKind::Internal, std::move(message)}; }
inline Error memory_error(std::string message) { return {ErrorKind::Memory, std::move(message)}; }

// Result<T> holds either a T or an Error. Construct from either; test with ok().
template <class T>
class Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

  const Error& error() const { return std::get<1>(state_); }
  Error&& take_error() { return std::get<1>(std::move(state_)); }

 private:
  std::variant<T, Error> state_;
};

// Success or an Error, for operations without a value.
class Status {
 public:
  Status() = default;
  Status(Error error) : error_(std::move(error)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const Error& error() const { return error_; }
  Error&& take_error() { return std::move(error_); }

 private:
  Error error_;
  bool failed_ = false;
};

}  // namespace corvex
