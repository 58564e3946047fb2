// One candidate's fit, as a robust fit() from the data start runs it (arcs swapped,
// resistances a decade up and down, a global search when none ends plausibly), scored with
// the ranking's criteria so that discovery and ranking compare alike.
#include "discovery/candidate_fits.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

#include "batch/controlled_spectrum_fit.h"
#include "discovery/candidate_scores.h"

namespace corvex {

namespace {

bool any_of(const std::vector<bool>& flags) { return std::find(flags.begin(), flags.end(), true) != flags.end(); }

void fit_into(DiscoveredFit* fit, const Spectrum& spectrum, const Circuit& candidate,
              const CancellationToken& cancellation) {
  const FitStart start{StartKind::Data, std::nullopt};
  Result<ControlledFit> controlled =
      fit_spectrum_with_controls(candidate, spectrum, start, FitOptions{}, FitControls{}, /*robust=*/true, cancellation);
  if (!controlled) {
    fit->ranked.error = controlled.take_error();
    return;
  }
  fit->start = controlled->start;
  fit->runaway = std::move(controlled->runaway);
  fit->ranked.outcome = std::move(controlled->outcome);
  score_ranked_fit(&fit->ranked, spectrum.frequencies.size(), RankingOptions{});
  if (!fit->fitted()) return;
  const FitOutcome& out = *fit->ranked.outcome;
  fit->low_exponent = low_cpe_exponents(out.circuit.nodes, out.values);
  fit->model.reserve(spectrum.frequencies.size());
  for (double f : spectrum.frequencies) fit->model.push_back(impedance_at(out.circuit.nodes, 2.0 * std::numbers::pi * f));
  fit->runs_p = runs_test_p(spectrum, fit->model);
}

bool same_impedance(const DiscoveredFit& a, const DiscoveredFit& b, const Spectrum& spectrum, double tolerance) {
  for (std::size_t i = 0; i < spectrum.impedances.size(); ++i) {
    const double scale = std::hypot(spectrum.impedances[i].re, spectrum.impedances[i].im);
    const double gap = std::hypot(a.model[i].re - b.model[i].re, a.model[i].im - b.model[i].im);
    if (!(gap <= tolerance * scale)) return false;
  }
  return true;
}

}  // namespace

bool DiscoveredFit::sound() const {
  return fitted() && ranked.outcome->success && !any_of(ranked.at_bound) && !any_of(ranked.not_identifiable) &&
         !any_of(runaway) && !any_of(low_exponent);
}

DiscoveredFit fit_discovery_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                                      const CancellationToken& cancellation) {
  DiscoveredFit fit;
  fit.ranked.candidate = index;
  try {
    fit_into(&fit, spectrum, candidate, cancellation);
  } catch (const std::bad_alloc&) {
    fit = DiscoveredFit{};
    fit.ranked.candidate = index;
    fit.ranked.error = memory_error("out of memory");
  }
  return fit;
}

void mark_impedance_duplicates(std::vector<DiscoveredFit>& fits, const Spectrum& spectrum, double tolerance) {
  for (std::size_t j = 0; j < fits.size(); ++j) {
    if (!fits[j].fitted() || fits[j].model.size() != spectrum.impedances.size()) continue;
    for (std::size_t i = 0; i < fits.size() && !fits[j].duplicate; ++i) {
      if (i == j || !fits[i].fitted() || fits[i].duplicate || fits[i].model.size() != fits[j].model.size()) continue;
      const std::size_t pi = fits[i].ranked.outcome->values.size(), pj = fits[j].ranked.outcome->values.size();
      if ((pi < pj || (pi == pj && i < j)) && same_impedance(fits[i], fits[j], spectrum, tolerance)) {
        fits[j].duplicate = true;
      }
    }
  }
}

}  // namespace corvex
