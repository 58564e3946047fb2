// Bytes from the operating system's cryptographic random source, read with getrandom(2),
// which blocks only until the kernel pool is first initialised.
#include "fit/search/os_entropy.h"

#include <sys/random.h>

#include <cerrno>
#include <string>

namespace corvex {

Status fill_os_entropy(std::span<std::byte> bytes) {
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return internal_error("operating-system random source failed with errno " + std::to_string(errno));
    }
    filled += static_cast<std::size_t>(got);
  }
  return {};
}

}  // namespace corvex
