// The eleven carried models: a fixed, ordered table of keys, circuits and compiled-in weights,
// each parsed and checked once on first use, and the lookup of a user circuit's topology.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "circuit/circuit.h"
#include "models/topology.h"
#include "nn/network_model.h"
#include "util/result.h"

namespace corvex {

struct RegistryMatch {
  std::size_t entry;         // index into the registry table
  TopologyMatch topology;    // permutation from the model's parameters to the user's
};

// The first entry, in table order, whose circuit matches the user's topology.
std::optional<RegistryMatch> lookup_registry(const SeriesList& user);

// Keys in table order (what Circuit.ml_circuits() returns).
std::vector<std::string_view> registry_keys();

// The entry's model, read and checked on first use; every later call returns the same model
// or the same stored message. Safe to call from many threads.
Result<std::shared_ptr<const NetworkModel>> registry_model(std::size_t entry);

// "No training data on this circuit. ..." with the quoted key list.
std::string no_training_data_message();

}  // namespace corvex
