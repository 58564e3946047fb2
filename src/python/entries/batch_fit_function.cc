// corvex._batch_fit: converts every spectrum once with the interpreter lock held, fits them
// all with it released, and hands corvex.batch the result columns as NumPy arrays and lists.
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "batch/batch_fit.h"
#include "fit/fit_error.h"
#include "python/convert/arg_binder.h"
#include "python/entries/batch_functions.h"
#include "python/types/circuit_object.h"
#include "python/entries/controlled_fit_entry.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/convert/fit_arguments.h"
#include "python/types/fit_result_object.h"
#include "python/module/numpy_api.h"
#include "python/module/owned_ref.h"
#include "python/module/thread_stops.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

enum BatchArgument {
  kCircuit,
  kSpectra,
  kWorkers,
  kRefine,
  kSeries,
  kProgress,
  kFixed,
  kBounds,
  kRobust,
  kStandardDeviations,
  kIntervals,
  kStart,
  kBatchArgumentCount
};

constexpr std::array<const char*, kBatchArgumentCount> kLeadingNames = {
    "circuit", "spectra", "workers", "refine", "series", "progress", "fixed", "bounds", "robust", "standard_deviations",
    "intervals", "start"};
constexpr auto kBatchNames = with_fit_keywords(kLeadingNames);
constexpr Signature kBatchSignature{"_batch_fit()", kBatchNames, 2};

// The exception a failed conversion left pending, as the error of that spectrum. Only
// ordinary exceptions belong to the spectrum: KeyboardInterrupt and the like stay pending.
std::optional<Error> take_conversion_error() {
  if (!PyErr_ExceptionMatches(PyExc_Exception)) return std::nullopt;
  PyObject* raised = PyErr_GetRaisedException();
  OwnedRef exception(raised);
  OwnedRef text(PyObject_Str(raised));
  if (!text) return std::nullopt;
  const char* utf8 = PyUnicode_AsUTF8(text.get());
  if (utf8 == nullptr) return std::nullopt;
  ErrorKind kind = ErrorKind::Value;
  if (PyErr_GivenExceptionMatches(raised, PyExc_TypeError)) kind = ErrorKind::Type;
  if (PyErr_GivenExceptionMatches(raised, PyExc_OverflowError)) kind = ErrorKind::Overflow;
  return Error{kind, utf8};
}

// A snapshot of a sequence: reading the items may run code (a frame's item access, __index__)
// that changes the original, and the snapshot keeps every item alive while it is used.
OwnedRef snapshot(PyObject* sequence, const char* name) {
  OwnedRef items(PySequence_Tuple(sequence));
  if (!items && PyErr_ExceptionMatches(PyExc_TypeError)) {
    PyErr_Clear();
    PyErr_Format(PyExc_TypeError, "argument '%s': expected a sequence, got '%s'", name, Py_TYPE(sequence)->tp_name);
  }
  return items;
}

// Each item is a (frequencies, impedances) tuple or a frame, read exactly as fit() reads its
// arguments. False with a Python error set when something other than a spectrum failed.
bool convert_spectra(PyObject* items, SpectrumSet* spectra) {
  OwnedRef sequence = snapshot(items, "spectra");
  if (!sequence) return false;
  const Py_ssize_t count = PyTuple_GET_SIZE(sequence.get());
  for (Py_ssize_t i = 0; i < count; ++i) {
    // Converting a million spectra takes a while: Ctrl-C is honoured here too.
    if (i % 1024 == 1023 && PyErr_CheckSignals() != 0) return false;
    PyObject* item = PyTuple_GET_ITEM(sequence.get(), i);
    const bool pair = PyTuple_Check(item) && PyTuple_GET_SIZE(item) == 2;
    std::optional<Spectrum> spectrum =
        pair ? spectrum_from(PyTuple_GET_ITEM(item, 0), PyTuple_GET_ITEM(item, 1)) : spectrum_from(item, nullptr);
    if (spectrum) {
      spectra->add(std::move(*spectrum));
      continue;
    }
    std::optional<Error> error = take_conversion_error();
    if (!error) return false;
    spectra->add_failed(std::move(*error));
  }
  return true;
}

