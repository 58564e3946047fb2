// Fork handlers through pthread_atfork on POSIX systems (Linux, macOS, the BSDs); the
// fallback for systems without fork() registers nothing, as no process can inherit the pool.
#include "util/fork_handlers.h"

#if !defined(CORVEX_PORTABLE_FALLBACKS) && (defined(__unix__) || defined(__APPLE__))
#include <pthread.h>

namespace corvex {

void register_fork_handlers(void (*before)(), void (*in_parent)(), void (*in_child)()) {
  pthread_atfork(before, in_parent, in_child);
}

}  // namespace corvex

#else

namespace corvex {

void register_fork_handlers(void (*)(), void (*)(), void (*)()) {}

}  // namespace corvex

#endif
