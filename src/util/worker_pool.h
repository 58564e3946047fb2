// The one process-wide pool of worker threads, started on first use and restarted fresh
// in a child after fork(); the thread that submits work helps run it.
#pragma once

#include <cstddef>

#include "util/cancellation.h"

namespace corvex {

// A non-owning reference to a callable taking a task index, so dispatch allocates nothing.
class TaskRef {
 public:
  template <class F>
  TaskRef(F& f) : object_(&f), call_([](void* o, std::size_t i) { (*static_cast<F*>(o))(i); }) {}
  void operator()(std::size_t i) const { call_(object_, i); }

 private:
  void* object_;
  void (*call_)(void*, std::size_t);
};

// Runs task(i) for every i in [0, count) and returns when all have finished. Tasks run on
// the pool's threads and on the calling thread; each index runs exactly once. Safe to call
// from many threads at once and from inside a task (nested calls run inline). An exception
// escaping a task (std::bad_alloc, in practice) stops the handing out of further indices and
// is rethrown here on the calling thread once every started task has finished; the pool stays
// usable.
void parallel_for(std::size_t count, TaskRef task);

// As above, but no index starts once `cancellation` asks to stop, and the calling thread keeps
// polling the token while it waits for the workers. Returns false when some index never ran.
bool parallel_for(std::size_t count, TaskRef task, const CancellationToken& cancellation);

// While alive, parallel_for calls made on this thread run inline, as they do inside a pool
// task: for work already spread over the pool one level up (a batch of fits run one per
// worker, where each fit's own Jacobian columns must not fan out again).
class InlineParallelism {
 public:
  InlineParallelism();
  ~InlineParallelism();
  InlineParallelism(const InlineParallelism&) = delete;
  InlineParallelism& operator=(const InlineParallelism&) = delete;

 private:
  bool was_inline_;
};

// Number of threads the pool uses besides the caller (logical processors minus one, at least one).
std::size_t worker_pool_size();

}  // namespace corvex
