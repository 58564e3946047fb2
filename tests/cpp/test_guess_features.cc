// Guesses from features computed once per spectrum equal the guesses that compute their own,
// bit for bit, and so do the ranking fits that start from them.
#include <cmath>
#include <string>
#include <vector>

#include "analysis/circuit_ranking.h"
#include "check.h"
#include "circuit/named_circuits.h"
#include "circuit/notation.h"
#include "guess/guess_parameters.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

// A spectrum of `notation` with its default values, over `decades` from 10 mHz.
corvex::Spectrum spectrum_of(const std::string& notation, std::size_t count, double decades) {
  const corvex::Circuit circuit = corvex::circuit_from_text(notation).value();
  corvex::Spectrum s;
  for (std::size_t i = 0; i < count; ++i) {
    const double f = 0.01 * std::pow(10.0, decades * static_cast<double>(i) / static_cast<double>(count - 1));
    s.frequencies.push_back(f);
    s.impedances.push_back(corvex::impedance_at(circuit.nodes, kTwoPi * f));
  }
  return s;
}

}  // namespace

TEST_CASE("every carried model guesses the same bits from shared features") {
  for (const corvex::Spectrum& spectrum :
       {spectrum_of("randles", 60, 7.0), spectrum_of("two_rq", 33, 4.5), spectrum_of("rc", 2, 1.0)}) {
    const auto features = corvex::carried_guess_features(spectrum);
    CHECK(features.ok());
    for (const corvex::NamedCircuit& named : corvex::kNamedCircuits) {
      const corvex::Circuit circuit = corvex::circuit_from_text(named.key).value();
      const auto own = corvex::guess_parameters(circuit.nodes, spectrum, std::nullopt);
      const auto shared = corvex::guess_from_features(circuit.nodes, spectrum, *features);
      CHECK_EQ(own.ok(), shared.ok());
      if (!own.ok()) continue;
      CHECK_EQ(own->size(), shared->size());
      for (std::size_t i = 0; i < own->size(); ++i) CHECK_SAME((*shared)[i], (*own)[i]);
    }
  }
  // A topology without a carried model fails with the same message either way.
  const corvex::Spectrum spectrum = spectrum_of("rc", 20, 5.0);
  const corvex::Circuit odd = corvex::circuit_from_text("R0-L1").value();
  const auto own = corvex::guess_parameters(odd.nodes, spectrum, std::nullopt);
  const auto shared = corvex::guess_from_features(odd.nodes, spectrum, *corvex::carried_guess_features(spectrum));
  CHECK(!own.ok() && !shared.ok() && own.error().message == shared.error().message);
}

TEST_CASE("a ranking fit from shared features ends where one from its own guess does") {
  const corvex::Spectrum spectrum = spectrum_of("randles", 60, 7.0);
  const auto features = corvex::carried_guess_features(spectrum);
  const corvex::RankingOptions options;
  for (const char* key : {"randles", "two_rq_l"}) {
    const corvex::Circuit candidate = corvex::circuit_from_text(key).value();
    const corvex::RankedFit own = corvex::fit_candidate(spectrum, candidate, 0, options);
    const corvex::RankedFit shared =
        corvex::fit_candidate(spectrum, candidate, 0, options, corvex::no_cancellation(), &*features);
    CHECK(own.guessed && shared.guessed && own.outcome && shared.outcome);
    CHECK_SAME(shared.aicc, own.aicc);
    CHECK_EQ(shared.outcome->values.size(), own.outcome->values.size());
    for (std::size_t i = 0; i < own.outcome->values.size(); ++i) {
      CHECK_SAME(shared.outcome->values[i], own.outcome->values[i]);
    }
  }
}

CHECK_MAIN()
