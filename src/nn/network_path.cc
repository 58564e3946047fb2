// The choice between the AVX2 and the scalar network loops: the processor's features and the
// CORVEX_GUESS_SCALAR override, read once so that every guess of a process takes one path.
#include "nn/network_path.h"

#include <cstdlib>
#include <cstring>

namespace corvex {
namespace {

bool scalar_forced() {
  const char* value = std::getenv("CORVEX_GUESS_SCALAR");
  return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

NetworkPath choose_network_path() {
  if (scalar_forced()) return NetworkPath::scalar;
#ifdef CORVEX_NETWORK_AVX2
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return NetworkPath::avx2;
#endif
  return NetworkPath::scalar;
}

}  // namespace

NetworkPath network_path() {
  static const NetworkPath path = choose_network_path();
  return path;
}

const char* network_path_name(NetworkPath path) { return path == NetworkPath::avx2 ? "avx2" : "scalar"; }

}  // namespace corvex
