// The process-wide worker pool: threads started on the first parallel task, jobs shared by
// index claiming so the caller works too, and a fresh pool in a child after fork().
#include "util/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "util/fork_handlers.h"

namespace corvex {
namespace {

// One parallel_for call. Lives on the caller's stack; the caller waits until every worker
// that joined it has left before returning.
struct Job {
  TaskRef task;
  std::size_t count;
  const CancellationToken& cancellation;
  std::atomic<std::size_t> next{0};
  std::atomic<bool> skipped{false};  // some index was abandoned without running
  std::size_t finished = 0;          // indices run or abandoned; guarded by the pool mutex
  std::size_t active = 0;            // workers inside run(); guarded by the pool mutex
  std::exception_ptr failure;        // the first exception a task threw; guarded by the pool mutex

  // Claims and runs indices until none is left; returns how many this thread accounted for.
  // After a stop or a failure the remaining indices are claimed at once and not run.
  std::size_t run(std::mutex& mutex) {
    std::size_t accounted = 0;
    for (std::size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
      ++accounted;
      if (cancellation.stop_requested()) {
        accounted += abandon_rest();
        break;
      }
      try {
        task(i);
      } catch (...) {
        {
          std::lock_guard<std::mutex> lock(mutex);
          if (!failure) failure = std::current_exception();
        }
        accounted += abandon_rest();
        break;
      }
    }
    return accounted;
  }

  bool exhausted() const { return next.load() >= count; }

  // Claims every index not yet handed out; the claimed ones count as done without running.
  std::size_t abandon_rest() {
    skipped.store(true);
    const std::size_t first_unclaimed = next.exchange(count);
    return first_unclaimed < count ? count - first_unclaimed : 0;
  }
};

thread_local bool inside_pool_task = false;

class WorkerPool {
 public:
  explicit WorkerPool(std::size_t size) {
    threads_.reserve(size);
    for (std::size_t i = 0; i < size; ++i) threads_.emplace_back([this] { work(); });
  }

  std::size_t size() const { return threads_.size(); }

  // Returns false when an index was abandoned; rethrows the first exception of a task.
  bool run(std::size_t count, TaskRef task, const CancellationToken& cancellation) {
    Job job{task, count, cancellation, {}, {}, 0, 0, {}};
    {
      std::lock_guard<std::mutex> lock(mutex_);
      queue_.push_back(&job);
    }
    work_available_.notify_all();

    inside_pool_task = true;
    const std::size_t accounted = job.run(mutex_);
    inside_pool_task = false;

    std::unique_lock<std::mutex> lock(mutex_);
    job.finished += accounted;
    const auto it = std::find(queue_.begin(), queue_.end(), &job);
    if (it != queue_.end()) queue_.erase(it);
    const auto done = [&] { return job.finished == job.count && job.active == 0; };
    // Polling runs the token's hook, which may wait for other locks: never with the pool's held.
    while (!job_done_.wait_for(lock, kCancellationPollInterval, done)) {
      lock.unlock();
      const std::size_t abandoned = cancellation.stop_requested() ? job.abandon_rest() : 0;
      lock.lock();
      job.finished += abandoned;
    }
    if (job.failure) std::rethrow_exception(job.failure);
    return !job.skipped.load();
  }

 private:
  void work() {
    inside_pool_task = true;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      work_available_.wait(lock, [&] { return !queue_.empty(); });
      Job* job = queue_.front();
      if (job->exhausted()) {
        queue_.pop_front();
        continue;
      }
      ++job->active;
      lock.unlock();
      const std::size_t accounted = job->run(mutex_);
      lock.lock();
      job->finished += accounted;
      --job->active;
      if (job->finished == job->count && job->active == 0) job_done_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable work_available_;
  std::condition_variable job_done_;
  std::deque<Job*> queue_;
  std::vector<std::thread> threads_;
};

// The pool is created on demand and intentionally never destroyed: its threads block for the
// life of the process. After fork() the child's copy has no threads, so the child abandons
// it (without touching its possibly locked mutex) and builds a new one on first use.
std::mutex pool_creation_mutex;
WorkerPool* pool = nullptr;

void before_fork() { pool_creation_mutex.lock(); }
void after_fork_in_parent() { pool_creation_mutex.unlock(); }
void after_fork_in_child() {
  pool = nullptr;
  inside_pool_task = false;
  pool_creation_mutex.unlock();
}

std::size_t configured_size() {
  const unsigned logical = std::thread::hardware_concurrency();
  return logical > 1 ? logical - 1 : 1;
}

WorkerPool& shared_pool() {
  static const bool fork_handlers_registered = [] {
    register_fork_handlers(before_fork, after_fork_in_parent, after_fork_in_child);
    return true;
  }();
  (void)fork_handlers_registered;
  std::lock_guard<std::mutex> lock(pool_creation_mutex);
  if (pool == nullptr) pool = new WorkerPool(configured_size());
  return *pool;
}

}  // namespace

bool parallel_for(std::size_t count, TaskRef task, const CancellationToken& cancellation) {
  if (count == 0) return true;
  if (count == 1 || inside_pool_task) {
    for (std::size_t i = 0; i < count; ++i) {
      if (cancellation.stop_requested()) return false;
      task(i);
    }
    return true;
  }
  return shared_pool().run(count, task, cancellation);
}

void parallel_for(std::size_t count, TaskRef task) { (void)parallel_for(count, task, no_cancellation()); }

InlineParallelism::InlineParallelism() : was_inline_(inside_pool_task) { inside_pool_task = true; }
InlineParallelism::~InlineParallelism() { inside_pool_task = was_inline_; }

std::size_t worker_pool_size() { return configured_size(); }

}  // namespace corvex
