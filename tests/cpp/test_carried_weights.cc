// The carried weights are linked in byte for byte from weights/ at build time.
#include <fstream>
#include <iterator>
#include <vector>

#include "check.h"
#include "circuit/named_circuits.h"
#include "models/carried_weights.h"
#include "nn/network.h"
#include "nn/weights_format.h"

TEST_CASE("embedded blobs equal the files they were built from") {
  for (const corvex::NamedCircuit& named : corvex::kNamedCircuits) {
    const auto bytes = corvex::carried_weights_bytes(named.key);
    std::ifstream file(std::string(CORVEX_SOURCE_DIR) + "/weights/" + std::string(named.key) + ".eisnn",
                       std::ios::binary);
    if (!file) {
      CHECK(bytes.empty());
      continue;
    }
    const std::vector<char> content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    CHECK_EQ(bytes.size(), content.size());
    CHECK(std::equal(bytes.begin(), bytes.end(), content.begin(),
                     [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }));
  }
  CHECK(corvex::carried_weights_bytes("nope").empty());
}

TEST_CASE("every carried model stays far within the budgets that user files are held to") {
  for (const corvex::NamedCircuit& named : corvex::kNamedCircuits) {
    const auto model = corvex::read_weights(corvex::carried_weights_bytes(named.key));
    if (!model.ok()) continue;  // not trained yet
    CHECK(16 * (*model)->decoded_bytes < corvex::kMaxDecodedWeightsBytes);
    const auto weights = corvex::bind_network_weights(**model);
    CHECK(weights.ok() && 16 * corvex::inference_multiply_adds(*weights) < corvex::kMaxInferenceMultiplyAdds);
  }
}

CHECK_MAIN()
