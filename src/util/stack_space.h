// How much of the calling thread's stack is still free, so that recursive work can be
// refused on a small thread stack instead of overflowing it.
#pragma once

#include <cstddef>

namespace corvex {

// Bytes between the current stack position and the end of this thread's stack; a very large
// number when the thread's stack bounds cannot be found.
std::size_t stack_bytes_left();

}  // namespace corvex