// None, or a sequence of series, each a sequence of spectrum positions, none used twice.
bool convert_series(PyObject* object, std::size_t count, std::vector<std::vector<std::size_t>>* series) {
  if (object == nullptr || object == Py_None) return true;
  constexpr const char* kExpected = "argument 'series': expected sequences of distinct spectrum positions";
  OwnedRef runs = snapshot(object, "series");
  if (!runs) return false;
  std::vector<bool> seen(count, false);
  for (Py_ssize_t r = 0; r < PyTuple_GET_SIZE(runs.get()); ++r) {
    OwnedRef run = snapshot(PyTuple_GET_ITEM(runs.get(), r), "series");
    if (!run) return false;
    std::vector<std::size_t>& positions = series->emplace_back();
    for (Py_ssize_t k = 0; k < PyTuple_GET_SIZE(run.get()); ++k) {
      const Py_ssize_t index = PyNumber_AsSsize_t(PyTuple_GET_ITEM(run.get(), k), PyExc_OverflowError);
      if (index == -1 && PyErr_Occurred()) return false;
      if (index < 0 || static_cast<std::size_t>(index) >= count || seen[static_cast<std::size_t>(index)]) {
        raise_error(value_error(kExpected));
        return false;
      }
      seen[static_cast<std::size_t>(index)] = true;
      positions.push_back(static_cast<std::size_t>(index));
    }
  }
  return true;
}

// One (real, imaginary) pair of standard-deviation sequences per spectrum.
bool convert_standard_deviations(PyObject* object, std::size_t count,
                                 std::vector<std::pair<std::vector<double>, std::vector<double>>>* out) {
  OwnedRef pairs(PySequence_Fast(object, "argument 'standard_deviations': expected a sequence"));
  if (!pairs) return false;
  if (static_cast<std::size_t>(PySequence_Fast_GET_SIZE(pairs.get())) != count) {
    raise_error(value_error("expected one array of standard deviations per spectrum (" + std::to_string(count) +
                            "), got " + std::to_string(PySequence_Fast_GET_SIZE(pairs.get()))));
    return false;
  }
  for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(pairs.get()); ++i) {
    PyObject* pair = PySequence_Fast_GET_ITEM(pairs.get(), i);
    if (!PyTuple_Check(pair) || PyTuple_GET_SIZE(pair) != 2) {
      PyErr_SetString(PyExc_TypeError, "argument 'standard_deviations': expected (real, imaginary) pairs");
      return false;
    }
    std::optional<std::vector<double>> real = float_list(PyTuple_GET_ITEM(pair, 0));
    std::optional<std::vector<double>> imaginary = real ? float_list(PyTuple_GET_ITEM(pair, 1)) : std::nullopt;
    if (!real || !imaginary) return false;
    out->emplace_back(std::move(*real), std::move(*imaginary));
  }
  return true;
}

OwnedRef new_array(std::size_t rows, std::size_t columns, int type_number, bool two_dimensional) {
  npy_intp shape[2] = {static_cast<npy_intp>(rows), static_cast<npy_intp>(columns)};
  return OwnedRef(PyArray_SimpleNew(two_dimensional ? 2 : 1, shape, type_number));
}

template <class T>
T* array_data(const OwnedRef& array) {
  return static_cast<T*>(PyArray_DATA(reinterpret_cast<PyArrayObject*>(array.get())));
}

// Calls progress(done, total) when the counts moved since `reported`; false when it raised.
bool report_progress(PyObject* progress, const BatchProgress& counts, std::pair<std::size_t, std::size_t>* reported) {
  if (progress == nullptr || progress == Py_None) return true;
  const std::pair<std::size_t, std::size_t> now{counts.done.load(), counts.total.load()};
  if (now == *reported) return true;
  *reported = now;
  OwnedRef result(PyObject_CallFunction(progress, "nn", static_cast<Py_ssize_t>(now.first),
                                        static_cast<Py_ssize_t>(now.second)));
  return static_cast<bool>(result);
}

// The interpreter lock released for a whole batch, with a cancellation token whose hook, on
// this thread every few tens of milliseconds, runs pending signal handlers (Ctrl-C) and hands
// the progress callable (done, total) when either changed. An exception from either, or a
// stop another thread asked for this one, stops the batch and is what the call raises.
class BatchGilRelease {
 public:
  BatchGilRelease(PyObject* progress, const BatchProgress* counts, std::pair<std::size_t, std::size_t>* reported)
      : progress_(progress), counts_(counts), reported_(reported), state_(PyEval_SaveThread()), token_(&poll, this) {}
  ~BatchGilRelease() { PyEval_RestoreThread(state_); }
  BatchGilRelease(const BatchGilRelease&) = delete;
  BatchGilRelease& operator=(const BatchGilRelease&) = delete;

  const CancellationToken& token() const { return token_; }

