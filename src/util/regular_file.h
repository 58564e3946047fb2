// A file opened for reading only when it is a regular file, never blocking on a FIFO or a
// terminal; the one platform file for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvex {

// Returned by RegularFile::open for a path naming a FIFO, a device or a socket.
inline constexpr int kNotRegularFile = -1;

class RegularFile {
 public:
  RegularFile() = default;
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  // 0 once open; EISDIR for a directory and kNotRegularFile for any other kind of file, both
  // refused before a byte is read; else the errno value of the failure.
  int open(const std::string& path);
  // Reads up to `size` bytes: the number read, 0 at the end of the file, or minus an errno
  // value (-EINTR when a signal interrupted the read, which may then be retried).
  std::ptrdiff_t read_some(char* buffer, std::size_t size);

 private:
  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;  // the descriptor, or the stream's address in the fallback
};

}  // namespace corvex
