// The bytes of the carried network files, compiled into the module from weights/ so that
// no file is read at run time.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace corvex {

// The "EISNN001" file of a carried model key; empty when the build had no file for it.
std::span<const std::uint8_t> carried_weights_bytes(std::string_view key);

}  // namespace corvex
