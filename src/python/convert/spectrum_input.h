// Frequencies and measured spectra from the shapes Python users hold them in: sequences,
// NumPy arrays, and data frames (pandas, polars, dicts of columns) in the battery data format.
#pragma once

#include <Python.h>

#include <optional>
#include <vector>

#include "util/complex.h"
#include "util/spectrum.h"

namespace corvex::python {

// Every function below returns nullopt (or false) with a Python exception set on failure.

// A sequence (not a str) of numbers through the float protocol.
std::optional<std::vector<double>> float_list(PyObject* object);

// A sequence (not a str) of numbers through the complex protocol.
std::optional<std::vector<Complex>> complex_list(PyObject* object);

// One column of a data frame by its display name, then by its machine name.
struct ColumnSpec {
  const char* display_name;
  const char* machine_name;
};

enum class ColumnRead { Present, Absent, Failed };

// Present: `out` holds the column in row order. Absent: neither name could be read.
// Failed: the column is there but not numeric (ValueError set).
ColumnRead read_column(PyObject* frame, const ColumnSpec& spec, std::vector<double>* out);

// Frequencies for impedance(): a sequence of numbers, else a frame's frequency column.
std::optional<std::vector<double>> frequencies_from(PyObject* object);

// A measured spectrum from two sequences, or from one data frame when `impedances` is None.
std::optional<Spectrum> spectrum_from(PyObject* frequencies, PyObject* impedances);

}  // namespace corvex::python
