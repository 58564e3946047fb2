// Handlers around fork(), so that process-wide state guarded by a mutex (the worker pool) is
// consistent in the child; the one place that knows whether the system can fork at all.
#pragma once

namespace corvex {

// Runs `before` in the forking thread before fork(), then `in_parent` or `in_child` after it.
// Where the system has no fork() (Windows) there is no child to prepare and nothing is run.
void register_fork_handlers(void (*before)(), void (*in_parent)(), void (*in_child)());

}  // namespace corvex
