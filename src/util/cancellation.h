// Cooperative cancellation of long computations: loops ask a token whether to stop; the thread
// that owns the token also runs its poll hook now and then (to look for Ctrl-C, say).
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#include "util/result.h"

namespace corvex {

// How often, at most, the owner thread runs the poll hook. Short enough for a prompt stop,
// long enough that the hook's cost (taking a lock, say) stays far below the work between polls.
inline constexpr std::chrono::milliseconds kCancellationPollInterval{25};

// Shared by reference between the owner thread and the workers of one computation. Workers
// only read an atomic flag; the owner thread also runs the hook when a poll is due, and a hook
// returning true sets the flag for good. Answers never change a computation's numbers: a
// computation that is not stopped returns exactly what it would without a token.
class CancellationToken {
 public:
  // Returns true when the computation should stop. Runs on the owner thread only.
  using PollHook = bool (*)(void* context);

  // A token that stops only when asked with request_stop().
  CancellationToken() = default;
  // A token owned by the calling thread, which polls `hook(context)` at most once per interval.
  CancellationToken(PollHook hook, void* context)
      : hook_(hook), context_(context), owner_(std::this_thread::get_id()),
        next_poll_(std::chrono::steady_clock::now() + kCancellationPollInterval) {}
  CancellationToken(const CancellationToken&) = delete;
  CancellationToken& operator=(const CancellationToken&) = delete;

  // Any thread. On the owner thread this may run the hook, so an owner must call it only
  // where the hook may run (for a hook that takes the interpreter lock: without holding it).
  bool stop_requested() const {
    if (stopped_.load(std::memory_order_relaxed)) return true;
    if (hook_ == nullptr || std::this_thread::get_id() != owner_) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now < next_poll_) return false;
    next_poll_ = now + kCancellationPollInterval;
    if (!hook_(context_)) return false;
    stopped_.store(true, std::memory_order_relaxed);
    return true;
  }

  // Whether a stop was requested, without polling: for the owner after the work has ended.
  bool stopped() const { return stopped_.load(std::memory_order_relaxed); }

  // Any thread: every later stop_requested() answers true.
  void request_stop() { stopped_.store(true, std::memory_order_relaxed); }

 private:
  PollHook hook_ = nullptr;
  void* context_ = nullptr;
  std::thread::id owner_;
  mutable std::chrono::steady_clock::time_point next_poll_;  // owner thread only
  mutable std::atomic<bool> stopped_{false};
};

// The shared token of work that nothing interrupts.
const CancellationToken& no_cancellation();

// The error a stopped computation returns.
inline Error interrupted_error() { return {ErrorKind::Interrupted, "interrupted"}; }

}  // namespace corvex
