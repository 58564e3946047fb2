// AVX-512F convolution of the forward pass: eight doubles per instruction across positions and
// eight output channels per input load, each value summed in its own fixed order, no fusing.
#include "nn/network_path.h"

#ifdef CORVEX_NETWORK_AVX2

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <cmath>

// "avx512f" alone, without "fma": the compiler then has no fused multiply-add to contract
// into, whatever the floating-point flags, so every product is rounded before it is added.
#define CORVEX_AVX512 __attribute__((target("avx512f")))

namespace corvex {
namespace {

constexpr std::int64_t kLanes = 8;
constexpr std::int64_t kBlockPositions = 16;  // two vectors of positions
constexpr std::size_t kBlockChannels = 8;     // output channels sharing each input load: 16 of 32 registers

// The input rows between zero margins wide enough for every tap that reaches a stored
// position, so that a block of positions may load past the row's ends (see convolve_block).
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

// How one tap meets a block of positions: which of its sixteen lanes lie inside the input
// (bit i for position l0 + i), whether that is every stored lane, and where its inputs start.
struct TapReach {
  bool used = true;
  bool whole = true;
  std::int64_t offset = 0;
  __mmask8 keep_low = 0;
  __mmask8 keep_high = 0;
};

inline TapReach reach_of(std::int64_t shift, std::int64_t l0, std::int64_t count, std::int64_t length) {
  TapReach tap;
  tap.offset = l0 + shift;
  const std::int64_t from = std::clamp<std::int64_t>(-tap.offset, 0, count);
  const std::int64_t to = std::clamp<std::int64_t>(length - tap.offset, 0, count);
  tap.used = from < to;
  tap.whole = from == 0 && to == count;
  const std::uint32_t lanes = tap.used ? ((std::uint32_t{1} << to) - 1) & ~((std::uint32_t{1} << from) - 1) : 0;
  tap.keep_low = static_cast<__mmask8>(lanes);
  tap.keep_high = static_cast<__mmask8>(lanes >> kLanes);
  return tap;
}

// Output channels [o0, o0 + Channels) at positions [l0, l0 + 16): the bias, then per input
// channel and tap in order the product added where the tap lies inside the input and its
// weight is not zero, exactly as the scalar loop adds them. `Inside` blocks read the zero
// margins unmasked (every tap inside the input, or margins that add nothing); `AllWeights`
// blocks have no zero weight to skip. Lanes a tap misses keep their sums through the merge
// mask of the addition.
template <std::size_t Channels, bool Inside, bool AllWeights>
CORVEX_AVX512 void convolve_block(const ConvWeights& conv, const PaddedRows& rows, std::size_t o0, std::int64_t l0,
                                  std::int64_t step, std::int64_t pad, std::int64_t length, ActivationMap* output) {
  const std::size_t kernel = conv.kernel;
  __m512d low[Channels];
  __m512d high[Channels];
  for (std::size_t c = 0; c < Channels; ++c) low[c] = high[c] = _mm512_set1_pd(conv.bias[o0 + c]);
  const std::int64_t count = std::min(kBlockPositions, length - l0);  // positions stored
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
        tap = reach_of(shift, l0, count, length);
        if (!tap.used) continue;  // outside the input at every stored position
      }
      const __m512d x_low = _mm512_loadu_pd(in + tap.offset);
      const __m512d x_high = _mm512_loadu_pd(in + tap.offset + kLanes);
      for (std::size_t c = 0; c < Channels; ++c) {
        const double w = taps[c * channel_stride + k];
        if constexpr (!AllWeights) {
          if (w == 0.0) continue;
        }
        const __m512d weight = _mm512_set1_pd(w);
        const __m512d product_low = _mm512_mul_pd(weight, x_low);
        const __m512d product_high = _mm512_mul_pd(weight, x_high);
        if (Inside || tap.whole) {
          low[c] = _mm512_add_pd(low[c], product_low);
          high[c] = _mm512_add_pd(high[c], product_high);
        } else {
          low[c] = _mm512_mask_add_pd(low[c], tap.keep_low, low[c], product_low);
          high[c] = _mm512_mask_add_pd(high[c], tap.keep_high, high[c], product_high);
        }
      }
    }
  }
  const auto stored = static_cast<std::uint32_t>((std::uint32_t{1} << count) - 1);
  for (std::size_t c = 0; c < Channels; ++c) {
    double* out = output->row(o0 + c) + l0;
    if (count == kBlockPositions) {
      _mm512_storeu_pd(out, low[c]);
      _mm512_storeu_pd(out + kLanes, high[c]);
    } else {
      _mm512_mask_storeu_pd(out, static_cast<__mmask8>(stored), low[c]);
      _mm512_mask_storeu_pd(out + kLanes, static_cast<__mmask8>(stored >> kLanes), high[c]);
    }
  }
}

// What a block of output channels allows: no test for zero weights when it has none, and no
// masks at the edges when the margins add nothing to its sums (see channel_block_facts).
struct ChannelBlockFacts {
  bool none_zero = false;
  bool margins_add_nothing = false;
};

template <std::size_t Channels>
CORVEX_AVX512 void convolve_at(const ConvWeights& conv, const PaddedRows& rows, std::size_t o0,
                               ChannelBlockFacts facts, bool inside_input, std::int64_t l0, std::int64_t step,
                               std::int64_t pad, std::int64_t length, ActivationMap* output) {
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

// The facts of output channels [o0, o0 + count). The margins add nothing when a tap outside
// the input, which adds w · (+0) = ±0 from the margin, cannot change any sum: with finite
// weights the product is a zero, which leaves every sum as it is except -0; a rounded sum is
// -0 only when both terms are, so a bias that is not -0 keeps every sum away from it. A NaN
// bias is excluded too (a tap adding nothing would leave a signalling NaN unquieted), and the
// margins must hold every tap (reach within the row).
CORVEX_AVX512 ChannelBlockFacts channel_block_facts(const ConvWeights& conv, std::size_t o0, std::size_t count,
                                                    std::int64_t reach, std::int64_t length) {
  const double* values = conv.weight + o0 * conv.in_channels * conv.kernel;
  const std::size_t n = count * conv.in_channels * conv.kernel;
  const __m512d infinity = _mm512_set1_pd(HUGE_VAL);
  __mmask8 zeros = 0;
  __mmask8 finite = 0xff;
  std::size_t i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    const __m512d w = _mm512_loadu_pd(values + i);
    zeros = static_cast<__mmask8>(zeros | _mm512_cmp_pd_mask(w, _mm512_setzero_pd(), _CMP_EQ_OQ));
    finite = static_cast<__mmask8>(finite & _mm512_cmp_pd_mask(_mm512_abs_pd(w), infinity, _CMP_LT_OQ));
  }
  bool none_zero = zeros == 0;
  bool all_finite = finite == 0xff;
  for (; i < n; ++i) {
    none_zero = none_zero && values[i] != 0.0;
    all_finite = all_finite && std::isfinite(values[i]);
  }
  bool plain_biases = true;
  for (std::size_t c = o0; c < o0 + count; ++c) {
    plain_biases = plain_biases && !std::isnan(conv.bias[c]) && !(conv.bias[c] == 0.0 && std::signbit(conv.bias[c]));
  }
  return {none_zero, all_finite && plain_biases && reach <= length};
}

}  // namespace

CORVEX_AVX512 void convolve_avx512(const ConvWeights& conv, const ActivationMap& input, std::uint64_t dilation,
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

}  // namespace corvex

#endif  // CORVEX_NETWORK_AVX2
