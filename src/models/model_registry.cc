// Registry of the carried models: parsed entry circuits for matching, and model slots filled
// once per process under std::call_once with the load checks and their stored messages.
#include "models/model_registry.h"

#include <array>
#include <mutex>
#include <variant>

#include "circuit/named_circuits.h"
#include "circuit/notation.h"
#include "models/carried_weights.h"
#include "nn/weights_format.h"

namespace corvex {
namespace {

constexpr std::size_t kEntryCount = kNamedCircuits.size();

struct EntrySlot {
  std::once_flag filled;
  std::shared_ptr<const NetworkModel> model;
  std::string failure;
};

std::array<EntrySlot, kEntryCount>& entry_slots() {
  static std::array<EntrySlot, kEntryCount> slots;
  return slots;
}

// The entry circuits never change, so they are parsed once for all lookups.
const std::vector<SeriesList>& entry_circuits() {
  static const std::vector<SeriesList> circuits = [] {
    std::vector<SeriesList> parsed;
    for (const NamedCircuit& named : kNamedCircuits) {
      auto result = parse_notation(named.notation);
      parsed.push_back(result.index() == 0 ? std::get<0>(std::move(result)) : SeriesList{});
    }
    return parsed;
  }();
  return circuits;
}

std::string quoted_name_list(const std::vector<std::string>& names) {
  std::string out = "[";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i) out += ", ";
    out += "\"" + names[i] + "\"";
  }
  return out + "]";
}

void fill_slot(std::size_t entry, EntrySlot* slot) {
  const NamedCircuit& named = kNamedCircuits[entry];
  const std::string prefix = "weight file has an unparsable value for ";
  Result<std::shared_ptr<const NetworkModel>> read = read_weights(carried_weights_bytes(named.key));
  if (!read.ok()) {
    slot->failure = read.error().message;
    return;
  }
  const NetworkModel& model = **read;
  if (model.circuit != named.notation) {
    slot->failure = prefix + "model " + std::string(named.key) + " is registered as " + std::string(named.notation) +
                    " but its weights were trained for " + model.circuit;
    return;
  }
  auto parsed = parse_notation(named.notation);
  if (parsed.index() != 0) {
    slot->failure = prefix + "registry circuit " + std::string(named.notation);
    return;
  }
  const std::vector<std::string> expected = param_names(std::get<0>(parsed));
  if (model.param_names != expected) {
    slot->failure = prefix + "model " + std::string(named.key) + " has parameters " +
                    quoted_name_list(model.param_names) + ", expected " + quoted_name_list(expected);
    return;
  }
  slot->model = std::move(read.value());
}

}  // namespace

std::optional<RegistryMatch> lookup_registry(const SeriesList& user) {
  const std::vector<SeriesList>& circuits = entry_circuits();
  for (std::size_t i = 0; i < circuits.size(); ++i) {
    if (auto match = match_topology(circuits[i], user)) return RegistryMatch{i, std::move(*match)};
  }
  return std::nullopt;
}

std::vector<std::string_view> registry_keys() {
  std::vector<std::string_view> keys;
  for (const NamedCircuit& named : kNamedCircuits) keys.push_back(named.key);
  return keys;
}

Result<std::shared_ptr<const NetworkModel>> registry_model(std::size_t entry) {
  if (entry >= kEntryCount) return internal_error("registry entry out of range");
  EntrySlot& slot = entry_slots()[entry];
  std::call_once(slot.filled, fill_slot, entry, &slot);
  if (slot.model) return slot.model;
  return value_error(slot.failure);
}

std::string no_training_data_message() {
  return "No training data on this circuit. Machine-learning based initial parameters available for " +
         quoted_model_keys();
}

}  // namespace corvex
