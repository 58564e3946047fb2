// AVX2 loops of the forward pass: four doubles per instruction across output positions or
// outputs, each value still summed in its own fixed order, with separate multiplies and adds.
#include "nn/network_path.h"

#ifdef CORVEX_NETWORK_AVX2

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

// "avx2" alone, without "fma": the compiler then has no fused multiply-add to contract into,
// whatever the floating-point flags, so every product is rounded before it is added.
#define CORVEX_AVX2 __attribute__((target("avx2")))

namespace corvex {
namespace {

constexpr std::size_t kLanes = 4;
constexpr std::int64_t kBlockPositions = 8;  // two vectors of positions
constexpr std::size_t kBlockChannels = 4;    // output channels sharing each input load
constexpr std::size_t kBlockOutputs = 16;    // dense outputs summed side by side
constexpr std::size_t kPlannedTaps = 8;      // kernels up to this long plan their edge blocks

// The input rows copied between zero margins wide enough for every tap that reaches any
// position, so that a block of positions may load past the row's ends. A tap outside the row
// then adds w · 0 where the scalar loop adds nothing: see convolve_channels for when that is
// the same, and the masks of convolve_block for when it is not.
struct PaddedRows {
  const double* data = nullptr;
  std::int64_t stride = 0;
  std::int64_t margin = 0;
  const double* row(std::size_t channel) const {
    return data + static_cast<std::int64_t>(channel) * stride + margin;
  }
};

PaddedRows pad_rows(const ActivationMap& input, std::size_t in_channels, std::int64_t reach,
                    std::vector<double>* storage) {
  const auto length = static_cast<std::int64_t>(input.length);
  PaddedRows rows;
  rows.margin = std::min(reach, length) + kBlockPositions;
  rows.stride = length + 2 * rows.margin;
  // Only the margins are cleared: the rows between them are copied over whole.
  storage->resize(in_channels * static_cast<std::size_t>(rows.stride));
  for (std::size_t j = 0; j < in_channels; ++j) {
    double* row = storage->data() + j * rows.stride;
    std::fill(row, row + rows.margin, 0.0);
    std::copy(input.row(j), input.row(j) + input.length, row + rows.margin);
    std::fill(row + rows.margin + length, row + rows.stride, 0.0);
  }
  rows.data = storage->data();
  return rows;
}

// Lanes whose position plus `shift` lies in [0, length); positions are small integers, exact as doubles.
CORVEX_AVX2 inline __m256d inside(__m256d positions, double shift, double length) {
  const __m256d at = _mm256_add_pd(positions, _mm256_set1_pd(shift));
  return _mm256_and_pd(_mm256_cmp_pd(at, _mm256_setzero_pd(), _CMP_GE_OQ),
                       _mm256_cmp_pd(at, _mm256_set1_pd(length), _CMP_LT_OQ));
}

// How one tap meets a block of positions: not at all, at every stored position, or at the
// lanes of a mask; and where in the padded row its inputs start.
struct TapReach {
  bool used = true;
  bool whole = true;
  std::int64_t offset = 0;
  __m256d keep_low{};
  __m256d keep_high{};
};

CORVEX_AVX2 inline TapReach reach_of(std::int64_t shift, std::int64_t l0, std::int64_t last, std::int64_t length,
                                     __m256d positions_low, __m256d positions_high) {
  TapReach tap;
  tap.offset = l0 + shift;
  tap.keep_low = tap.keep_high = _mm256_setzero_pd();
  tap.used = last + shift >= 0 && l0 + shift < length;
  tap.whole = l0 + shift >= 0 && last + shift < length;
  if (tap.used && !tap.whole) {
    tap.keep_low = inside(positions_low, static_cast<double>(shift), static_cast<double>(length));
    tap.keep_high = inside(positions_high, static_cast<double>(shift), static_cast<double>(length));
  }
  return tap;
}

// Output channels [o0, o0 + Channels) at positions [l0, l0 + 8): the bias, then per input
// channel and tap in order the product added where the tap lies inside the input and its
// weight is not zero, exactly as the scalar loop adds them. `Inside` blocks have every tap
// inside the input at every position; `AllWeights` blocks have no zero weight to skip.
// In edge blocks of at most kPlannedTaps taps, the taps' reach is worked out once per block
// rather than once per input channel. (The tap loop stays a loop: unrolled, its accumulators
// no longer fit the sixteen registers and go through memory.)
template <std::size_t Channels, bool Inside, bool AllWeights>
CORVEX_AVX2 void convolve_block(const ConvWeights& conv, const PaddedRows& rows, std::size_t o0, std::int64_t l0,
                                std::int64_t step, std::int64_t pad, std::int64_t length, ActivationMap* output) {
  const std::size_t kernel = conv.kernel;
  const bool planned = !Inside && kernel <= kPlannedTaps;
  __m256d low[Channels];
  __m256d high[Channels];
  for (std::size_t c = 0; c < Channels; ++c) low[c] = high[c] = _mm256_set1_pd(conv.bias[o0 + c]);
  const auto position = static_cast<double>(l0);
  const __m256d positions_low = _mm256_setr_pd(position, position + 1, position + 2, position + 3);
  const __m256d positions_high = _mm256_add_pd(positions_low, _mm256_set1_pd(4.0));
  const std::int64_t last = std::min(l0 + kBlockPositions, length) - 1;  // last position stored
  TapReach plan[Inside ? 1 : kPlannedTaps];
  if (planned) {
    for (std::size_t k = 0; k < kernel; ++k) {
      plan[k] = reach_of(static_cast<std::int64_t>(k) * step - pad, l0, last, length, positions_low, positions_high);
    }
  }
  const std::size_t channel_stride = conv.in_channels * kernel;
  for (std::size_t j = 0; j < conv.in_channels; ++j) {
    const double* in = rows.row(j);
    const double* taps = conv.weight + (o0 * conv.in_channels + j) * kernel;
    for (std::size_t k = 0; k < kernel; ++k) {
      const std::int64_t shift = static_cast<std::int64_t>(k) * step - pad;
      TapReach tap;
      if constexpr (Inside) {
        tap.offset = l0 + shift;
      } else {
        tap = planned ? plan[k] : reach_of(shift, l0, last, length, positions_low, positions_high);
      }
      if (!Inside && !tap.used) continue;  // outside the input at every stored position
      const __m256d x_low = _mm256_loadu_pd(in + tap.offset);
      const __m256d x_high = _mm256_loadu_pd(in + tap.offset + 4);
      for (std::size_t c = 0; c < Channels; ++c) {
        const double w = taps[c * channel_stride + k];
        if constexpr (!AllWeights) {
          if (w == 0.0) continue;
        }
        const __m256d weight = _mm256_set1_pd(w);
        const __m256d sum_low = _mm256_add_pd(low[c], _mm256_mul_pd(weight, x_low));
        const __m256d sum_high = _mm256_add_pd(high[c], _mm256_mul_pd(weight, x_high));
        if (Inside || tap.whole) {
          low[c] = sum_low;
          high[c] = sum_high;
        } else {
          low[c] = _mm256_blendv_pd(low[c], sum_low, tap.keep_low);
          high[c] = _mm256_blendv_pd(high[c], sum_high, tap.keep_high);
        }
      }
    }
  }
  const std::int64_t count = last - l0 + 1;
  for (std::size_t c = 0; c < Channels; ++c) {
    double* out = output->row(o0 + c) + l0;
    if (count == kBlockPositions) {
      _mm256_storeu_pd(out, low[c]);
      _mm256_storeu_pd(out + 4, high[c]);
    } else {
      alignas(32) double values[kBlockPositions];
      _mm256_store_pd(values, low[c]);
      _mm256_store_pd(values + 4, high[c]);
      std::copy(values, values + count, out);
    }
  }
}

// What a block of output channels allows: no test for zero weights when it has none, and no
// masks at the edges when the margins add nothing to its sums (see channel_block_facts).
struct ChannelBlockFacts {
  bool none_zero = false;
  bool margins_add_nothing = false;
};

// Output channels [o0, o0 + Channels) at the block of positions from l0, with the least
// checking the block needs: where every tap lies inside the input, or the margins add nothing,
// no masks.
template <std::size_t Channels>
CORVEX_AVX2 void convolve_at(const ConvWeights& conv, const PaddedRows& rows, std::size_t o0, ChannelBlockFacts facts,
                             bool inside_input, std::int64_t l0, std::int64_t step, std::int64_t pad,
                             std::int64_t length, ActivationMap* output) {
  const bool unmasked = inside_input || facts.margins_add_nothing;
  if (unmasked && facts.none_zero) {
    convolve_block<Channels, true, true>(conv, rows, o0, l0, step, pad, length, output);
  } else if (unmasked) {
    convolve_block<Channels, true, false>(conv, rows, o0, l0, step, pad, length, output);
  } else if (facts.none_zero) {
    convolve_block<Channels, false, true>(conv, rows, o0, l0, step, pad, length, output);
  } else {
    convolve_block<Channels, false, false>(conv, rows, o0, l0, step, pad, length, output);
  }
}

struct WeightFacts {
  bool none_zero = true;  // either sign; NaN is not zero
  bool all_finite = true;
};

CORVEX_AVX2 inline WeightFacts weight_facts(const double* values, std::size_t count) {
  const __m256d magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
  const __m256d infinity = _mm256_set1_pd(std::numeric_limits<double>::infinity());
  __m256d zeros = _mm256_setzero_pd();
  __m256d finite = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
  std::size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    const __m256d w = _mm256_loadu_pd(values + i);
    zeros = _mm256_or_pd(zeros, _mm256_cmp_pd(w, _mm256_setzero_pd(), _CMP_EQ_OQ));
    finite = _mm256_and_pd(finite, _mm256_cmp_pd(_mm256_and_pd(w, magnitude), infinity, _CMP_LT_OQ));
  }
  WeightFacts facts{_mm256_movemask_pd(zeros) == 0, _mm256_movemask_pd(finite) == 0xf};
  for (; i < count; ++i) {
    facts.none_zero = facts.none_zero && values[i] != 0.0;
    facts.all_finite = facts.all_finite && std::isfinite(values[i]);
  }
  return facts;
}

// The facts of output channels [o0, o0 + count).
//
// The margins add nothing when a tap outside the input, which adds w · (+0) = ±0 from the
// margin, cannot change any sum: with finite weights the product is a zero; a zero added
// leaves every sum as it is except -0, which becomes +0; and a sum is -0 only when it started
// at -0 (a rounded sum is -0 only when both terms are), so a bias that is not -0 keeps every
// sum away from it. A NaN bias is excluded too: a tap adding nothing would leave a signalling
// NaN unquieted. The margins must hold every tap (reach within the row).
CORVEX_AVX2 ChannelBlockFacts channel_block_facts(const ConvWeights& conv, std::size_t o0, std::size_t count,
                                                  std::int64_t reach, std::int64_t length) {
  const WeightFacts weights =
      weight_facts(conv.weight + o0 * conv.in_channels * conv.kernel, count * conv.in_channels * conv.kernel);
  bool plain_biases = true;
  for (std::size_t c = o0; c < o0 + count; ++c) {
    plain_biases = plain_biases && !std::isnan(conv.bias[c]) && !(conv.bias[c] == 0.0 && std::signbit(conv.bias[c]));
  }
  return {weights.none_zero, weights.all_finite && plain_biases && reach <= length};
}

// Rows o0..o0+3 of the weights at columns i..i+3, turned so that vector t holds column i + t.
CORVEX_AVX2 inline void load_columns(const double* row0, std::size_t stride, std::size_t i, __m256d columns[4]) {
  const __m256d a0 = _mm256_loadu_pd(row0 + i);
  const __m256d a1 = _mm256_loadu_pd(row0 + stride + i);
  const __m256d a2 = _mm256_loadu_pd(row0 + 2 * stride + i);
  const __m256d a3 = _mm256_loadu_pd(row0 + 3 * stride + i);
  const __m256d t0 = _mm256_unpacklo_pd(a0, a1);
  const __m256d t1 = _mm256_unpackhi_pd(a0, a1);
  const __m256d t2 = _mm256_unpacklo_pd(a2, a3);
  const __m256d t3 = _mm256_unpackhi_pd(a2, a3);
  columns[0] = _mm256_permute2f128_pd(t0, t2, 0x20);
  columns[1] = _mm256_permute2f128_pd(t1, t3, 0x20);
  columns[2] = _mm256_permute2f128_pd(t0, t2, 0x31);
  columns[3] = _mm256_permute2f128_pd(t1, t3, 0x31);
}

CORVEX_AVX2 inline __m256d column(const double* row0, std::size_t stride, std::size_t i) {
  return _mm256_setr_pd(row0[i], row0[stride + i], row0[2 * stride + i], row0[3 * stride + i]);
}

// Outputs [o, o + 4 · Groups), each the sum from zero of W[o][i]·v[i] in order of i, then the
// bias. Each group is one chain of additions; several groups overlap their latencies.
template <std::size_t Groups>
CORVEX_AVX2 void dense_rows(const LinearWeights& linear, const double* input, std::size_t o, double* output) {
  const std::size_t n = linear.in_size;
  const double* rows = linear.weight + o * n;
  __m256d sums[Groups];
  for (std::size_t g = 0; g < Groups; ++g) sums[g] = _mm256_setzero_pd();
  std::size_t i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    for (std::size_t g = 0; g < Groups; ++g) {
      __m256d columns[4];
      load_columns(rows + g * kLanes * n, n, i, columns);
      for (std::size_t t = 0; t < kLanes; ++t) {
        sums[g] = _mm256_add_pd(sums[g], _mm256_mul_pd(columns[t], _mm256_set1_pd(input[i + t])));
      }
    }
  }
  for (; i < n; ++i) {
    for (std::size_t g = 0; g < Groups; ++g) {
      sums[g] = _mm256_add_pd(sums[g], _mm256_mul_pd(column(rows + g * kLanes * n, n, i), _mm256_set1_pd(input[i])));
    }
  }
  for (std::size_t g = 0; g < Groups; ++g) {
    const std::size_t first = o + g * kLanes;
    _mm256_storeu_pd(output + first, _mm256_add_pd(sums[g], _mm256_loadu_pd(linear.bias + first)));
  }
}

}  // namespace

