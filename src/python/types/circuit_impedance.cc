// Circuit.impedance(): the circuit's impedance at each requested frequency, computed with
// the interpreter lock released, on the shared worker pool for large requests.
#include <algorithm>
#include <vector>

#include "circuit/eval_plan.h"
#include "python/convert/arg_binder.h"
#include "python/types/circuit_methods.h"
#include "python/types/circuit_object.h"
#include "python/module/error_mapping.h"
#include "python/module/gil_release.h"
#include "python/module/interruption.h"
#include "python/module/numpy_api.h"
#include "python/module/owned_ref.h"
#include "python/convert/spectrum_input.h"
#include "util/worker_pool.h"

namespace corvex::python {

namespace {

constexpr const char* kImpedanceNames[] = {"frequencies"};
constexpr Signature kImpedanceSignature{"Circuit.impedance()", kImpedanceNames, 1};

// Below this many frequencies the pool's hand-off costs more than it saves.
constexpr std::size_t kParallelThreshold = 1000;
// Chunks are at least this long, and there are a few per thread so that uneven progress
// of the threads evens out.
constexpr std::size_t kMinChunkLength = 256;
constexpr std::size_t kChunksPerThread = 4;

// A chunk is evaluated in blocks of this many frequencies, so the accumulator rows of the
// plan stay in the first-level caches however long the chunk is.
constexpr std::size_t kBlockLength = 256;

// Scratch rows kept per thread for small requests: below this size the reuse saves most of
// a short call's cost, and the memory a thread keeps stays small.
constexpr std::size_t kMaxRetainedRows = 1 << 16;

void fill_frequency_cache(const std::vector<double>& frequencies, std::size_t begin, std::size_t end,
                          FrequencyCache* cache) {
  for (std::size_t i = begin; i < end; ++i) cache->points[i] = make_omega_point(frequencies[i] * kTwoPi);
}

void evaluate_sequentially(const CompiledCircuit& compiled, const std::vector<double>& frequencies, Complex* out) {
  const std::size_t count = frequencies.size();
  thread_local FrequencyCache retained_cache;
  thread_local EvalWorkspace retained_workspace;
  FrequencyCache local_cache;
  EvalWorkspace local_workspace;
  const bool retain = compiled.plan.stack_depth * count <= kMaxRetainedRows;
  FrequencyCache& cache = retain ? retained_cache : local_cache;
  EvalWorkspace& workspace = retain ? retained_workspace : local_workspace;
  if (cache.points.size() < count) cache.points.resize(count);
  workspace.reserve_for(compiled.plan, count);

  ScopedGilRelease unlocked;
  fill_frequency_cache(frequencies, 0, count, &cache);
  evaluate_plan(compiled.plan, compiled.values.data(), cache, 0, count, &workspace, out);
}

// Everything the workers need is allocated here, holding the lock; the evaluation itself
// allocates nothing, so no allocation can fail on a worker thread. Every block asks the token,
// so a stop ends the work within a block's time. False with an exception set when stopped.
bool evaluate_in_parallel(const CompiledCircuit& compiled, const std::vector<double>& frequencies, Complex* out) {
  const std::size_t count = frequencies.size();
  const std::size_t most_chunks = kChunksPerThread * (worker_pool_size() + 1);
  const std::size_t chunk_count = std::min(most_chunks, (count + kMinChunkLength - 1) / kMinChunkLength);
  const std::size_t chunk_length = (count + chunk_count - 1) / chunk_count;
  FrequencyCache cache;
  cache.points.resize(count);
  std::vector<EvalWorkspace> workspaces(chunk_count);
  for (EvalWorkspace& workspace : workspaces) workspace.reserve_for(compiled.plan, kBlockLength);

  return run_interruptibly([&](const CancellationToken& cancellation) {
    auto evaluate_chunk = [&](std::size_t chunk) {
      const std::size_t begin = chunk * chunk_length;
      const std::size_t end = std::min(count, begin + chunk_length);
      for (std::size_t block = begin; block < end; block += kBlockLength) {
        if (cancellation.stop_requested()) return;
        const std::size_t block_end = std::min(end, block + kBlockLength);
        fill_frequency_cache(frequencies, block, block_end, &cache);
        evaluate_plan(compiled.plan, compiled.values.data(), cache, block, block_end, &workspaces[chunk],
                      out + block);
      }
    };
    parallel_for(chunk_count, TaskRef(evaluate_chunk), cancellation);
  }).has_value();
}

}  // namespace

PyObject* circuit_impedance(PyObject* self, PyTypeObject*, PyObject* const* args, Py_ssize_t nargs,
                            PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    PyObject* bound[1];
    if (!bind_arguments(kImpedanceSignature, args, nargs, kwnames, bound)) return nullptr;
    std::optional<std::vector<double>> frequencies = frequencies_from(bound[0]);
    if (!frequencies) return nullptr;
    npy_intp length = static_cast<npy_intp>(frequencies->size());
    OwnedRef array(PyArray_SimpleNew(1, &length, NPY_CDOUBLE));
    if (!array) return nullptr;
    auto* out = static_cast<Complex*>(PyArray_DATA(reinterpret_cast<PyArrayObject*>(array.get())));
    if (frequencies->size() >= kParallelThreshold) {
      if (!evaluate_in_parallel(compiled_of(self), *frequencies, out)) return nullptr;
    } else if (!frequencies->empty()) {
      evaluate_sequentially(compiled_of(self), *frequencies, out);
    }
    return array.release();
  });
}

}  // namespace corvex::python