 private:
  static bool poll(void* context) {
    auto* self = static_cast<BatchGilRelease*>(context);
    PyEval_RestoreThread(self->state_);
    const bool stop = PyErr_CheckSignals() != 0 || stop_requested_for_this_thread() ||
                      !report_progress(self->progress_, *self->counts_, self->reported_);
    self->state_ = PyEval_SaveThread();
    return stop;
  }

  PyObject* progress_;
  const BatchProgress* counts_;
  std::pair<std::size_t, std::size_t>* reported_;  // the counts the callable saw last
  PyThreadState* state_;
  CancellationToken token_;
};

// `first` names where a row's own start came from: "guess", or "data" for values read off the spectrum.
const char* start_label(RowStart start, const char* first) {
  switch (start) {
    case RowStart::Previous:
      return "previous";
    case RowStart::Next:
      return "next";
    case RowStart::Guess:
      break;
  }
  return first;
}

bool set_item(PyObject* dict, const char* key, PyObject* value) {
  OwnedRef owned(value);
  return owned && PyDict_SetItemString(dict, key, owned.get()) == 0;
}

// The names of the flagged parameters, a new list; None for a spectrum that was not fitted.
PyObject* runaway_names(const BatchRow& row, const std::vector<std::string>& names) {
  if (!row.outcome.ok()) return Py_NewRef(Py_None);
  OwnedRef list(PyList_New(0));
  if (!list) return nullptr;
  for (std::size_t j = 0; j < names.size() && j < row.verdict.runaway.size(); ++j) {
    if (!row.verdict.runaway[j]) continue;
    OwnedRef name(PyUnicode_FromString(names[j].c_str()));
    if (!name || PyList_Append(list.get(), name.get()) != 0) return nullptr;
  }
  return list.release();
}