CORVEX_AVX2 void convolve_avx2(const ConvWeights& conv, const ActivationMap& input, std::uint64_t dilation,
                               ActivationMap* output, std::vector<double>* padded) {
  const auto length = static_cast<std::int64_t>(input.length);
  const auto step = static_cast<std::int64_t>(dilation);
  const auto kernel = static_cast<std::int64_t>(conv.kernel);
  const std::int64_t pad = step * (kernel - 1) / 2;
  const std::int64_t reach = std::max(pad, (kernel - 1) * step - pad);
  const PaddedRows rows = pad_rows(input, conv.in_channels, reach, padded);
  const std::size_t blocks = conv.out_channels / kBlockChannels;
  const std::size_t singles_from = blocks * kBlockChannels;
  std::array<ChannelBlockFacts, kMaxChannels / kBlockChannels> block_facts;
  std::array<ChannelBlockFacts, kBlockChannels> single_facts;
  for (std::size_t b = 0; b < blocks; ++b) {
    block_facts[b] = channel_block_facts(conv, b * kBlockChannels, kBlockChannels, reach, length);
  }
  for (std::size_t o = singles_from; o < conv.out_channels; ++o) {
    single_facts[o - singles_from] = channel_block_facts(conv, o, 1, reach, length);
  }
  // Positions outermost: the input a block of positions reads stays in the first-level cache
  // while every output channel uses it.
  const std::int64_t reach_right = (kernel - 1) * step - pad;
  for (std::int64_t l0 = 0; l0 < length; l0 += kBlockPositions) {
    const bool inside_input = l0 - pad >= 0 && l0 + kBlockPositions - 1 + reach_right < length;
    for (std::size_t b = 0; b < blocks; ++b) {
      convolve_at<kBlockChannels>(conv, rows, b * kBlockChannels, block_facts[b], inside_input, l0, step, pad, length,
                                  output);
    }
    for (std::size_t o = singles_from; o < conv.out_channels; ++o) {
      convolve_at<1>(conv, rows, o, single_facts[o - singles_from], inside_input, l0, step, pad, length, output);
    }
  }
}

