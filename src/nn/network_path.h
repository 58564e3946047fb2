// Which loops run the forward pass: AVX-512F or AVX2 vectors where the processor has them, or
// the scalar loops compiled for the baseline. All give the same bits; chosen once per process.
#pragma once

#include <cstdint>
#include <vector>

#include "nn/network.h"

// The vector path needs GCC or Clang on x86-64 (target attributes and __builtin_cpu_supports);
// elsewhere only the scalar path is built.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define CORVEX_NETWORK_AVX2 1
#endif

namespace corvex {

enum class NetworkPath { scalar, avx2, avx512 };

// The widest path the processor and the operating system support, unless the environment
// asks for another: CORVEX_GUESS_PATH=scalar|avx2|avx512 (a path the processor lacks, or an
// unknown name, falls back to the widest supported one), or CORVEX_GUESS_SCALAR set to
// anything but "" or "0", which wins. Read at the first call only.
NetworkPath network_path();

// Whether this processor can run `path`.
bool network_path_supported(NetworkPath path);

const char* network_path_name(NetworkPath path);

#ifdef CORVEX_NETWORK_AVX2
// The AVX2 versions of the convolution and the dense layer. Each output value is summed in
// exactly the order of the scalar loops (vectors run across positions or outputs, never
// across a sum) and every product and sum is rounded on its own. `padded` is scratch space
// the convolution reuses between calls.
void convolve_avx2(const ConvWeights& conv, const ActivationMap& input, std::uint64_t dilation, ActivationMap* output,
                   std::vector<double>* padded);
void dense_avx2(const LinearWeights& linear, const double* input, double* output);
// gelu() of each value in place; and of each value plus its addend.
void gelu_avx2(double* values, std::size_t count);
void add_gelu_avx2(double* values, const double* addends, std::size_t count);
// The convolution eight doubles at a time; the AVX-512 path runs the other layers on AVX2.
void convolve_avx512(const ConvWeights& conv, const ActivationMap& input, std::uint64_t dilation,
                     ActivationMap* output, std::vector<double>* padded);
#endif

}  // namespace corvex
