// The user weights cache behind one mutex with a poisoned state, and the bounded whole-file
// read that feeds it.
#include "guess/weights_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <map>
#include <mutex>

#include "nn/weights_format.h"

namespace corvex {
namespace {

// Weights files are a few hundred kilobytes; anything beyond this is not one, and reading it
// whole could exhaust memory (a device or a pipe may never end).
constexpr std::size_t kMaxWeightsFileBytes = std::size_t{256} << 20;

struct WeightsCache {
  std::mutex mutex;
  bool poisoned = false;
  std::map<std::string, std::shared_ptr<const NetworkModel>> models;
};

WeightsCache& cache() {
  static WeightsCache* instance = new WeightsCache;
  return *instance;
}

Error read_failure(int error_number) {
  return value_error("reading weights: " + std::string(std::strerror(error_number)));
}

}  // namespace

Result<std::string> read_weights_file(const std::string& path) {
  if (path.find('\0') != std::string::npos) return value_error("reading weights: embedded null byte");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return read_failure(errno);
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error_number = errno;
      ::close(fd);
      return read_failure(error_number);
    }
    if (got == 0) break;
    if (bytes.size() + static_cast<std::size_t>(got) > kMaxWeightsFileBytes) {
      ::close(fd);
      return value_error("reading weights: file is larger than " + std::to_string(kMaxWeightsFileBytes) + " bytes");
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

WeightsCacheLock::WeightsCacheLock() : uncaught_at_entry_(std::uncaught_exceptions()) { cache().mutex.lock(); }

WeightsCacheLock::~WeightsCacheLock() {
  if (std::uncaught_exceptions() > uncaught_at_entry_) cache().poisoned = true;
  cache().mutex.unlock();
}

Result<std::unique_ptr<WeightsCacheLock>> WeightsCacheLock::acquire() {
  std::unique_ptr<WeightsCacheLock> lock(new WeightsCacheLock());
  if (cache().poisoned) {
    return internal_error("weights cache poisoned: an earlier guess failed while holding it");
  }
  return lock;
}

Result<std::shared_ptr<const NetworkModel>> WeightsCacheLock::model_for(const std::string& path) {
  auto& models = cache().models;
  if (const auto it = models.find(path); it != models.end()) return it->second;
  Result<std::string> bytes = read_weights_file(path);
  if (!bytes.ok()) return bytes.take_error();
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
  Result<std::shared_ptr<const NetworkModel>> model = read_weights({data, bytes->size()});
  if (!model.ok()) return model.take_error();
  models.emplace(path, model.value());
  return model;
}

}  // namespace corvex
