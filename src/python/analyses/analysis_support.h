// What the private analysis entries share: the steps every entry takes (bind, options, workers,
// spectra, pool, list), the pool run of one task per item with the lock released, result arrays.
#pragma once

#include <Python.h>

#include <atomic>
#include <cstddef>
#include <new>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "python/convert/arg_binder.h"
#include "python/module/interruption.h"
#include "python/module/owned_ref.h"
#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"
#include "util/worker_pool.h"

#include <algorithm>

namespace corvex::python {

// A batch as the front ends hand it over: a list of (frequencies, impedances) pairs, each in
// any form Circuit.fit() accepts. A pair that fails its conversion keeps the message of the
// exception, so one bad spectrum never stops the others.
struct SpectrumBatch {
  std::vector<Spectrum> spectra;
  std::vector<std::optional<std::string>> conversion_errors;  // one per pair
};

// False with a TypeError set when `pairs` is not a list of 2-tuples.
bool spectrum_batch_from(PyObject* pairs, SpectrumBatch* batch);

// Runs task(i) for every i in [0, count) on at most `workers` threads at once, each lane
// claiming the next index when free; work the tasks spread themselves (Jacobian columns)
// runs inline on the lane, so `workers` is the number of cores the call keeps busy. No new
// index starts once `cancellation` asks to stop.
template <class Task>
void run_on_lanes(std::size_t count, std::size_t workers, Task& task, const CancellationToken& cancellation) {
  std::atomic<std::size_t> next{0};
  auto lane = [&](std::size_t) {
    InlineParallelism inline_only;
    for (std::size_t i = next.fetch_add(1); i < count && !cancellation.stop_requested(); i = next.fetch_add(1)) {
      task(i);
    }
  };
  if (std::min(workers, count) <= 1) {
    lane(0);
    return;
  }
  parallel_for(std::min(workers, count), TaskRef(lane), cancellation);
}

// compute() inside a pool task: an allocation failure becomes this item's error instead of
// escaping the pool thread.
template <class T, class Compute>
Result<T> computed_in_task(Compute& compute) {
  try {
    return compute();
  } catch (const std::bad_alloc&) {
    return memory_error("out of memory");
  }
}

// Runs compute(spectrum) -> Result<T> for every spectrum that converted, on `workers` lanes,
// with the interpreter lock released and Ctrl-C honoured between spectra, and inside one when
// compute takes the token too: compute(spectrum, cancellation). compute must not touch Python.
// nullopt, with the KeyboardInterrupt set, when a signal stopped the batch.
template <class T, class Compute>
std::optional<std::vector<std::optional<Result<T>>>> run_on_pool(const SpectrumBatch& batch, std::size_t workers,
                                                                 Compute compute) {
  std::vector<std::optional<Result<T>>> results(batch.spectra.size());
  const CancellationToken* token = &no_cancellation();
  auto task = [&](std::size_t i) {
    if (batch.conversion_errors[i]) return;
    auto one = [&] {
      if constexpr (std::is_invocable_v<Compute&, const Spectrum&, const CancellationToken&>) {
        return compute(batch.spectra[i], *token);
      } else {
        return compute(batch.spectra[i]);
      }
    };
    results[i].emplace(computed_in_task<T>(one));
  };
  if (!run_interruptibly([&](const CancellationToken& cancellation) {
        token = &cancellation;
        run_on_lanes(results.size(), workers, task, cancellation);
      })) {
    return std::nullopt;
  }
  return results;
}

// The number of lanes from a bound argument: a positive integer.
bool convert_workers(PyObject* object, std::size_t* workers);

// The Python item of a failed spectrum: its message as a str.
PyObject* error_item(const SpectrumBatch& batch, std::size_t i, const Error* error);

// The arguments of an analysis entry, bound and converted in the order every entry uses: its
// options first (by convert_options(bound)), then the lane count, named "workers" and last in
// the signature, then the spectra, first in the signature. False with an exception set.
template <class ConvertOptions>
bool bind_analysis(const Signature& signature, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
                   PyObject** bound, ConvertOptions convert_options, std::size_t* workers, SpectrumBatch* batch) {
  return bind_arguments(signature, args, nargs, kwnames, bound) && convert_options(bound) &&
         convert_workers(bound[signature.names.size() - 1], workers) && spectrum_batch_from(bound[0], batch);
}

// A new list with item(i) at each index i < count; nullptr, with the error set, when an item
// could not be made.
template <class Item>
PyObject* list_of(std::size_t count, Item item) {
  OwnedRef list(PyList_New(static_cast<Py_ssize_t>(count)));
  if (!list) return nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    PyObject* value = item(i);
    if (value == nullptr) return nullptr;
    PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), value);
  }
  return list.release();
}

// The whole of an entry with one pool task per spectrum: its arguments bound as bind_analysis
// does, compute(spectrum) -> Result<Outcome> run on the pool, and a list holding
// outcome_dict(spectrum, outcome) or the error message of each spectrum.
template <class Outcome, class ConvertOptions, class Compute, class OutcomeDict>
PyObject* per_spectrum_analysis(const Signature& signature, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames, ConvertOptions convert_options, Compute compute,
                                OutcomeDict outcome_dict) {
  std::vector<PyObject*> bound(signature.names.size(), nullptr);
  std::size_t workers = 1;
  SpectrumBatch batch;
  if (!bind_analysis(signature, args, nargs, kwnames, bound.data(), convert_options, &workers, &batch)) return nullptr;
  auto results = run_on_pool<Outcome>(batch, workers, compute);
  if (!results) return nullptr;
  return list_of(results->size(), [&](std::size_t i) -> PyObject* {
    const auto& result = (*results)[i];
    if (!result || !*result) return error_item(batch, i, result ? &result->error() : nullptr);
    return outcome_dict(batch.spectra[i], result->value());
  });
}

// New 1-D NumPy arrays holding copies of the values.
PyObject* float_array(const std::vector<double>& values);
PyObject* complex_array(const std::vector<Complex>& values);

// dict[key] = value, taking over the new reference `value`; false with an error set.
bool put(PyObject* dict, const char* key, PyObject* value);

// The names whose flag is set, as a list of str (parameters on bounds, unidentifiable, ...).
PyObject* name_list(const std::vector<std::string>& names, const std::vector<bool>& flags);

}  // namespace corvex::python