CORVEX_AVX2 void dense_avx2(const LinearWeights& linear, const double* input, double* output) {
  std::size_t o = 0;
  for (; o + kBlockOutputs <= linear.out_size; o += kBlockOutputs) {
    dense_rows<kBlockOutputs / kLanes>(linear, input, o, output);
  }
  for (; o + kLanes <= linear.out_size; o += kLanes) dense_rows<1>(linear, input, o, output);
  for (; o < linear.out_size; ++o) {
    const double* row = linear.weight + o * linear.in_size;
    double sum = 0.0;
    for (std::size_t i = 0; i < linear.in_size; ++i) sum += row[i] * input[i];
    output[o] = sum + linear.bias[o];
  }
}

// The arithmetic around tanh four values at a time, in gelu()'s order; tanh itself is the C
// library's, called once per value.
CORVEX_AVX2 void gelu_avx2(double* values, std::size_t count) {
  std::size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    const __m256d x = _mm256_loadu_pd(values + i);
    const __m256d cubic = _mm256_mul_pd(x, _mm256_mul_pd(x, _mm256_mul_pd(_mm256_set1_pd(0.044715), x)));
    const __m256d t = _mm256_add_pd(x, cubic);
    alignas(32) double angle[kLanes];
    _mm256_store_pd(angle, _mm256_mul_pd(_mm256_set1_pd(0.7978845608028654), t));
    for (double& a : angle) a = std::tanh(a);
    const __m256d half = _mm256_mul_pd(_mm256_set1_pd(0.5), x);
    _mm256_storeu_pd(values + i, _mm256_mul_pd(half, _mm256_add_pd(_mm256_set1_pd(1.0), _mm256_load_pd(angle))));
  }
  for (; i < count; ++i) values[i] = gelu(values[i]);
}

CORVEX_AVX2 void add_gelu_avx2(double* values, const double* addends, std::size_t count) {
  std::size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    _mm256_storeu_pd(values + i, _mm256_add_pd(_mm256_loadu_pd(values + i), _mm256_loadu_pd(addends + i)));
  }
  for (; i < count; ++i) values[i] = values[i] + addends[i];
  gelu_avx2(values, count);
}

}  // namespace corvex

#endif  // CORVEX_NETWORK_AVX2
