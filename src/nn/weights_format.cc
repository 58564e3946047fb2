// The weights reader. Every length read from the file is compared with the bytes that remain
// before anything is allocated, so lying lengths, ranks and dimensions end as Truncated.
#include "nn/weights_format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "nn/binary16.h"
#include "nn/header_values.h"

namespace corvex {
namespace {

bool is_valid_utf8(std::span<const std::uint8_t> bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::uint8_t lead = bytes[i];
    std::size_t length;
    std::uint32_t code;
    std::uint32_t minimum;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const std::uint8_t next = bytes[i + k];
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// Sequential little-endian reads over the input; each read fails instead of running past the end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t remaining() const { return bytes_.size() - position_; }

  bool read_u8(std::uint8_t* out) {
    if (remaining() < 1) return false;
    *out = bytes_[position_++];
    return true;
  }

  bool read_u32(std::uint32_t* out) {
    if (remaining() < 4) return false;
    *out = load_u32(bytes_.data() + position_);
    position_ += 4;
    return true;
  }

  bool read_bytes(std::size_t count, std::span<const std::uint8_t>* out) {
    if (remaining() < count) return false;
    *out = bytes_.subspan(position_, count);
    position_ += count;
    return true;
  }

  // A length-prefixed UTF-8 string.
  bool read_string(std::string* out) {
    std::uint32_t length = 0;
    std::span<const std::uint8_t> body;
    if (!read_u32(&length) || !read_bytes(length, &body) || !is_valid_utf8(body)) return false;
    out->assign(reinterpret_cast<const char*>(body.data()), body.size());
    return true;
  }

  static std::uint32_t load_u32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

double load_binary32(const std::uint8_t* p) {
  return static_cast<double>(std::bit_cast<float>(ByteReader::load_u32(p)));
}

// Element count of a record: the product of its dimensions, one for rank 0 or any zero
// dimension; nullopt when the product overflows (no file can then hold the data).
std::optional<std::uint64_t> element_count(const std::vector<std::uint32_t>& dims) {
  for (std::uint32_t dim : dims) {
    if (dim == 0) return 1;
  }
  std::uint64_t count = 1;
  for (std::uint32_t dim : dims) {
    if (count > std::numeric_limits<std::uint64_t>::max() / dim) return std::nullopt;
    count *= dim;
  }
  return count;
}

// Data bytes of `count` elements in an encoding; nullopt on overflow.
std::optional<std::uint64_t> data_size(TensorEncoding encoding, std::uint64_t count) {
  const std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
  switch (encoding) {
    case TensorEncoding::Binary32:
      if (count > max / 4) return std::nullopt;
      return count * 4;
    case TensorEncoding::Binary16:
      if (count > max / 2) return std::nullopt;
      return count * 2;
    case TensorEncoding::ScaledInt8:
      if (count > max - 4) return std::nullopt;
      return count + 4;
  }
  return std::nullopt;
}

void decode_values(TensorEncoding encoding, std::span<const std::uint8_t> data, std::vector<double>* values) {
  const std::size_t count = values->size();
  switch (encoding) {
    case TensorEncoding::Binary32:
      for (std::size_t i = 0; i < count; ++i) (*values)[i] = load_binary32(data.data() + 4 * i);
      break;
    case TensorEncoding::Binary16:
      for (std::size_t i = 0; i < count; ++i) {
        const auto bits = static_cast<std::uint16_t>(data[2 * i] | (data[2 * i + 1] << 8));
        (*values)[i] = decode_binary16(bits);
      }
      break;
    case TensorEncoding::ScaledInt8: {
      const double scale = load_binary32(data.data());
      for (std::size_t i = 0; i < count; ++i) {
        (*values)[i] = scale * static_cast<double>(static_cast<std::int8_t>(data[4 + i]));
      }
      break;
    }
  }
}

// Bytes a header entry or a tensor takes besides its text and values: map node, string and
// vector headers, allocator rounding.
constexpr std::uint64_t kEntryOverhead = 128;

// Adds `bytes` to the running decoded size; fails once the budget is exceeded.
Status count_decoded(std::uint64_t bytes, std::uint64_t* decoded) {
  *decoded = bytes > kMaxDecodedWeightsBytes - std::min(*decoded, kMaxDecodedWeightsBytes)
                 ? kMaxDecodedWeightsBytes + 1
                 : *decoded + bytes;
  if (*decoded <= kMaxDecodedWeightsBytes) return {};
  return WeightsError::over_budget("bytes of memory decoded", *decoded, kMaxDecodedWeightsBytes).to_error();
}

Result<Tensor> read_tensor(ByteReader* reader, std::uint64_t* decoded) {
  Tensor tensor;
  std::uint8_t code = 0;
  std::uint8_t rank = 0;
  if (!reader->read_string(&tensor.name) || !reader->read_u8(&code) || !reader->read_u8(&rank)) {
    return WeightsError::truncated().to_error();
  }
  if (reader->remaining() / 4 < rank) return WeightsError::truncated().to_error();
  tensor.dims.resize(rank);
  for (std::uint32_t& dim : tensor.dims) reader->read_u32(&dim);

  if (code > static_cast<std::uint8_t>(TensorEncoding::ScaledInt8)) {
    return WeightsError::unknown_encoding(code).to_error();
  }
  const auto encoding = static_cast<TensorEncoding>(code);
  const std::optional<std::uint64_t> count = element_count(tensor.dims);
  const std::optional<std::uint64_t> size = count ? data_size(encoding, *count) : std::nullopt;
  std::span<const std::uint8_t> data;
  if (!size || *size > reader->remaining() || !reader->read_bytes(static_cast<std::size_t>(*size), &data)) {
    return WeightsError::truncated().to_error();
  }
  // The count fits in the bytes present (checked just above), so this cannot overflow.
  const std::uint64_t footprint = kEntryOverhead + tensor.name.size() + 4 * std::uint64_t{rank} + 8 * *count;
  if (Status within = count_decoded(footprint, decoded); !within.ok()) return within.take_error();
  tensor.values.resize(static_cast<std::size_t>(*count));
  decode_values(encoding, data, &tensor.values);
  return tensor;
}

using HeaderMap = std::map<std::string, std::string, std::less<>>;

Result<const std::string*> header_value(const HeaderMap& header, std::string_view key) {
  const auto it = header.find(key);
  if (it == header.end()) return WeightsError::missing(std::string(key)).to_error();
  return &it->second;
}

Result<std::uint64_t> header_integer(const HeaderMap& header, std::string_view key) {
  Result<const std::string*> text = header_value(header, key);
  if (!text.ok()) return text.take_error();
  const std::optional<std::uint64_t> value = parse_header_integer(**text);
  if (!value) return WeightsError::unparsable(std::string(key)).to_error();
  return *value;
}

Result<double> header_float(const HeaderMap& header, std::string_view key) {
  Result<const std::string*> text = header_value(header, key);
  if (!text.ok()) return text.take_error();
  const std::optional<double> value = parse_header_float(**text);
  if (!value) return WeightsError::unparsable(std::string(key)).to_error();
  return *value;
}

// Steps after the raw records are read: the decoding tables, then the header values, in the
// order that decides which error a file with several faults reports.
Status fill_model(const HeaderMap& header, NetworkModel* model) {
  Result<const Tensor*> target_mean = model->tensor("target_mean");
  if (!target_mean.ok()) return target_mean.take_error();
  Result<const Tensor*> target_std = model->tensor("target_std");
  if (!target_std.ok()) return target_std.take_error();
  Result<const Tensor*> log_params = model->tensor("log_params");
  if (!log_params.ok()) return log_params.take_error();
  DecodingTables& decoding = model->decoding;
  decoding.target_mean = (*target_mean)->values;
  decoding.target_std = (*target_std)->values;
  decoding.log_params.reserve((*log_params)->values.size());
  for (double flag : (*log_params)->values) decoding.log_params.push_back(flag != 0.0);

  Result<const Tensor*> scaling = model->tensor("scaling");
  if (!scaling.ok()) return scaling.take_error();
  const std::vector<double>& rows = (*scaling)->values;
  const std::uint64_t expected = 4 * static_cast<std::uint64_t>(decoding.target_mean.size());
  if (rows.size() != expected) return WeightsError::element_count("scaling", rows.size(), expected).to_error();
  decoding.scaling.reserve(rows.size() / 4);
  for (std::size_t i = 0; i < rows.size(); i += 4) {
    decoding.scaling.push_back(decode_scaling_rule(rows[i], rows[i + 1], rows[i + 2], rows[i + 3]));
  }

  Result<const std::string*> dilations = header_value(header, "dilations");
  if (!dilations.ok()) return dilations.take_error();
  for (const std::string& item : split_at_commas(**dilations)) {
    const std::optional<std::uint64_t> dilation = parse_header_integer(trim_white_space(item));
    if (!dilation) return WeightsError::unparsable("dilations").to_error();
    model->config.dilations.push_back(*dilation);
  }

  Result<const std::string*> estimator = header_value(header, "estimator");
  if (!estimator.ok()) return estimator.take_error();
  bool supported = false;
  for (const char* name : kSupportedEstimators) supported = supported || **estimator == name;
  if (!supported) return WeightsError::unsupported_estimator(**estimator).to_error();

  Result<const std::string*> circuit = header_value(header, "circuit");
  if (!circuit.ok()) return circuit.take_error();
  model->circuit = **circuit;
  Result<const std::string*> param_names = header_value(header, "param_names");
  if (!param_names.ok()) return param_names.take_error();
  model->param_names = split_at_commas(**param_names);

  const std::pair<std::string_view, std::uint64_t*> integer_keys[] = {
      {"n_grid", &model->config.n_grid},
      {"channels", &model->config.channels},
      {"kernel", &model->config.kernel},
      {"groups", &model->config.groups},
  };
  for (const auto& [key, field] : integer_keys) {
    Result<std::uint64_t> value = header_integer(header, key);
    if (!value.ok()) return value.take_error();
    *field = *value;
  }
  const std::pair<std::string_view, double*> float_keys[] = {
      {"alpha_min", &decoding.alpha_min},
      {"alpha_max", &decoding.alpha_max},
  };
  for (const auto& [key, field] : float_keys) {
    Result<double> value = header_float(header, key);
    if (!value.ok()) return value.take_error();
    *field = *value;
  }
  return {};
}

}  // namespace

ScalingRule decode_scaling_rule(double a, double b, double c, double d) {
  ScalingRule rule;
  rule.impedance_exponent = a;
  rule.frequency_exponent = b;
  rule.alpha_coefficient = c;
  const double rounded = std::round(d);
  if (std::isnan(rounded)) {
    rule.alpha_index = 0;
  } else if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    rule.alpha_index = std::numeric_limits<std::int32_t>::min();
  } else if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    rule.alpha_index = std::numeric_limits<std::int32_t>::max();
  } else {
    rule.alpha_index = static_cast<std::int32_t>(rounded);
  }
  return rule;
}

