// Text crossing the boundary: Python str to the UTF-8 the core works on and back. Lone
// surrogates survive the round trip so that any str can be parsed and echoed in a message.
#pragma once

#include <Python.h>

#include <optional>
#include <string>
#include <string_view>

#include "python/module/owned_ref.h"

namespace corvex::python {

// UTF-8 bytes of a str, lone surrogates encoded as their three-byte form; nullopt with a
// Python error set when `text` is not a str or cannot be encoded.
std::optional<std::string> utf8_of(PyObject* text);

// A new str from UTF-8 bytes; the three-byte form of a surrogate decodes back to it and
// anything else undecodable becomes U+FFFD, so building a message never fails on content.
OwnedRef text_object(std::string_view utf8);

// The short name of an object's type ("int", "ndarray", "DataFrame") as messages name it.
std::string type_name_of(PyObject* object);

}  // namespace corvex::python
