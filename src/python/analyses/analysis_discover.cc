// _analysis_discover(spectra, max_parameters, elements, max_depth, workers): per spectrum, the
// number of candidates fitted and the discovered circuits' rows, simplest adequate first, or an error message.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/spectrum_checks.h"
#include "discovery/candidate_fits.h"
#include "discovery/candidate_grammar.h"
#include "discovery/candidate_pruning.h"
#include "discovery/candidate_scores.h"
#include "discovery/carried_candidates.h"
#include "discovery/impedance_scale.h"
#include "python/analyses/analysis_entries.h"
#include "python/analyses/analysis_support.h"
#include "python/convert/arg_binder.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/module/module_state.h"
#include "python/types/fit_result_object.h"

namespace corvex::python {

namespace {

enum Argument { kSpectra, kMaxParameters, kElements, kMaxDepth, kWorkers, kCount };
constexpr const char* kNames[kCount] = {"spectra", "max_parameters", "elements", "max_depth", "workers"};
constexpr Signature kSignature{"_analysis_discover()", kNames, kCount};

// Fewest points a discovery runs on, as for the ranking.
constexpr std::size_t kDiscoveryMinPoints = 4;

bool is_grammar_kind(ElementKind kind) {
  return kind == ElementKind::R || kind == ElementKind::C || kind == ElementKind::Cpe || kind == ElementKind::L ||
         kind == ElementKind::W || kind == ElementKind::Wo || kind == ElementKind::Ws;
}

bool convert_elements(PyObject* list, std::vector<ElementKind>* kinds) {
  if (!PyList_Check(list)) {
    PyErr_SetString(PyExc_TypeError, "elements must be a list of element codes");
    return false;
  }
  kinds->clear();
  for (Py_ssize_t i = 0; i < PyList_GET_SIZE(list); ++i) {
    std::string code;
    if (!convert_string(PyList_GET_ITEM(list, i), "elements", &code)) return false;
    std::optional<Element> element = element_from_code(code);
    if (!element || !is_grammar_kind(element->kind)) {
      raise_error(value_error("elements: \"" + code + "\" is not one of R, C, CPE, L, W, Wo, Ws"));
      return false;
    }
    kinds->push_back(element->kind);
  }
  if (kinds->empty()) {
    raise_error(value_error("elements: expected at least one of R, C, CPE, L, W, Wo, Ws, got none"));
    return false;
  }
  return true;
}

// A frequency measured twice tells nothing new: a spectrum of one frequency repeated is fitted
// exactly by any circuit with two parameters.
Status check_distinct_frequencies(const Spectrum& spectrum) {
  std::vector<double> frequencies = spectrum.frequencies;
  std::sort(frequencies.begin(), frequencies.end());
  const std::size_t distinct =
      static_cast<std::size_t>(std::unique(frequencies.begin(), frequencies.end()) - frequencies.begin());
  if (distinct >= kDiscoveryMinPoints) return {};
  return value_error("the circuit discovery needs at least " + std::to_string(kDiscoveryMinPoints) +
                     " distinct frequencies, got " + std::to_string(distinct));
}

bool convert_limits(PyObject* const* bound, CandidateLimits* limits) {
  std::uint32_t max_parameters = 0, max_depth = 0;
  if (!convert_count(bound[kMaxParameters], kNames[kMaxParameters], &max_parameters) ||
      !convert_count(bound[kMaxDepth], kNames[kMaxDepth], &max_depth) ||
      !convert_elements(bound[kElements], &limits->elements)) {
    return false;
  }
  limits->max_parameters = max_parameters;
  limits->max_depth = max_depth;
  return true;
}

PyObject* text(const std::string& value) {
  return PyUnicode_FromStringAndSize(value.data(), static_cast<Py_ssize_t>(value.size()));
}

PyObject* row_dict(const ModuleState* state, const CircuitCandidate& candidate, DiscoveredFit& fit, std::size_t rank) {
  OwnedRef dict(PyDict_New());
  if (!dict) return nullptr;
  PyObject* d = dict.get();
  bool filled = put(d, "rank", PyLong_FromSize_t(rank)) && put(d, "circuit", text(candidate.notation)) &&
                put(d, "parameters", PyLong_FromSize_t(candidate.parameters));
  if (!filled) return nullptr;
  if (!fit.fitted()) {
    const std::string message = fit.ranked.error ? fit.ranked.error->message : std::string("not fitted");
    return put(d, "error", text(message)) ? dict.release() : nullptr;
  }
  const FitOutcome& out = *fit.ranked.outcome;
  filled = put(d, "success", PyBool_FromLong(out.success)) &&
           put(d, "chi_square", PyFloat_FromDouble(out.chi_square)) &&
           put(d, "aicc", PyFloat_FromDouble(fit.ranked.aicc)) && put(d, "bic", PyFloat_FromDouble(fit.ranked.bic)) &&
           put(d, "runs_p", PyFloat_FromDouble(fit.runs_p)) && put(d, "start", text(fit.start)) &&
           put(d, "at_bounds", name_list(out.names, fit.ranked.at_bound)) &&
           put(d, "not_identifiable", name_list(out.names, fit.ranked.not_identifiable)) &&
           put(d, "runaway", name_list(out.names, fit.runaway)) &&
           put(d, "low_exponent", name_list(out.names, fit.low_exponent)) &&
           put(d, "sound", PyBool_FromLong(fit.sound())) &&
           put(d, "result", new_fit_result_object(state, std::move(*fit.ranked.outcome)));
  return filled ? dict.release() : nullptr;
}

}  // namespace

PyObject* analysis_discover(PyObject* module, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::array<PyObject*, kCount> bound{};
    const ModuleState* state = module_state(module);
    CandidateLimits limits;
    std::size_t workers = 1;
    SpectrumBatch batch;
    auto convert = [&](PyObject* const* slots) { return convert_limits(slots, &limits); };
    if (!bind_analysis(kSignature, args, nargs, kwnames, bound.data(), convert, &workers, &batch)) return nullptr;
    const std::size_t spectra = batch.spectra.size();
    std::vector<std::optional<Error>> spectrum_errors(spectra);
    std::vector<std::vector<CircuitCandidate>> candidates(spectra);
    std::vector<std::vector<DiscoveredFit>> fits(spectra);
    std::vector<std::optional<DataFeatures>> features(spectra);
    std::vector<std::unordered_map<std::string, std::size_t>> by_key(spectra);
    // Each spectrum is fitted at a unit scale (the element bounds and the fits' tolerances are
    // absolute) and its fits are scaled back; the measured spectra are kept for that.
    std::vector<int> scale_exponents(spectra, 0);
    std::vector<Spectrum> measured(spectra);
    // (spectrum, candidate) pairs: one pool task each, so a single spectrum keeps every lane busy.
    std::vector<std::pair<std::size_t, std::size_t>> tasks;
    const CancellationToken* token = &no_cancellation();
    // A candidate's first fit, then its warm starts from the nested candidates, which have
    // fewer parameters and so were fitted in an earlier round.
    auto fit_task = [&](std::size_t t) {
      const auto [s, c] = tasks[t];
      const CircuitCandidate& candidate = candidates[s][c];
      DiscoveredFit& fit = fits[s][c];
      const DataFeatures* read = features[s] ? &*features[s] : nullptr;
      fit = fit_discovery_candidate(batch.spectra[s], candidate.circuit, c, *token, read);
      try_discovery_starts(&fit, batch.spectra[s], candidate.circuit,
                           warm_starts(candidate, fit, batch.spectra[s], candidates[s], fits[s], by_key[s], read), *token);
    };
    auto refine_task = [&](std::size_t t) {
      const auto [s, c] = tasks[t];
      refine_discovery_candidate(&fits[s][c], batch.spectra[s], candidates[s][c].circuit, *token);
    };
    if (!run_interruptibly([&](const CancellationToken& cancellation) {
          token = &cancellation;
          for (std::size_t s = 0; s < spectra && !cancellation.stop_requested(); ++s) {
            if (batch.conversion_errors[s]) continue;
            Status checked = check_analysis_spectrum(batch.spectra[s], kDiscoveryMinPoints, "the circuit discovery");
            if (checked) checked = check_distinct_frequencies(batch.spectra[s]);
            if (!checked) {
              spectrum_errors[s] = checked.take_error();
              continue;
            }
            scale_exponents[s] = unit_scale_exponent(batch.spectra[s]);
            if (scale_exponents[s] != 0) {
              measured[s] = std::move(batch.spectra[s]);
              batch.spectra[s] = scaled_to_unit(measured[s], scale_exponents[s]);
            }
            candidates[s] = enumerate_candidates(pruned_limits(limits, spectrum_features(batch.spectra[s], cancellation)));
            add_carried_topologies(&candidates[s], limits);
            fits[s].resize(candidates[s].size());
            features[s] = data_features(batch.spectra[s], cancellation);
            for (std::size_t c = 0; c < candidates[s].size(); ++c) by_key[s].emplace(candidates[s][c].key, c);
          }
          // Rounds by parameter count (candidates come fewest parameters first), so that every
          // nested candidate is fitted before the richer ones it starts.
          std::vector<std::size_t> next(spectra, 0);
          for (std::size_t parameters = 0; parameters <= limits.max_parameters && !cancellation.stop_requested();
               ++parameters) {
            tasks.clear();
            for (std::size_t s = 0; s < spectra; ++s) {
              for (; next[s] < candidates[s].size() && candidates[s][next[s]].parameters == parameters; ++next[s]) {
                tasks.emplace_back(s, next[s]);
              }
            }
            run_on_lanes(tasks.size(), workers, fit_task, cancellation);
          }
          // The second pass: the leaders of each spectrum again from the robust starts.
          tasks.clear();
          for (std::size_t s = 0; s < spectra && !cancellation.stop_requested(); ++s) {
            for (std::size_t c : lowest_bic(fits[s], kRefinedCandidates)) tasks.emplace_back(s, c);
          }
          run_on_lanes(tasks.size(), workers, refine_task, cancellation);
          for (std::size_t s = 0; s < spectra; ++s) {
            mark_impedance_duplicates(fits[s], batch.spectra[s]);
            if (scale_exponents[s] == 0) continue;
            for (DiscoveredFit& fit : fits[s]) {
              if (fit.fitted()) restore_scale(&*fit.ranked.outcome, measured[s], scale_exponents[s]);
            }
            batch.spectra[s] = std::move(measured[s]);
          }
        })) {
      return nullptr;
    }

    return list_of(spectra, [&](std::size_t s) -> PyObject* {
      if (batch.conversion_errors[s] || spectrum_errors[s]) {
        return error_item(batch, s, spectrum_errors[s] ? &*spectrum_errors[s] : nullptr);
      }
      std::vector<std::size_t> order = discovery_order(fits[s]);
      std::erase_if(order, [&](std::size_t c) { return fits[s][c].duplicate; });
      OwnedRef item(PyDict_New());
      if (!item || !put(item.get(), "candidates", PyLong_FromSize_t(candidates[s].size()))) return nullptr;
      PyObject* rows = list_of(order.size(), [&](std::size_t r) {
        return row_dict(state, candidates[s][order[r]], fits[s][order[r]], r + 1);
      });
      return put(item.get(), "rows", rows) ? item.release() : nullptr;
    });
  });
}

}  // namespace corvex::python
