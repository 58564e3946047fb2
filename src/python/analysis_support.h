// What the private analysis entries share: a batch of spectra converted pair by pair, the
// pool run of one task per item with the interpreter lock released, and result arrays.
#pragma once

#include <Python.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "python/gil_release.h"
#include "python/owned_ref.h"
#include "util/complex.h"
#include "util/result.h"
#include "util/spectrum.h"
#include "util/worker_pool.h"

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

// Runs compute(spectrum) -> Result<T> for every spectrum that converted, one pool task each,
// with the interpreter lock released. compute must not touch Python.
template <class T, class Compute>
std::vector<std::optional<Result<T>>> run_on_pool(const SpectrumBatch& batch, Compute compute) {
  std::vector<std::optional<Result<T>>> results(batch.spectra.size());
  auto task = [&](std::size_t i) {
    if (!batch.conversion_errors[i]) results[i].emplace(compute(batch.spectra[i]));
  };
  {
    ScopedGilRelease unlocked;
    parallel_for(results.size(), TaskRef(task));
  }
  return results;
}

// The Python item of a failed spectrum: its message as a str.
PyObject* error_item(const SpectrumBatch& batch, std::size_t i, const Error* error);

// New 1-D NumPy arrays holding copies of the values.
PyObject* float_array(const std::vector<double>& values);
PyObject* complex_array(const std::vector<Complex>& values);

// dict[key] = value, taking over the new reference `value`; false with an error set.
bool put(PyObject* dict, const char* key, PyObject* value);

}  // namespace corvex::python
