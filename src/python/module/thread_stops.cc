// The threads whose native work should stop at its next poll, by Python thread id. A request
// stays until withdrawn, so one made before the work starts is honoured as soon as it polls.
#include "python/module/thread_stops.h"

#include <mutex>
#include <set>

namespace corvex::python {

namespace {

std::mutex& stops_mutex() {
  static std::mutex mutex;
  return mutex;
}

std::set<unsigned long>& stopped_threads() {
  static std::set<unsigned long> threads;
  return threads;
}

bool thread_id_argument(PyObject* argument, unsigned long* id) {
  *id = PyLong_AsUnsignedLong(argument);
  return !(*id == static_cast<unsigned long>(-1) && PyErr_Occurred());
}

PyObject* request_stop(PyObject*, PyObject* argument) {
  unsigned long id = 0;
  if (!thread_id_argument(argument, &id)) return nullptr;
  std::lock_guard<std::mutex> hold(stops_mutex());
  stopped_threads().insert(id);
  Py_RETURN_NONE;
}

PyObject* withdraw_stop(PyObject*, PyObject* argument) {
  unsigned long id = 0;
  if (!thread_id_argument(argument, &id)) return nullptr;
  std::lock_guard<std::mutex> hold(stops_mutex());
  stopped_threads().erase(id);
  Py_RETURN_NONE;
}

}  // namespace

bool stop_requested_for_this_thread() {
  const unsigned long id = PyThread_get_thread_ident();
  std::lock_guard<std::mutex> hold(stops_mutex());
  return stopped_threads().count(id) != 0;
}

PyMethodDef thread_stop_functions[] = {
    {"_request_stop", request_stop, METH_O,
     "_request_stop($module, thread_id, /)\n--\n\nStop the native work of the thread with this threading.get_ident() at its "
     "next poll (within about 25 ms); the call raises KeyboardInterrupt in that thread. The request holds until "
     "_withdraw_stop(thread_id)."},
    {"_withdraw_stop", withdraw_stop, METH_O,
     "_withdraw_stop($module, thread_id, /)\n--\n\nForget a stop asked for the thread with this threading.get_ident()."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
