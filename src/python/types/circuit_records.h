// The private functions behind saved circuit documents: a Circuit to its notation record
// and back (_circuit_record, _circuit_from_record).
#pragma once

#include <Python.h>

namespace corvex::python {

extern PyMethodDef circuit_record_functions[];

}  // namespace corvex::python