Result<std::shared_ptr<const NetworkModel>> read_weights(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kMagicSize = sizeof kWeightsMagic - 1;
  if (bytes.size() < kMagicSize) return WeightsError::truncated().to_error();
  if (std::memcmp(bytes.data(), kWeightsMagic, kMagicSize) != 0) return WeightsError::bad_magic().to_error();
  ByteReader reader(bytes.subspan(kMagicSize));

  HeaderMap header;
  std::uint64_t decoded = 0;
  std::uint32_t entry_count = 0;
  if (!reader.read_u32(&entry_count)) return WeightsError::truncated().to_error();
  for (std::uint32_t i = 0; i < entry_count; ++i) {
    std::string key;
    std::string value;
    if (!reader.read_string(&key) || !reader.read_string(&value)) return WeightsError::truncated().to_error();
    if (Status within = count_decoded(kEntryOverhead + key.size() + value.size(), &decoded); !within.ok()) {
      return within.take_error();
    }
    header[std::move(key)] = std::move(value);
  }

  auto model = std::make_shared<NetworkModel>();
  std::uint32_t tensor_count = 0;
  if (!reader.read_u32(&tensor_count)) return WeightsError::truncated().to_error();
  for (std::uint32_t i = 0; i < tensor_count; ++i) {
    Result<Tensor> tensor = read_tensor(&reader, &decoded);
    if (!tensor.ok()) return tensor.take_error();
    std::string name = tensor->name;
    model->tensors.insert_or_assign(std::move(name), std::move(tensor.value()));
  }

  Status filled = fill_model(header, model.get());
  if (!filled.ok()) return filled.take_error();
  model->decoded_bytes = decoded;
  return std::shared_ptr<const NetworkModel>(std::move(model));
}

}  // namespace corvex
