// The choice between the AVX-512, AVX2 and scalar network loops: the processor's features and
// the CORVEX_GUESS_PATH / CORVEX_GUESS_SCALAR overrides, read once so every guess of a process
// takes one path.
#include "nn/network_path.h"

#include <cstdlib>
#include <cstring>

namespace corvex {
namespace {

bool scalar_forced() {
  const char* value = std::getenv("CORVEX_GUESS_SCALAR");
  return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

NetworkPath widest_supported() {
  if (network_path_supported(NetworkPath::avx512)) return NetworkPath::avx512;
  if (network_path_supported(NetworkPath::avx2)) return NetworkPath::avx2;
  return NetworkPath::scalar;
}

NetworkPath choose_network_path() {
  if (scalar_forced()) return NetworkPath::scalar;
  if (const char* asked = std::getenv("CORVEX_GUESS_PATH")) {
    for (const NetworkPath path : {NetworkPath::scalar, NetworkPath::avx2, NetworkPath::avx512}) {
      if (std::strcmp(asked, network_path_name(path)) == 0 && network_path_supported(path)) return path;
    }
  }
  return widest_supported();
}

}  // namespace

bool network_path_supported(NetworkPath path) {
  if (path == NetworkPath::scalar) return true;
#ifdef CORVEX_NETWORK_AVX2
  __builtin_cpu_init();
  const bool avx2 = __builtin_cpu_supports("avx2");
  return path == NetworkPath::avx2 ? avx2 : avx2 && __builtin_cpu_supports("avx512f");
#else
  return false;
#endif
}

NetworkPath network_path() {
  static const NetworkPath path = choose_network_path();
  return path;
}

const char* network_path_name(NetworkPath path) {
  switch (path) {
    case NetworkPath::avx512:
      return "avx512";
    case NetworkPath::avx2:
      return "avx2";
    case NetworkPath::scalar:
      break;
  }
  return "scalar";
}

}  // namespace corvex