// The columns of the result table; failed rows hold NaN and zero counts, with failed[i] set.
// Standard errors are the uncertainty's, as corvex.fitting.fit reports them: infinite for a
// value the data cannot resolve, NaN for a held one or where no estimate exists (every row
// of a batch run without intervals).
PyObject* result_columns(const ModuleState* state, BatchSummary summary, const std::vector<std::string>& names,
                         const char* first_start) {
  const std::size_t n = summary.rows.size();
  const std::size_t p = names.size();
  constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
  OwnedRef success = new_array(n, 0, NPY_BOOL, false);
  OwnedRef failed = new_array(n, 0, NPY_BOOL, false);
  OwnedRef cost = new_array(n, 0, NPY_DOUBLE, false);
  OwnedRef best_cost_any = new_array(n, 0, NPY_DOUBLE, false);
  OwnedRef chi_square = new_array(n, 0, NPY_DOUBLE, false);
  OwnedRef iterations = new_array(n, 0, NPY_UINT64, false);
  OwnedRef evals = new_array(n, 0, NPY_UINT64, false);
  OwnedRef values = new_array(n, p, NPY_DOUBLE, true);
  OwnedRef stderrs = new_array(n, p, NPY_DOUBLE, true);
  OwnedRef ci_low = new_array(n, p, NPY_DOUBLE, true);
  OwnedRef ci_high = new_array(n, p, NPY_DOUBLE, true);
  OwnedRef identifiable = new_array(n, p, NPY_BOOL, true);
  OwnedRef unjudged = new_array(n, p, NPY_BOOL, true);  // no identifiability: held, failed or no estimate
  OwnedRef starts(PyList_New(static_cast<Py_ssize_t>(n)));
  OwnedRef errors(PyList_New(static_cast<Py_ssize_t>(n)));
  OwnedRef results(PyList_New(static_cast<Py_ssize_t>(n)));
  OwnedRef runaway(PyList_New(static_cast<Py_ssize_t>(n)));
  if (!runaway || !best_cost_any || !success || !failed || !cost || !chi_square || !iterations || !evals || !values || !stderrs || !ci_low ||
      !ci_high || !identifiable || !unjudged || !starts || !errors || !results) {
    return nullptr;
  }
  for (std::size_t i = 0; i < n; ++i) {
    BatchRow& row = summary.rows[i];
    const Py_ssize_t at = static_cast<Py_ssize_t>(i);
    PyObject* start = PyUnicode_FromString(row.robust_start.empty() ? start_label(row.start, first_start) : row.robust_start.c_str());
    if (start == nullptr) return nullptr;
    PyList_SET_ITEM(starts.get(), at, start);
    PyObject* flagged = runaway_names(row, names);
    if (flagged == nullptr) return nullptr;
    PyList_SET_ITEM(runaway.get(), at, flagged);
    array_data<double>(best_cost_any)[i] = row.verdict.best_cost_any;
    double* value_row = array_data<double>(values) + i * p;
    double* stderr_row = array_data<double>(stderrs) + i * p;
    double* low_row = array_data<double>(ci_low) + i * p;
    double* high_row = array_data<double>(ci_high) + i * p;
    npy_bool* identifiable_row = array_data<npy_bool>(identifiable) + i * p;
    npy_bool* unjudged_row = array_data<npy_bool>(unjudged) + i * p;
    for (std::size_t j = 0; j < p; ++j) {
      const bool judged = row.uncertainty && j < row.uncertainty->standard_errors.size() &&
                          row.uncertainty->standard_errors[j].has_value();
      low_row[j] = judged ? row.uncertainty->interval_low[j] : kMissing;
      high_row[j] = judged ? row.uncertainty->interval_high[j] : kMissing;
      identifiable_row[j] = judged && row.uncertainty->identifiable[j];
      unjudged_row[j] = !judged;
      stderr_row[j] = judged ? *row.uncertainty->standard_errors[j] : kMissing;
    }
    if (!row.outcome.ok()) {
      PyObject* message = PyUnicode_FromString(row.outcome.error().message.c_str());
      if (message == nullptr) return nullptr;
      PyList_SET_ITEM(errors.get(), at, message);
      PyList_SET_ITEM(results.get(), at, Py_NewRef(Py_None));
      array_data<npy_bool>(success)[i] = 0;
      array_data<npy_bool>(failed)[i] = 1;
      array_data<double>(cost)[i] = kMissing;
      array_data<double>(chi_square)[i] = kMissing;
      array_data<npy_uint64>(iterations)[i] = 0;
      array_data<npy_uint64>(evals)[i] = 0;
      for (std::size_t j = 0; j < p; ++j) value_row[j] = kMissing;
      continue;
    }
    const FitOutcome& outcome = row.outcome.value();
    array_data<npy_bool>(success)[i] = outcome.success;
    array_data<npy_bool>(failed)[i] = 0;
    array_data<double>(cost)[i] = outcome.cost;
    array_data<double>(chi_square)[i] = outcome.chi_square;
    array_data<npy_uint64>(iterations)[i] = outcome.iterations;
    array_data<npy_uint64>(evals)[i] = outcome.impedance_evals;
    for (std::size_t j = 0; j < p; ++j) value_row[j] = j < outcome.values.size() ? outcome.values[j] : kMissing;
    PyList_SET_ITEM(errors.get(), at, Py_NewRef(Py_None));
    PyObject* result = new_fit_result_object(state, std::move(row.outcome).value());
    if (result == nullptr) return nullptr;
    PyList_SET_ITEM(results.get(), at, result);
  }
  OwnedRef columns(PyDict_New());
  if (!columns) return nullptr;
  const bool filled =
      set_item(columns.get(), "success", success.release()) && set_item(columns.get(), "failed", failed.release()) &&
      set_item(columns.get(), "cost", cost.release()) &&
      set_item(columns.get(), "best_cost_any", best_cost_any.release()) &&
      set_item(columns.get(), "runaway", runaway.release()) && set_item(columns.get(), "chi_square", chi_square.release()) &&
      set_item(columns.get(), "iterations", iterations.release()) &&
      set_item(columns.get(), "impedance_evals", evals.release()) &&
      set_item(columns.get(), "values", values.release()) && set_item(columns.get(), "stderr", stderrs.release()) &&
      set_item(columns.get(), "ci_low", ci_low.release()) && set_item(columns.get(), "ci_high", ci_high.release()) &&
      set_item(columns.get(), "identifiable", identifiable.release()) &&
      set_item(columns.get(), "unjudged", unjudged.release()) &&
      set_item(columns.get(), "start", starts.release()) && set_item(columns.get(), "error", errors.release()) &&
      set_item(columns.get(), "result", results.release()) &&
      set_item(columns.get(), "refine_passes", PyLong_FromSize_t(summary.refine_passes)) &&
      set_item(columns.get(), "refits", PyLong_FromSize_t(summary.refits));
  return filled ? columns.release() : nullptr;
}

