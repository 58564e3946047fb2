// Regular files through POSIX descriptors (open with O_NONBLOCK, fstat, read); the fallback
// for other systems uses std::filesystem and C streams, checking the kind before opening.
#include "util/regular_file.h"

#include <cerrno>

#if !defined(CORVEX_PORTABLE_FALLBACKS) && (defined(__unix__) || defined(__APPLE__))
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvex {

RegularFile::~RegularFile() {
  if (handle_ != kClosed) ::close(static_cast<int>(handle_));
}

int RegularFile::open(const std::string& path) {
  // Non-blocking, so that opening a FIFO without a writer returns at once; what is not a
  // regular file is refused before anything is read from it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno;
  handle_ = fd;
  struct stat status {};
  if (::fstat(fd, &status) != 0) return errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  if (!S_ISREG(status.st_mode)) return kNotRegularFile;
  return 0;
}

std::ptrdiff_t RegularFile::read_some(char* buffer, std::size_t size) {
  const ssize_t got = ::read(static_cast<int>(handle_), buffer, size);
  return got < 0 ? -errno : got;
}

}  // namespace corvex

#else

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace corvex {
namespace {

std::FILE* stream_of(std::intptr_t handle) { return reinterpret_cast<std::FILE*>(handle); }

// The portable errno value of a filesystem error, EIO when it has none.
int errno_of(const std::error_code& error) {
  const std::error_condition condition = error.default_error_condition();
  return condition.category() == std::generic_category() ? condition.value() : EIO;
}

}  // namespace

RegularFile::~RegularFile() {
  if (handle_ != kClosed) std::fclose(stream_of(handle_));
}

// The kind is checked by name before the open, as a C stream cannot be opened without
// blocking; a file replaced between the two is the price.
int RegularFile::open(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error) return errno_of(error);
  if (fs::is_directory(status)) return EISDIR;
  if (!fs::is_regular_file(status)) return kNotRegularFile;
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (stream == nullptr) return errno != 0 ? errno : EIO;
  handle_ = reinterpret_cast<std::intptr_t>(stream);
  return 0;
}

std::ptrdiff_t RegularFile::read_some(char* buffer, std::size_t size) {
  std::FILE* stream = stream_of(handle_);
  const std::size_t got = std::fread(buffer, 1, size, stream);
  if (got == 0 && std::ferror(stream)) return -EIO;
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace corvex

#endif
