// Conversion of bound arguments to native values. Each failure leaves a TypeError (or an
// OverflowError for integers out of range) whose message names the argument:
// "argument '{name}': " followed by the conversion's own message.
#pragma once

#include <Python.h>

#include <cstdint>
#include <optional>
#include <string>

namespace corvex::python {

// "'{type}' object cannot be converted to '{target}'" as a TypeError.
void raise_cannot_convert(PyObject* object, const char* target);

// Prefixes the pending exception's message with "argument '{name}': ", keeping its type.
// Exceptions other than TypeError, ValueError and OverflowError are left as they are.
void prefix_argument_error(const char* name);

// The Python float protocol (float, int, objects with __float__ or __index__).
bool convert_double(PyObject* object, const char* name, double* out);

// Integers through __index__; negative or too large values raise OverflowError.
bool convert_u32(PyObject* object, const char* name, std::uint32_t* out);
bool convert_u64(PyObject* object, const char* name, std::uint64_t* out);
// A count an analysis takes (a parameter limit, a depth, a patience): integers through
// __index__; a negative value, or one beyond 32 bits, raises ValueError naming the argument
// and the range.
bool convert_count(PyObject* object, const char* name, std::uint32_t* out);
// None stays absent.
bool convert_optional_u64(PyObject* object, const char* name, std::optional<std::uint64_t>* out);

// A str, as UTF-8.
bool convert_string(PyObject* object, const char* name, std::string* out);
// None stays absent.
bool convert_optional_string(PyObject* object, const char* name, std::optional<std::string>* out);

// None stays absent; otherwise a bool or a NumPy boolean scalar.
bool convert_optional_bool(PyObject* object, const char* name, std::optional<bool>* out);

}  // namespace corvex::python
