// Model choice, the network run and the mapping of its outputs back onto the user's
// parameters, in the fixed order whose first failure decides the message.
#include "guess/guess_parameters.h"

#include <memory>
#include <new>

#include "circuit/notation.h"
#include "guess/weights_cache.h"
#include "models/model_registry.h"
#include "models/topology.h"
#include "nn/features.h"
#include "nn/model_validation.h"
#include "nn/network.h"

namespace corvex {
namespace {

struct ChosenModel {
  std::shared_ptr<const NetworkModel> model;
  TopologyMatch match;
};

// A file whose names do not cover its own circuit would make the permutation point past
// the decoded values.
Status check_names_cover_circuit(const NetworkModel& model, const SeriesList& model_circuit) {
  const std::size_t needed = parameter_count(model_circuit);
  if (model.param_count() >= needed) return {};
  return value_error("weight file has an unparsable value for param_names (" + std::to_string(model.param_count()) +
                     " names for the " + std::to_string(needed) + " parameters of " + model.circuit + ")");
}

Result<ChosenModel> model_from_file(const SeriesList& circuit, const std::string& path,
                                    const CancellationToken& cancellation) {
  Result<std::shared_ptr<const NetworkModel>> model = cached_weights_model(path, cancellation);
  if (!model.ok()) return model.take_error();
  const NetworkModel& network = **model;
  auto parsed = parse_notation(network.circuit);
  if (parsed.index() != 0) {
    return value_error("weight file has an unparsable value for circuit " + network.circuit + " in " + path);
  }
  const SeriesList& model_circuit = std::get<0>(parsed);
  std::optional<TopologyMatch> match = match_topology(model_circuit, circuit);
  if (!match) return value_error(path + " was trained for " + network.circuit + ", which is a different circuit");
  if (Status covered = check_names_cover_circuit(network, model_circuit); !covered.ok()) return covered.take_error();
  return ChosenModel{model.value(), std::move(*match)};
}

Result<ChosenModel> model_from_registry(const SeriesList& circuit) {
  std::optional<RegistryMatch> match = lookup_registry(circuit);
  if (!match) return value_error(no_training_data_message());
  Result<std::shared_ptr<const NetworkModel>> model = registry_model(match->entry);
  if (!model.ok()) return model.take_error();
  return ChosenModel{model.value(), std::move(match->topology)};
}

// The network run on `chosen`'s model and the mapping of its outputs onto the circuit's
// parameters. `shared` are features of the same spectrum computed before, used when they are
// on the model's grid.
Result<std::vector<double>> guess_with_model(const ChosenModel& chosen, const SeriesList& circuit,
                                             const Spectrum& spectrum, const GuessFeatures* shared,
                                             const CancellationToken& cancellation) {
  const NetworkModel& model = *chosen.model;
  if (Status points = check_point_count(spectrum); !points.ok()) return points.take_error();
  // Checked before any buffer is sized from the header, so a hostile file cannot demand
  // memory or index past its tensors.
  if (Status valid = validate_network_model(model); !valid.ok()) return valid.take_error();

  const std::size_t n_grid = static_cast<std::size_t>(model.config.n_grid);
  GuessFeatures own;
  const GuessFeatures* features = shared;
  if (features == nullptr || features->n_grid != n_grid) {
    own.scales = estimate_scales(spectrum, cancellation);
    own.n_grid = n_grid;
    own.features = build_features(spectrum, own.scales, n_grid, cancellation);
    features = &own;
  }
  if (cancellation.stopped()) return interrupted_error();
  Result<std::vector<double>> output = run_network(model, features->features.map, features->features.extras);
  if (!output.ok()) return output.take_error();
  Result<std::vector<double>> decoded = decode_outputs(model, *output, features->scales);
  if (!decoded.ok()) return decoded.take_error();

  const std::vector<std::size_t>& permutation = chosen.match.permutation;
  std::vector<double> values(permutation.size());
  for (std::size_t k = 0; k < permutation.size(); ++k) {
    if (permutation[k] >= decoded->size()) return internal_error("guess permutation exceeds the decoded values");
    values[k] = (*decoded)[permutation[k]];
  }
  if (chosen.match.abbreviated) return collapse_abbreviated_values(circuit, values);
  return values;
}

Result<std::vector<double>> run_guess(const SeriesList& circuit, const Spectrum& spectrum,
                                      const std::optional<std::string>& weights_path, const GuessFeatures* shared,
                                      const CancellationToken& cancellation) {
  Result<ChosenModel> chosen =
      weights_path ? model_from_file(circuit, *weights_path, cancellation) : model_from_registry(circuit);
  if (!chosen.ok()) return chosen.take_error();
  return guess_with_model(*chosen, circuit, spectrum, shared, cancellation);
}

// Failures thrown below (memory, the standard library) as values.
template <class Work>
auto without_exceptions(Work work) -> decltype(work()) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return memory_error("out of memory while guessing starting parameters");
  } catch (const std::exception& failure) {
    return internal_error(std::string("guess failed: ") + failure.what());
  }
}

}  // namespace

Result<std::vector<double>> guess_parameters(const SeriesList& circuit, const Spectrum& spectrum,
                                             const std::optional<std::string>& weights_path,
                                             const CancellationToken& cancellation) {
  return without_exceptions([&] { return run_guess(circuit, spectrum, weights_path, nullptr, cancellation); });
}

Result<GuessFeatures> carried_guess_features(const Spectrum& spectrum, const CancellationToken& cancellation) {
  return without_exceptions([&]() -> Result<GuessFeatures> {
    if (Status points = check_point_count(spectrum); !points.ok()) return points.take_error();
    // Every carried model reads the same grid; the first one's stands for all.
    Result<std::shared_ptr<const NetworkModel>> model = registry_model(0);
    if (!model.ok()) return model.take_error();
    GuessFeatures features;
    features.n_grid = static_cast<std::size_t>((*model)->config.n_grid);
    features.scales = estimate_scales(spectrum, cancellation);
    features.features = build_features(spectrum, features.scales, features.n_grid, cancellation);
    if (cancellation.stopped()) return interrupted_error();
    return features;
  });
}

Result<std::vector<double>> guess_from_features(const SeriesList& circuit, const Spectrum& spectrum,
                                                const GuessFeatures& features, const CancellationToken& cancellation) {
  return without_exceptions([&] { return run_guess(circuit, spectrum, std::nullopt, &features, cancellation); });
}

}  // namespace corvex
