// The user weights cache: a short list in recency order behind one mutex that is held only
// to look up and to insert, never while a file is read or parsed.
#include "guess/weights_cache.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "nn/weights_format.h"
#include "util/regular_file.h"

namespace corvex {
namespace {

// Weights files are a few hundred kilobytes; anything beyond this is not one, and reading it
// whole could exhaust memory.
constexpr std::size_t kMaxWeightsFileBytes = std::size_t{256} << 20;

// The cache keeps at most this many models and this much memory (decoded model and file
// content), dropping the least recently used first; the newest model stays whatever its size.
constexpr std::size_t kMaxCachedModels = 8;
constexpr std::uint64_t kMaxCachedBytes = std::uint64_t{128} << 20;

struct CachedModel {
  std::string bytes;  // the file's whole content, which is what identifies the model
  std::shared_ptr<const NetworkModel> model;
};

class WeightsCache {
 public:
  std::shared_ptr<const NetworkModel> find(std::string_view bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = position_of(bytes);
    if (it == entries_.end()) return nullptr;
    entries_.splice(entries_.begin(), entries_, it);
    return it->model;
  }

  // The model cached for the same content by now (another thread may have read the same
  // file meanwhile), else `model` after inserting it. An allocation failing here leaves the
  // list as it was, since a list insertion either happens whole or not at all.
  std::shared_ptr<const NetworkModel> insert(std::string bytes, std::shared_ptr<const NetworkModel> model) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (const auto it = position_of(bytes); it != entries_.end()) {
      entries_.splice(entries_.begin(), entries_, it);
      return it->model;
    }
    entries_.push_front({std::move(bytes), model});
    std::uint64_t held = 0;
    for (const CachedModel& entry : entries_) held += entry.model->decoded_bytes + entry.bytes.size();
    while (entries_.size() > 1 && (entries_.size() > kMaxCachedModels || held > kMaxCachedBytes)) {
      held -= entries_.back().model->decoded_bytes + entries_.back().bytes.size();
      entries_.pop_back();
    }
    return model;
  }

 private:
  std::list<CachedModel>::iterator position_of(std::string_view bytes) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->bytes == bytes) return it;
    }
    return entries_.end();
  }

  std::mutex mutex_;
  std::list<CachedModel> entries_;  // most recently used first
};

WeightsCache& cache() {
  static WeightsCache* instance = new WeightsCache;
  return *instance;
}

Error read_failure(int error_number) {
  return value_error("reading weights: " + std::string(std::strerror(error_number)));
}

// The whole open file, in pieces with the token asked between them; a read interrupted by a
// signal is retried unless the token says stop.
Result<std::string> read_whole(RegularFile& file, const CancellationToken& cancellation) {
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    if (cancellation.stop_requested()) return interrupted_error();
    const std::ptrdiff_t got = file.read_some(buffer, sizeof buffer);
    if (got < 0) {
      if (got == -EINTR) continue;
      return read_failure(static_cast<int>(-got));
    }
    if (got == 0) return bytes;
    if (bytes.size() + static_cast<std::size_t>(got) > kMaxWeightsFileBytes) {
      return value_error("reading weights: file is larger than " + std::to_string(kMaxWeightsFileBytes) + " bytes");
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

Result<std::shared_ptr<const NetworkModel>> cached_weights_model(const std::string& path,
                                                                 const CancellationToken& cancellation) {
  if (path.find('\0') != std::string::npos) return value_error("reading weights: embedded null byte");
  RegularFile file;
  if (const int failure = file.open(path); failure != 0) {
    if (failure == kNotRegularFile) return value_error("reading weights: not a regular file");
    return read_failure(failure);
  }
  // Reading is cheap next to parsing, and only the content tells a file rewritten in place
  // (same inode, size and restored modification time) from the one cached.
  Result<std::string> bytes = read_whole(file, cancellation);
  if (!bytes.ok()) return bytes.take_error();
  if (std::shared_ptr<const NetworkModel> cached = cache().find(*bytes)) return cached;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
  Result<std::shared_ptr<const NetworkModel>> model = read_weights({data, bytes->size()});
  if (!model.ok()) return model.take_error();
  return cache().insert(std::move(bytes).value(), std::move(model).value());
}

}  // namespace corvex
