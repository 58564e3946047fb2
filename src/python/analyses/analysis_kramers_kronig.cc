// _analysis_kramers_kronig(spectra, fit, rc_count, mu_threshold, max_rc_count, series_capacitance,
// noise_level, method, representation, rc_per_decade, tau_extension, noise_floor, workers): one
// dict of results, or an error message, per spectrum.
#include <string>

#include "analysis/kramers_kronig.h"
#include "python/analyses/analysis_entries.h"
#include "python/analyses/analysis_support.h"
#include "python/convert/arg_binder.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"

namespace corvex::python {

namespace {

enum Argument {
  kSpectra,
  kFit,
  kRcCount,
  kMuThreshold,
  kMaxRcCount,
  kSeriesCapacitance,
  kNoiseLevel,
  kMethod,
  kRepresentation,
  kRcPerDecade,
  kTauExtension,
  kNoiseFloor,
  kWorkers,
  kCount
};
constexpr const char* kNames[kCount] = {"spectra",        "fit",         "rc_count",           "mu_threshold",
                                        "max_rc_count",   "series_capacitance", "noise_level", "method",
                                        "representation", "rc_per_decade", "tau_extension",   "noise_floor",
                                        "workers"};
constexpr Signature kSignature{"_analysis_kramers_kronig()", kNames, kCount};

bool convert_options(PyObject* const* bound, KramersKronigOptions* options) {
  std::string fit;
  if (!convert_string(bound[kFit], kNames[kFit], &fit)) return false;
  if (fit == "complex") {
    options->fit = KramersKronigFit::Complex;
  } else if (fit == "real") {
    options->fit = KramersKronigFit::Real;
  } else if (fit == "imaginary") {
    options->fit = KramersKronigFit::Imaginary;
  } else {
    raise_error(value_error("fit must be \"complex\", \"real\" or \"imaginary\""));
    return false;
  }
  std::string method, representation;
  if (!convert_string(bound[kMethod], kNames[kMethod], &method) ||
      !convert_string(bound[kRepresentation], kNames[kRepresentation], &representation) ||
      !convert_double(bound[kRcPerDecade], kNames[kRcPerDecade], &options->rc_per_decade) ||
      !convert_double(bound[kTauExtension], kNames[kTauExtension], &options->tau_extension) ||
      !convert_double(bound[kNoiseFloor], kNames[kNoiseFloor], &options->noise_floor)) {
    return false;
  }
  if (method == "density") {
    options->method = KramersKronigMethod::Density;
  } else if (method == "mu") {
    options->method = KramersKronigMethod::Mu;
  } else {
    raise_error(value_error("method must be \"density\" or \"mu\""));
    return false;
  }
  if (representation == "impedance") {
    options->representation = KramersKronigRepresentation::Impedance;
  } else if (representation == "admittance") {
    options->representation = KramersKronigRepresentation::Admittance;
  } else {
    raise_error(value_error("representation must be \"impedance\" or \"admittance\""));
    return false;
  }
  std::optional<std::uint64_t> rc_count;
  std::uint64_t max_rc_count = 0;
  if (!convert_optional_u64(bound[kRcCount], kNames[kRcCount], &rc_count) ||
      !convert_double(bound[kMuThreshold], kNames[kMuThreshold], &options->mu_threshold) ||
      !convert_u64(bound[kMaxRcCount], kNames[kMaxRcCount], &max_rc_count)) {
    return false;
  }
  if (rc_count) options->rc_count = static_cast<std::size_t>(*rc_count);
  options->max_rc_count = static_cast<std::size_t>(max_rc_count);
  const int capacitance = PyObject_IsTrue(bound[kSeriesCapacitance]);
  if (capacitance < 0) return false;
  options->series_capacitance = capacitance == 1;
  if (bound[kNoiseLevel] != Py_None) {
    double level = 0.0;
    if (!convert_double(bound[kNoiseLevel], kNames[kNoiseLevel], &level)) return false;
    options->noise_level = level;
  }
  return true;
}

PyObject* outcome_dict(const Spectrum& spectrum, const KramersKronigOutcome& out) {
  OwnedRef dict(PyDict_New());
  if (!dict) return nullptr;
  PyObject* d = dict.get();
  const bool filled =
      put(d, "frequencies", float_array(spectrum.frequencies)) && put(d, "rc_count", PyLong_FromSize_t(out.rc_count)) &&
      put(d, "rc_count_capped", PyBool_FromLong(out.rc_count_capped)) && put(d, "mu", PyFloat_FromDouble(out.mu)) &&
      put(d, "time_constants", float_array(out.time_constants)) && put(d, "resistances", float_array(out.resistances)) &&
      put(d, "series_resistance", PyFloat_FromDouble(out.series_resistance)) &&
      put(d, "series_inductance", PyFloat_FromDouble(out.series_inductance)) &&
      put(d, "series_capacitance", PyFloat_FromDouble(out.series_capacitance)) &&
      put(d, "model", complex_array(out.model)) && put(d, "residuals_real", float_array(out.residuals_real)) &&
      put(d, "residuals_imag", float_array(out.residuals_imag)) &&
      put(d, "pseudo_chi_square", PyFloat_FromDouble(out.pseudo_chi_square)) &&
      put(d, "noise_level", PyFloat_FromDouble(out.noise_level)) &&
      put(d, "noise_estimated", PyBool_FromLong(out.noise_estimated)) &&
      put(d, "chi_square_limit", PyFloat_FromDouble(out.chi_square_limit)) &&
      put(d, "passed", PyBool_FromLong(out.passed)) && put(d, "too_flexible", PyBool_FromLong(out.too_flexible)) &&
      put(d, "whiteness_p", PyFloat_FromDouble(out.whiteness_p)) &&
      put(d, "normality_p", PyFloat_FromDouble(out.normality_p));
  return filled ? dict.release() : nullptr;
}

}  // namespace

PyObject* analysis_kramers_kronig(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    KramersKronigOptions options;
    return per_spectrum_analysis<KramersKronigOutcome>(
        kSignature, args, nargs, kwnames, [&](PyObject* const* bound) { return convert_options(bound, &options); },
        [&](const Spectrum& spectrum) { return kramers_kronig_test(spectrum, options); }, outcome_dict);
  });
}

}  // namespace corvex::python
