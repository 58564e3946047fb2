// Stops asked for by thread: a server's job thread never sees Ctrl-C (signals reach the main
// thread only), so another thread names it here and its next poll stops the native work.
#pragma once

#include <Python.h>

namespace corvex::python {

// Whether a stop was asked for the calling thread; with the interpreter lock held.
bool stop_requested_for_this_thread();

// _request_stop(thread_id) and _withdraw_stop(thread_id): private entry points for the app.
extern PyMethodDef thread_stop_functions[];

}  // namespace corvex::python
