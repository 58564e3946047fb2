// _analysis_rank_circuits(spectra, circuits, weight, thorough, patience, identifiability_limit,
// by_bic, workers): per spectrum, the candidates' rows in ranked order, or an error message.
#include <array>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "analysis/circuit_ranking.h"
#include "batch/data_start.h"
#include "analysis/spectrum_checks.h"
#include "discovery/candidate_scores.h"
#include "python/analyses/analysis_entries.h"
#include "python/analyses/analysis_support.h"
#include "python/convert/arg_binder.h"
#include "python/types/circuit_object.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/types/fit_result_object.h"
#include "python/module/module_state.h"

namespace corvex::python {

namespace {

enum Argument { kSpectra, kCircuits, kWeight, kThorough, kPatience, kIdentifiabilityLimit, kByBic, kWorkers, kCount };
constexpr const char* kNames[kCount] = {"spectra", "circuits", "weight", "thorough", "patience",
                                        "identifiability_limit", "by_bic", "workers"};
constexpr Signature kSignature{"_analysis_rank_circuits()", kNames, kCount};

// Fewest points a ranking runs on: fewer leave no residual degrees of freedom for any candidate.
constexpr std::size_t kRankingMinPoints = 4;

bool convert_options(PyObject* const* bound, RankingOptions* options, bool* by_bic) {
  const int bic = PyObject_IsTrue(bound[kByBic]);
  if (bic < 0) return false;
  *by_bic = bic == 1;
  std::string weight;
  if (!convert_string(bound[kWeight], kNames[kWeight], &weight)) return false;
  std::optional<WeightScheme> scheme = parse_weight_scheme(weight);
  if (!scheme) {
    raise_error(value_error(unknown_weight_scheme_message(weight)));
    return false;
  }
  options->weight = *scheme;
  const int thorough = PyObject_IsTrue(bound[kThorough]);
  if (thorough < 0) return false;
  options->thorough = thorough == 1;
  return convert_count(bound[kPatience], kNames[kPatience], &options->patience) &&
         convert_double(bound[kIdentifiabilityLimit], kNames[kIdentifiabilityLimit], &options->identifiability_limit);
}

bool convert_circuits(const ModuleState* state, PyObject* list, std::vector<Circuit>* circuits) {
  if (!PyList_Check(list)) {
    PyErr_SetString(PyExc_TypeError, "circuits must be a list of Circuit objects");
    return false;
  }
  // Nothing here runs Python code, so the list cannot change under the loop.
  for (Py_ssize_t i = 0; i < PyList_GET_SIZE(list); ++i) {
    PyObject* item = PyList_GET_ITEM(list, i);
    if (!is_circuit_object(state, item)) {
      PyErr_SetString(PyExc_TypeError, "circuits must be a list of Circuit objects");
      return false;
    }
    if (!ensure_walkable(circuit_of(item))) return false;
    circuits->push_back(circuit_of(item));
  }
  return true;
}

PyObject* row_dict(const ModuleState* state, RankedFit& fit, std::size_t rank, std::size_t bic_rank) {
  OwnedRef dict(PyDict_New());
  if (!dict) return nullptr;
  PyObject* d = dict.get();
  bool filled = put(d, "candidate", PyLong_FromSize_t(fit.candidate)) && put(d, "rank", PyLong_FromSize_t(rank)) &&
                put(d, "bic_rank", PyLong_FromSize_t(bic_rank)) && put(d, "guessed", PyBool_FromLong(fit.guessed)) &&
                put(d, "from_data", PyBool_FromLong(fit.from_data));
  if (!filled) return nullptr;
  if (!fit.outcome) {
    const std::string& message = fit.error ? fit.error->message : std::string("not fitted");
    return put(d, "error", PyUnicode_FromStringAndSize(message.data(), static_cast<Py_ssize_t>(message.size())))
               ? dict.release()
               : nullptr;
  }
  const FitOutcome& out = *fit.outcome;
  // Doubtful: a parameter on a bound, except a CPE exponent at 1 (the fit is then that of the
  // circuit with a capacitor in its place, as discovery judges it), one not identifiable, or
  // no convergence.
  const std::vector<bool> ideal = ideal_cpe_exponents(out.circuit.nodes, out.values);
  bool flagged = !out.success;
  for (std::size_t i = 0; i < out.values.size(); ++i) {
    const bool on_bound = i < fit.at_bound.size() && fit.at_bound[i] && !(i < ideal.size() && ideal[i]);
    flagged = flagged || on_bound || (i < fit.not_identifiable.size() && fit.not_identifiable[i]);
  }
  filled = put(d, "success", PyBool_FromLong(out.success)) && put(d, "parameters", PyLong_FromSize_t(out.values.size())) &&
           put(d, "flagged", PyBool_FromLong(flagged)) &&
           put(d, "chi_square", PyFloat_FromDouble(out.chi_square)) && put(d, "aicc", PyFloat_FromDouble(fit.aicc)) &&
           put(d, "bic", PyFloat_FromDouble(fit.bic)) && put(d, "at_bounds", name_list(out.names, fit.at_bound)) &&
           put(d, "not_identifiable", name_list(out.names, fit.not_identifiable)) &&
           put(d, "result", new_fit_result_object(state, std::move(*fit.outcome)));
  return filled ? dict.release() : nullptr;
}

}  // namespace

PyObject* analysis_rank_circuits(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::array<PyObject*, kCount> bound{};
    const ModuleState* state = module_state(module);
    RankingOptions options;
    bool by_bic = true;
    std::vector<Circuit> circuits;
    std::size_t workers = 1;
    SpectrumBatch batch;
    auto convert = [&](PyObject* const* slots) {
      return convert_options(slots, &options, &by_bic) && convert_circuits(state, slots[kCircuits], &circuits);
    };
    if (!bind_analysis(kSignature, args, nargs, kwnames, bound.data(), convert, &workers, &batch)) return nullptr;
    const std::size_t spectra = batch.spectra.size();
    std::vector<std::optional<Error>> spectrum_errors(spectra);
    for (std::size_t s = 0; s < spectra; ++s) {
      if (batch.conversion_errors[s]) continue;
      if (Status checked = check_analysis_spectrum(batch.spectra[s], kRankingMinPoints, "the circuit ranking"); !checked) {
        spectrum_errors[s] = checked.take_error();
      }
    }
    // What each spectrum shows (its DRT above all) and its guess features depend on the
    // spectrum only: both are read once for all its candidates.
    std::vector<std::optional<DataFeatures>> data(spectra);
    std::vector<std::optional<GuessFeatures>> features(spectra);
    const CancellationToken* token = &no_cancellation();
    auto read = [&](std::size_t s) {
      if (batch.conversion_errors[s] || spectrum_errors[s]) return;
      Result<GuessFeatures> computed = carried_guess_features(batch.spectra[s], *token);
      if (computed) features[s] = std::move(computed).value();
      try {
        data[s] = data_features(batch.spectra[s], *token);
      } catch (const std::bad_alloc&) {
        data[s].reset();  // the candidates then start from their guesses alone
      }
    };
    // One pool task per (spectrum, candidate): the fits are independent, so every core is busy
    // even for a single spectrum, and the result does not depend on the number of threads.
    const std::size_t per = circuits.size();
    std::vector<RankedFit> fits(spectra * per);
    auto task = [&](std::size_t t) {
      const std::size_t s = t / per;
      if (batch.conversion_errors[s] || spectrum_errors[s]) return;
      const GuessFeatures* shared = features[s] ? &*features[s] : nullptr;
      auto one = [&] {
        const Circuit& circuit = circuits[t % per];
        const std::vector<double> start = data[s] ? data_start_from(circuit.nodes, *data[s]) : std::vector<double>();
        return fit_candidate(batch.spectra[s], circuit, t % per, options, start, *token, shared);
      };
      try {
        fits[t] = one();
      } catch (const std::bad_alloc&) {
        fits[t].candidate = t % per;
        fits[t].error = memory_error("out of memory");
      }
    };
    // Then the runs from the data's values that the first pass skipped but that may still
    // change a fit: those its fellow candidates show to have stopped in a worse minimum.
    std::vector<std::size_t> refits;
    auto refit = [&](std::size_t r) {
      const std::size_t t = refits[r], s = t / per;
      const Circuit& circuit = circuits[t % per];
      try {
        const std::vector<double> start = data_start_from(circuit.nodes, *data[s]);
        refit_from_data(&fits[t], batch.spectra[s], circuit, options, start, *token);
      } catch (const std::bad_alloc&) {
        fits[t].outcome.reset();
        fits[t].error = memory_error("out of memory");
      }
    };
    options.data_start_when_cheaper = true;
    if (!run_interruptibly([&](const CancellationToken& cancellation) {
          token = &cancellation;
          run_on_lanes(spectra, workers, read, cancellation);
          run_on_lanes(fits.size(), workers, task, cancellation);
          for (std::size_t s = 0; s < spectra && !cancellation.stopped(); ++s) {
            if (!data[s]) continue;
            const std::span<const RankedFit> own(fits.data() + s * per, per);
            for (std::size_t i : fits_to_refit_from_data(own)) refits.push_back(s * per + i);
          }
          run_on_lanes(refits.size(), workers, refit, cancellation);
        })) {
      return nullptr;
    }

    return list_of(spectra, [&](std::size_t s) -> PyObject* {
      if (batch.conversion_errors[s] || spectrum_errors[s]) {
        return error_item(batch, s, spectrum_errors[s] ? &*spectrum_errors[s] : nullptr);
      }
      std::vector<RankedFit> own(std::make_move_iterator(fits.begin() + static_cast<std::ptrdiff_t>(s * per)),
                                 std::make_move_iterator(fits.begin() + static_cast<std::ptrdiff_t>((s + 1) * per)));
      const std::vector<std::size_t> ranked = ranking_order(own, by_bic);
      const std::vector<std::size_t> bic_order = ranking_order(own, true);
      std::vector<std::size_t> bic_rank(per);
      for (std::size_t r = 0; r < per; ++r) bic_rank[bic_order[r]] = r + 1;
      return list_of(per, [&](std::size_t r) { return row_dict(state, own[ranked[r]], r + 1, bic_rank[ranked[r]]); });
    });
  });
}

}  // namespace corvex::python
