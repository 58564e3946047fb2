// Long native work with the interpreter lock released and Ctrl-C honoured: the core polls a
// cancellation token whose hook briefly takes the lock back to run pending signal handlers.
#pragma once

#include <Python.h>

#include <optional>
#include <type_traits>
#include <utility>

#include "python/module/error_mapping.h"
#include "python/module/thread_stops.h"
#include "util/cancellation.h"

namespace corvex::python {

// Owns the released lock for its lifetime; the token's hook runs on this (the owning) thread
// only, between two pieces of work, never while the core holds a lock of its own.
class InterruptibleGilRelease {
 public:
  InterruptibleGilRelease() : state_(PyEval_SaveThread()), token_(&poll_signals, this) {}
  ~InterruptibleGilRelease() { PyEval_RestoreThread(state_); }
  InterruptibleGilRelease(const InterruptibleGilRelease&) = delete;
  InterruptibleGilRelease& operator=(const InterruptibleGilRelease&) = delete;

  const CancellationToken& token() const { return token_; }

 private:
  // A signal handler that raised (KeyboardInterrupt for SIGINT) leaves its exception set on
  // this thread and stops the work; the exception is what the call finally raises. A stop
  // another thread asked for this one (see thread_stops.h) raises KeyboardInterrupt too.
  static bool poll_signals(void* context) {
    auto* self = static_cast<InterruptibleGilRelease*>(context);
    PyEval_RestoreThread(self->state_);
    const bool raised = PyErr_CheckSignals() != 0 || stop_requested_for_this_thread();
    self->state_ = PyEval_SaveThread();
    return raised;
  }

  PyThreadState* state_;
  CancellationToken token_;
};

// Runs work(token) with the lock released. Returns its result (true for work returning
// nothing), or nullopt with a Python exception set when a signal stopped it, whether or not
// the work noticed in time.
template <class Work>
auto run_interruptibly(Work&& work) {
  using Value = std::invoke_result_t<Work&, const CancellationToken&>;
  using Stored = std::conditional_t<std::is_void_v<Value>, bool, Value>;
  std::optional<Stored> result;
  bool stopped = false;
  {
    InterruptibleGilRelease unlocked;
    if constexpr (std::is_void_v<Value>) {
      work(unlocked.token());
      result.emplace(true);
    } else {
      result.emplace(work(unlocked.token()));
    }
    stopped = unlocked.token().stopped();
  }
  if (stopped) {
    raise_error(interrupted_error());
    result.reset();
  }
  return result;
}

}  // namespace corvex::python
