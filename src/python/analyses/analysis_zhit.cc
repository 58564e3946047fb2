// _analysis_zhit(spectra, smoothing_points, window_low, window_high, tolerance, workers): one
// dict of results, or an error message, per spectrum.
#include <string>

#include "analysis/zhit.h"
#include "python/analyses/analysis_entries.h"
#include "python/analyses/analysis_support.h"
#include "python/convert/arg_binder.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"

namespace corvex::python {

namespace {

enum Argument { kSpectra, kSmoothingPoints, kWindowLow, kWindowHigh, kTolerance, kWorkers, kCount };
constexpr const char* kNames[kCount] = {"spectra",     "smoothing_points", "window_low",
                                        "window_high", "tolerance",        "workers"};
constexpr Signature kSignature{"_analysis_zhit()", kNames, kCount};

bool convert_bound(PyObject* object, const char* name, std::optional<double>* out) {
  if (object == Py_None) return true;
  double value = 0.0;
  if (!convert_double(object, name, &value)) return false;
  *out = value;
  return true;
}

bool convert_options(PyObject* const* bound, ZhitOptions* options) {
  std::uint64_t points = 0;
  if (!convert_u64(bound[kSmoothingPoints], kNames[kSmoothingPoints], &points) ||
      !convert_bound(bound[kWindowLow], kNames[kWindowLow], &options->window_low) ||
      !convert_bound(bound[kWindowHigh], kNames[kWindowHigh], &options->window_high) ||
      !convert_double(bound[kTolerance], kNames[kTolerance], &options->tolerance)) {
    return false;
  }
  options->smoothing_points = static_cast<std::size_t>(points);
  return true;
}

PyObject* outcome_dict(const Spectrum& spectrum, const ZhitOutcome& out) {
  std::vector<double> in_window(out.in_window.size());
  for (std::size_t i = 0; i < in_window.size(); ++i) in_window[i] = out.in_window[i] ? 1.0 : 0.0;
  OwnedRef dict(PyDict_New());
  if (!dict) return nullptr;
  PyObject* d = dict.get();
  const bool filled =
      put(d, "frequencies", float_array(spectrum.frequencies)) && put(d, "modulus", float_array(out.modulus)) &&
      put(d, "phase", float_array(out.phase)) && put(d, "smoothed_phase", float_array(out.smoothed_phase)) &&
      put(d, "model", complex_array(out.model)) && put(d, "residuals_modulus", float_array(out.residuals_modulus)) &&
      put(d, "residuals_real", float_array(out.residuals_real)) &&
      put(d, "residuals_imag", float_array(out.residuals_imag)) && put(d, "in_window", float_array(in_window)) &&
      put(d, "window_low", PyFloat_FromDouble(out.window_low)) &&
      put(d, "window_high", PyFloat_FromDouble(out.window_high)) && put(d, "offset", PyFloat_FromDouble(out.offset)) &&
      put(d, "largest_residual", PyFloat_FromDouble(out.largest_residual)) &&
      put(d, "rms_residual", PyFloat_FromDouble(out.rms_residual)) && put(d, "passed", PyBool_FromLong(out.passed));
  return filled ? dict.release() : nullptr;
}

}  // namespace

PyObject* analysis_zhit(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    ZhitOptions options;
    return per_spectrum_analysis<ZhitOutcome>(
        kSignature, args, nargs, kwnames, [&](PyObject* const* bound) { return convert_options(bound, &options); },
        [&](const Spectrum& spectrum) { return zhit(spectrum, options); }, outcome_dict);
  });
}

}  // namespace corvex::python
