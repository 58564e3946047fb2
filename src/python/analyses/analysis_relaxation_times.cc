// _analysis_relaxation_times(spectra, fit, lambda_, lambda_rule, gcv_factor, derivative_order, points_per_decade,
// extend_decades, shape_factor, series_resistance, series_inductance, peak_threshold, peak_prominence,
// peak_probability, posterior_samples, exact_posterior, seed, workers); peak_prominence None ranks peaks by significance.
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "analysis/relaxation_times.h"
#include "python/analyses/analysis_entries.h"
#include "python/analyses/analysis_support.h"
#include "python/convert/arg_binder.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"

namespace corvex::python {

namespace {

enum Argument {
  kSpectra, kFit, kLambda, kLambdaRule, kGcvFactor, kDerivativeOrder, kPointsPerDecade, kExtendDecades, kShapeFactor,
  kSeriesResistance, kSeriesInductance, kPeakThreshold, kPeakProminence, kPeakProbability, kPosteriorSamples, kExactPosterior, kSeed,
  kWorkers, kCount,
};
constexpr const char* kNames[kCount] = {"spectra", "fit", "lambda_", "lambda_rule", "gcv_factor", "derivative_order",
                                        "points_per_decade", "extend_decades", "shape_factor", "series_resistance",
                                        "series_inductance", "peak_threshold", "peak_prominence",
                                        "peak_probability", "posterior_samples", "exact_posterior", "seed",
                                        "workers"};
constexpr std::pair<const char*, DrtLambdaRule> kLambdaRules[] = {
    {"gcv", DrtLambdaRule::Gcv}, {"rgcv", DrtLambdaRule::RobustGcv}, {"lcurve", DrtLambdaRule::LCurve},
    {"re-im", DrtLambdaRule::ReImDiscrepancy}, {"kfold", DrtLambdaRule::KFold}};
constexpr Signature kSignature{"_analysis_relaxation_times()", kNames, kCount};

bool convert_flag(PyObject* object, bool* out) {
  const int truth = PyObject_IsTrue(object);
  if (truth < 0) return false;
  *out = truth == 1;
  return true;
}

// A prominence keeps the rule of a share of the highest peak; None ranks peaks by significance.
bool convert_peak_rule(PyObject* const* bound, DrtOptions* options) {
  if (bound[kPeakProminence] == Py_None) {
    options->peak_rule = DrtPeakRule::Significance;
    return true;
  }
  options->peak_rule = DrtPeakRule::Prominence;
  return convert_double(bound[kPeakProminence], kNames[kPeakProminence], &options->peak_prominence);
}

bool convert_options(PyObject* const* bound, DrtOptions* options) {
  std::uint64_t samples = 0;
  std::string fit;
  if (!convert_string(bound[kFit], kNames[kFit], &fit)) return false;
  if (fit == "complex") {
    options->fit = DrtFit::Complex;
  } else if (fit == "real") {
    options->fit = DrtFit::Real;
  } else if (fit == "imaginary") {
    options->fit = DrtFit::Imaginary;
  } else {
    raise_error(value_error("fit must be \"complex\", \"real\" or \"imaginary\""));
    return false;
  }
  if (bound[kLambda] != Py_None) {
    double lambda = 0.0;
    if (!convert_double(bound[kLambda], "lambda", &lambda)) return false;
    options->lambda = lambda;
  }
  std::string rule;
  if (!convert_string(bound[kLambdaRule], kNames[kLambdaRule], &rule)) return false;
  const auto* known = std::find_if(std::begin(kLambdaRules), std::end(kLambdaRules),
                                   [&](const auto& entry) { return rule == entry.first; });
  if (known == std::end(kLambdaRules)) {
    raise_error(value_error("lambda_rule must be \"gcv\", \"rgcv\", \"lcurve\", \"re-im\" or \"kfold\""));
    return false;
  }
  options->lambda_rule = known->second;
  if (!convert_double(bound[kGcvFactor], kNames[kGcvFactor], &options->gcv_factor)) return false;
  std::uint32_t order = 0;
  if (!convert_count(bound[kDerivativeOrder], kNames[kDerivativeOrder], &order)) return false;
  options->derivative_order = order > 2 ? 3 : static_cast<int>(order);
  return convert_double(bound[kPointsPerDecade], kNames[kPointsPerDecade], &options->points_per_decade) &&
         convert_double(bound[kExtendDecades], kNames[kExtendDecades], &options->extend_decades) &&
         convert_double(bound[kShapeFactor], kNames[kShapeFactor], &options->shape_factor) &&
         convert_flag(bound[kSeriesResistance], &options->series_resistance) &&
         convert_flag(bound[kSeriesInductance], &options->series_inductance) &&
         convert_double(bound[kPeakThreshold], kNames[kPeakThreshold], &options->peak_threshold) &&
         convert_peak_rule(bound, options) &&
         convert_double(bound[kPeakProbability], kNames[kPeakProbability], &options->peak_probability) &&
         convert_u64(bound[kPosteriorSamples], kNames[kPosteriorSamples], &samples) &&
         convert_flag(bound[kExactPosterior], &options->exact_posterior) &&
         convert_u64(bound[kSeed], kNames[kSeed], &options->seed) &&
         (options->posterior_samples = static_cast<std::size_t>(samples), true);
}

PyObject* outcome_dict(const Spectrum& spectrum, const DrtOutcome& out) {
  OwnedRef dict(PyDict_New());
  if (!dict) return nullptr;
  std::vector<double> peak_tau, peak_height, peak_area, peak_probability;
  OwnedRef peak_extrapolated(PyList_New(static_cast<Py_ssize_t>(out.peaks.size())));
  if (!peak_extrapolated) return nullptr;
  for (std::size_t k = 0; k < out.peaks.size(); ++k) {
    const DrtPeak& peak = out.peaks[k];
    peak_tau.push_back(peak.tau);
    peak_height.push_back(peak.height);
    peak_area.push_back(peak.area);
    peak_probability.push_back(peak.probability);
    PyList_SET_ITEM(peak_extrapolated.get(), static_cast<Py_ssize_t>(k), PyBool_FromLong(peak.extrapolated));
  }
  PyObject* d = dict.get();
  const bool filled =
      put(d, "frequencies", float_array(spectrum.frequencies)) && put(d, "tau", float_array(out.tau)) &&
      put(d, "gamma", float_array(out.gamma)) && put(d, "centres", float_array(out.centres)) &&
      put(d, "coefficients", float_array(out.coefficients)) && put(d, "peak_tau", float_array(peak_tau)) &&
      put(d, "peak_height", float_array(peak_height)) && put(d, "peak_area", float_array(peak_area)) &&
      put(d, "peak_extrapolated", peak_extrapolated.release()) &&
      put(d, "peak_probability", float_array(peak_probability)) &&
      put(d, "gamma_mean", float_array(out.gamma_mean)) && put(d, "gamma_lower", float_array(out.gamma_lower)) &&
      put(d, "gamma_upper", float_array(out.gamma_upper)) && put(d, "noise", PyFloat_FromDouble(out.noise)) &&
      put(d, "lambda_", PyFloat_FromDouble(out.lambda)) &&
      put(d, "lambda_from_gcv", PyBool_FromLong(out.lambda_from_gcv)) &&
      put(d, "series_resistance", PyFloat_FromDouble(out.series_resistance)) &&
      put(d, "series_inductance", PyFloat_FromDouble(out.series_inductance)) &&
      put(d, "model", complex_array(out.model)) && put(d, "residuals_real", float_array(out.residuals_real)) &&
      put(d, "residuals_imag", float_array(out.residuals_imag)) &&
      put(d, "converged", PyBool_FromLong(out.nnls_converged));
  return filled ? dict.release() : nullptr;
}

}  // namespace

PyObject* analysis_relaxation_times(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    DrtOptions options;
    return per_spectrum_analysis<DrtOutcome>(
        kSignature, args, nargs, kwnames, [&](PyObject* const* bound) { return convert_options(bound, &options); },
        [&](const Spectrum& spectrum, const CancellationToken& cancellation) {
          DrtOptions stoppable = options;
          stoppable.cancellation = &cancellation;
          return relaxation_times(spectrum, stoppable);
        },
        outcome_dict);
  });
}

}  // namespace corvex::python
