// Free stack of the calling thread, from its stack bounds (looked up once per thread) and
// the address of a local variable. Stacks grow downwards on every platform we build for.
#include "util/stack_space.h"

#include <cstdint>
#include <limits>

#if !defined(CORVEX_PORTABLE_FALLBACKS) && defined(__linux__)
#include <pthread.h>
#endif

namespace corvex {
namespace {

#if !defined(CORVEX_PORTABLE_FALLBACKS) && defined(__linux__)

// Lowest usable address of this thread's stack, or 0 when unknown. pthread_getattr_np is a
// GNU extension (glibc and musl); it also reports the main thread's stack as grown so far.
std::uintptr_t find_stack_low_end() {
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
  void* low = nullptr;
  std::size_t size = 0;
  const bool found = pthread_attr_getstack(&attributes, &low, &size) == 0;
  std::size_t guard = 0;
  pthread_attr_getguardsize(&attributes, &guard);
  pthread_attr_destroy(&attributes);
  return found ? reinterpret_cast<std::uintptr_t>(low) + guard : 0;
}

#else

// Elsewhere the bounds are not looked up (macOS would use pthread_get_stackaddr_np and
// pthread_get_stacksize_np, Windows GetCurrentThreadStackLimits): unknown, so recursion is
// limited only by the depth limits of the code that recurses.
std::uintptr_t find_stack_low_end() { return 0; }

#endif

}  // namespace

std::size_t stack_bytes_left() {
  thread_local const std::uintptr_t low_end = find_stack_low_end();
  if (low_end == 0) return std::numeric_limits<std::size_t>::max();
  char marker = 0;
  const auto here = reinterpret_cast<std::uintptr_t>(&marker);
  return here > low_end ? here - low_end : 0;
}

}  // namespace corvex