PyObject* batch_fit(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::array<PyObject*, kBatchNames.size()> bound{};
    if (!bind_arguments(kBatchSignature, args, nargs, kwnames, bound.data())) return nullptr;
    const ModuleState* state = module_state(module);
    if (!is_circuit_object(state, bound[kCircuit])) {
      PyErr_Format(PyExc_TypeError, "argument 'circuit': expected a Circuit, got '%s'",
                   Py_TYPE(bound[kCircuit])->tp_name);
      return nullptr;
    }
    if (!ensure_walkable(circuit_of(bound[kCircuit]))) return nullptr;
    FitArguments arguments;
    if (!convert_fit_arguments(bound.data() + kBatchArgumentCount, &arguments)) return nullptr;
    FitControls controls;
    // Per-spectrum standard deviations arrive separately; the shared controls get empty lists.
    OwnedRef none_yet(PyTuple_New(0));
    if (!none_yet) return nullptr;
    PyObject* shared_sigma = bound[kStandardDeviations] != nullptr ? none_yet.get() : nullptr;
    if (!convert_fit_controls(bound[kFixed], bound[kBounds], shared_sigma, shared_sigma, &arguments, &controls)) {
      return nullptr;
    }
    if (!known_fit_method(arguments.options.method)) {
      return raise_error(fit_error(FitErrorKind::UnknownMethod, arguments.options.method));
    }
    const Circuit& fitted = circuit_of(bound[kCircuit]);
    if (Result<ResolvedControls> resolved = resolve_controls(fitted.nodes, controls); !resolved) {
      return raise_error(resolved.error());
    }
    BatchOptions options;
    std::uint64_t workers = 1;
    if (bound[kWorkers] != nullptr && !convert_u64(bound[kWorkers], "workers", &workers)) return nullptr;
    options.workers = static_cast<std::size_t>(std::max<std::uint64_t>(workers, 1));
    if (bound[kRefine] != nullptr) {
      const int refine = PyObject_IsTrue(bound[kRefine]);
      if (refine < 0) return nullptr;
      options.refine = refine == 1;
    }
    if (bound[kIntervals] != nullptr) {
      const int intervals = PyObject_IsTrue(bound[kIntervals]);
      if (intervals < 0) return nullptr;
      options.intervals = intervals == 1;
    }

    SpectrumSet spectra;
    if (!convert_spectra(bound[kSpectra], &spectra)) return nullptr;
    if (!convert_series(bound[kSeries], spectra.size(), &options.series)) return nullptr;

    const Circuit& circuit = circuit_of(bound[kCircuit]);
    FitStart start = choose_fit_start(circuit, arguments.guess_init, arguments.weights);
    if (!convert_start_keyword(bound[kStart], &start)) return nullptr;
    bool any_fitted = false;
    for (std::size_t i = 0; i < spectra.size() && !any_fitted; ++i) any_fitted = spectra.failure(i) == nullptr;
    // fit() warns once per call; the batch once for all its spectra, pointing at the code
    // that called corvex.batch.fit, three frames up (corvex.batch.fit, then the run in this
    // process in corvex._batch.local, then this entry).
    if (start.kind == StartKind::AsGivenWithWarning && any_fitted &&
        PyErr_WarnEx(PyExc_UserWarning, no_model_warning_message().c_str(), 3) != 0) {
      return nullptr;
    }

    PyObject* progress = bound[kProgress];
    if (progress != nullptr && progress != Py_None && !PyCallable_Check(progress)) {
      PyErr_SetString(PyExc_TypeError, "argument 'progress': expected a callable or None");
      return nullptr;
    }
    bool robust = false;
    if (bound[kRobust] != nullptr) {
      const int truth = PyObject_IsTrue(bound[kRobust]);
      if (truth < 0) return nullptr;
      robust = truth == 1;
    }
    BatchProblem problem{circuit, spectra, start, arguments.options, std::move(controls), robust};
    if (bound[kStandardDeviations] != nullptr &&
        !convert_standard_deviations(bound[kStandardDeviations], spectra.size(), &problem.standard_deviations)) {
      return nullptr;
    }
    BatchProgress counts;
    std::pair<std::size_t, std::size_t> reported{0, 0};
    std::optional<BatchSummary> summary;
    {
      BatchGilRelease unlocked(progress, &counts, &reported);
      summary.emplace(fit_batch(problem, options, unlocked.token(), &counts));
      if (unlocked.token().stopped()) summary->interrupted = true;
    }
    if (summary->interrupted) return raise_error(interrupted_error());
    // The last counts, which the hook may not have seen: a display ends at done == total.
    if (!report_progress(progress, counts, &reported)) return nullptr;
    return result_columns(state, std::move(*summary), param_names(circuit.nodes),
                          start.kind == StartKind::Data ? "data" : "guess");
  });
}

template <class Function>
PyCFunction as_cfunction(Function function) {
  return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

PyMethodDef batch_functions[] = {
    {"_batch_fit", as_cfunction(batch_fit), METH_FASTCALL | METH_KEYWORDS,
     "Fit one circuit to many spectra; the engine of corvex.batch.fit()."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
